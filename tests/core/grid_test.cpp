#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <queue>
#include <set>
#include <utility>

#include "app/commands.h"
#include "canvas/four_bar_drawing.h"
#include "canvas/grid.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;
using test::worldPixel;

// The pixel column of a canvas x, the pixel row of a canvas y.
int column(const Raster& r, double x) { return r.toPixel(x, r.pixelCentre({0, 0}).y)->x; }
int row(const Raster& r, double y) { return r.toPixel(r.pixelCentre({0, 0}).x, y)->y; }

int greyInColumn(const Raster& r, int x, int fromRow = 0, int toRow = Raster::kHeight - 1) {
  int n = 0;
  for (int y = fromRow; y <= toRow; ++y) n += r.at(x, y) == kGrid;
  return n;
}
int greyInRow(const Raster& r, int y) {
  int n = 0;
  for (int x = 0; x < Raster::kWidth; ++x) n += r.at(x, y) == kGrid;
  return n;
}

bool sameImage(const Raster& a, const Raster& b) {
  const auto size = static_cast<std::size_t>(Raster::kStride) * Raster::kHeight;
  return std::memcmp(a.data(), b.data(), size) == 0;
}

// A form with the given view and only Masume drawn.
struct GridView {
  GridView(int zoom, int h, int v) {
    w.form.zoomLevel = static_cast<std::int16_t>(zoom);
    w.form.HScroll1 = h;
    w.form.VScroll1 = v;
    Masume(w.form, w.form.canvas);
  }
  OpenWindow w;
  const Raster& r() const { return w.form.canvas; }
};

TEST(Grid, StartupViewSpansTheDocumentedWindow) {
  GridView g(3, -60, -140);
  const Raster& r = g.r();
  EXPECT_EQ(r.toPixel(-60, -140), (PixelPos{0, 0}));
  EXPECT_EQ(r.toPixel(239.99, 39.99), (PixelPos{Raster::kWidth - 1, Raster::kHeight - 1}));
  EXPECT_FALSE(r.toPixel(240, 0));
  EXPECT_FALSE(r.toPixel(0, 40));
  // World y −40 … 140 is visible.
  EXPECT_TRUE(r.toPixel(0, -139.9));
  EXPECT_FALSE(r.toPixel(0, -140.1));
}

TEST(Grid, SolidLinesEveryHundredDottedLinesEveryTen) {
  GridView g(3, -60, -140);
  const Raster& r = g.r();
  const int h = Raster::kHeight, wd = Raster::kWidth;
  for (int x = -60; x <= 230; x += 10) {
    const int n = greyInColumn(r, column(r, x));
    if (x % 100 == 0) {
      EXPECT_EQ(n, h) << "solid vertical line at x " << x;
    } else {
      EXPECT_GT(n, h * 2 / 5) << "dotted vertical line at x " << x;
      EXPECT_LT(n, h * 3 / 5) << "dotted vertical line at x " << x;
    }
  }
  for (int y = -140; y <= 30; y += 10) {
    const int n = greyInRow(r, row(r, y));
    if (y % 100 == 0) {
      EXPECT_EQ(n, wd) << "solid horizontal line at canvas y " << y;
    } else {
      EXPECT_GT(n, wd * 2 / 5) << "dotted horizontal line at canvas y " << y;
      EXPECT_LT(n, wd * 3 / 5) << "dotted horizontal line at canvas y " << y;
    }
  }
  // Between the lines only the crossings with horizontal lines are grey.
  for (double x : {-55.0, 5.0, 95.0, 235.0}) {
    const int c = column(r, x);
    for (int y = 0; y < h; ++y) {
      if (r.at(c, y) != kGrid) continue;
      const double canvasY = r.pixelCentre({c, y}).y;
      EXPECT_LT(std::fabs(canvasY - 10.0 * std::round(canvasY / 10.0)), 0.5) << x << " row " << y;
    }
    EXPECT_EQ(r.at(c, row(r, -100)), kGrid);
    EXPECT_EQ(r.at(c, row(r, 0)), kGrid);
  }
  EXPECT_EQ(test::countPixels(r, [](Colour c) { return c != kBlack && c != kGrid; }), 0);
}

