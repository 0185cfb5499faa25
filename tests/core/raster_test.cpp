#include <gtest/gtest.h>

#include <limits>

#include "canvas/raster.h"
#include "test_support.h"

namespace gyrenda {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The start-up view: left −60, top −140, 300 by 180 units.
Raster startupView() {
  Raster r;
  r.setView(-60, -140, 240, 40);
  return r;
}

TEST(Raster, WorldPointIsDrawnAtNegatedCanvasYAndReadBackThere) {
  test::OpenWindow w;
  Form& f = w.form;
  f.canvas.clear();
  drawWorldLine(f, {10, 20}, {10, 20}, 13);
  EXPECT_EQ(f.canvas.point(10, -20), Colour{13});
  EXPECT_EQ(test::countPixels(f.canvas, 13), 1);
  EXPECT_LT(f.canvas.toPixel(10, -20)->y, f.canvas.toPixel(10, 0)->y);  // above the axis
  for (const auto& [x, y] : {std::pair{-60.01, 0.0}, std::pair{240.0, 0.0}, std::pair{0.0, 40.0},
                             std::pair{kNaN, 0.0}, std::pair{0.0, -kInf}, std::pair{1e30, 1e30}})
    EXPECT_FALSE(f.canvas.point(x, y).has_value()) << x << "," << y;
}

TEST(Raster, FarAndNonFiniteEndpointsAreClipped) {
  Raster r = startupView();
  const struct { double x1, y1, x2, y2; int pixels; } cases[] = {
      {-1e30, 0, 1e30, 0, Raster::kWidth}, {1e30, 0, -300, 0, Raster::kWidth},
      {-kInf, 0, kInf, 0, 0},  {kNaN, 0, 10, 0, 0},  {0, 0, 10, kNaN, 0},
      {1e30, 1e30, 2e30, 2e30, 0},  {500, 0, 900, 0, 0},  {-1e30, -1e30, -1e29, 5, 0}};
  for (const auto& c : cases) {
    r.clear();
    r.line(c.x1, c.y1, c.x2, c.y2, 12);
    EXPECT_EQ(test::countPixels(r, 12), c.pixels)
        << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
  }
}

}  // namespace
}  // namespace gyrenda
