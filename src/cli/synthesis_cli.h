// gyrenda-cli's path synthesis: --synthesize and its options.
#pragma once

#include <QJsonObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
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

// A point as {"x": …, "y": …}.
QJsonObject pointJson(Vec2 p);
// The four-bar's six values by their names, each the box's text as a number.
QJsonObject fourBarJson(const ParameterSet& p);

// Sets progress.stop once `seconds` have passed (none for 0), unless it is destroyed first.
class TimeLimit {
 public:
  TimeLimit(double seconds, WorkProgress& progress);

 private:
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // last: requested to stop and joined first
};

// Runs the synthesis asked for with the design in the boxes as the base ("-" reads the targets
// from the descriptor `standardInput`) and, with --apply-best, types the best candidate into
// the boxes. Returns the candidates as JSON; or says why there are none on `err` and sets
// `status`: 1 when the targets could not be read or the time ran out before any candidate, 2
// for bad input.
std::optional<std::string> runSynthesis(const SynthesisRequest& request, Workbench& bench,
                                        int standardInput, std::ostream& err, int& status);

}  // namespace gyrenda
