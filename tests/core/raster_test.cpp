#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <queue>
#include <set>
#include <utility>
#include <vector>

#include "canvas/locus.h"
#include "canvas/raster.h"
#include "test_support.h"

namespace gyrenda {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The start-up view at zoom level z: left −60, top −140, 100·z by 60·z units.
void startupView(Raster& r, int z) { r.setView(-60, -140, -60 + 100 * z, -140 + 60 * z); }

std::set<std::pair<int, int>> pixelsOf(const Raster& r, Colour c) {
  std::set<std::pair<int, int>> s;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x)
      if (r.at(x, y) == c) s.insert({x, y});
  return s;
}

// Whether `to` can be reached from `from` through the pixels of `set`, in 4-neighbour steps.
bool fourConnected(const std::set<std::pair<int, int>>& set, std::pair<int, int> from,
                   std::pair<int, int> to, std::size_t* reached = nullptr) {
  if (!set.count(from)) return false;
  std::set<std::pair<int, int>> seen{from};
  std::queue<std::pair<int, int>> queue;
  queue.push(from);
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop();
    for (const auto& n :
         {std::pair{x + 1, y}, std::pair{x - 1, y}, std::pair{x, y + 1}, std::pair{x, y - 1}})
      if (set.count(n) && seen.insert(n).second) queue.push(n);
  }
  if (reached) *reached = seen.size();
  return seen.count(to) > 0;
}

TEST(Raster, WorldPointIsDrawnAtNegatedCanvasYAndReadBackThere) {
  test::OpenWindow w;
  Form& f = w.form;
  f.canvas.clear();
  drawWorldLine(f, {10, 20}, {10, 20}, 13);
  EXPECT_EQ(f.canvas.point(10, -20), Colour{13});
  EXPECT_EQ(test::countPixels(f.canvas, Colour{13}), 1);
  const auto drawn = f.canvas.toPixel(10, -20), axis = f.canvas.toPixel(10, 0);
  ASSERT_TRUE(drawn && axis);
  EXPECT_LT(drawn->y, axis->y);  // above the x axis on screen
  EXPECT_EQ(f.canvas.point(10, 20), Colour{kBlack});
}

TEST(Raster, PointsOutsideTheImageHaveNoColour) {
  Raster r;
  startupView(r, 3);
  r.clear(5);
  for (const auto& [x, y] : {std::pair{-60.0, -140.0}, std::pair{239.9, 39.9}, std::pair{0.0, 0.0}})
    EXPECT_EQ(r.point(x, y), Colour{5}) << x << "," << y;
  for (const auto& [x, y] : {std::pair{-60.01, 0.0}, std::pair{240.0, 0.0}, std::pair{0.0, -140.01},
                             std::pair{0.0, 40.0}, std::pair{kNaN, 0.0}, std::pair{0.0, kNaN},
                             std::pair{kInf, 0.0}, std::pair{0.0, -kInf}, std::pair{1e30, 1e30}})
    EXPECT_FALSE(r.point(x, y).has_value()) << x << "," << y;
  r.pset(1e30, kNaN, 9);  // nothing to set, nothing to break
  EXPECT_EQ(test::countPixels(r, Colour{9}), 0);
}

TEST(Raster, PixelCentreMapsBackToItsPixelAtEveryZoom) {
  for (int z : {2, 3, 4}) {
    Raster r;
    startupView(r, z);
    for (int y = 0; y < Raster::kHeight; ++y)
      for (int x = 0; x < Raster::kWidth; ++x) {
        const CanvasPoint c = r.pixelCentre({x, y});
        const auto back = r.toPixel(c.x, c.y);
        ASSERT_TRUE(back.has_value()) << z << ": " << x << "," << y;
        ASSERT_EQ(*back, (PixelPos{x, y})) << z;
      }
    EXPECT_EQ(r.toPixel(-60, -140), (PixelPos{0, 0}));
    const auto last = r.toPixel(-60 + 100 * z - 1e-6, -140 + 60 * z - 1e-6);
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(*last, (PixelPos{Raster::kWidth - 1, Raster::kHeight - 1}));
    // One pixel is 100·z / 769 units wide.
    const CanvasPoint origin = r.pixelCentre({0, 0});
    EXPECT_NEAR(r.pixelCentre({1, 0}).x - origin.x, 100.0 * z / Raster::kWidth, 1e-9);
    EXPECT_NEAR(r.pixelCentre({0, 1}).y - origin.y, 60.0 * z / Raster::kHeight, 1e-9);
  }
}

