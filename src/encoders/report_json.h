// The run report as JSON, for the headless program.
#pragma once

#include <string>

#include "kinematics/kinematics_analysis.h"
#include "report/run_report.h"

namespace gyrenda {

// One object, numbers in world units and degrees; a figure that does not exist is null, and
// the six-bar part is there only when the run analysed the six-bar. The transmission angle is
// the exact one; the raster's own stands beside it as rasterTransmissionAngle, and the exact
// kinematics of the same design at the analysis' crank speed under "kinematics".
std::string reportJson(const RunReport& report, const KinematicsAnalysis& exact);

}  // namespace gyrenda
