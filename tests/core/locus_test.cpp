#include <gtest/gtest.h>

#include "canvas/locus.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;

// Puts the search's state at a hit with the coupler at angle `coupler`; returns the crank tip.
WorldPoint hitAt(Form& f, float crank, float coupler) {
  f.crankAngle = crank;
  const int i = angleIndex(crank), j = angleIndex(coupler);
  f.probeX = f.crankTipX[i] + f.couplerX[j];
  f.probeY = f.crankTipY[i] + f.couplerY[j];
  return {f.crankTipX[i], f.crankTipY[i]};
}

// The output point in coupler lengths along the coupler (x) and to its left (y).
TEST(Locus, OutputPointLiesInTheCouplerFrame) {
  const struct { const char *along, *across; float x, y; } cases[] = {
      {"72", "0", 2, 0}, {"0", "0", 0, 0}, {"18", "36", 0.5f, 1}, {"-36", "-9", -1, -0.25f}};
  for (const auto& c : cases) {
    OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, outputOffsetX, c.along);
    test::leaveBox(f, outputOffsetY, c.across);
    const WorldPoint crank = hitAt(f, 30, 20);
    const float dx = f.probeX - crank.x, dy = f.probeY - crank.y;
    Kiseki(f);
    EXPECT_NEAR(f.outputX[60], crank.x + c.x * dx - c.y * dy, 1e-4) << c.along << "," << c.across;
    EXPECT_NEAR(f.outputY[60], crank.y + c.x * dy + c.y * dx, 1e-4) << c.along << "," << c.across;
  }
}

TEST(Locus, FirstHitDrawsZeroLengthSegmentsAndTheNextJoinsThem) {
  for (const char* across : {"0", "20"}) {
    OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, outputOffsetY, across);
    f.canvas.clear();
    hitAt(f, 10, 30);
    Kiseki(f);
    const int points = across[0] == '0' ? 1 : 2;  // axis and output point, a pixel each
    EXPECT_EQ(test::countPixels(f.canvas, 11), points) << across;
    hitAt(f, 40, 10);
    Kiseki(f);
    EXPECT_GT(test::countPixels(f.canvas, 11), 10 * points) << across;
    const auto [axis, output] = couplerPoints(f, {f.crankTipX[80], f.crankTipY[80]}, {f.probeX, f.probeY});
    EXPECT_EQ(f.canvas.point(axis.x, -axis.y), 11) << across;
    EXPECT_EQ(f.canvas.point(output.x, -output.y), 11) << across;
  }
}

TEST(Locus, SegmentsTakeTheColourOfTheCrankQuadrant) {
  const struct { float crank; Colour colour; } cases[] = {
      {0, 11}, {89.5f, 11}, {90, 12}, {179.5f, 12}, {180, 13}, {270, 14}, {359.5f, 14}, {360, 15}};
  for (const auto& c : cases) {
    OpenWindow w;
    hitAt(w.form, c.crank, 60);
    Kiseki(w.form);
    const int i = angleIndex(c.crank);
    EXPECT_EQ(w.form.canvas.point(w.form.outputX[i], -w.form.outputY[i]), c.colour) << c.crank;
  }
}

TEST(Locus, ResetFillsAllEightTablesWithNoPose) {
  OpenWindow w;
  Form& f = w.form;
  const auto tables = {&f.outputX, &f.outputY, &f.leverTipX, &f.leverTipY,
                       &f.sixAxisX, &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY};
  for (AngleTable* t : tables) t->fill(1.5f);
  mXmYcls(f);
  for (AngleTable* t : tables)
    EXPECT_EQ(std::count(t->begin(), t->end(), kNoPose), kAngleSteps);
}

}  // namespace
}  // namespace gyrenda