TEST(Grid, NegativeMultiplesOfHundredAreSolid) {
  GridView g(3, -150, -300);  // canvas x −150 … 150, y −300 … −120
  const Raster& r = g.r();
  EXPECT_EQ(greyInColumn(r, column(r, -100)), Raster::kHeight);
  EXPECT_EQ(greyInRow(r, row(r, -200)), Raster::kWidth);
  EXPECT_LT(greyInColumn(r, column(r, -50)), Raster::kHeight * 3 / 5);
  EXPECT_LT(greyInRow(r, row(r, -250)), Raster::kWidth * 3 / 5);
  EXPECT_LT(greyInColumn(r, column(r, 50)), Raster::kHeight * 3 / 5);
}

TEST(Grid, EdgesOffTheTenUnitMeshFloorTowardsMinusInfinity) {
  // H = −65: lines from x −70 (off the image), so a horizontal line starts at the left
  // edge; the last vertical line is 230, leaving the right edge up to 235 without one.
  GridView g(3, -65, -145);
  const Raster& r = g.r();
  const int solidRow = row(r, -100);
  EXPECT_EQ(r.at(0, solidRow), kGrid);
  EXPECT_EQ(r.at(Raster::kWidth - 1, solidRow), kBlack);
  EXPECT_EQ(r.at(column(r, 230), solidRow), kGrid);
  EXPECT_EQ(r.at(column(r, 232), solidRow), kBlack);
  // V = −145: vertical lines from canvas y −150 down to 30 only.
  const int solidColumn = column(r, 100);
  EXPECT_EQ(r.at(solidColumn, 0), kGrid);
  EXPECT_EQ(r.at(solidColumn, row(r, 30)), kGrid);
  EXPECT_EQ(r.at(solidColumn, Raster::kHeight - 1), kBlack);
  EXPECT_GT(greyInColumn(r, column(r, -60)), Raster::kHeight / 3);  // first visible line
}

TEST(Grid, ZoomOutKeepsTheTopLeftCorner) {
  OpenWindow w;
  Command4_Click(w.form);
  const Raster& r = w.form.canvas;
  EXPECT_EQ(w.form.zoomLevel, 4);
  EXPECT_EQ(r.toPixel(-60, -140), (PixelPos{0, 0}));
  EXPECT_EQ(r.toPixel(339.99, 99.99), (PixelPos{Raster::kWidth - 1, Raster::kHeight - 1}));
  EXPECT_FALSE(r.toPixel(340, 0));
  EXPECT_FALSE(r.toPixel(0, 100));
  EXPECT_EQ(greyInColumn(r, column(r, 300)), Raster::kHeight);  // solid, newly in view

  Command3_Click(w.form);
  Command3_Click(w.form);
  EXPECT_EQ(w.form.zoomLevel, 2);
  EXPECT_EQ(r.toPixel(-60, -140), (PixelPos{0, 0}));
  EXPECT_FALSE(r.toPixel(140, 0));
}

TEST(Grid, ZoomCommandsClampAndAlwaysRedraw) {
  struct Case {
    int from;
    void (*command)(Form&);
    int to;
  };
  for (const Case c : {Case{2, &Command3_Click, 2}, Case{3, &Command3_Click, 2},
                       Case{4, &Command3_Click, 3}, Case{4, &Command4_Click, 4},
                       Case{3, &Command4_Click, 4}, Case{2, &Command4_Click, 3}}) {
    OpenWindow w;
    Form& f = w.form;
    f.zoomLevel = static_cast<std::int16_t>(c.from);
    f.canvas.pset(0, -60, 5);  // something the redraw must remove
    c.command(f);
    EXPECT_EQ(f.zoomLevel, c.to) << c.from;
    EXPECT_EQ(test::countPixels(f.canvas, Colour{5}), 0) << c.from;
    EXPECT_GT(test::countPixels(f.canvas, kFourBarMarker), 0) << c.from;
  }
}

TEST(Grid, PanChangeRedrawsAndRemovesTheLocus) {
  struct Case {
    int h, v;
    void (*handler)(Form&);
  };
  for (const Case c : {Case{-50, -140, &HScroll1_Change}, Case{-60, -90, &VScroll1_Change}}) {
    OpenWindow w;
    Form& f = w.form;
    const int dotsAndNothingElse = test::countPixels(f.canvas, test::isQuadrantColour);
    Command1_Click(f);
    ASSERT_GT(test::countPixels(f.canvas, test::isQuadrantColour), dotsAndNothingElse + 100);
    f.HScroll1 = c.h;
    f.VScroll1 = c.v;
    c.handler(f);

    OpenWindow fresh;
    fresh.form.HScroll1 = c.h;
    fresh.form.VScroll1 = c.v;
    BackScreen(fresh.form);
    EXPECT_TRUE(sameImage(f.canvas, fresh.form.canvas)) << c.h << "," << c.v;
  }
}

