// Benchmark of the animated GIF: one crank turn of the default design with its six-bar, 72
// frames at the canvas's size, from the parameters to the whole file, as ファイル › アニメーション
// を保存 and gyrenda-cli --six --gif make it. The searches before the frames are measured apart.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "session/animation_gif.h"
#include "session/control_state.h"

namespace {

using namespace gyrenda;

AnimationGifOptions windowOptions(bool halfSize) {
  AnimationGifOptions options;
  options.run.sixBar = true;
  options.speedStep = speedStepOf(1);  // いぬ, as the window opens
  options.halfSize = halfSize;
  return options;
}

void BM_AnimationGif(benchmark::State& state) {
  const Linkage linkage = makeLinkage(bench::defaultDesign());
  const View view{3, -60, -140};
  const AnimationGifOptions options = windowOptions(state.range(0) != 0);
  std::size_t bytes = 0;
  for (auto _ : state) {
    WorkProgress progress;
    const AnimationGif gif = makeAnimationGif(linkage, view, options, progress);
    bytes = gif.bytes ? gif.bytes->size() : 0;
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_AnimationGif)->Arg(0)->Arg(1)->ArgName("half")->Unit(benchmark::kMillisecond);

// The analysis and the frame searches alone, which every frame then draws from.
void BM_TurnPictures(benchmark::State& state) {
  const Linkage linkage = makeLinkage(bench::defaultDesign());
  const AnimationGifOptions options = windowOptions(false);
  for (auto _ : state) {
    TurnPictures pictures(linkage, {3, -60, -140}, options.run, options.speedStep);
    benchmark::DoNotOptimize(pictures.frames().leverTipX.data());
  }
}
BENCHMARK(BM_TurnPictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
