// gyrenda-cli's six-bar slider synthesis: --synthesize-slider and its options.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/synthesis_cli.h"
#include "synthesis/slider_synthesis.h"

namespace gyrenda {

class Workbench;

struct SliderRequest {
  bool run = false;
  SliderOptions options;  // the seed and the budget are taken from the path synthesis's
};

// Runs the slider synthesis for the four-bar in the boxes, with the seed, budget, time limit
// and --apply-best of `shared` (the options the two searches share), and with --apply-best
// types the best candidate's six-bar values into the boxes and ticks the six-bar. Returns the
// candidates as JSON; or says why there are none on `err` and sets `status`: 2 for a request
// that cannot be met, 1 when the time ran out before any candidate met it.
std::optional<std::string> runSliderSynthesis(const SliderRequest& request,
                                              const SynthesisRequest& shared, Workbench& bench,
                                              std::ostream& err, int& status);

}  // namespace gyrenda
