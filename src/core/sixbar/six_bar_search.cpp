#include "sixbar/six_bar_search.h"

#include "canvas/locus.h"
#include "sixbar/slide.h"

namespace gyrenda {
namespace {

SearchedLink sixBarLink(const Linkage& l, const RunResult& r) {
  return {r.outputX, r.outputY, l.tables.sixLinkX, l.tables.sixLinkY, kSixBarMarker, true};
}

}  // namespace

RasterSearch sixBarSearch(const Linkage& linkage, Raster& canvas, bool optimise,
                          RunResult& result) {
  RunHits& hits = result.hits;
  hits.sixBarSearched = true;
  return RasterSearch(
      canvas, sixBarLink(linkage, result), {HitAdvance::SpeedStep, optimise},
      [&linkage, &canvas, &hits, pen = LocusPen()](const Hit& hit) mutable {
        const SixBarPoints pose = sixBarPoints(linkage, hit.pivot, hit.farEnd);
        const WorldPoint output = pose.output();
        if (!isFinite(pose.axis) || !isFinite(output)) return;  // no pose: nothing to draw or keep
        pen.drawTo(canvas, pose.axis, output, quadrantColour(hit.crankAngle));
        storeAt(hits.sixAxisX, hits.sixAxisY, hit.index, pose.axis);
        storeAt(hits.sixOutputX, hits.sixOutputY, hit.index, output);
        storeAt(hits.sliderX, hits.sliderY, hit.index, hit.farEnd);
      },
      [&hits](const SearchOutcome& outcome) {
        hits.sixBarExamined += outcome.examined;
        hits.sixBarStopped = outcome.stopped;
      });
}

RasterSearch sixBarFrameSearch(const Linkage& linkage, const Raster& canvas, bool optimise,
                               RunResult& result) {
  return RasterSearch(canvas, sixBarLink(linkage, result), {HitAdvance::SixBarFrames, optimise},
                      [&linkage, &result](const Hit& hit) {
                        const SixBarPoints pose = sixBarPoints(linkage, hit.pivot, hit.farEnd);
                        if (!isFinite(pose.axis) || !isFinite(pose.offset)) return;
                        storeAt(result.sixAxisX, result.sixAxisY, hit.index, pose.axis);
                        storeAt(result.sixOffsetX, result.sixOffsetY, hit.index, pose.offset);
                      });
}

}  // namespace gyrenda
