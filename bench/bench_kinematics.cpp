// Benchmarks of the exact kinematics: every curve of the default design over one crank turn at
// 0.5°, and the figures from them.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "kinematics/design_figures.h"
#include "linkage/parameters.h"

namespace {

using namespace gyrenda;

constexpr auto defaults = bench::defaultDesign;

// From the parameters, as a caller starts: the branches, then 721 poses with their rates.
void BM_KinematicCurves(benchmark::State& state) {
  const ParameterSet p = defaults();
  for (auto _ : state) {
    const KinematicCurves curves = kinematicCurves(makeExactLinkage(p), 60);
    benchmark::DoNotOptimize(curves.samples.data());
  }
}
BENCHMARK(BM_KinematicCurves)->Unit(benchmark::kMicrosecond);

// The figures alone: dead centres and slider ends refined by bisection, extremes and peaks.
void BM_DesignFigures(benchmark::State& state) {
  const ExactLinkage linkage = makeExactLinkage(defaults());
  const KinematicCurves curves = kinematicCurves(linkage, 60);
  for (auto _ : state) {
    DesignFigures figures = designFigures(linkage, curves);
    benchmark::DoNotOptimize(figures);
  }
}
BENCHMARK(BM_DesignFigures)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