TEST(Grid, MasumeLeavesOnlyBackgroundAxesAndGrid) {
  OpenWindow w;
  Command1_Click(w.form);
  Masume(w.form, w.form.canvas);
  GridView clean(3, -60, -140);
  EXPECT_TRUE(sameImage(w.form.canvas, clean.r()));
}

// --- The construction drawn by BackScreen -------------------------------------------------

using PixelSet = std::set<std::pair<int, int>>;

PixelSet pixelsOf(const Raster& r, Colour c) {
  PixelSet s;
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x)
      if (r.at(x, y) == c) s.insert({x, y});
  return s;
}

// The pixels of `set` reachable from `from` through neighbours that share an edge or a corner.
PixelSet reachable(const PixelSet& set, std::pair<int, int> from) {
  PixelSet seen;
  if (!set.count(from)) return seen;
  seen.insert(from);
  std::queue<std::pair<int, int>> queue;
  queue.push(from);
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop();
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const std::pair n{x + dx, y + dy};
        if (set.count(n) && seen.insert(n).second) queue.push(n);
      }
  }
  return seen;
}

TEST(Construction, CrankDotsOnePerDegreeInQuadrantColours) {
  OpenWindow w;
  Form& f = w.form;
  f.canvas.clear();
  // Ten pixels per unit, so that the dots one degree apart (0.31 units) never share a pixel.
  f.canvas.setView(-38.45, -22.45, 38.45, 22.45);
  Kuranku(f);
  EXPECT_EQ(test::countPixels(f.canvas, [](Colour c) { return c != kBlack; }), 360);
  struct Case {
    float degrees;
    Colour colour;
  };
  for (const Case c : {Case{0, 15}, Case{1, 11}, Case{89, 11}, Case{90, 12}, Case{179, 12},
                       Case{180, 13}, Case{269, 13}, Case{270, 14}, Case{359, 14}}) {
    const double r = c.degrees * 3.14159265358979 / 180.0;
    EXPECT_EQ(f.canvas.point(18 * std::cos(r), -18 * std::sin(r)), c.colour) << c.degrees;
  }
}

TEST(Construction, LeverHalfCircleIsOneRunFromRightOverTheTopToLeft) {
  for (int zoom : {2, 3, 4}) {
    OpenWindow w;
    Form& f = w.form;
    f.zoomLevel = static_cast<std::int16_t>(zoom);
    f.VScroll1 = zoom == 2 ? -100 : -140;  // keep the x axis in view
    Masume(f, f.canvas);
    f.canvas.clear();
    Teko(f);
    const PixelSet marker = pixelsOf(f.canvas, kFourBarMarker);
    const PixelPos start = worldPixel(f, 67, 0), end = worldPixel(f, -5, 0);
    const PixelSet run = reachable(marker, {start.x, start.y});
    EXPECT_TRUE(run.count({end.x, end.y})) << zoom;
    EXPECT_EQ(run.size(), marker.size()) << "one run, nothing else, zoom " << zoom;
    int top = Raster::kHeight, bottom = 0;
    for (const auto& p : marker) {
      top = std::min(top, p.second);
      bottom = std::max(bottom, p.second);
    }
    EXPECT_NEAR(top, worldPixel(f, 31, 36).y, 1) << zoom;
    EXPECT_EQ(bottom, worldPixel(f, 31, 0).y) << "nothing below the x axis, zoom " << zoom;
  }
}

TEST(Construction, BackScreenDrawsTheMarkerLastButForThePivotMark) {
  OpenWindow w;
  Form& f = w.form;
  const PixelSet full = pixelsOf(f.canvas, kFourBarMarker);
  f.canvas.clear();
  Teko(f);
  EXPECT_EQ(full, pixelsOf(f.canvas, kFourBarMarker));
  // The pivot mark: a vertical stroke through (31, 0), five units either way.
  BackScreen(f);
  for (float y : {-4.5f, 0.0f, 4.5f}) EXPECT_EQ(f.canvas.point(31, y), kGrid) << y;
  EXPECT_EQ(f.canvas.point(67, 0), kFourBarMarker);
  EXPECT_FALSE(f.busyPointer);
}

}  // namespace
}  // namespace gyrenda
