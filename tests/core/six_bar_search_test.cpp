// The six-bar raster search: its window rule, stop handling, loci and the poses it finds.
#include <gtest/gtest.h>

#include <cmath>

#include "app/commands.h"
#include "sixbar/six_bar_search.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::HandMadeSixBar;

float distance(WorldPoint a, WorldPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(SixBarSearch, RoundedLastHitShiftsTheNextWindow) {
  // Every candidate painted: the first step is hit at −first and narrows the window to
  // that ± 10, so the next step is hit at −first − 10 − Δ.
  struct Case { float first, next, delta; };
  for (const Case c : {Case{12.5f, 13, 1}, Case{13.5f, 14, 0}, Case{13, 13.5f, 0.5f}}) {
    SCOPED_TRACE(testing::Message() << "hit at " << c.first << ", next step " << c.next);
    HandMadeSixBar w;
    selectSpeed(w.form, 2);
    w.drive(c.first);
    w.drive(c.next);
    w.paintEveryCandidate();
    kaisekiA2(w.form);
    EXPECT_FLOAT_EQ(w.form.scanAngle, -c.first - 10 - c.delta);
  }
}

TEST(SixBarSearch, RunsOnAfterAFourBarStopAt100SkippingStepsWithoutAPoseUntilStopped) {
  for (const float secondStop : {-1.0f, 50.0f, 200.0f}) {  // 200: a step without a pose
    SCOPED_TRACE(testing::Message() << "six-bar stop at " << secondStop);
    test::OpenWindow w;
    Form& f = w.form;
    f.Check3 = 1;
    selectSpeed(f, 2);
    float steps = 0, scanAt100 = 0;
    bool scannedAbove100 = false;
    w.platform.onYield = [&] {
      if (f.fourBarPhase != 0 && f.crankAngle >= 100) Command6_Click(f);
      if (f.fourBarPhase != 0) return;
      ++steps;
      if (f.crankAngle == 100) scanAt100 = f.scanAngle;
      scannedAbove100 |= f.crankAngle > 100 && f.scanAngle != scanAt100;
      if (f.crankAngle == secondStop) Command6_Click(f);
    };
    Command1_Click(f);
    EXPECT_EQ(f.outputX[angleIndex(100)], kNoPose);
    EXPECT_EQ(steps, secondStop < 0 ? 721 : 2 * secondStop + 1);
    EXPECT_EQ(f.stopRequested, 0);
    EXPECT_FALSE(scannedAbove100);
  }
}

TEST(SixBarSearch, PosesLieOnTheSlideLineAndTheLociFollowTheOffsets) {
  // A = P + along·u and R = A + across·u turned left, u the unit link vector from P to S:
  // offsets 0, 0 put both loci on the four-bar output locus, along = link length on the
  // slide line, and the defaults 50 beyond the slider and 30 to its left.
  struct Case { float along, across; };
  for (const Case c : {Case{0, 0}, Case{50, 0}, Case{100, 30}}) {
    SCOPED_TRACE(testing::Message() << "offsets " << c.along << ", " << c.across);
    test::OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, sixOutputOffsetX, std::to_string(c.along));
    test::leaveBox(f, sixOutputOffsetY, std::to_string(c.across));
    f.Check3 = 1;
    test::PenHitLog log;
    w.platform.onYield = [&] { if (f.fourBarPhase == 0) log.observe(f); };
    Command1_Click(f);
    log.observe(f);
    ASSERT_GT(log.hits.size(), 20u);
    const float pixel = f.zoomLevel * 100.0f / Raster::kWidth;
    for (const test::PenHit& h : log.hits) {
      SCOPED_TRACE(testing::Message() << "crank angle " << h.crankAngle);
      const int i = angleIndex(h.crankAngle);
      const WorldPoint p{f.outputX[i], f.outputY[i]}, s = h.probe;
      EXPECT_NEAR(s.y, 55, 1.5f * pixel);  // on the default slide line, level at 55
      EXPECT_NEAR(distance(s, p), 50, 1e-3f);
      const float ux = (s.x - p.x) / 50, uy = (s.y - p.y) / 50;
      EXPECT_NEAR(distance(h.axis, {p.x + c.along * ux, p.y + c.along * uy}), 0, 1e-3f);
      const WorldPoint left{h.axis.x - c.across * uy, h.axis.y + c.across * ux};
      EXPECT_NEAR(distance(h.output, left), 0, 1e-3f);
    }
  }
}

TEST(SixBarSearch, LociOverTheSlideLineHideItFromLaterProbes) {
  // Candidates 30° and 60° painted at two steps with one driving point: the first step
  // takes 30°, and loci through the slider (along 100 = link length) cover that pixel.
  for (const auto& [along, secondHit] : {std::pair{"100", 60.0f}, std::pair{"0", 30.0f}}) {
    SCOPED_TRACE(testing::Message() << "offset along " << along);
    HandMadeSixBar w(along);
    selectSpeed(w.form, 2);
    w.form.Check4 = 0;
    w.drive(0);
    w.drive(0.5f);
    w.paint(30);
    w.paint(60);
    kaisekiA2(w.form);
    EXPECT_EQ(w.form.scanAngle, secondHit);
  }
}

TEST(SixBarSearch, LocusTakesTheColourOfTheCrankQuadrant) {
  struct Case { float crank; Colour colour; };
  for (const Case c : {Case{89.5f, 11}, Case{90, 12}, Case{270, 14}, Case{360, 15}}) {
    SCOPED_TRACE(testing::Message() << "hit at " << c.crank);
    HandMadeSixBar w;  // offsets 0: the first hit draws a dot on the driving point
    w.drive(c.crank);
    w.paintEveryCandidate();
    kaisekiA2(w.form);
    const auto [x, y] = HandMadeSixBar::kDriving;
    const PixelPos p = test::worldPixel(w.form, x, y);
    EXPECT_EQ(w.form.canvas.at(p.x, p.y), c.colour);
  }
}

}  // namespace
}  // namespace gyrenda
