#include "synthesis/search_engine.h"

#include <algorithm>
#include <cmath>

#include "linkage/number_text.h"

namespace gyrenda {
namespace {
constexpr int kChunk = 256;  // evaluations between two reports of progress
}  // namespace

float asTyped(double v) { return readNumber(formatBoxNumber(static_cast<float>(v))); }

bool passKeeps(const ParameterSet& p) {
  const double a = p[crankRadius], c = p[leverRadius], b = p[couplerLength];
  const float lower = static_cast<float>(a - c + b), upper = static_cast<float>(b - a + c);
  return a > 0 && b > 0 && c > 0 && a <= c && lower < p[fixedLinkLength] &&
         upper > p[fixedLinkLength];
}

double StartContext::evaluate(std::span<const double> u) {
  if (progress.stop) {
    if (running) running->force_stop();
    return stoppedValue;
  }
  if (++count - reported >= kChunk) report();
  const double value = objective(u);
  if (value < bestValue) best.assign(u.begin(), u.end()), bestValue = value;
  return value;
}

void StartContext::report() {
  progress.done += count - reported;
  reported = count;
}

std::vector<double> randomPoint(std::size_t dimensions, std::uint64_t seed) {
  std::vector<double> start(dimensions);
  std::uint64_t stream = seed;
  for (double& u : start) u = unitFromBits(stream = splitMix(stream));
  return start;
}

namespace {
double evaluateFor(unsigned n, const double* u, double*, void* data) {
  return static_cast<StartContext*>(data)->evaluate(std::span(u, n));
}
}  // namespace

void runStage(nlopt::algorithm algorithm, std::vector<double> start, int evaluations,
              StartContext& c) {
  const auto n = static_cast<unsigned>(start.size());
  nlopt::opt opt(algorithm, n);
  opt.set_lower_bounds(std::vector<double>(n, 0.0));
  opt.set_upper_bounds(std::vector<double>(n, 1.0));
  opt.set_min_objective(evaluateFor, &c);
  opt.set_maxeval(std::max(evaluations, static_cast<int>(2 * n + 2)));
  opt.set_stopval(1e-20);
  if (algorithm == nlopt::LN_BOBYQA) {
    // From the global stage's best point, a step of a fiftieth of each range; a basin that
    // stops improving by a part in 10⁹ is left, so that the budget goes to other starts.
    opt.set_initial_step(0.02);
    opt.set_xtol_rel(1e-7);
    opt.set_ftol_rel(1e-9);
  }
  c.running = &opt;
  double value = 0;
  try {
    opt.optimize(start, value);
  } catch (const std::exception&) {
    // Stopped, or the polish could make no more progress: the best point seen stands.
  }
  c.running = nullptr;
}

void polishWhileGaining(int evaluations, StartContext& c) {
  const auto n = static_cast<std::int64_t>(c.best.size());
  for (double before = INFINITY; !c.progress.stop && !c.best.empty() &&
                                 c.count + 4 * n < evaluations &&
                                 c.bestValue < before * (1 - 1e-3);) {
    before = c.bestValue;
    runStage(nlopt::LN_BOBYQA, c.best, evaluations - static_cast<int>(c.count), c);
  }
}

void finishStart(int evaluations, StartContext& c) {
  c.report();
  if (!c.progress.stop) c.progress.total -= std::max<std::int64_t>(0, evaluations - c.count);
}

int runInRounds(int starts, std::int64_t evaluationsPerStart, WorkProgress& progress,
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
  if (!progress.stop) progress.total -= static_cast<std::int64_t>(starts - begun) * evaluationsPerStart;
  return begun;
}

}  // namespace gyrenda
