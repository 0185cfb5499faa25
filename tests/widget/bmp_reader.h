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
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::vector<BmpRgb> palette;
  std::vector<BmpRgb> pixels;  // row by row from the top

  BmpRgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

namespace bmp_detail {

inline std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
  return v;
}

// The palette index of pixel x in a row that starts at byte `row`, high bits first.
inline int paletteIndex(const std::string& b, std::size_t row, int x, int bits) {
  const int perByte = 8 / bits;
  const auto byte = static_cast<std::uint8_t>(b[row + static_cast<std::size_t>(x / perByte)]);
  const int shift = 8 - bits * (x % perByte + 1);
  return byte >> shift & ((1 << bits) - 1);
}

}  // namespace bmp_detail

// Empty when the bytes are not a BMP of the kinds above or are cut short.
inline std::optional<BmpImage> readBmp(const std::string& b) {
  using bmp_detail::le;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::size_t pixelOffset = le(b, 10, 4);
  const std::size_t headerSize = le(b, 14, 4);
  BmpImage img;
  img.width = static_cast<std::int32_t>(le(b, 18, 4));
  const auto signedHeight = static_cast<std::int32_t>(le(b, 22, 4));
  const bool topDown = signedHeight < 0;
  img.height = topDown ? -signedHeight : signedHeight;
  img.bitsPerPixel = static_cast<int>(le(b, 28, 2));
  const auto compression = le(b, 30, 4);
  if (headerSize < 40 || le(b, 26, 2) != 1 || compression != 0 || img.width <= 0)
    return std::nullopt;
  if (img.bitsPerPixel != 1 && img.bitsPerPixel != 4 && img.bitsPerPixel != 8) return std::nullopt;

  std::size_t colours = le(b, 46, 4);
  if (colours == 0) colours = std::size_t{1} << img.bitsPerPixel;
  const std::size_t paletteAt = 14 + headerSize;
  if (paletteAt + 4 * colours > b.size()) return std::nullopt;
  for (std::size_t i = 0; i < colours; ++i) {
    const std::size_t p = paletteAt + 4 * i;
    img.palette.push_back({static_cast<std::uint8_t>(b[p + 2]), static_cast<std::uint8_t>(b[p + 1]),
                           static_cast<std::uint8_t>(b[p])});
  }

  const std::size_t rowBits = static_cast<std::size_t>(img.width) * img.bitsPerPixel;
  const std::size_t rowBytes = (rowBits + 31) / 32 * 4;
  if (pixelOffset + rowBytes * img.height > b.size()) return std::nullopt;
  img.pixels.reserve(static_cast<std::size_t>(img.width) * img.height);
  for (int y = 0; y < img.height; ++y) {
    const int stored = topDown ? y : img.height - 1 - y;
    const std::size_t row = pixelOffset + rowBytes * static_cast<std::size_t>(stored);
    for (int x = 0; x < img.width; ++x) {
      const int index = bmp_detail::paletteIndex(b, row, x, img.bitsPerPixel);
      if (static_cast<std::size_t>(index) >= img.palette.size()) return std::nullopt;
      img.pixels.push_back(img.palette[static_cast<std::size_t>(index)]);
    }
  }
  return img;
}

}  // namespace gyrenda::test
