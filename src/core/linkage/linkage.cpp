#include "linkage/linkage.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>

namespace gyrenda {
namespace {

// −offset / length, which overflows for a length far below the offset (1e-38 against 50).
// The factor then stops at the largest float: it multiplies the link's vector as the raster
// found it, never longer than about twice the link, so the product stays within twice the
// offset and every point computed from it finite. No length of an ordinary design reaches it.
float offsetFactor(float offset, float length) {
  return std::clamp(-offset / length, -FLT_MAX, FLT_MAX);
}

}  // namespace

int angleIndex(float angle) {
  const double i = std::nearbyint(2.0 * static_cast<double>(angle));
  if (!(i >= 0.0)) return 0;
  if (i > kAngleSteps - 1) return kAngleSteps - 1;
  return static_cast<int>(i);
}

AngleTables makeAngleTables(const ParameterSet& p) {
  AngleTables t;
  const double crank = p[crankRadius], lever = p[leverRadius];
  const double coupler = p[couplerLength], six = p[sixLinkLength];
  for (float angle = 0.0f; angle <= 360.0f; angle += 0.5f) {
    const int i = angleIndex(angle);
    // The angle in radians is rounded to single precision before sine and cosine are taken.
    const float r = static_cast<float>(angle / 180.0 * std::numbers::pi);
    const double c = std::cos(static_cast<double>(r));
    const double s = std::sin(static_cast<double>(r));
    t.crankTipX[i] = static_cast<float>(crank * c);
    t.crankTipY[i] = static_cast<float>(crank * s);
    t.leverX[i] = static_cast<float>(lever * c);
    t.leverY[i] = static_cast<float>(lever * s);
    t.couplerX[i] = static_cast<float>(coupler * c);
    t.couplerY[i] = static_cast<float>(coupler * s);
    t.sixLinkX[i] = static_cast<float>(six * c);
    t.sixLinkY[i] = static_cast<float>(six * s);
  }
  return t;
}

FixedLinkRange fixedLinkBounds(const ParameterSet& p) {
  return {static_cast<float>(static_cast<double>(p[crankRadius]) - p[leverRadius] +
                             p[couplerLength]),
          static_cast<float>(static_cast<double>(p[couplerLength]) - p[crankRadius] +
                             p[leverRadius])};
}

FixedLinkRange fixedLinkRange(const ParameterSet& p) {
  return {static_cast<float>(static_cast<double>(p[crankRadius]) - p[leverRadius] +
                             p[couplerLength] + 1.0),
          static_cast<float>(static_cast<double>(p[couplerLength]) - p[crankRadius] +
                             p[leverRadius] - 1.0)};
}

Linkage makeLinkage(const ParameterSet& p) {
  Linkage l;
  l.parameters = p;
  if (p[couplerLength] > 0.0f) {
    l.outAlongFactor = offsetFactor(p[outputOffsetX], p[couplerLength]);
    l.outAcrossFactor = offsetFactor(p[outputOffsetY], p[couplerLength]);
  }
  if (p[sixLinkLength] > 0.0f) {
    l.sixRatioX = offsetFactor(p[sixOutputOffsetX], p[sixLinkLength]);
    l.sixRatioY = offsetFactor(p[sixOutputOffsetY], p[sixLinkLength]);
  }
  l.fixedLinkRange = fixedLinkRange(p);
  l.tables = makeAngleTables(p);
  return l;
}

}  // namespace gyrenda
