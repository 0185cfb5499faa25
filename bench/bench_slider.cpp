// Benchmark of the slider synthesis at default settings on every core (wall time), for the
// default four-bar: the requests of the quality table, each reporting the best candidate's
// stroke and time ratio, their relative misses and whether it meets the request. A time ratio
// of 0 asks for the stroke alone; a third argument of 0 lifts the one view, and the best
// candidate then reports whether it still fits one (fitsView).
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
  options.fitView = state.range(2) != 0;
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
  if (!options.fitView) state.counters["fitsView"] = result.candidates.front().fitsView;
}
// Stroke in mm, time ratio in tenths, 1 within one view.
BENCHMARK(BM_SliderRequest)
    ->Args({60, 15, 1})->Args({80, 15, 1})->Args({100, 30, 1})->Args({70, 15, 1})->Args({80, 25, 1})
    ->Args({90, 11, 1})->Args({60, 50, 1})->Args({100, 0, 1})
    ->Args({60, 15, 0})->Args({80, 15, 0})->Args({100, 30, 0})->Args({80, 12, 0})->Args({90, 15, 0})
    ->Args({100, 20, 0})->Args({120, 0, 0})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
