#include "app/validation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/number_text.h"
#include "app/run_driver.h"
#include "canvas/grid.h"

namespace gyrenda {
namespace {

float clampParam(float v) { return std::clamp(v, -kParamLimit, kParamLimit); }

// Rounds half to even, as the spin bars take a value.
int barValueFor(float v) { return static_cast<int>(std::nearbyint(clampParam(v))); }

void setBarFromParam(Form& f, int k) { setSpinBar(f, k, barValueFor(f.param(k))); }

void writeBack(Form& f, int k) { f.parameterText[k] = formatBoxNumber(f.param(k)); }

void setLengthToOne(Form& f, int k) {
  f.param(k) = 1.0f;
  f.parameterText[k] = std::string(1, '1');  // not = "1": GCC 12 warns falsely (-Wrestrict)
}

}  // namespace

void setSpinBar(Form& f, int k, int value) {
  const auto& info = paramInfo()[k];
  value = std::clamp(value, info.spinMin, info.spinMax);
  if (value == f.spinValue[k]) return;
  f.spinValue[k] = value;
  VScroll2_Change(f, k);
}

void VScroll2_Change(Form& f, int index) {
  f.parameterText[index] = std::to_string(f.spinValue[index]);
  if (f.editGuard == 0) parameter_LostFocus(f, index);
}

void fillAngleTables(Form& f) {
  const double crank = f.param(crankRadius), lever = f.param(leverRadius);
  const double coupler = f.param(couplerLength), six = f.param(sixLinkLength);
  // The crank angle variable is the loop counter here, as in the drawing loops.
  for (f.crankAngle = 0.0f; f.crankAngle <= 360.0f; f.crankAngle += 0.5f) {
    const int i = angleIndex(f.crankAngle);
    const float r = static_cast<float>(f.crankAngle / 180.0 * std::numbers::pi);
    const double c = std::cos(static_cast<double>(r));
    const double s = std::sin(static_cast<double>(r));
    f.crankTipX[i] = static_cast<float>(crank * c);
    f.crankTipY[i] = static_cast<float>(crank * s);
    f.leverX[i] = static_cast<float>(lever * c);
    f.leverY[i] = static_cast<float>(lever * s);
    f.couplerX[i] = static_cast<float>(coupler * c);
    f.couplerY[i] = static_cast<float>(coupler * s);
    f.sixLinkX[i] = static_cast<float>(six * c);
    f.sixLinkY[i] = static_cast<float>(six * s);
  }
}

void parameter_LostFocus(Form& f, int index) {
  // Edits and runs never interleave: a pass would redraw the canvas the search is reading.
  if (index < 0 || index >= kParamCount || f.running) return;
  f.editGuard = -1;
  f.param(index) = clampParam(readNumber(f.parameterText[index]));

  // The fixed link lies strictly between the two bounds; when they cross, the upper decides.
  // Both sums are rounded to single precision before they are compared.
  const auto lowerBound = [&] {
    return static_cast<float>(static_cast<double>(f.param(crankRadius)) - f.param(leverRadius) +
                              f.param(couplerLength));
  };
  const auto upperBound = [&] {
    return static_cast<float>(static_cast<double>(f.param(couplerLength)) -
                              f.param(crankRadius) + f.param(leverRadius));
  };
  if (lowerBound() >= f.param(fixedLinkLength)) {
    f.param(fixedLinkLength) = clampParam(lowerBound() + 1.0f);
    setBarFromParam(f, fixedLinkLength);
  }
  if (upperBound() <= f.param(fixedLinkLength)) {
    f.param(fixedLinkLength) = clampParam(upperBound() - 1.0f);
    setBarFromParam(f, fixedLinkLength);
  }
  writeBack(f, fixedLinkLength);

  if (!(f.param(crankRadius) > 0.0f)) setLengthToOne(f, crankRadius);
  // A lever that is not positive is made 1 before the crank is compared with it, so that
  // the crank never takes a non-positive lever radius over.
  if (!(f.param(leverRadius) > 0.0f)) setLengthToOne(f, leverRadius);
  if (f.param(crankRadius) > f.param(leverRadius)) {
    f.param(crankRadius) = f.param(leverRadius);
    writeBack(f, crankRadius);
    setBarFromParam(f, crankRadius);
  }

  if (f.param(couplerLength) > 0.0f) {
    f.outAlongFactor = -f.param(outputOffsetX) / f.param(couplerLength);
    f.outAcrossFactor = -f.param(outputOffsetY) / f.param(couplerLength);
  } else {
    setLengthToOne(f, couplerLength);
  }
  if (f.param(sixLinkLength) > 0.0f) {
    f.sixRatioX = -f.param(sixOutputOffsetX) / f.param(sixLinkLength);
    f.sixRatioY = -f.param(sixOutputOffsetY) / f.param(sixLinkLength);
  } else {
    setLengthToOne(f, sixLinkLength);
  }

  if (static_cast<float>(f.param(slideEndX) - f.param(slideStartX)) == 0.0f) {
    // At the top of the range the end point moves down instead, so the slide keeps a length.
    f.param(slideEndX) += (f.param(slideEndX) + 1.0f > kParamLimit) ? -1.0f : 1.0f;
    setBarFromParam(f, slideEndX);
  }

  setBarFromParam(f, index);

  const float lower = static_cast<float>(static_cast<double>(f.param(crankRadius)) -
                                         f.param(leverRadius) + f.param(couplerLength) + 1.0);
  const float upper = static_cast<float>(static_cast<double>(f.param(couplerLength)) -
                                         f.param(crankRadius) + f.param(leverRadius) - 1.0);
  f.Label13 = "静止節(" + formatBoxNumber(lower) + "～" + formatBoxNumber(upper) + ")";

  fillAngleTables(f);
  BackScreen(f);
  if (ticked(f.RealTimeSW)) Byouga(f, kAnalysisRun);
  f.editGuard = 0;
}

}  // namespace gyrenda
