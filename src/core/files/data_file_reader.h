// Reading a design back from a numeric data file.
#pragma once

#include <array>
#include <istream>
#include <optional>

#include "linkage/parameters.h"

namespace gyrenda {

// Reads the header and the first thirteen numbers that follow it, across commas and line
// ends; the rest of the stream is never touched. Reads a bounded amount whatever the
// stream holds. A UTF-8 byte-order mark before the header is skipped. A number may take any
// decimal form with one sign at most and an optional exponent, and reads as the same text
// typed into a box does (readWholeNumber); an underflow reads as 0, an overflow as -30000 or
// 30000. Empty when the header is not Gyrenda (quotes optional), the stream ends first, or a
// field is not a number (NaN and infinity text included).
std::optional<ParameterSet> readDataFileParams(std::istream& in);

}  // namespace gyrenda
