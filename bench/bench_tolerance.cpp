// Benchmark of the tolerance analysis: the default design at the default tolerances, 2 000
// samples over 721 crank angles on all cores, and the sensitivities alone.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "linkage/parameters.h"
#include "tolerance/tolerance_analysis.h"

namespace {

using namespace gyrenda;

constexpr auto defaults = bench::defaultDesign;

void BM_ToleranceAnalysis(benchmark::State& state) {
  const ParameterSet p = defaults();
  ToleranceOptions options;
  options.samples = static_cast<int>(state.range(0));
  for (auto _ : state) {
    WorkProgress progress;
    ToleranceResult result = analyseTolerance(p, options, progress);
    benchmark::DoNotOptimize(result.band.fourBarOutput.data());
  }
}
BENCHMARK(BM_ToleranceAnalysis)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ToleranceSensitivity(benchmark::State& state) {
  const ParameterSet p = defaults();
  for (auto _ : state) {
    auto ranked = toleranceSensitivity(p);
    benchmark::DoNotOptimize(ranked.data());
  }
}
BENCHMARK(BM_ToleranceSensitivity)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
