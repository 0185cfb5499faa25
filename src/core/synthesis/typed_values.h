// What becomes of a synthesised design once it is typed into the entry boxes: each value as the
// box shows it, and whether the validation pass then leaves the four-bar as it is.
#pragma once

#include <optional>

#include "linkage/parameters.h"
#include "synthesis/path_objective.h"

namespace gyrenda {

// A value as the user gets it: typed into its box as the box shows it.
float asTyped(double v);

// Whether the validation pass leaves the four-bar's values as they are.
bool passKeeps(const ParameterSet& p);

// The four-bar's six values in the order of a search's first six unknowns.
inline constexpr ParamName kFourBarValues[] = {crankRadius,     leverRadius,   couplerLength,
                                               fixedLinkLength, outputOffsetX, outputOffsetY};

// A search's four-bar as the user gets it: typed into the boxes over `base`.
struct TypedFourBar {
  ParameterSet parameters;
  SynthesisDesign design;        // the found design with its six values as typed
  double minTransmissionAngle;   // degrees, the worst over a turn (see worstTransmissionAngle)
};

// The four-bar `found` typed into the boxes over `base`, where it is still admissible: the
// validation pass keeps it, it is a Grashof crank-rocker and its least transmission angle is
// `leastAngle` or more. None otherwise.
std::optional<TypedFourBar> typedFourBar(const SynthesisDesign& found, const ParameterSet& base,
                                         double leastAngle);

}  // namespace gyrenda
