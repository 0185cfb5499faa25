// Benchmarks of the core on its own raster: the redraw, the searches and a playback step.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/commands.h"
#include "app/run_report.h"
#include "app/startup.h"
#include "app/validation.h"
#include "canvas/four_bar_search.h"
#include "canvas/grid.h"
#include "canvas/locus.h"
#include "canvas/raster_search.h"
#include "files/drawing.h"
#include "sixbar/animation.h"
#include "sixbar/six_bar_search.h"
#include "sixbar/slide.h"

namespace {

using namespace gyrenda;

void prepare(Form& f) {
  Form_Load(f);
  parameter_LostFocus(f, 0);
}

// Counts the pixel reads of a search by counting the yields and candidates it makes.
class CountingPlatform : public Platform {
 public:
  void processEvents() override { ++steps; }
  long steps = 0;
};

void BM_BackScreen(benchmark::State& state) {
  Form f;
  prepare(f);
  for (auto _ : state) {
    BackScreen(f);
    benchmark::DoNotOptimize(f.canvas.data());
  }
}
BENCHMARK(BM_BackScreen)->Unit(benchmark::kMicrosecond);

// One analysis as Execute runs it (redraw, reset, search, slide line, six-bar search).
void runAnalysis(Form& f) {
  BackScreen(f);
  mXmYcls(f);
  KaisekiA(f);
  Teko2(f);
  if (ticked(f.Check3)) kaisekiA2(f);
}

void BM_FourBarDefault(benchmark::State& state) {
  Form f;
  prepare(f);
  for (auto _ : state) runAnalysis(f);
}
BENCHMARK(BM_FourBarDefault)->Unit(benchmark::kMicrosecond);

// The marker is out of view, so no candidate ever hits and the window widens at every
// crank step: the most pixel reads an unoptimised search at "かめ" can make.
void setUpWorstCase(Form& f) {
  prepare(f);
  f.Check2 = 0;
  f.Check4 = 0;
  selectSpeed(f, 2);
  f.HScroll1 = 300;
  f.VScroll1 = 300;
}

void BM_FourBarWorstCase(benchmark::State& state) {
  Form f;
  setUpWorstCase(f);
  for (auto _ : state) runAnalysis(f);
}
BENCHMARK(BM_FourBarWorstCase)->Unit(benchmark::kMicrosecond);

// The floor of the worst case: the same number of pixel reads with nothing else around them.
void BM_FourBarWorstCaseFloor(benchmark::State& state) {
  Form f;
  setUpWorstCase(f);
  BackScreen(f);
  long reads = 0;
  for (int step = 0; step <= 720; ++step) reads += 721 + 2 * step;  // 721 + 4Δ with Δ = step / 2
  for (auto _ : state) {
    int hits = 0;
    int j = 0;
    for (long n = 0; n < reads; ++n) {
      if (f.canvas.point(f.crankTipX[0] + f.couplerX[j], -(f.crankTipY[0] + f.couplerY[j])) ==
          kFourBarMarker)
        ++hits;
      j = j == 720 ? 0 : j + 1;
    }
    benchmark::DoNotOptimize(hits);
  }
  state.counters["reads"] = static_cast<double>(reads);
}
BENCHMARK(BM_FourBarWorstCaseFloor)->Unit(benchmark::kMicrosecond);

void BM_FourAndSixBarDefault(benchmark::State& state) {
  Form f;
  prepare(f);
  f.Check3 = 1;
  for (auto _ : state) runAnalysis(f);
}
BENCHMARK(BM_FourAndSixBarDefault)->Unit(benchmark::kMicrosecond);

// What every analysis adds at its end (the report) and what an SVG or DXF export builds
// first (the drawing), after a six-bar analysis at "かめ": every crank step holds a pose.
Form& analysedAtKame() {
  static Form f;
  prepare(f);
  f.Check3 = 1;
  selectSpeed(f, 2);
  runAnalysis(f);
  return f;
}

void BM_RunReport(benchmark::State& state) {
  const Form& f = analysedAtKame();
  for (auto _ : state) benchmark::DoNotOptimize(makeRunReport(f));
}
BENCHMARK(BM_RunReport)->Unit(benchmark::kMicrosecond);

void BM_BuildDrawing(benchmark::State& state) {
  const Form& f = analysedAtKame();
  for (auto _ : state) benchmark::DoNotOptimize(buildDrawing(f));
}
BENCHMARK(BM_BuildDrawing)->Unit(benchmark::kMicrosecond);

// Six-bar search alone without optimisation at "かめ", driven by a complete four-bar path.
void BM_SixBarWorstCase(benchmark::State& state) {
  Form f;
  prepare(f);
  selectSpeed(f, 2);
  f.Check4 = 0;
  BackScreen(f);
  mXmYcls(f);
  KaisekiA(f);
  for (auto _ : state) {
    state.PauseTiming();
    BackScreen(f);
    state.ResumeTiming();
    kaisekiA2(f);
  }
}
BENCHMARK(BM_SixBarWorstCase)->Unit(benchmark::kMicrosecond);

// The player stops itself after one step: draw a pose, pause (no-op here), erase the one before.
class OneStepPlatform : public Platform {
 public:
  explicit OneStepPlatform(Form*& form) : form_(form) {}
  void processEvents() override {
    if (++calls_ > 2) form_->stopRequested = -1;
  }
  void reset() { calls_ = 0; }

 private:
  Form*& form_;
  int calls_ = 0;
};

void BM_PlaybackStep(benchmark::State& state) {
  Form* self = nullptr;
  OneStepPlatform platform(self);
  Form f(&platform);
  self = &f;
  prepare(f);
  f.Check3 = 1;
  BackScreen(f);
  mXmYcls(f);
  Anime4_Kaiseki(f);
  Anime6_Kaiseki(f);
  for (auto _ : state) {
    platform.reset();
    Anime_Anime(f, 0);  // two steps: the first draws, the second draws and erases
  }
}
BENCHMARK(BM_PlaybackStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
