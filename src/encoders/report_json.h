// The run report as JSON, for the headless program.
#pragma once

#include <string>

#include "report/run_report.h"

namespace gyrenda {

// One object, numbers in world units and degrees; a figure that does not exist is null, and
// the six-bar part is there only when the run analysed the six-bar.
std::string reportJson(const RunReport& report);

}  // namespace gyrenda
