#include <gtest/gtest.h>

#include <algorithm>

#include "app/commands.h"
#include "canvas/four_bar_drawing.h"
#include "canvas/grid.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;
using test::worldPixel;

// Grey pixels in the pixel column through canvas x, or in the pixel row through canvas y.
int grey(const Raster& r, double at, bool column) {
  const CanvasPoint o = r.pixelCentre({0, 0});
  const PixelPos p = *r.toPixel(column ? at : o.x, column ? o.y : at);
  int n = 0;
  for (int k = 0; k < (column ? Raster::kHeight : Raster::kWidth); ++k)
    n += (column ? r.at(p.x, k) : r.at(k, p.y)) == kGrid;
  return n;
}

// A solid line greys the whole row or column, a dotted one about every other pixel.
void expectGridLine(const Raster& r, int at, bool column) {
  const int n = grey(r, at, column), length = column ? Raster::kHeight : Raster::kWidth;
  if (at % 100 == 0) EXPECT_EQ(n, length) << at;
  else EXPECT_TRUE(n > length * 2 / 5 && n < length * 3 / 5) << at << ": " << n;
}

TEST(Grid, LinesEveryTenUnitsSolidEveryHundredBeforeAndAfterZoomingOut) {
  OpenWindow w;
  Form& f = w.form;
  Command1_Click(f);  // a locus that Masume must wipe
  for (int zoom : {3, 4}) {
    if (zoom == 4) Command4_Click(f);
    Masume(f, f.canvas);
    const Raster& r = f.canvas;
    const int right = -60 + 100 * zoom, bottom = -140 + 60 * zoom;
    EXPECT_EQ(r.toPixel(-60, -140), (PixelPos{0, 0}));  // the top-left corner stays
    EXPECT_FALSE(r.toPixel(right, 0) || r.toPixel(0, bottom)) << zoom;
    SCOPED_TRACE(testing::Message() << "zoom " << zoom);
    for (int x = -60; x < right; x += 10) expectGridLine(r, x, true);
    for (int y = -140; y < bottom; y += 10) expectGridLine(r, y, false);
    // Between the lines only the crossings are grey.
    EXPECT_LE(grey(r, 5, true), 6 * zoom + 1);
    EXPECT_LE(grey(r, -95, false), 10 * zoom + 1);
    EXPECT_EQ(test::countPixels(r, kBlack) + test::countPixels(r, kGrid),
              Raster::kWidth * Raster::kHeight);
  }
}

TEST(Grid, EdgesOffTheTenUnitMeshFloorTowardsMinusInfinity) {
  OpenWindow w;
  w.form.HScroll1 = -65;
  w.form.VScroll1 = -145;
  Masume(w.form, w.form.canvas);
  const Raster& r = w.form.canvas;
  const PixelPos solid = *r.toPixel(100, -100);
  EXPECT_EQ(r.at(0, solid.y), kGrid);  // horizontal lines from x −70
  EXPECT_EQ(r.at(Raster::kWidth - 1, solid.y), kBlack);  // the last line is at 230, not 235
  EXPECT_EQ(r.at(solid.x, 0), kGrid);
  EXPECT_EQ(r.at(solid.x, Raster::kHeight - 1), kBlack);
}

TEST(Grid, ZoomIsClampedAndZoomAndPanRedrawTheWholeView) {
  const struct { int from; void (*command)(Form&); int to; } cases[] = {
      {2, &Command3_Click, 2}, {3, &Command3_Click, 2},  {4, &Command4_Click, 4},
      {3, &Command4_Click, 4}, {3, &HScroll1_Change, 3}, {4, &VScroll1_Change, 4}};
  for (const auto& c : cases) {
    OpenWindow w, fresh;
    w.form.HScroll1 = fresh.form.HScroll1 = -50;
    w.form.VScroll1 = fresh.form.VScroll1 = -90;
    w.form.zoomLevel = static_cast<std::int16_t>(c.from);
    w.form.canvas.clear(5);
    c.command(w.form);
    EXPECT_EQ(w.form.zoomLevel, c.to) << c.from;
    fresh.form.zoomLevel = static_cast<std::int16_t>(c.to);
    BackScreen(fresh.form);
    EXPECT_TRUE(test::samePixels(w.form.canvas, fresh.form.canvas)) << c.from << " " << c.to;
  }
}

TEST(Construction, LeverHalfCircleIsOneRunFromRightOverTheTopToLeft) {
  OpenWindow w;
  Form& f = w.form;
  f.canvas.clear();
  Teko(f);
  const auto run = test::fourConnectedRun(f.canvas, worldPixel(f, 67, 0));
  EXPECT_EQ(static_cast<int>(run.size()), test::countPixels(f.canvas, kFourBarMarker));
  EXPECT_NE(std::find(run.begin(), run.end(), worldPixel(f, -5, 0)), run.end());
  const auto [top, bottom] = std::minmax_element(
      run.begin(), run.end(), [](PixelPos a, PixelPos b) { return a.y < b.y; });
  EXPECT_NEAR(top->y, worldPixel(f, 31, 36).y, 1);
  EXPECT_EQ(bottom->y, worldPixel(f, 31, 0).y);  // nothing below the x axis
}

// Nothing but the pivot mark is drawn after the marker, so no marker pixel is covered.
TEST(Construction, BackScreenKeepsEveryMarkerPixel) {
  OpenWindow w;  // its canvas holds what BackScreen drew
  Form& f = w.form;
  EXPECT_EQ(f.canvas.point(31, 4.5), kGrid);  // the pivot mark
  const int marker = test::countPixels(f.canvas, kFourBarMarker);
  f.canvas.clear();
  Teko(f);
  EXPECT_EQ(test::countPixels(f.canvas, kFourBarMarker), marker);
}

}  // namespace
}  // namespace gyrenda
