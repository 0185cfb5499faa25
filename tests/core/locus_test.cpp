#include <gtest/gtest.h>

#include <cmath>

#include "canvas/locus.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::leaveBox;
using test::OpenWindow;

// Puts the search's state at a hit: crank angle `crank`, lever tip = crank tip + coupler
// at coupler angle `coupler`.
void poseAt(Form& f, float crank, float coupler) {
  f.crankAngle = crank;
  const int i = angleIndex(crank), j = angleIndex(coupler);
  f.probeX = f.crankTipX[i] + f.couplerX[j];
  f.probeY = f.crankTipY[i] + f.couplerY[j];
}

WorldPoint crankTip(const Form& f, float crank) {
  const int i = angleIndex(crank);
  return {f.crankTipX[i], f.crankTipY[i]};
}

TEST(Locus, DefaultOutputPointIsTwiceTheCouplerFromTheCrankTip) {
  OpenWindow w;
  Form& f = w.form;
  for (const auto& [crank, coupler] : {std::pair{0.0f, 70.0f}, std::pair{90.0f, 10.0f},
                                       std::pair{200.5f, 355.5f}, std::pair{360.0f, 180.0f}}) {
    poseAt(f, crank, coupler);
    Kiseki(f);
    const WorldPoint c = crankTip(f, crank);
    const int i = angleIndex(crank);
    EXPECT_NEAR(f.outputX[i], c.x + 2 * (f.probeX - c.x), 1e-4) << crank;
    EXPECT_NEAR(f.outputY[i], c.y + 2 * (f.probeY - c.y), 1e-4) << crank;
    // Axis point and output point coincide: the pen holds the same point twice.
    EXPECT_EQ(f.prevAxisX, f.prevOutX);
    EXPECT_EQ(f.prevAxisY, f.prevOutY);
  }
}

TEST(Locus, OffsetsPlaceTheOutputPointInTheCouplerFrame) {
  struct Case {
    const char *along, *across;
    float localX, localY;  // the output point in coupler lengths along and across
  };
  for (const Case c : {Case{"0", "0", 0, 0}, Case{"36", "0", 1, 0}, Case{"18", "36", 0.5f, 1},
                       Case{"0", "-18", 0, -0.5f}, Case{"-36", "9", -1, 0.25f}}) {
    OpenWindow w;
    Form& f = w.form;
    leaveBox(f, outputOffsetX, c.along);
    leaveBox(f, outputOffsetY, c.across);
    poseAt(f, 30, 20);
    const WorldPoint crank = crankTip(f, 30);
    const float dx = f.probeX - crank.x, dy = f.probeY - crank.y;
    const auto [axis, output] = couplerPoints(f, crank, {f.probeX, f.probeY});
    EXPECT_NEAR(axis.x, crank.x + c.localX * dx, 1e-4) << c.along << "," << c.across;
    EXPECT_NEAR(axis.y, crank.y + c.localX * dy, 1e-4);
    // Across is the coupler direction turned a quarter counterclockwise: (−dy, dx).
    EXPECT_NEAR(output.x, axis.x - c.localY * dy, 1e-4) << c.along << "," << c.across;
    EXPECT_NEAR(output.y, axis.y + c.localY * dx, 1e-4);
  }
}

TEST(Locus, PositiveAcrossOffsetLiesLeftOfTheCoupler) {
  OpenWindow w;
  Form& f = w.form;
  leaveBox(f, outputOffsetY, "10");
  poseAt(f, 45, 15);
  const WorldPoint c = crankTip(f, 45);
  const auto [axis, output] = couplerPoints(f, c, {f.probeX, f.probeY});
  const float cross = (f.probeX - c.x) * (output.y - c.y) - (f.probeY - c.y) * (output.x - c.x);
  EXPECT_GT(cross, 0.0f);
}

TEST(Locus, FirstHitDrawsZeroLengthSegments) {
  struct Case {
    const char* across;
    int pixels;  // axis point and output point, one pixel each
  };
  for (const Case c : {Case{"0", 1}, Case{"20", 2}}) {
    OpenWindow w;
    Form& f = w.form;
    leaveBox(f, outputOffsetY, c.across);
    f.canvas.clear();
    f.prevAxisX = f.prevAxisY = f.prevOutX = f.prevOutY = 0;
    poseAt(f, 10, 30);
    Kiseki(f);
    const int drawn = test::countPixels(f.canvas, [](Colour p) { return p != kBlack; });
    EXPECT_EQ(drawn, c.pixels) << c.across;
    const int i = angleIndex(10);
    EXPECT_EQ(f.prevOutX, f.outputX[i]);
    EXPECT_EQ(f.prevOutY, f.outputY[i]);
    EXPECT_EQ(f.canvas.point(f.outputX[i], -f.outputY[i]), Colour{11});

    // The next hit joins the two poses.
    poseAt(f, 40, 10);
    Kiseki(f);
    EXPECT_GT(test::countPixels(f.canvas, Colour{11}), 10 * c.pixels);
  }
}

TEST(Locus, SegmentsTakeTheColourOfTheCrankQuadrant) {
  struct Case {
    float crank;
    Colour colour;
  };
  for (const Case c : {Case{0, 11}, Case{89.5f, 11}, Case{90, 12}, Case{179.5f, 12}, Case{180, 13},
                       Case{270, 14}, Case{359.5f, 14}, Case{360, 15}}) {
    OpenWindow w;
    Form& f = w.form;
    f.canvas.clear();
    poseAt(f, c.crank, 60);
    Kiseki(f);
    const int i = angleIndex(c.crank);
    EXPECT_EQ(f.canvas.point(f.outputX[i], -f.outputY[i]), c.colour) << c.crank;
  }
}

TEST(Locus, ResetFillsAllEightTablesWithNoPose) {
  OpenWindow w;
  Form& f = w.form;
  for (AngleTable* t : {&f.outputX, &f.outputY, &f.leverTipX, &f.leverTipY, &f.sixAxisX,
                        &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY})
    t->fill(1.5f);
  mXmYcls(f);
  for (const AngleTable* t : {&f.outputX, &f.outputY, &f.leverTipX, &f.leverTipY, &f.sixAxisX,
                              &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY})
    for (int i = 0; i < kAngleSteps; ++i) ASSERT_EQ((*t)[i], kNoPose) << i;
  EXPECT_GT(f.crankAngle, 360.0f);  // its loop counter ran past the last angle
}

}  // namespace
}  // namespace gyrenda
