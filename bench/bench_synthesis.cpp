// Benchmarks of the path synthesis: one evaluation of the objective, and the success table:
// seeded problems whose targets lie on the exact path of an admissible crank-rocker inside the
// default bounds, solved at default settings on every core (wall time). A problem is solved
// when the best candidate lies within 0.05 of every target.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numbers>
#include <string>

#include "bench_support.h"
#include "kinematics/exact_linkage.h"
#include "numeric/split_mix.h"
#include "synthesis/compact_fit.h"
#include "synthesis/path_objective.h"
#include "synthesis/path_synthesis.h"

namespace {

using namespace gyrenda;

constexpr auto defaults = bench::defaultDesign;

// A seeded stream of draws in [0, 1).
struct Draws {
  std::uint64_t state;
  double operator()() { return unitFromBits(mixBits(state += kSplitMixGamma)); }
};

// An admissible crank-rocker inside the default bounds (μ within 32° … 148°, a little inside
// the default least angle), as the boxes hold it.
ParameterSet randomDesign(Draws& draw) {
  for (;;) {
    SynthesisDesign x{};
    for (int k = 0; k < 4; ++k) x[k] = 1 + 199 * draw();
    x[uOutputAlong] = -200 + 400 * draw(), x[uOutputAcross] = -200 + 400 * draw();
    if (constraintViolation(x, 32) > 0) continue;
    ParameterSet p = defaults();
    for (int k = 0; k < 6; ++k) p[k] = static_cast<float>(std::round(x[k] * 100) / 100);
    return p;
  }
}

// `count` points of a design's exact path at crank angles spread around the turn (each within
// its own share of it), with a free frame turned and shifted at random; their crank angles
// after the first's into `timing`, where asked. `compact`: the design fits one view, within the
// margin the search keeps from the view's edges so that the values as typed still fit, and lies
// within the bounds scaled to its targets, as the default search's candidates do (drawn again
// until it does).
std::vector<Vec2> problem(std::uint64_t seed, int count, bool freeFrame,
                          std::vector<double>* timing = nullptr, bool compact = false) {
  Draws draw{mixBits(seed * 7919 + static_cast<std::uint64_t>(count))};
  for (;;) {
    const ParameterSet design = randomDesign(draw);
    const ExactLinkage exact = makeExactLinkage(design);
    const double turn = freeFrame ? 2 * std::numbers::pi * draw() : 0;
    const Vec2 shift = freeFrame ? Vec2{-100 + 200 * draw(), -100 + 200 * draw()} : Vec2{};
    const double c = std::cos(turn), s = std::sin(turn);
    std::vector<Vec2> points;
    std::vector<double> angles;
    double first = 0;
    for (int i = 0; i < count; ++i) {
      const double angle = 360.0 * (i + 0.2 + 0.6 * draw()) / count;
      if (i == 0) first = angle;
      angles.push_back(angle - first);
      const Vec2 q = fourBarPose(exact, angle, 0)->output;
      points.push_back(Vec2{c * q.x - s * q.y, s * q.x + c * q.y} + shift);
    }
    bool within = true;
    if (compact) {
      const auto bounds = scaledBounds(points, freeFrame, true);
      SynthesisDesign x{};
      std::copy_n(design.begin(), 6, x.begin());
      within = checkExtent(design).fitsView &&
               extentViolation(designExtent(x, pathGrid(x)), true, 0) == 0;
      for (int k = 0; k < 6; ++k) within = within && design[k] >= bounds[k].low && design[k] <= bounds[k].high;
    }
    if (!within) continue;
    if (timing) *timing = angles;
    return points;
  }
}

// The path at 64 crank angles and each target's nearest point refined; with timing (second
// argument 1) each target's point at its crank angle, the phase fitted. Argument: targets.
void BM_Objective(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  std::vector<double> timing;
  for (int i = 0; state.range(1) != 0 && i < count; ++i) timing.push_back(2 * std::numbers::pi * i / count);
  const PathObjective objective(problem(1, count, false), 30, false, false, 2000, false, timing);
  SynthesisDesign x{21, 48, 47, 56, 31, 19, 0, 0, 0};
  for (auto _ : state) {
    x[uOutputAlong] += 1e-9;
    benchmark::DoNotOptimize(objective(x));
  }
}
BENCHMARK(BM_Objective)->ArgsProduct({{6, 12, 50, 200}, {0, 1}})->Unit(benchmark::kMicrosecond);

// What measuring a candidate's raster poses costs: one analysis at the slowest speed in the view
// that fits it, of the line's best candidate (argument 0, at zoom 3) and its ellipse's
// (1, at zoom 4).
void BM_RasterCount(benchmark::State& state) {
  ParameterSet p = defaults();
  const std::array<float, 6> designs[] = {{13.4f, 60.2f, 15.6f, 60.8f, -11.4f, -7.0f},
                                          {6.9f, 43.7f, 97.9f, 120, -91.1f, 96.4f}};
  std::ranges::copy(designs[state.range(0)], p.begin());
  const View view = checkExtent(p).view;
  for (auto _ : state) benchmark::DoNotOptimize(countRasterPoses(p, view));
}
BENCHMARK(BM_RasterCount)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Arguments: free frame (0 or 1), targets, problems, 1 for the targets' crank angles
// prescribed (timing), and compact: 0 for the settings before the compact default (no view
// limit, bounds 1 … 200, ranked by the distance alone) on the problems they were measured on,
// 1 for the defaults the program now gives (one view, bounds scaled to the targets, the
// raster's whole first) on compact problems. Counters: the share solved, the median and worst
// wall time of one problem, the worst best candidate's largest distance.
void BM_SuccessTable(benchmark::State& state) {
  const bool freeFrame = state.range(0) != 0;
  const int count = static_cast<int>(state.range(1)), problems = static_cast<int>(state.range(2));
  const bool timed = state.range(3) != 0, compact = state.range(4) != 0;
  std::vector<double> seconds;
  int solved = 0;
  double worstDistance = 0;
  for (auto _ : state) {
    for (int k = 1; k <= problems; ++k) {
      SynthesisOptions options;
      options.freeFrame = freeFrame;
      options.targets = problem(static_cast<std::uint64_t>(k), count, freeFrame,
                                timed ? &options.timing : nullptr, compact);
      options.fitView = options.rasterFirst = compact;
      if (compact) {
        const auto b = scaledBounds(options.targets, freeFrame);
        options.crank = b[0], options.lever = b[1], options.coupler = b[2], options.fixedLink = b[3];
        options.outputAlong = b[4], options.outputAcross = b[5];
      }
      WorkProgress progress;
      const auto start = std::chrono::steady_clock::now();
      const SynthesisResult r = synthesizePath(options, defaults(), progress);
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      const double best = r.candidates.empty() ? INFINITY : r.candidates.front().maxDistance;
      solved += best <= 0.05;
      worstDistance = std::max(worstDistance, best);
    }
  }
  std::ranges::sort(seconds);
  state.counters["solved"] = static_cast<double>(solved) / problems;
  state.counters["median_s"] = seconds[seconds.size() / 2];
  state.counters["worst_s"] = seconds.back();
  state.counters["worst_distance"] = worstDistance;
}
// Traced curves of 50 and 200 points take longer a problem: fewer problems a row.
BENCHMARK(BM_SuccessTable)
    ->ArgsProduct({{0, 1}, {5, 8, 12}, {40}, {0}, {0, 1}})
    ->ArgsProduct({{0, 1}, {50, 200}, {10}, {0}, {0}})
    ->ArgsProduct({{0, 1}, {5, 12}, {20}, {1}, {0}})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
