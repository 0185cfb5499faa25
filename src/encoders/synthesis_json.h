// The answer of a path synthesis as JSON, for the headless program.
#pragma once

#include <string>

#include "synthesis/path_synthesis.h"

namespace gyrenda {

// One object: the search's settings, whether it was stopped, and the candidates best first,
// each with the four-bar's six values under their parameter names (as the boxes show them),
// every target's distance from the path and the crank angle nearest it in the targets' order,
// the largest and RMS distance, class and least transmission angle; with a free frame also
// the crank pivot and the fixed link's angle in the targets' frame, and the rotation
// (degrees) and shift that carry the targets into the program's frame.
std::string synthesisJson(const SynthesisResult& result, const SynthesisOptions& options);

}  // namespace gyrenda
