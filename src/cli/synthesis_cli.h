// gyrenda-cli's path synthesis: --synthesize and its options.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <string>

#include "synthesis/path_synthesis.h"
#include "synthesis/target_list.h"

namespace gyrenda {

class Workbench;

struct SynthesisRequest {
  std::optional<std::string> targetsPath;  // "-" for standard input
  SynthesisOptions options;
  double timeLimit = 0;  // seconds; 0 for none
  // Which of the six ranges --bound gave (crank … output across); the others scale to the
  // targets (scaledBounds).
  std::array<bool, 6> boundGiven{};
  bool applyBest = false;
  // A DXF drawing's layer to read the curve from (empty: the first curve of any layer), and
  // how many targets to space evenly along the curve (0: its points as they are).
  std::string layer;
  int sample = 0;
};

// Runs the synthesis asked for with the design in the boxes as the base ("-" reads the targets
// from the descriptor `standardInput`) and, with --apply-best, types the best candidate into
// the boxes. The targets are a DXF drawing's traced curve where the file is one (by its name's
// .dxf or its first group), otherwise a list of points (see target_list.h). Returns the
// candidates as JSON; or says why there are none on `err` and sets
// `status`: 1 when the targets could not be read or the time ran out before any candidate, 2
// for bad input.
std::optional<std::string> runSynthesis(const SynthesisRequest& request, Workbench& bench,
                                        int standardInput, std::ostream& err, int& status);

}  // namespace gyrenda
