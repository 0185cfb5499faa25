#include "synthesis/nlopt_start.h"

#include <algorithm>
#include <exception>

#include "numeric/split_mix.h"

namespace gyrenda {

namespace {
constexpr int kChunk = 256;  // evaluations between two reports of progress
}

std::uint64_t splitMix(std::uint64_t x) { return mixBits(x + kSplitMixGamma); }

std::uint64_t startSeed(std::uint64_t seed, std::uint64_t index) {
  return splitMix(seed ^ splitMix(index));
}

std::vector<double> randomStart(std::size_t n, std::uint64_t seed) {
  std::vector<double> start(n);
  std::uint64_t stream = seed;
  for (double& u : start) u = unitFromBits(stream = splitMix(stream));
  return start;
}

void StartBook::report() {
  progress.done += count - reported;
  reported = count;
}

bool StartBook::begin() {
  if (progress.stop) {
    if (running) running->force_stop();
    return false;
  }
  if (++count - reported >= kChunk) report();
  return true;
}

double StartBook::keep(std::span<const double> u, double value) {
  if (value < bestValue) best.assign(u.begin(), u.end()), bestValue = value;
  return value;
}

void StartBook::finish(std::int64_t evaluations) {
  report();
  if (!progress.stop) progress.total -= std::max<std::int64_t>(0, evaluations - count);
}

void runStage(nlopt::algorithm algorithm, std::vector<double> start, int evaluations,
              nlopt::func objective, void* data, StartBook& book, const StageEnds& ends) {
  const auto n = static_cast<unsigned>(start.size());
  nlopt::opt opt(algorithm, n);
  opt.set_lower_bounds(std::vector<double>(n, 0.0));
  opt.set_upper_bounds(std::vector<double>(n, 1.0));
  opt.set_min_objective(objective, data);
  opt.set_maxeval(std::max(evaluations, static_cast<int>(2 * n + 2)));
  opt.set_stopval(ends.stopValue);
  if (algorithm == nlopt::LN_BOBYQA) {
    opt.set_initial_step(ends.polishStep);
    opt.set_xtol_rel(ends.polishXTol);
    if (ends.polishFTol > 0) opt.set_ftol_rel(ends.polishFTol);
  }
  book.running = &opt;
  double value = 0;
  try {
    opt.optimize(start, value);
  } catch (const std::exception&) {
    // Stopped, or the polish could make no more progress: the best point seen stands.
  }
  book.running = nullptr;
}

void polishWhileGaining(int evaluations, nlopt::func objective, void* data, StartBook& book,
                        const StageEnds& ends) {
  const auto n = static_cast<std::int64_t>(book.best.size());
  for (double before = INFINITY; !book.progress.stop && !book.best.empty() &&
                                 book.count + 4 * n < evaluations &&
                                 book.bestValue < before * (1 - 1e-3);) {
    before = book.bestValue;
    runStage(nlopt::LN_BOBYQA, book.best, evaluations - static_cast<int>(book.count), objective,
             data, book, ends);
  }
}

void runInRounds(int starts, std::int64_t evaluationsPerStart, WorkProgress& progress,
                 const std::function<void(int, int)>& run,
                 const std::function<bool(int, int)>& take) {
  int begun = 0;
  bool done = false;
  while (begun < starts && !done && !progress.stop) {
    const int count = std::min(kRoundStarts, starts - begun);
    parallelFor(static_cast<std::size_t>(count), progress,
                [&](std::size_t k) { run(begun + static_cast<int>(k), static_cast<int>(k)); });
    for (int k = 0; k < count; ++k) done = take(begun + k, k) || done;
    begun += count;
  }
  if (!progress.stop)
    progress.total -= static_cast<std::int64_t>(starts - begun) * evaluationsPerStart;
}

}  // namespace gyrenda
