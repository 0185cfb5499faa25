// One seeded start of a search in unknowns scaled to [0, 1], as the path, slider and walking-leg
// syntheses run it: its random first point, NLopt's stages, and the bookkeeping the stages
// share with the objective (progress in evaluations, a stop heeded at the next evaluation, the
// best point seen); and the starts in rounds over the cores.
#pragma once

#include <nlopt.hpp>

#include <cmath>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "numeric/parallel_for.h"

namespace gyrenda {

// The start's own seeded stream: the next of SplitMix64's draws after `x`.
std::uint64_t splitMix(std::uint64_t x);

// The seed of start `index` of a search seeded with `seed`: a start finds the same answer on
// whichever thread it runs.
std::uint64_t startSeed(std::uint64_t seed, std::uint64_t index);

// `n` unknowns drawn in [0, 1) from the stream seeded with `seed`.
std::vector<double> randomStart(std::size_t n, std::uint64_t seed);

// What a start shares with NLopt's calls of its objective.
struct StartBook {
  explicit StartBook(WorkProgress& work) : progress(work) {}

  WorkProgress& progress;  // in evaluations of the objective
  nlopt::opt* running = nullptr;
  std::int64_t count = 0, reported = 0;
  std::vector<double> best;
  double bestValue = INFINITY;

  // Adds the evaluations not yet reported to the progress.
  void report();
  // At the beginning of an evaluation: false once a stop is asked for (the running stage is
  // told to end), otherwise counts it and reports every 256.
  bool begin();
  // At the end of the evaluation of `u`: keeps it where it is the best so far; returns `value`.
  double keep(std::span<const double> u, double value);
  // When the start has ended, within its budget of `evaluations`: reports the rest, and a start
  // that ended early takes what it left unspent off the work; a stopped one leaves it to be
  // done, so that the progress stays where the search stopped.
  void finish(std::int64_t evaluations);
};

// How a stage ends: at an objective value of `stopValue`; BOBYQA's polish from a first step of
// `polishStep` of each range, until the point moves by less than `polishXTol` of itself or the
// value by less than `polishFTol` of itself (0: not at all).
struct StageEnds {
  double stopValue;
  double polishStep;
  double polishXTol;
  double polishFTol = 0;
};

// One run of `algorithm` from `start` within `evaluations` of `objective` (called with `data`);
// `book` keeps the best point seen, whatever way the run ends.
void runStage(nlopt::algorithm algorithm, std::vector<double> start, int evaluations,
              nlopt::func objective, void* data, StartBook& book, const StageEnds& ends);

// BOBYQA again from the best point while it gains a part in a thousand and the start's
// `evaluations` last (a fresh trust region often moves on where the last one had shrunk in a
// curved valley).
void polishWhileGaining(int evaluations, nlopt::func objective, void* data, StartBook& book,
                        const StageEnds& ends);

inline constexpr int kRoundStarts = 16;  // starts between two looks at what they found

// Starts 0 … starts−1 in rounds of kRoundStarts on every core: `run(k, slot)` runs start k into
// the round's slot (0 … 15) of its own; once the round has ended, `take(k, slot)` looks at the
// answers in the order of k and says whether the search is done. Whether it goes on after a
// round depends on the rounds' answers alone, never on the number of cores; it also ends when
// the starts are spent or it is stopped. The rounds not run leave their budget of
// `evaluationsPerStart` each undone, as a start that ends early does.
void runInRounds(int starts, std::int64_t evaluationsPerStart, WorkProgress& progress,
                 const std::function<void(int, int)>& run,
                 const std::function<bool(int, int)>& take);

}  // namespace gyrenda
