// The engine the syntheses share: one start of a search in the unit cube (NLopt's global stage
// and local polish, the best point kept whatever way a run ends), progress counted in
// evaluations, 停止 heeded, and the seeds of the starts. What a point means and what it costs
// is the objective's own.
#pragma once

#include <nlopt.hpp>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "linkage/parameters.h"
#include "numeric/parallel_for.h"
#include "numeric/split_mix.h"

namespace gyrenda {

inline std::uint64_t splitMix(std::uint64_t x) { return mixBits(x + kSplitMixGamma); }

// The seed of start `index` of a search seeded with `seed`: a start finds the same answer on
// whichever thread it runs.
inline std::uint64_t startSeed(std::uint64_t seed, int index) {
  return splitMix(seed ^ splitMix(static_cast<std::uint64_t>(index)));
}

// A value as the user gets it: typed into its box as the box shows it.
float asTyped(double v);
// Whether the validation pass leaves the four-bar's values as they are.
bool passKeeps(const ParameterSet& p);

// What one start shares with its objective.
struct StartContext {
  StartContext(std::function<double(std::span<const double>)> f, double stopped, WorkProgress& p)
      : objective(std::move(f)), stoppedValue(stopped), progress(p) {}
  // The objective at a point of the unit cube.
  std::function<double(std::span<const double>)> objective;
  double stoppedValue;     // what a stopped evaluation answers: worse than any design
  WorkProgress& progress;  // in evaluations of the objective
  nlopt::opt* running = nullptr;
  std::int64_t count = 0, reported = 0;
  std::vector<double> best;
  double bestValue = INFINITY;

  // Counts its evaluation, heeds a stop and keeps the best point.
  double evaluate(std::span<const double> u);
  // Adds the evaluations since the last report to the progress.
  void report();
};

// A random point of the unit cube of `dimensions` from a start's seed.
std::vector<double> randomPoint(std::size_t dimensions, std::uint64_t seed);

// One run of an NLopt algorithm from `start`, within `evaluations`; the context keeps the
// best point seen, whatever way the run ends. BOBYQA steps a fiftieth of each range.
void runStage(nlopt::algorithm algorithm, std::vector<double> start, int evaluations,
              StartContext& c);

// BOBYQA again from the best point while it gains a part in a thousand and the start's
// `evaluations` last (a fresh trust region often moves on where the last one had shrunk in a
// curved valley).
void polishWhileGaining(int evaluations, StartContext& c);

// The end of a start: its evaluations into the progress; a start that ended early leaves its
// rest of the budget undone, and the work shrinks by it; a stopped one leaves it to be done,
// so that the progress stays where the search stopped.
void finishStart(int evaluations, StartContext& c);

inline constexpr int kRoundStarts = 16;  // starts between two looks at what they found

// Starts 0 … starts−1 in rounds of kRoundStarts on every core: `run(k, slot)` runs start k
// into the round's slot (0 … 15) of its own, then `take(k, slot)` looks at the answers in the
// order of k once the round has ended, empties the slot and says whether the search is done
// (a slot whose start did not run, stopped, stays empty). Whether it goes on after a round depends on the rounds' answers
// alone, never on the number of cores. The rounds not run leave their budget undone. Returns
// how many starts ran.
int runInRounds(int starts, std::int64_t evaluationsPerStart, WorkProgress& progress,
                const std::function<void(int, int)>& run,
                const std::function<bool(int, int)>& take);

}  // namespace gyrenda
