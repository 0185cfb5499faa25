#include "sixbar/six_bar_search.h"

#include "canvas/raster_search.h"
#include "sixbar/slide.h"

namespace gyrenda {
namespace {

SixBarPoints foundPose(const Form& f) {
  const int i = angleIndex(f.crankAngle);
  return sixBarPoints(f, {f.outputX[i], f.outputY[i]}, {f.probeX, f.probeY});
}

}  // namespace

void kaisekiA2(Form& f) {
  f.hits.sixBarSearched = true;
  rasterSearch(f, {SearchedLink::SixBarLink, HitAdvance::SpeedStep, &kiseki2,
                   &f.hits.sixBarExamined});
  f.hits.sixBarStopped = f.crankAngle <= 360.0f;
}

void kiseki2(Form& f) {
  const int i = angleIndex(f.crankAngle);
  const SixBarPoints pose = foundPose(f);
  const WorldPoint output = pose.output();
  drawLocusStep(f, pose.axis, output);
  f.hits.sixAxisX[i] = pose.axis.x;
  f.hits.sixAxisY[i] = pose.axis.y;
  f.hits.sixOutputX[i] = output.x;
  f.hits.sixOutputY[i] = output.y;
  f.hits.sliderX[i] = f.probeX;
  f.hits.sliderY[i] = f.probeY;
}

void Anime6_Kaiseki(Form& f) {
  rasterSearch(f, {SearchedLink::SixBarLink, HitAdvance::SixBarFrames, &Anime6_Mem});
}

void Anime6_Mem(Form& f) {
  const int i = angleIndex(f.crankAngle);
  const SixBarPoints pose = foundPose(f);
  f.sixAxisX[i] = pose.axis.x;
  f.sixAxisY[i] = pose.axis.y;
  f.sixOffsetX[i] = pose.offset.x;
  f.sixOffsetY[i] = pose.offset.y;
}

}  // namespace gyrenda
