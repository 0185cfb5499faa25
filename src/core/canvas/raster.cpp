#include "canvas/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gyrenda {

Raster::Raster() : pixels_(static_cast<std::size_t>(kStride) * kHeight, kBlack) {}

void Raster::setView(double left, double top, double right, double bottom) {
  left_ = left;
  top_ = top;
  scaleX_ = kWidth / (right - left);
  scaleY_ = kHeight / (bottom - top);
}

CanvasPoint Raster::pixelCentre(PixelPos p) const {
  return {left_ + (p.x + 0.5) / scaleX_, top_ + (p.y + 0.5) / scaleY_};
}

void Raster::clear(Colour colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

void Raster::pset(double x, double y, Colour colour) {
  currentX_ = x;
  currentY_ = y;
  if (const auto p = toPixel(x, y)) setPixel(p->x, p->y, colour);
}

void Raster::line(double x1, double y1, double x2, double y2, Colour colour) {
  currentX_ = x2;
  currentY_ = y2;
  plotLine((x1 - left_) * scaleX_, (y1 - top_) * scaleY_, (x2 - left_) * scaleX_,
           (y2 - top_) * scaleY_, colour);
}

void Raster::lineTo(double x, double y, Colour colour) { line(currentX_, currentY_, x, y, colour); }

namespace {

// Liang-Barsky clipping of the segment to [lo, hi] on both axes, in pixel units. Keeps
// far-away or huge endpoints from ever reaching an integer conversion.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double xlo, double xhi,
                 double ylo, double yhi) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
    return false;
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0.0, t1 = 1.0;
  int k0 = -1, k1 = -1;  // the boundary that clipped each end, if any
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xlo, xhi - x1, y1 - ylo, yhi - y1};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0 && t > t0) { t0 = t; k0 = k; }
    if (p[k] > 0.0 && t < t1) { t1 = t; k1 = k; }
    if (t0 > t1) return false;
  }
  // An end that needed no clipping keeps its exact value. A clipped end is put exactly on
  // its boundary: interpolating from an endpoint far away would lose the crossing to rounding.
  const double ox = x1, oy = y1;
  const double bound[4] = {xlo, xhi, ylo, yhi};
  const auto clipEnd = [&](double t, int k, double& x, double& y) {
    if (k < 0) return;
    x = ox + t * dx;
    y = oy + t * dy;
    (k < 2 ? x : y) = bound[k];
  };
  clipEnd(t0, k0, x1, y1);
  clipEnd(t1, k1, x2, y2);
  return true;
}

}  // namespace

// A 4-connected run of pixels from the pixel of one end to the pixel of the other, both
// included. A dotted line sets every other pixel of the run.
void Raster::plotLine(double fx1, double fy1, double fx2, double fy2, Colour colour) {
  constexpr double kMargin = 2.0;
  if (!clipSegment(fx1, fy1, fx2, fy2, -kMargin, kWidth + kMargin, -kMargin, kHeight + kMargin))
    return;
  int x = static_cast<int>(std::floor(fx1));
  int y = static_cast<int>(std::floor(fy1));
  const int xEnd = static_cast<int>(std::floor(fx2));
  const int yEnd = static_cast<int>(std::floor(fy2));
  const int dx = std::abs(xEnd - x), sx = x < xEnd ? 1 : -1;
  const int dy = -std::abs(yEnd - y), sy = y < yEnd ? 1 : -1;
  int err = dx + dy;
  for (int step = 0;; ++step) {
    if (!dotted_ || step % 2 == 0) setPixel(x, y, colour);
    if (x == xEnd && y == yEnd) break;
    // One axis per step: a 4-connected run, so that a probe stepping across the line
    // cannot slip between two pixels that touch only at a corner.
    if (2 * err - dy > dx - 2 * err) { err += dy; x += sx; }
    else { err += dx; y += sy; }
  }
}

}  // namespace gyrenda
