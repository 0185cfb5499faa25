// The animated GIF read back with giflib: its frames, size, delay and loop, and each frame's
// pixels against the window's own canvas of an analysis with the animation's pose drawn on it.
#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_run.h"
#include "core/test_support.h"
#include "files/gif_file.h"
#include "session/animation_gif.h"
#include "sixbar/animation.h"

namespace gyrenda {
namespace {

// A GIF as giflib reads it back: the screen, every frame laid over the one before (as their
// disposal says), each frame's delay and whether it repeats forever.
struct ReadBack {
  int width = 0, height = 0;
  std::vector<std::vector<std::uint8_t>> frames;  // whole pictures, width × height
  std::vector<int> delays;
  std::vector<int> disposals;
  bool loops = false;
  std::vector<Rgb> colours;
};

// Whether a frame's extensions hold the application block that repeats the file forever.
bool isLoopExtension(const SavedImage& image) {
  const auto text = [](const ExtensionBlock& b) {
    return std::string_view(reinterpret_cast<const char*>(b.Bytes), static_cast<std::size_t>(b.ByteCount));
  };
  for (int k = 0; k + 1 < image.ExtensionBlockCount; ++k)
    if (image.ExtensionBlocks[k].Function == APPLICATION_EXT_FUNC_CODE &&
        text(image.ExtensionBlocks[k]) == "NETSCAPE2.0" &&
        text(image.ExtensionBlocks[k + 1]) == std::string_view("\1\0\0", 3))
      return true;
  return false;
}

ReadBack readGif(const std::string& bytes) {
  std::string_view source = bytes;  // what is left to read
  int error = 0;
  GifFileType* file = DGifOpen(&source, [](GifFileType* f, GifByteType* into, int count) {
    auto* left = static_cast<std::string_view*>(f->UserData);
    const std::size_t n = left->copy(reinterpret_cast<char*>(into), static_cast<std::size_t>(count));
    left->remove_prefix(n);
    return static_cast<int>(n);
  }, &error);
  ReadBack r;
  if (!file) return r;
  if (DGifSlurp(file) == GIF_OK && file->SColorMap) {
    r.width = file->SWidth;
    r.height = file->SHeight;
    for (int c = 0; c < file->SColorMap->ColorCount; ++c) {
      const GifColorType& g = file->SColorMap->Colors[c];
      r.colours.push_back({g.Red, g.Green, g.Blue});
    }
    std::vector<std::uint8_t> screen(static_cast<std::size_t>(r.width) * r.height, 0);
    for (int k = 0; k < file->ImageCount; ++k) {
      const SavedImage& image = file->SavedImages[k];
      const GifImageDesc& d = image.ImageDesc;
      for (int y = 0; y < d.Height; ++y)
        std::memcpy(&screen[static_cast<std::size_t>(d.Top + y) * r.width + d.Left],
                    image.RasterBits + static_cast<std::ptrdiff_t>(y) * d.Width,
                    static_cast<std::size_t>(d.Width));
      r.frames.push_back(screen);
      GraphicsControlBlock control{};
      DGifSavedExtensionToGCB(file, k, &control);
      r.delays.push_back(control.DelayTime);
      r.disposals.push_back(control.DisposalMode);
      if (k == 0) r.loops = isLoopExtension(image);
    }
  }
  DGifCloseFile(file, &error);
  return r;
}

// The default design with its four-bar and six-bar link moved by a seeded amount, viewed as
// the window opens, at a speed of the seed's choosing.
void enterSeededDesign(test::OpenWindow& w, unsigned seed) {
  std::mt19937 gen(seed);
  const auto u = [&](double lo, double hi) { return std::uniform_real_distribution(lo, hi)(gen); };
  const std::pair<int, double> typed[] = {
      {crankRadius, u(12, 20)}, {leverRadius, u(32, 40)}, {couplerLength, u(32, 40)},
      {fixedLinkLength, u(28, 34)}, {outputOffsetX, u(40, 80)}, {outputOffsetY, u(-10, 10)},
      {sixLinkLength, u(40, 60)}};
  for (auto [k, v] : typed) test::leaveBox(w.bench, k, std::to_string(v));
  w.bench.selectSpeed(static_cast<int>(seed % 3));
  w.bench.controls().analyseSixBar = seed % 2;
}

AnimationGif gifOf(const Workbench& bench, AnimationGifOptions options) {
  WorkProgress progress;
  const AnimationGif gif = makeAnimationGif(bench.linkage(), bench.view(), options, progress);
  EXPECT_EQ(progress.done.load(), progress.total.load());
  return gif;
}

// Frame count, size, delay and loop as asked, and the file's palette the canvas's at its
// own indices.
TEST(AnimationGif, ReadsBackWithTheFramesSizeDelayAndLoopAsked) {
  test::OpenWindow w;
  const struct {
    double step;
    int delay;
    bool half, loop;
    int frames, width, height, delayRead;
  } rows[] = {{5, 0, false, true, 72, 769, 449, 4},    {7.5, 10, true, false, 48, 384, 224, 10},
              {7, 0, false, true, 52, 769, 449, 6},    {180, 0, true, true, 2, 384, 224, 150},
              {0.5, 3, false, false, 720, 769, 449, 3}, {360.0 / 7, 0, false, true, 0, 0, 0, 0}};
  for (const auto& row : rows) {
    AnimationGifOptions options = w.bench.animationGifOptions();
    std::tie(options.crankStep, options.delayCentiseconds, options.halfSize, options.loopForever) =
        std::tuple(row.step, row.delay, row.half, row.loop);
    const AnimationGif gif = gifOf(w.bench, options);
    ASSERT_EQ(gif.bytes.has_value(), row.frames > 0) << row.step;
    if (!gif.bytes) continue;
    const ReadBack r = readGif(*gif.bytes);
    EXPECT_EQ(std::tuple(r.frames.size(), r.width, r.height, r.loops),
              std::tuple(std::size_t(row.frames), row.width, row.height, row.loop)) << row.step;
    EXPECT_EQ(r.delays, std::vector<int>(r.frames.size(), row.delayRead)) << row.step;
    EXPECT_EQ(r.disposals, std::vector<int>(r.frames.size(), DISPOSE_DO_NOT)) << row.step;
    ASSERT_EQ(r.colours.size(), 256u);
    for (std::size_t c = 0; c < kPalette.size(); ++c)
      EXPECT_EQ(std::tuple(r.colours[c].r, r.colours[c].g, r.colours[c].b),
                std::tuple(kPalette[c].r, kPalette[c].g, kPalette[c].b)) << c;
  }
}

// Frame k is the window's canvas after 実行 with the animation's pose at crank angle k·step
// drawn over it from the frame tables that アニメ searches, whatever the design, the speed
// and the six-bar box; at half size each pixel is a colour of its 2 × 2 block, black only
// where the whole block is.
TEST(AnimationGif, EachFrameIsTheAnalysedCanvasWithThePoseAtItsCrankAngle) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    test::OpenWindow w;
    enterSeededDesign(w, seed);
    w.bench.execute();
    const Raster analysed = w.bench.canvas();
    w.bench.computeFrames();
    const RunResult frames = w.bench.result();
    AnimationGifOptions options = w.bench.animationGifOptions();
    options.crankStep = 7.5 + seed;
    options.halfSize = seed == 3;
    const ReadBack r = readGif(*gifOf(w.bench, options).bytes);
    ASSERT_EQ(r.frames.size(), static_cast<std::size_t>(gifFrameCount(options.crankStep)));
    int changed = 0;
    for (std::size_t k = 0; k < r.frames.size(); ++k) {
      Raster expected = analysed;
      drawFrame(w.bench.linkage(), frames, static_cast<int>(k) * (15 + 2 * static_cast<int>(seed)), expected);
      changed += !test::samePixels(expected, analysed);
      for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x) {
          const std::uint8_t got = r.frames[k][static_cast<std::size_t>(y) * r.width + x];
          if (!options.halfSize) {
            ASSERT_EQ(got, expected.at(x, y)) << "seed " << seed << " frame " << k << " at " << x << ',' << y;
            continue;
          }
          const Colour block[] = {expected.at(2 * x, 2 * y), expected.at(2 * x + 1, 2 * y),
                                  expected.at(2 * x, 2 * y + 1), expected.at(2 * x + 1, 2 * y + 1)};
          const bool allBlack = std::ranges::count(block, kBlack) == 4;
          ASSERT_TRUE(std::ranges::count(block, got) > 0 && (got == kBlack) == allBlack)
              << "seed " << seed << " frame " << k << " at " << x << ',' << y;
        }
    }
    EXPECT_GT(changed, static_cast<int>(r.frames.size()) / 2) << seed;  // the linkage is drawn
  }
}

