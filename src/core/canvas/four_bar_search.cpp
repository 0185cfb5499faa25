#include "canvas/four_bar_search.h"

#include "canvas/locus.h"

namespace gyrenda {

SearchedLink fourBarLink(const Linkage& l) {
  const AngleTables& t = l.tables;
  return {t.crankTipX, t.crankTipY, t.couplerX, t.couplerY, kFourBarMarker, false};
}

RasterSearch fourBarSearch(const Linkage& linkage, Raster& canvas, bool optimise,
                           RunResult& result) {
  RunHits& hits = result.hits;
  return RasterSearch(
      canvas, fourBarLink(linkage), {HitAdvance::SpeedStep, optimise},
      [&linkage, &canvas, &result, &hits, pen = LocusPen()](const Hit& hit) mutable {
        const auto [axis, output] = couplerPoints(linkage, hit.pivot, hit.farEnd);
        if (!isFinite(axis) || !isFinite(output)) return;  // no pose: nothing to draw or keep
        pen.drawTo(canvas, axis, output, quadrantColour(hit.crankAngle));
        storeAt(result.outputX, result.outputY, hit.index, output);
        storeAt(hits.axisX, hits.axisY, hit.index, axis);
        storeAt(hits.leverTipX, hits.leverTipY, hit.index, hit.farEnd);
      },
      [&hits](const SearchOutcome& outcome) {
        hits.fourBarExamined += outcome.examined;
        hits.fourBarStopped = outcome.stopped;
      });
}

RasterSearch fourBarFrameSearch(const Linkage& linkage, const Raster& canvas, bool optimise,
                                RunResult& result) {
  return RasterSearch(canvas, fourBarLink(linkage), {HitAdvance::FourBarFrames, optimise},
                      [&linkage, &result](const Hit& hit) {
                        const auto points = couplerPoints(linkage, hit.pivot, hit.farEnd);
                        if (!isFinite(points.output)) return;
                        storeAt(result.leverTipX, result.leverTipY, hit.index, hit.farEnd);
                        storeAt(result.outputX, result.outputY, hit.index, points.output);
                      });
}

}  // namespace gyrenda
