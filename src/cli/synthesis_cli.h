// gyrenda-cli's path synthesis: --synthesize and its options.
#pragma once

#include <QJsonObject>

#include <array>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

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

// Sets progress.stop once `seconds` have passed, unless the search ends first: the time
// limit of every search of gyrenda-cli.
class TimeLimit {
 public:
  TimeLimit(double seconds, WorkProgress& progress) {
    if (seconds > 0)
      thread_ = std::jthread([this, seconds, &progress](std::stop_token ending) {
        std::unique_lock lock(mutex_);
        if (!wake_.wait_for(lock, ending, std::chrono::duration<double>(seconds),
                            [] { return false; }))
          progress.stop = true;
      });
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // last: requested to stop and joined first
};

// A point as {"x": …, "y": …}.
QJsonObject pointJson(Vec2 p);
// The four-bar's six values by their names, each the box's text as a number.
QJsonObject fourBarJson(const ParameterSet& p);

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
