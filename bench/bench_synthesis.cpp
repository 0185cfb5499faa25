// Benchmarks of the path synthesis: one evaluation of the objective, and whole searches with
// the default budget on every core (wall time): 5 targets in a fixed frame, 8 in a free one.
#include <benchmark/benchmark.h>

#include <numbers>
#include <string>

#include "bench_support.h"
#include "kinematics/exact_linkage.h"
#include "synthesis/path_objective.h"
#include "synthesis/path_synthesis.h"

namespace {

using namespace gyrenda;

constexpr auto defaults = bench::defaultDesign;

// Points of a crank-rocker's exact path, turned by `turn` degrees for a free frame.
std::vector<Vec2> targets(int count, double turn) {
  ParameterSet p = defaults();
  const float design[] = {20, 50, 45, 55, 30, 20};
  std::copy(std::begin(design), std::end(design), p.begin());
  const ExactLinkage exact = makeExactLinkage(p);
  const double c = std::cos(turn * std::numbers::pi / 180), s = std::sin(turn * std::numbers::pi / 180);
  std::vector<Vec2> points;
  for (int i = 0; i < count; ++i) {
    const Vec2 q = fourBarPose(exact, 360.0 * i / count + 11, 0)->output;
    points.push_back({c * q.x - s * q.y + 40, s * q.x + c * q.y - 25});
  }
  return points;
}

// The path at 64 crank angles and each of 6 targets' nearest point refined.
void BM_Objective(benchmark::State& state) {
  const PathObjective objective(targets(6, 0), 30, false, false, 2000);
  SynthesisDesign x{21, 48, 47, 56, 31, 19, 0, 0, 0};
  for (auto _ : state) {
    x[uOutputAlong] += 1e-9;
    benchmark::DoNotOptimize(objective(x));
  }
}
BENCHMARK(BM_Objective)->Unit(benchmark::kMicrosecond);

void BM_Synthesis(benchmark::State& state) {
  SynthesisOptions options;
  options.freeFrame = state.range(0) != 0;
  options.targets = targets(options.freeFrame ? 8 : 5, options.freeFrame ? 30 : 0);
  double best = 0;
  for (auto _ : state) {
    WorkProgress progress;
    const SynthesisResult r = synthesizePath(options, defaults(), progress);
    best = r.candidates.empty() ? -1 : r.candidates.front().maxDistance;
    state.counters["evaluations"] = static_cast<double>(progress.done);
  }
  state.counters["maxDistance"] = best;
}
// 0: 5 targets, fixed frame; 1: 8 targets, free frame.
BENCHMARK(BM_Synthesis)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
