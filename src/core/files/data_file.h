// The numeric data file (*.GYR): a quoted header, the thirteen parameters, and one row of
// crank angle and four-bar output point per half degree, CR LF line ends.
#pragma once

#include <string>

#include "linkage/parameters.h"
#include "canvas/run_result.h"

namespace gyrenda {

// The whole file as the save command writes it: 723 lines, 9999 written as 0.
std::string dataFileText(const ParameterSet& parameters, const RunResult& result);

// The file name the save dialog proposes, built from the first six parameters:
// "R 18_A 36_B 36_L 31_C 72_D 0" for the defaults.
std::string proposedFileName(const ParameterSet& parameters);

}  // namespace gyrenda