TEST(Raster, LinesAreFourConnectedRunsIncludingBothEnds) {
  Raster r;
  startupView(r, 3);
  struct Case {
    double x1, y1, x2, y2;
  };
  const Case cases[] = {
      {0, 0, 100, 0},      {0, 0, 0, -100},    {0, 0, 50, -50},      {0, 0, 50, -13},
      {10, -10, -40, 30},  {3.3, 7.7, 3.4, 7.8}, {-59, -139, 239, 39}, {100, -90, 97, 20},
      {5, 5, 5, 5},        {17.2, -3.1, -8.9, -31.4},
  };
  for (const Case& c : cases) {
    r.clear();
    r.line(c.x1, c.y1, c.x2, c.y2, 10);
    const auto a = r.toPixel(c.x1, c.y1), b = r.toPixel(c.x2, c.y2);
    ASSERT_TRUE(a && b);
    const auto set = pixelsOf(r, 10);
    std::size_t reached = 0;
    EXPECT_TRUE(fourConnected(set, {a->x, a->y}, {b->x, b->y}, &reached))
        << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    EXPECT_EQ(reached, set.size()) << "stray pixels";
    // A 4-connected run between two pixels has exactly one pixel per unit step.
    const int steps = std::abs(a->x - b->x) + std::abs(a->y - b->y);
    EXPECT_EQ(set.size(), static_cast<std::size_t>(steps + 1));
  }
}

TEST(Raster, LineToContinuesFromTheLastPoint) {
  Raster r;
  startupView(r, 3);
  r.pset(0, 0, 10);
  r.lineTo(20, -20, 10);
  r.lineTo(40, 0, 10);
  const auto set = pixelsOf(r, 10);
  const auto a = r.toPixel(0, 0), b = r.toPixel(40, 0);
  EXPECT_TRUE(fourConnected(set, {a->x, a->y}, {b->x, b->y}));
}

TEST(Raster, FarAndNonFiniteEndpointsAreClipped) {
  Raster r;
  startupView(r, 3);
  const int row = r.toPixel(0, 0)->y;
  struct Case {
    double x1, y1, x2, y2;
    int expectedPixels;  // -1: the whole row at canvas y 0
  };
  const Case cases[] = {
      {-1e30, 0, 1e30, 0, -1},   {1e30, 0, -1e30, 0, -1},  {-kInf, 0, kInf, 0, 0},
      {kNaN, 0, 10, 0, 0},       {0, 0, 10, kNaN, 0},      {1e30, 1e30, 2e30, 2e30, 0},
      {-1e30, -1e30, -1e29, 5, 0}, {500, 0, 900, 0, 0},    {-300, 0, 300, 0, -1},
  };
  for (const Case& c : cases) {
    r.clear();
    r.line(c.x1, c.y1, c.x2, c.y2, 12);
    const int n = test::countPixels(r, Colour{12});
    if (c.expectedPixels >= 0) {
      EXPECT_EQ(n, c.expectedPixels) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    } else {
      EXPECT_EQ(n, Raster::kWidth) << c.x1 << " -> " << c.x2;
      for (int x = 0; x < Raster::kWidth; ++x) ASSERT_EQ(r.at(x, row), Colour{12}) << x;
    }
  }
  // A diagonal from far away still crosses the image as a continuous run.
  r.clear();
  r.line(-1e7, -1e7 - 50, 1e7, 1e7 - 50, 12);
  EXPECT_GT(test::countPixels(r, Colour{12}), Raster::kHeight);
}

TEST(Raster, DottedLinesSetEveryOtherPixel) {
  Raster r;
  startupView(r, 3);
  struct Case {
    double x1, y1, x2, y2;
  };
  for (const Case c :
       {Case{0, 0, 100, 0}, Case{0, 0, 0, -100}, Case{100, 0, 0, 0}, Case{0, 0, 60, -40}}) {
    r.clear();
    r.setDotted(true);
    r.line(c.x1, c.y1, c.x2, c.y2, 7);
    r.setDotted(false);
    Raster solid;
    startupView(solid, 3);
    solid.line(c.x1, c.y1, c.x2, c.y2, 7);
    const auto run = pixelsOf(solid, 7);
    const auto dots = pixelsOf(r, 7);
    const auto a = r.toPixel(c.x1, c.y1);
    EXPECT_TRUE(dots.count({a->x, a->y})) << "the first pixel is set";
    EXPECT_EQ(dots.size(), (run.size() + 1) / 2);
    for (const auto& p : dots) EXPECT_TRUE(run.count(p)) << "a dot off the line";
    // No two dots touch along the run.
    for (const auto& [x, y] : dots)
      EXPECT_FALSE(dots.count({x + 1, y}) || dots.count({x, y + 1})) << x << "," << y;
  }
  EXPECT_FALSE(r.dotted());
}

}  // namespace
}  // namespace gyrenda
