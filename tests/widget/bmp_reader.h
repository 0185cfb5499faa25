// A small reader of uncompressed palette BMP files (1, 4 or 8 bits per pixel), independent of
// Qt's image reader, so that a test of the bitmap export does not check Qt against itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gyrenda::test {

struct BmpRgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const BmpRgb&, const BmpRgb&) = default;
};

struct BmpImage {
  int width = 0, height = 0;
  std::vector<BmpRgb> pixels;  // row by row from the top
  BmpRgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Empty when the bytes are not such a BMP (bottom-up rows) or are cut short.
inline std::optional<BmpImage> readBmp(const std::string& b) {
  const auto byte = [&b](std::size_t at) { return static_cast<std::uint8_t>(b[at]); };
  const auto le = [&byte](std::size_t at) -> std::size_t {
    return byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 | std::size_t{byte(at + 3)} << 24;
  };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const int bits = byte(28);
  if ((bits != 1 && bits != 4 && bits != 8) || le(30) != 0) return std::nullopt;
  BmpImage img{static_cast<int>(le(18)), static_cast<int>(le(22)), {}};
  const std::size_t colours = le(46) ? le(46) : std::size_t{1} << bits;
  const std::size_t paletteAt = 14 + le(14), pixelsAt = le(10);
  const std::size_t rowBytes = (static_cast<std::size_t>(img.width) * bits + 31) / 32 * 4;
  if (img.width <= 0 || img.height <= 0 || paletteAt + 4 * colours > b.size() ||
      pixelsAt + rowBytes * img.height > b.size())
    return std::nullopt;
  for (int y = img.height - 1; y >= 0; --y) {
    for (int x = 0; x < img.width; ++x) {
      const int packed = byte(pixelsAt + rowBytes * y + x * bits / 8);  // high bits first
      const std::size_t index = packed >> (8 - bits * (x % (8 / bits) + 1)) & ((1 << bits) - 1);
      if (index >= colours) return std::nullopt;
      const std::size_t p = paletteAt + 4 * index;
      img.pixels.push_back({byte(p + 2), byte(p + 1), byte(p)});
    }
  }
  return img;
}

}  // namespace gyrenda::test
