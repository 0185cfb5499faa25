#include "synthesis/typed_values.h"

#include "linkage/linkage_class.h"
#include "linkage/number_text.h"

namespace gyrenda {

float asTyped(double v) { return readNumber(formatBoxNumber(static_cast<float>(v))); }

bool passKeeps(const ParameterSet& p) {
  const double a = p[crankRadius], c = p[leverRadius], b = p[couplerLength];
  const float lower = static_cast<float>(a - c + b), upper = static_cast<float>(b - a + c);
  return a > 0 && b > 0 && c > 0 && a <= c && lower < p[fixedLinkLength] &&
         upper > p[fixedLinkLength];
}

std::optional<TypedFourBar> typedFourBar(const SynthesisDesign& found, const ParameterSet& base,
                                         double leastAngle) {
  TypedFourBar typed{base, found, 0};
  SynthesisDesign& x = typed.design;
  for (int k = 0; k < 6; ++k) x[k] = typed.parameters[kFourBarValues[k]] = asTyped(found[k]);
  if (!passKeeps(typed.parameters)) return std::nullopt;
  typed.minTransmissionAngle = worstTransmissionAngle(x);
  if (classifyLinkage(x[uCrank], x[uCoupler], x[uLever], x[uFixedLink]) !=
          LinkageKind{LinkageClass::CrankRocker, true} ||
      !(typed.minTransmissionAngle >= leastAngle))
    return std::nullopt;
  return typed;
}

}  // namespace gyrenda
