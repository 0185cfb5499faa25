#include "session/animation_gif.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "canvas/construction.h"
#include "files/gif_file.h"
#include "sixbar/animation.h"

namespace gyrenda {
namespace {

// A run driven to its end without events, as the headless program drives one.
void runToEnd(RunKind kind, RunSettings settings, const Linkage& linkage, float speedStep,
              Raster& canvas, RunResult& result) {
  settings.kind = kind;
  clearRunTables(result);
  Run run(settings, linkage, canvas, result);
  while (run.advance(Interruption::None, speedStep, {})) {
  }
}

int halfDegrees(double degrees) { return static_cast<int>(std::lround(degrees * 2.0)); }

}  // namespace

bool validGifCrankStep(double degrees) {
  return std::isfinite(degrees) && degrees >= 0.5 && degrees <= 180.0 &&
         halfDegrees(degrees) == degrees * 2.0;
}

int gifFrameCount(double crankStep) {
  const int step = halfDegrees(crankStep);
  return step > 0 ? (720 + step - 1) / step : 0;
}

int defaultGifDelay(int frames) {
  if (frames <= 0) return 2;
  return std::max(2, static_cast<int>(std::lround(kGifTurnSeconds * 100.0 / frames)));
}

TurnPictures::TurnPictures(const Linkage& linkage, const View& view, const RunSettings& settings,
                           float speedStep)
    : linkage_(linkage) {
  drawConstruction(linkage_, view, background_);
  RunResult analysis;
  runToEnd(RunKind::Analysis, settings, linkage_, speedStep, background_, analysis);
  // The frame searches read the construction alone, as the animation's do: a path drawn over
  // a marker would hide it from them.
  Raster construction;
  drawConstruction(linkage_, view, construction);
  runToEnd(RunKind::Frames, settings, linkage_, speedStep, construction, frames_);
}

void TurnPictures::draw(int index, Raster& canvas) const {
  canvas = background_;
  drawFrame(linkage_, frames_, index, canvas);
}

std::vector<std::uint8_t> halfSizePixels(const Raster& canvas) {
  std::vector<std::uint8_t> half(static_cast<std::size_t>(kHalfWidth) * kHalfHeight);
  for (int y = 0; y < kHalfHeight; ++y)
    for (int x = 0; x < kHalfWidth; ++x) {
      const std::array<Colour, 4> block{canvas.at(2 * x, 2 * y), canvas.at(2 * x + 1, 2 * y),
                                        canvas.at(2 * x, 2 * y + 1),
                                        canvas.at(2 * x + 1, 2 * y + 1)};
      Colour best = kBlack;
      long most = 0;
      if ((block[0] | block[1] | block[2] | block[3]) == kBlack) continue;
      for (const Colour c : block) {
        const long count = std::ranges::count(block, c);
        if (c != kBlack && count > most) best = c, most = count;
      }
      half[static_cast<std::size_t>(y) * kHalfWidth + x] = best;
    }
  return half;
}

AnimationGif makeAnimationGif(const Linkage& linkage, const View& view,
                              const AnimationGifOptions& options, WorkProgress& progress) {
  if (!validGifCrankStep(options.crankStep)) return {};
  const int frames = gifFrameCount(options.crankStep);
  const int step = halfDegrees(options.crankStep);
  progress.total = frames + 1;
  progress.done = 0;
  const TurnPictures pictures(linkage, view, options.run, options.speedStep);
  ++progress.done;
  GifWriter writer({options.halfSize ? kHalfWidth : Raster::kWidth,
                    options.halfSize ? kHalfHeight : Raster::kHeight,
                    options.delayCentiseconds > 0 ? options.delayCentiseconds
                                                  : defaultGifDelay(frames),
                    options.loopForever});
  Raster canvas;
  for (int k = 0; k < frames; ++k) {
    if (progress.stop) return {std::nullopt, true};
    pictures.draw(k * step, canvas);
    const bool added = options.halfSize
                           ? writer.addFrame(halfSizePixels(canvas).data(), kHalfWidth)
                           : writer.addFrame(canvas.data(), Raster::kStride);
    if (!added) return {};
    ++progress.done;
  }
  return {writer.finish(), false};
}

}  // namespace gyrenda
