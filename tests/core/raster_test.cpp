// The canvas raster and the search's angle arithmetic keep every coordinate in range, however
// far or strange the point.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "canvas/raster.h"
#include "canvas/raster_search.h"

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

TEST(Raster, FarAndNonFiniteEndpointsAreClipped) {
  Raster r = startupView();
  const struct { double x1, y1, x2, y2; int pixels; } cases[] = {
      {-1e30, 0, 1e30, 0, Raster::kWidth}, {1e30, 0, -300, 0, Raster::kWidth},
      {-kInf, 0, kInf, 0, 0},  {kNaN, 0, 10, 0, 0},  {0, 0, 10, kNaN, 0},
      {1e30, 1e30, 2e30, 2e30, 0},  {500, 0, 900, 0, 0},  {-1e30, -1e30, -1e29, 5, 0},
      {-100, -1e30, -100, 1e30, 0}};  // parallel to the left edge, outside it
  for (const auto& c : cases) {
    r.clear();
    r.line(c.x1, c.y1, c.x2, c.y2, 12);
    EXPECT_EQ(std::count(r.data(), r.data() + Raster::kStride * Raster::kHeight, 12), c.pixels)
        << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
  }
}

// However far an optimised search window drifts, a scan angle reads a table entry of one turn.
TEST(RasterSearch, ScanAngleWrapsIntoOneTurn) {
  const struct { float scan; int index; } cases[] = {
      {-1.5f, 717}, {361, 2},     {0, 0},       {360, 720},       {-361, 718},
      {720, 720},   {1000, 560},  {-1000, 160}, {-725.5f, 709},   {1080, 0}};
  for (const auto& c : cases) EXPECT_EQ(scanIndex(c.scan), c.index) << c.scan;
}

}  // namespace
}  // namespace gyrenda
