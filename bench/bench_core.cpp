// Benchmarks of the core on its own raster: the redraw, the searches and a playback step.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "canvas/construction.h"
#include "canvas/four_bar_search.h"
#include "files/drawing.h"
#include "session/workbench.h"
#include "sixbar/animation.h"
#include "sixbar/six_bar_search.h"

namespace {

using namespace gyrenda;

// The window once open: defaults validated, as the first focus change of a session does.
void prepare(Workbench& bench) {
  bench.start();
  bench.leaveBox(0);
}

// The crank step after a hit at かめ and いぬ.
const float kKame = speedStepOf(2), kInu = speedStepOf(1);

void BM_DrawConstruction(benchmark::State& state) {
  Workbench bench;
  prepare(bench);
  Raster canvas;
  for (auto _ : state) {
    drawConstruction(bench.linkage(), bench.view(), canvas);
    benchmark::DoNotOptimize(canvas.data());
  }
}
BENCHMARK(BM_DrawConstruction)->Unit(benchmark::kMicrosecond);

// One analysis as 実行 runs it: redraw, search, slide line, six-bar search when ticked, report.
void BM_FourBarDefault(benchmark::State& state) {
  Workbench bench;
  prepare(bench);
  for (auto _ : state) bench.execute();
}
BENCHMARK(BM_FourBarDefault)->Unit(benchmark::kMicrosecond);

void BM_FourAndSixBarDefault(benchmark::State& state) {
  Workbench bench;
  prepare(bench);
  bench.controls().analyseSixBar = 1;
  for (auto _ : state) bench.execute();
}
BENCHMARK(BM_FourAndSixBarDefault)->Unit(benchmark::kMicrosecond);

// The four-bar search's worst case: without optimisation at かめ, and with the lever
// half-circle panned out of view, no candidate ever hits, so the window widens at every crank
// step: 721 + 4Δ probes at Δ degrees past the last hit, the most an unoptimised search makes.
struct WorstCase {
  WorstCase() {
    prepare(bench);
    drawConstruction(bench.linkage(), View{bench.view().zoomLevel, 300, 300}, canvas);
  }
  Workbench bench;
  Raster canvas;
};

void BM_FourBarWorstCase(benchmark::State& state) {
  WorstCase w;
  RunResult result;
  clearRunTables(result);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        searchToEnd(fourBarSearch(w.bench.linkage(), w.canvas, false, result), kKame));
  if (std::ranges::any_of(result.outputX, [](float x) { return x != kNoPose; }))
    state.SkipWithError("a candidate hit: this is not the worst case");
}
BENCHMARK(BM_FourBarWorstCase)->Unit(benchmark::kMicrosecond);

// The floor of the worst case: the same probes, in the same order, read with nothing else
// around them. The search's time over this one is what its own bookkeeping costs.
void BM_FourBarWorstCaseFloor(benchmark::State& state) {
  WorstCase w;
  const AngleTables& t = w.bench.linkage().tables;
  long reads = 0;
  for (auto _ : state) {
    int hits = 0;
    reads = 0;
    for (int i = 0; i < kAngleSteps; ++i) {  // crank step i, Δ = i / 2 degrees
      const float px = t.crankTipX[i], py = t.crankTipY[i];
      // Scan angles −Δ … 360 + Δ in half degrees, wrapped into the tables' one turn.
      for (int half = -i; half <= 720 + i; ++half) {
        const int j = half < 0 ? half + 720 : half > 720 ? half - 720 : half;
        hits += w.canvas.point(px + t.couplerX[j], -(py + t.couplerY[j])) == kFourBarMarker;
      }
      reads += 721 + 2 * i;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.counters["reads"] = static_cast<double>(reads);
}
BENCHMARK(BM_FourBarWorstCaseFloor)->Unit(benchmark::kMicrosecond);

// What every analysis adds at its end (the report) and what an SVG or DXF export builds
// first (the drawing), after a six-bar analysis at かめ: every crank step holds a pose.
const Workbench& analysedAtKame() {
  static Workbench bench;
  [[maybe_unused]] static const bool analysed = [] {
    prepare(bench);
    bench.controls().analyseSixBar = 1;
    bench.selectSpeed(2);
    bench.execute();
    return true;
  }();
  return bench;
}

void BM_RunReport(benchmark::State& state) {
  const Workbench& bench = analysedAtKame();
  for (auto _ : state) benchmark::DoNotOptimize(makeRunReport(bench.linkage(), bench.result(), bench.view()));
}
BENCHMARK(BM_RunReport)->Unit(benchmark::kMicrosecond);

void BM_BuildDrawing(benchmark::State& state) {
  const Workbench& bench = analysedAtKame();
  for (auto _ : state)
    benchmark::DoNotOptimize(buildDrawing(bench.linkage(), bench.view(), bench.result()));
}
BENCHMARK(BM_BuildDrawing)->Unit(benchmark::kMicrosecond);

// Six-bar search alone without optimisation at かめ, driven by a complete four-bar path.
void BM_SixBarWorstCase(benchmark::State& state) {
  Workbench bench;
  prepare(bench);
  const Linkage& linkage = bench.linkage();
  Raster canvas;
  RunResult result;
  drawConstruction(linkage, bench.view(), canvas);
  clearRunTables(result);
  searchToEnd(fourBarSearch(linkage, canvas, true, result), kKame);
  for (auto _ : state) {
    state.PauseTiming();
    drawConstruction(linkage, bench.view(), canvas);
    state.ResumeTiming();
    searchToEnd(sixBarSearch(linkage, canvas, false, result), kKame);
  }
}
BENCHMARK(BM_SixBarWorstCase)->Unit(benchmark::kMicrosecond);

// Two playback steps of the four-bar and six-bar frames: the first draws a pose, the second
// draws the next and erases the one before (the pause is a no-op here).
void BM_PlaybackStep(benchmark::State& state) {
  Workbench bench;
  prepare(bench);
  bench.controls().analyseSixBar = 1;
  bench.computeFrames();
  Raster canvas = bench.canvas();
  const Playback::Pause noPause = [](std::chrono::microseconds) {};
  for (auto _ : state) {
    Playback playback(bench.linkage(), bench.result(), canvas, Direction::Forwards);
    playback.step(kInu, noPause);
    playback.step(kInu, noPause);
  }
}
BENCHMARK(BM_PlaybackStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