// A pose stays on screen until the next is drawn, lap after lap: a frame at an angle without
// a pose of its own shows the last one before it, round the turn.
TEST(AnimationGif, AFrameShowsThePoseTheAnimationLastDrew) {
  const struct {
    std::vector<int> poses;
    int at;
    std::optional<int> shown;
  } rows[] = {{{5, 10}, 7, 5},    {{5, 10}, 10, 10}, {{5, 10}, 3, 10}, {{5, 10}, 720, 10},
              {{720}, 0, 720},    {{0}, 720, 0},     {{}, 100, std::nullopt}};
  for (const auto& row : rows)
    EXPECT_EQ(shownPoseIndex(row.at, [&](int j) { return std::ranges::count(row.poses, j) > 0; }),
              row.shown)
        << row.at;
}

// 停止 before the first frame leaves no file; the encoder refuses a picture it cannot hold.
TEST(AnimationGif, StopAndImpossibleSizesGiveNoFile) {
  test::OpenWindow w;
  WorkProgress progress;
  progress.stop = true;
  const AnimationGif stopped =
      makeAnimationGif(w.bench.linkage(), w.bench.view(), w.bench.animationGifOptions(), progress);
  EXPECT_TRUE(stopped.stopped && !stopped.bytes);
  const std::uint8_t pixel = 0;
  for (const auto& [width, height, frames] :
       {std::tuple(0, 1, 1), std::tuple(1, -1, 1), std::tuple(70000, 1, 1), std::tuple(1, 1, 0)}) {
    GifWriter writer({width, height, 4, true});
    for (int k = 0; k < frames; ++k) writer.addFrame(&pixel, 1);
    EXPECT_FALSE(writer.finish()) << width << 'x' << height;
  }
  GifWriter one({1, 1, 4, true});
  EXPECT_TRUE(one.addFrame(&pixel, 1) && one.finish());
}

