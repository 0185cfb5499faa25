// gyrenda-cli's walking-leg synthesis: --gait and its options.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/synthesis_cli.h"
#include "synthesis/gait_synthesis.h"

namespace gyrenda {

class Workbench;

struct GaitRequest {
  bool asked = false;
  // The stride and lift are asked for; the rest of the leg's options have defaults.
  std::optional<double> stride, lift;
  double stanceShare = 0.5, flatness = 0, groundAngle = 0;
  double minTransmissionAngle = 20;  // --min-transmission, 20 for a leg
};

// Runs the walking-leg synthesis asked for with the design in the boxes as the base; the
// bounds, free frame, seed, budget, time limit and --apply-best are the path synthesis's
// (`search`). Returns the candidates as JSON; or says why there are none on `err` and sets
// `status`: 2 for a bad request, 1 when the time ran out before any candidate.
std::optional<std::string> runGait(const GaitRequest& request, const SynthesisRequest& search,
                                   Workbench& bench, std::ostream& err, int& status);

}  // namespace gyrenda
