// 全体表示: the view chosen for an extent, and over seeded designs the promise it keeps: after
// it, no exact pose lies on a marker outside the view, or no view could hold the mechanism.
#include <gtest/gtest.h>

#include <random>

#include "canvas/view_fit.h"
#include "kinematics/mechanism_extent.h"
#include "linkage/linkage.h"
#include "report/run_report.h"
#include "session/workbench.h"
#include "test_support.h"

namespace gyrenda {

void PrintTo(const View& v, std::ostream* o) {
  *o << "zoom " << v.zoomLevel << " at (" << v.left << ", " << v.top << ")";
}

namespace {

// World extents (y upwards) and the view that holds each: the closest zoom, two grid cells of
// margin, centred where the pan bars allow; one and then a fifth of a cell where only the
// farthest zoom comes near; else none, and by how much.
TEST(ViewFit, TheClosestZoomThatHoldsTheExtentCentredWithinThePanBars) {
  struct Row {
    Extent world;
    std::optional<View> view;
    double shortfall;
  };
  const Row rows[] = {
      {{0, 100, 0, 60}, View{2, -50, -90}, 0},     // fits 200 × 120 with 20 about it
      {{0, 200, 0, 60}, View{3, -50, -120}, 0},    // 240 wide with the margin: zoom 3
      {{0, 370, 0, 60}, View{4, -15, -150}, 0},    // 410 with two cells, 390 with one
      {{0, 394, 0, 60}, View{4, -3, -150}, 0},     // only with the last margin
      {{650, 690, 0, 10}, View{4, 300, -125}, 0},  // the pan bar at its end
      {{0, 500, 0, 60}, std::nullopt, 104},        // 104 wider than the farthest view
      {{800, 850, 0, 10}, std::nullopt, 152},      // beyond where the pan bars reach
      {{0, 10, -600, -580}, std::nullopt, 62},     // below: the canvas's y runs downwards
      {{0, 399, 0, 60}, std::nullopt, 3},          // holds it only without a margin
  };
  for (const Row& row : rows) {
    const ViewFit fit = fitView(row.world);
    EXPECT_EQ(fit.view, row.view) << row.world.minX << ".." << row.world.maxX;
    EXPECT_DOUBLE_EQ(fit.shortfall, row.shortfall) << row.world.minX << ".." << row.world.maxX;
  }
}

// Designs from small to the size of large synthesis results, with their six-bars. Without a
// single hit, the report counts every exact pose that lies on its marker but outside the view;
// after the fit, none may, unless no view holds the mechanism. Then even the farthest view with
// the smallest margin must fail to hold it.
TEST(ViewFit, AfterTheFitNoExactPoseLiesOnAMarkerOutsideTheView) {
  std::mt19937 random(20261207);
  const auto draw = [&](double lo, double hi) {
    return static_cast<float>(std::uniform_real_distribution<double>(lo, hi)(random));
  };
  int fitted = 0, seenOut = 0;
  for (int n = 0; n < 240; ++n) {
    const double scale = n % 4 == 3 ? 4 : 1;  // every fourth a large one
    const ParameterSet p{draw(5, 40 * scale),    draw(20, 80 * scale), draw(20, 90 * scale),
                         draw(20, 90 * scale),   draw(-60 * scale, 60 * scale), draw(-60 * scale, 60 * scale),
                         draw(30, 90 * scale),   draw(-40, 40),         draw(-40, 40),
                         draw(-100, 300 * scale), draw(-100, 200),      draw(-100, 300 * scale),
                         draw(-100, 200)};
    const Linkage linkage = makeLinkage(p);
    RunResult nothing;
    clearRunTables(nothing);
    nothing.hits.sixBarSearched = true;
    const ExactLinkage exact = makeExactLinkage(p);
    for (int i = 0; i < kAngleSteps; ++i)
      if (auto pose = fourBarPose(exact, i / 2.0, 0))
        std::tie(nothing.outputX[i], nothing.outputY[i]) = std::pair(pose->output.x, pose->output.y);
    const View start{3};
    const RunReport before = makeRunReport(linkage, nothing, start);
    seenOut += before.fourBar.posesOutOfView + before.sixBar->posesOutOfView > 0;
    const Extent world = mechanismExtent(exact, true);
    const ViewFit fit = fitView(world);
    if (fit.view) {
      ++fitted;
      const RunReport after = makeRunReport(linkage, nothing, *fit.view);
      EXPECT_EQ(after.fourBar.posesOutOfView, 0) << n << ": " << testing::PrintToString(*fit.view);
      EXPECT_EQ(after.sixBar->posesOutOfView, 0) << n << ": " << testing::PrintToString(*fit.view);
      EXPECT_TRUE(holds(*fit.view, world)) << n;
    } else {
      EXPECT_GT(fit.shortfall, 0) << n;
      const bool tooLarge = world.width() + 4 > 400 || world.height() + 4 > 240;
      const bool outOfReach = world.minX - 2 < kPanMin || world.maxX + 2 > kPanMax + 400 ||
                              -world.maxY - 2 < kPanMin || -world.minY + 2 > kPanMax + 240;
      EXPECT_TRUE(tooLarge || outOfReach) << n;
    }
  }
  // The sample holds both kinds, and designs the opening view cannot show whole.
  EXPECT_GT(fitted, 150);
  EXPECT_LT(fitted, 240);
  EXPECT_GT(seenOut, 30);
}

// 全体表示 from a view panned off the design tells the window the view changed (that the raster
// then finds every pose: cli_test's --fit). A design that no view holds leaves the view as it
// was and says by how much.
TEST(ViewFit, TheWorkbenchFitsTheViewOrSaysWhyNot) {
  test::OpenWindow w;
  w.bench.panTo(30, -140);
  w.bench.controls().takeChanges();
  ASSERT_TRUE(w.bench.fit().view);
  EXPECT_TRUE(w.bench.controls().changes & ViewChanged);
  const View fitted = w.bench.view();
  w.bench.applyParameters({40, 300, 320, 330, 50, 120, 50, 100, 30, 20, 55, 150, 55});
  ASSERT_EQ(w.bench.linkage()[fixedLinkLength], 330);
  EXPECT_FALSE(w.bench.fit().view);
  EXPECT_EQ(w.bench.view(), fitted);
  ASSERT_FALSE(w.platform.messages.empty());
  const Message& said = w.platform.messages.back();
  EXPECT_EQ(said.id, MessageId::NoViewHolds);
  EXPECT_GT(said.amount, 200);
}

}  // namespace
}  // namespace gyrenda
