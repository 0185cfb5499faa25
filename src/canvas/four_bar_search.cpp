#include "canvas/four_bar_search.h"

#include "canvas/locus.h"
#include "canvas/raster_search.h"

namespace gyrenda {

void KaisekiA(Form& f) {
  rasterSearch(f, {SearchedLink::Coupler, HitAdvance::SpeedStep, &Kiseki,
                   &f.hits.fourBarExamined});
  // The crank loop leaves before passing 360 only when it honours a stop.
  f.hits.fourBarStopped = f.crankAngle <= 360.0f;
  f.Label5 = kFinishedCaption;
}

void Anime4_Kaiseki(Form& f) {
  rasterSearch(f, {SearchedLink::Coupler, HitAdvance::FourBarFrames, &Anime4_Mem});
}

void Anime4_Mem(Form& f) {
  const int i = angleIndex(f.crankAngle);
  const auto points = couplerPoints(f, {f.crankTipX[i], f.crankTipY[i]}, {f.probeX, f.probeY});
  f.leverTipX[i] = f.probeX;
  f.leverTipY[i] = f.probeY;
  f.outputX[i] = points.output.x;
  f.outputY[i] = points.output.y;
}

}  // namespace gyrenda
