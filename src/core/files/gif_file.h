// The animated GIF: frames of palette indices encoded by giflib into memory, so that the
// whole file goes through the careful save like every other output.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/palette.h"

namespace gyrenda {

// The file's one colour table, the same in every file: the canvas's sixteen colours at their
// own indices, so that a canvas pixel is written as it is, then the 6 × 6 × 6 colour cube and
// 24 greys.
const std::array<Rgb, 256>& gifPalette();

struct GifSettings {
  int width = 0, height = 0;
  int delayCentiseconds = 4;  // how long each frame stays, in the format's hundredths of a second
  bool loopForever = true;    // else the frames play once
};

// Encodes frames one after the other. The first frame is written whole; each later one only
// as the rectangle in which it differs from the frame before, laid over it, so a frame on
// screen is always the whole picture given.
class GifWriter {
 public:
  explicit GifWriter(const GifSettings& settings);
  ~GifWriter();
  GifWriter(const GifWriter&) = delete;
  GifWriter& operator=(const GifWriter&) = delete;

  // Adds a frame of width × height indices, rows `stride` bytes apart. False once the encoder
  // has failed; every later call fails too.
  bool addFrame(const std::uint8_t* pixels, int stride);
  // The whole file, or nothing when the encoder failed or no frame was added.
  std::optional<std::string> finish();

  struct Encoder;

 private:
  bool writeFrame(const std::uint8_t* pixels, int stride, int left, int top, int width, int height);

  GifSettings settings_;
  std::unique_ptr<Encoder> encoder_;
  std::vector<std::uint8_t> previous_;  // the last frame, width × height, no padding
  int frames_ = 0;
};

}  // namespace gyrenda
