// Reading a design back from a numeric data file.
#pragma once

#include <array>
#include <istream>
#include <optional>

#include "app/params.h"

namespace gyrenda {

using ParamSet = std::array<float, kParamCount>;

// Reads the header and the first thirteen numbers that follow it, across commas and line
// ends; the rest of the stream is never touched. Reads a bounded amount whatever the
// stream holds. Empty when the header is not Gyrenda (quotes optional), the stream ends
// first, or a field is not a finite single-precision number.
std::optional<ParamSet> readDataFileParams(std::istream& in);

}  // namespace gyrenda
