// What becomes of a synthesised design once it is typed into the entry boxes: each value as the
// box shows it, and whether the validation pass then leaves the four-bar as it is.
#pragma once

#include "linkage/parameters.h"

namespace gyrenda {

// A value as the user gets it: typed into its box as the box shows it.
float asTyped(double v);

// Whether the validation pass leaves the four-bar's values as they are.
bool passKeeps(const ParameterSet& p);

}  // namespace gyrenda
