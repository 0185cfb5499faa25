#include "canvas/four_bar_search.h"

#include "canvas/locus.h"

namespace gyrenda {

SearchedLink fourBarLink(const Linkage& l) {
  const AngleTables& t = l.tables;
  return {t.crankTipX, t.crankTipY, t.couplerX, t.couplerY, kFourBarMarker, false};
}

SearchOutcome searchFourBar(const Linkage& linkage, Raster& canvas, bool optimise,
                            RunControl& control, RunResult& result) {
  LocusPen pen;
  RunHits& hits = result.hits;
  const auto outcome = rasterSearch(
      canvas, fourBarLink(linkage), {HitAdvance::SpeedStep, optimise}, control,
      [&](const Hit& hit) {
        const auto [axis, output] = couplerPoints(linkage, hit.pivot, hit.farEnd);
        if (!isFinite(axis) || !isFinite(output)) return;  // no pose: nothing to draw or keep
        pen.drawTo(canvas, axis, output, quadrantColour(hit.crankAngle));
        storeAt(result.outputX, result.outputY, hit.index, output);
        storeAt(hits.axisX, hits.axisY, hit.index, axis);
        storeAt(hits.leverTipX, hits.leverTipY, hit.index, hit.farEnd);
      });
  hits.fourBarExamined += outcome.examined;
  hits.fourBarStopped = outcome.stopped;
  return outcome;
}

void searchFourBarFrames(const Linkage& linkage, const Raster& canvas, bool optimise,
                         RunControl& control, RunResult& result) {
  rasterSearch(canvas, fourBarLink(linkage), {HitAdvance::FourBarFrames, optimise},
               control, [&](const Hit& hit) {
                 const auto points = couplerPoints(linkage, hit.pivot, hit.farEnd);
                 if (!isFinite(points.output)) return;
                 storeAt(result.leverTipX, result.leverTipY, hit.index, hit.farEnd);
                 storeAt(result.outputX, result.outputY, hit.index, points.output);
               });
}

}  // namespace gyrenda
