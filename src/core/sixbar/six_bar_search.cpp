#include "sixbar/six_bar_search.h"

#include "canvas/locus.h"
#include "sixbar/slide.h"

namespace gyrenda {
namespace {

SearchedLink sixBarLink(const Linkage& l, const RunResult& r) {
  return {r.outputX, r.outputY, l.tables.sixLinkX, l.tables.sixLinkY, kSixBarMarker, true};
}

}  // namespace

SearchOutcome searchSixBar(const Linkage& linkage, Raster& canvas, bool optimise,
                           RunControl& control, RunResult& result) {
  RunHits& hits = result.hits;
  hits.sixBarSearched = true;
  LocusPen pen;
  const auto outcome = rasterSearch(
      canvas, sixBarLink(linkage, result), {HitAdvance::SpeedStep, optimise}, control,
      [&](const Hit& hit) {
        const SixBarPoints pose = sixBarPoints(linkage, hit.pivot, hit.farEnd);
        const WorldPoint output = pose.output();
        if (!isFinite(pose.axis) || !isFinite(output)) return;  // no pose: nothing to draw or keep
        pen.drawTo(canvas, pose.axis, output, quadrantColour(hit.crankAngle));
        const int i = hit.index;
        hits.sixAxisX[i] = pose.axis.x;
        hits.sixAxisY[i] = pose.axis.y;
        hits.sixOutputX[i] = output.x;
        hits.sixOutputY[i] = output.y;
        hits.sliderX[i] = hit.farEnd.x;
        hits.sliderY[i] = hit.farEnd.y;
      });
  hits.sixBarExamined += outcome.examined;
  hits.sixBarStopped = outcome.stopped;
  return outcome;
}

void searchSixBarFrames(const Linkage& linkage, const Raster& canvas, bool optimise,
                        RunControl& control, RunResult& result) {
  rasterSearch(canvas, sixBarLink(linkage, result), {HitAdvance::SixBarFrames, optimise},
               control, [&](const Hit& hit) {
                 const SixBarPoints pose = sixBarPoints(linkage, hit.pivot, hit.farEnd);
                 if (!isFinite(pose.axis) || !isFinite(pose.offset)) return;
                 const int i = hit.index;
                 result.sixAxisX[i] = pose.axis.x;
                 result.sixAxisY[i] = pose.axis.y;
                 result.sixOffsetX[i] = pose.offset.x;
                 result.sixOffsetY[i] = pose.offset.y;
               });
}

}  // namespace gyrenda