// gyrenda-cli --gif: its options read back from the file, the file the same on standard
// output, a value it cannot take refused before anything runs (status 2). A file it cannot write
// is reported as every output's is: the outputs share one writer and its tests.
TEST(AnimationGifCli, OptionsReadBackAndFailuresAreReported) {
  const test::TempFolder folder;
  const std::string file = folder.file("turn.gif");
  const auto [status, written, err] = test::runProgram(
      {"--six", "--gif", file, "--gif-step", "10", "--gif-delay", "125", "--gif-half", "--gif-once"});
  ASSERT_EQ(std::tuple(status, written, err), std::tuple(0, "", ""));
  const ReadBack r = readGif(test::readFile(file));
  EXPECT_EQ(std::tuple(r.frames.size(), r.width, r.height, r.loops),
            std::tuple(std::size_t(36), kHalfWidth, kHalfHeight, false));
  EXPECT_EQ(r.delays, std::vector<int>(36, 13));
  // The six-bar moves only with --six; the default is 72 frames at full size, looping.
  const auto [plain, plainGif, none] = test::runProgram({"--gif", "-"});
  const ReadBack d = readGif(plainGif);
  EXPECT_EQ(std::tuple(plain, d.frames.size(), d.width, d.height, d.loops, d.delays.at(0)),
            std::tuple(0, std::size_t(72), 769, 449, true, 4));
  EXPECT_NE(std::get<1>(test::runProgram({"--six", "--gif", "-"})), plainGif);
  for (const test::Args& refused : std::vector<test::Args>{
           {"--gif", file, "--gif-step", "0.3"}, {"--gif", file, "--gif-step", "0.75"},
           {"--gif", file, "--gif-step", "181"}, {"--gif", file, "--gif-delay", "10"},
           {"--gif", file, "--gif-delay", "x"}, {"--gif-half"}, {"--gyr", "-", "--gif-step", "5"}})
    EXPECT_EQ(std::get<0>(test::runProgram(refused)), 2) << refused.back();
}

}  // namespace
}  // namespace gyrenda
