// gyrenda-cli's path synthesis: --synthesize and its options.
#pragma once

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
  bool applyBest = false;
};

// Takes one option of the synthesis into `request`: true when it was one; `error` then says
// what is wrong with its value, or stays empty. --seed is noted and left to other readers too
// (false), since the tolerance analysis takes it as well.
bool takeSynthesisOption(const std::string& name, const std::string& value,
                         SynthesisRequest& request, std::string& error);

// Runs the synthesis asked for with the design in the boxes as the base, writes the JSON to
// `out` and, with --apply-best, types the best candidate into the boxes. The exit status: 0,
// 1 when the targets could not be read or the time ran out before any candidate, 2 for bad
// input.
int runSynthesis(const SynthesisRequest& request, Workbench& bench, std::ostream& out,
                 std::ostream& err);

}  // namespace gyrenda
