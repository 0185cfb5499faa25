// Benchmarks of the walking-leg synthesis: one evaluation of its objective's measurement, and
// a table of requests (stride, lift, stance share) solved at default settings on every core
// (wall time), with what the best candidate reached. Flatness 1 % of the stride, ground
// horizontal, transmission angle 20°.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_support.h"
#include "synthesis/gait_synthesis.h"

namespace {

using namespace gyrenda;

// The exact measurement of one leg's figures (2048 samples, ends and peaks refined).
void BM_MeasureLeg(benchmark::State& state) {
  ParameterSet p = bench::defaultDesign();
  const GaitOptions options;
  for (auto _ : state) benchmark::DoNotOptimize(measureCandidate(p, options, 0));
}
BENCHMARK(BM_MeasureLeg)->Unit(benchmark::kMillisecond);

// Arguments: stride, lift (mm), stance share (percent), free frame (0 or 1). Counters: what
// the best candidate reached and whether it meets the stance and all (stride within 1 %, lift
// within 5 %), and the wall time.
void BM_GaitRequest(benchmark::State& state) {
  GaitOptions o;
  o.stride = static_cast<double>(state.range(0));
  o.lift = static_cast<double>(state.range(1));
  o.stanceShare = static_cast<double>(state.range(2)) / 100;
  o.search.freeFrame = state.range(3) != 0;
  GaitResult r;
  double seconds = 0;
  for (auto _ : state) {
    WorkProgress progress;
    const auto start = std::chrono::steady_clock::now();
    r = synthesizeGait(o, bench::defaultDesign(), progress);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["seconds"] = seconds;
  if (r.candidates.empty()) return;
  const GaitCandidate& c = r.candidates.front();
  state.counters["stride"] = c.figures.stride;
  state.counters["lift"] = c.figures.lift;
  state.counters["stance"] = c.figures.stanceShare;
  state.counters["flatness"] = c.figures.flatness;
  state.counters["speed_ratio"] = c.figures.stanceSpeedRatio;
  state.counters["mu"] = c.minTransmissionAngle;
  state.counters["meets_all"] = c.meetsAll;
}
BENCHMARK(BM_GaitRequest)
    ->Args({60, 12, 50, 0})
    ->Args({40, 10, 50, 0})
    ->Args({80, 15, 50, 0})
    ->Args({60, 20, 40, 0})
    ->Args({60, 12, 60, 0})
    ->Args({100, 25, 45, 0})
    ->Args({60, 12, 50, 1})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
