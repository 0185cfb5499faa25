// Benchmark of the slider synthesis at default settings on every core (wall time), for the
// default four-bar: the requests of the quality table, each reporting the best candidate's
// stroke and time ratio, their relative misses and whether it meets the request. A time ratio
// of 0 asks for the stroke alone.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_support.h"
#include "synthesis/slider_synthesis.h"

namespace {

using namespace gyrenda;

void BM_SliderRequest(benchmark::State& state) {
  SliderOptions options;
  options.stroke = static_cast<double>(state.range(0));
  if (state.range(1) > 0) options.timeRatio = static_cast<double>(state.range(1)) / 10;
  const ParameterSet base = bench::defaultDesign();
  SliderResult result;
  for (auto _ : state) {
    WorkProgress progress;
    result = synthesizeSlider(options, base, progress);
  }
  if (result.candidates.empty()) return;
  const SliderMotion& best = result.candidates.front().motion;
  state.counters["stroke"] = best.stroke;
  state.counters["strokeMissPct"] = 100 * std::abs(best.stroke / options.stroke - 1);
  state.counters["ratio"] = best.timeRatio;
  if (options.timeRatio)
    state.counters["ratioMissPct"] = 100 * std::abs(best.timeRatio / *options.timeRatio - 1);
  state.counters["meets"] = result.candidates.front().meets;
  state.counters["minLinkAngle"] = best.minLinkAngle;
}
// Stroke in mm, time ratio in tenths.
BENCHMARK(BM_SliderRequest)
    ->Args({60, 15})->Args({80, 15})->Args({100, 30})->Args({70, 15})->Args({80, 25})
    ->Args({90, 11})->Args({60, 50})->Args({100, 0})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
