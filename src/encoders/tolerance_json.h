// The tolerance analysis as JSON, for the headless program.
#pragma once

#include <string>

#include "tolerance/tolerance_analysis.h"

namespace gyrenda {

// One object: the options it ran with, the shares of samples that lose the full turn, cannot
// be assembled or lose the slider, the band per crank angle ("band95" and "bandMax", with the
// largest of each under "band95Largest"), the percentiles of the design figures and the
// sensitivities ranked, largest first. A figure that does not exist is null.
std::string toleranceJson(const ToleranceResult& result, const ToleranceOptions& options);

}  // namespace gyrenda
