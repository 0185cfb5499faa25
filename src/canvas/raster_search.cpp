#include "canvas/raster_search.h"

#include <cmath>

namespace gyrenda {

int scanIndex(float scanAngle) {
  // Every scan angle is a multiple of 0.5, so twice the angle converts exactly.
  int half = static_cast<int>(2.0f * scanAngle);
  if (half < 0) half += 720;
  else if (half > 720) half -= 720;
  if (half < 0 || half > 720) {
    half %= 720;
    if (half < 0) half += 720;
  }
  return half;
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
    if (kind.examined) ++*kind.examined;

    const float delta = f.crankAngle - lastHitAngle;
    const float scanEnd = delta + f.scanTo;
    const float px = pivotX[i], py = pivotY[i];
    // The scan runs on locals; the shared variables take the candidate's values at a hit,
    // which is the only place where anything else reads them.
    float scanAngle = f.scanFrom - delta;
    for (; scanAngle <= scanEnd; scanAngle += 0.5f) {
      const int j = scanIndex(scanAngle);
      const float probeX = px + linkX[j];
      const float probeY = py + linkY[j];
      if (f.canvas.point(probeX, -probeY) == marker) break;
    }
    f.scanAngle = scanAngle;
    if (scanAngle <= scanEnd) {
      const int j = scanIndex(scanAngle);
      f.probeX = px + linkX[j];
      f.probeY = py + linkY[j];
      kind.onHit(f);
      if (ticked(optimise)) {
        f.scanFrom = f.scanAngle - 10.0f;
        f.scanTo = f.scanAngle + 10.0f;
      }
      lastHitAngle = sixBar ? static_cast<float>(static_cast<std::int16_t>(std::nearbyint(f.crankAngle)))
                            : f.crankAngle;
      advanceAfterHit(f, kind.advance);
    }
  }
}

}  // namespace gyrenda
