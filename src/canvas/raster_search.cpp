#include "canvas/raster_search.h"

#include <cmath>

namespace gyrenda {

float wrapScanAngle(float scanAngle) {
  float b = scanAngle;
  if (b < 0.0f) b = scanAngle + 360.0f;
  else if (b > 360.0f) b = scanAngle - 360.0f;
  if (b < 0.0f || b > 360.0f) {
    b = std::fmod(b, 360.0f);
    if (b < 0.0f) b += 360.0f;
  }
  return b;
}

namespace {

void advanceAfterHit(Form& f, HitAdvance advance) {
  switch (advance) {
    case HitAdvance::SpeedStep:
      if (static_cast<float>(f.speedStep + f.crankAngle) < 360.0f) f.crankAngle += f.speedStep;
      break;
    case HitAdvance::FourBarFrames:
      if (static_cast<float>(f.speedStep + f.crankAngle) < 0.5f) f.crankAngle += 0.5f;
      break;
    case HitAdvance::SixBarFrames:
      if (static_cast<double>(f.crankAngle) + 0.5 < 360.0) f.crankAngle += 0.5f;
      break;
  }
}

}  // namespace

void rasterSearch(Form& f, const SearchKind& kind) {
  const bool sixBar = kind.link == SearchedLink::SixBarLink;
  const Colour marker = sixBar ? kSixBarMarker : kFourBarMarker;
  const CheckState optimise = sixBar ? f.Check4 : f.Check2;
  const AngleTable& linkX = sixBar ? f.sixLinkX : f.couplerX;
  const AngleTable& linkY = sixBar ? f.sixLinkY : f.couplerY;
  const AngleTable& pivotX = sixBar ? f.outputX : f.crankTipX;
  const AngleTable& pivotY = sixBar ? f.outputY : f.crankTipY;

  // The four-bar searches remember the exact crank angle of the last hit, the six-bar ones
  // the angle rounded to a whole degree (halves to even).
  float lastHitAngle = 0.0f;
  f.prevAxisX = f.prevAxisY = f.prevOutX = f.prevOutY = 0.0f;
  f.scanFrom = 0.0f;
  f.scanTo = 360.0f;

  for (f.crankAngle = 0.0f; f.crankAngle <= 360.0f; f.crankAngle += 0.5f) {
    if (yieldAndTestStop(f)) break;
    const int i = angleIndex(f.crankAngle);
    if (sixBar && (f.outputX[i] == kNoPose || f.outputY[i] == kNoPose)) continue;

    const float delta = f.crankAngle - lastHitAngle;
    const float scanEnd = delta + f.scanTo;
    const float px = pivotX[i], py = pivotY[i];
    for (f.scanAngle = f.scanFrom - delta; f.scanAngle <= scanEnd; f.scanAngle += 0.5f) {
      const int j = angleIndex(wrapScanAngle(f.scanAngle));
      f.probeX = px + linkX[j];
      f.probeY = py + linkY[j];
      if (f.canvas.point(f.probeX, -f.probeY) != marker) continue;
      kind.onHit(f);
      if (ticked(optimise)) {
        f.scanFrom = f.scanAngle - 10.0f;
        f.scanTo = f.scanAngle + 10.0f;
      }
      lastHitAngle = sixBar ? static_cast<float>(static_cast<std::int16_t>(std::nearbyint(f.crankAngle)))
                            : f.crankAngle;
      advanceAfterHit(f, kind.advance);
      break;
    }
  }
}

}  // namespace gyrenda
