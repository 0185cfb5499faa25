// The canvas raster: one off-screen image of palette indices, the view mapping from canvas
// user coordinates to pixels, and the drawing and read-back operations built on it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/palette.h"
#include "numeric/point2.h"

namespace gyrenda {

// A pixel by its column and row, and a point of the canvas's user coordinates.
using PixelPos = Point2<int>;
using CanvasPoint = Point2<double>;

class Raster {
 public:
  // The canvas control's 11535 × 6735 twips at 15 twips per pixel.
  static constexpr int kWidth = 769;
  static constexpr int kHeight = 449;
  // Rows start on 4-byte boundaries so that an image library can use the buffer as it is.
  static constexpr int kStride = (kWidth + 3) / 4 * 4;

  Raster();

  // The user coordinate system: canvas point (left, top) is the top-left corner of pixel
  // (0, 0), (right, bottom) the bottom-right corner of the last pixel.
  void setView(double left, double top, double right, double bottom);

  // The one mapping from canvas coordinates to a pixel, used by drawing and by read-back.
  // Empty for a point outside the image or a coordinate that is not finite.
  std::optional<PixelPos> toPixel(double x, double y) const {
    const double fx = (x - left_) * scaleX_;
    const double fy = (y - top_) * scaleY_;
    // The comparisons are false for NaN, so a coordinate that is not finite never maps.
    if (!(fx >= 0.0 && fx < kWidth && fy >= 0.0 && fy < kHeight)) return std::nullopt;
    return PixelPos{static_cast<int>(fx), static_cast<int>(fy)};
  }
  // The canvas point at the centre of a pixel; toPixel of it gives the pixel back.
  CanvasPoint pixelCentre(PixelPos p) const;

  void clear(Colour colour = kBlack);
  void setDotted(bool dotted) { dotted_ = dotted; }
  bool dotted() const { return dotted_; }

  // Sets one pixel and makes the point the current drawing position.
  void pset(double x, double y, Colour colour);
  // Draws a line from one point to another, both ends included; the end becomes the
  // current drawing position.
  void line(double x1, double y1, double x2, double y2, Colour colour);
  // Draws a line from the current drawing position.
  void lineTo(double x, double y, Colour colour);

  // The colour under a canvas point; empty outside the image.
  std::optional<Colour> point(double x, double y) const {
    const auto p = toPixel(x, y);
    if (!p) return std::nullopt;
    return pixels_[static_cast<std::size_t>(p->y) * kStride + static_cast<std::size_t>(p->x)];
  }

  Colour at(int px, int py) const { return pixels_[static_cast<std::size_t>(py) * kStride + px]; }
  const std::uint8_t* data() const { return pixels_.data(); }

 private:
  void setPixel(int px, int py, Colour colour) {
    if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) return;
    pixels_[static_cast<std::size_t>(py) * kStride + static_cast<std::size_t>(px)] = colour;
  }
  void plotLine(double fx1, double fy1, double fx2, double fy2, Colour colour);

  std::vector<std::uint8_t> pixels_;
  double left_ = 0, top_ = 0;
  double scaleX_ = 1, scaleY_ = 1;  // pixels per canvas unit
  double currentX_ = 0, currentY_ = 0;
  bool dotted_ = false;
};

}  // namespace gyrenda
