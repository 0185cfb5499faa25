#include "synthesis/typed_values.h"

#include "linkage/number_text.h"

namespace gyrenda {

float asTyped(double v) { return readNumber(formatBoxNumber(static_cast<float>(v))); }

bool passKeeps(const ParameterSet& p) {
  const double a = p[crankRadius], c = p[leverRadius], b = p[couplerLength];
  const float lower = static_cast<float>(a - c + b), upper = static_cast<float>(b - a + c);
  return a > 0 && b > 0 && c > 0 && a <= c && lower < p[fixedLinkLength] &&
         upper > p[fixedLinkLength];
}

}  // namespace gyrenda
