// The design sheet's layout that needs no page to check: the scale the drawing is put at, the
// plots' axes, and the options of gyrenda-cli that belong to the sheet. The pages themselves
// are read back from the program's files in the program tests.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "cli/cli_run.h"
#include "encoders/design_sheet.h"
#include "encoders/sheet_plot.h"

namespace gyrenda {
namespace {

// The items decide, not the view: 1:1 where they fit the frame (170 × 110 mm), else the first
// standard reduction that does; a point that is not finite takes no room.
TEST(DesignSheet, TheScaleIsTheLargestStandardOneAtWhichTheItemsFit) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  const struct {
    WorldPoint from, to;
    int scale;
  } cases[] = {
      {{0, 0}, {100, 50}, 1},       {{-85, -55}, {85, 55}, 1},  {{0, 0}, {171, 10}, 2},
      {{0, 0}, {340, 220}, 2},      {{0, 0}, {341, 0}, 5},      {{0, 0}, {10, 221}, 5},
      {{0, -600}, {0, 500}, 10},    {{0, 0}, {1.7e6f, 0}, 10000},
      {{0, 0}, {3e7f, 0}, 100000},  {{kNaN, 0}, {0, kNaN}, 1},
  };
  for (const auto& c : cases) {
    Drawing d{{{DrawingLayer::Slide, kSixBarMarker, Segment{c.from, c.to}}}, {-5000, -5000, 5000, 5000}};
    EXPECT_EQ(sheetScale(d, 170, 110), c.scale) << c.to.x << ' ' << c.to.y;
  }
  EXPECT_EQ(sheetScale(Drawing{{}, {-5000, -5000, 5000, 5000}}, 170, 110), 1) << "nothing to draw";
  const Drawing circle{{{DrawingLayer::Crank, 11, Circle{{0, 0}, 60}}}, {}};
  EXPECT_EQ(sheetScale(circle, 170, 110), 2) << "a circle takes its diameter";
}

// Over seeded spans from tiny to huge, negative and positive: the axis holds the span, ends on
// whole ticks of 1, 2 or 5 times a power of ten, and has between two and seven of them.
TEST(DesignSheet, PlotAxesHoldTheirValuesInAFewRoundTicks) {
  std::mt19937_64 random(35);
  std::uniform_real_distribution<double> exponent(-6, 8), unit(-1, 1);
  for (int i = 0; i < 2000; ++i) {
    const double a = unit(random) * std::pow(10, exponent(random));
    const double b = i % 5 == 0 ? a : a + std::abs(unit(random)) * std::pow(10, exponent(random));
    const AxisRange axis = niceAxis(a, b);
    ASSERT_LE(axis.low, a);
    ASSERT_GE(axis.high, b);
    const double mantissa = axis.step / std::pow(10, std::floor(std::log10(axis.step)));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                std::abs(mantissa - 5) < 1e-9) << axis.step;
    const double ticks = (axis.high - axis.low) / axis.step;
    EXPECT_NEAR(ticks, std::round(ticks), 1e-4) << a << ' ' << b;
    EXPECT_TRUE(ticks >= 2 - 1e-9 && ticks <= 7 + 1e-9) << a << ' ' << b << ": " << ticks;
  }
  const AxisRange none = niceAxis(std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity());
  EXPECT_EQ(std::make_pair(none.low, none.high), std::make_pair(0.0, 1.0));
}

// The sheet's own options are refused without it, and so is a language the sheet does not
// speak; --rpm and the tolerances serve it.
TEST(DesignSheet, TheSheetsOptionsBelongToIt) {
  const std::pair<test::Args, std::string> cases[] = {
      {{"--sheet-tolerance"}, "--sheet-tolerance needs --sheet"},
      {{"--gyr", "-", "--language", "ja"}, "--language needs --sheet"},
      {{"--sheet", "x.pdf", "--language", "fr"}, "--language takes en or ja, got 'fr'"},
      {{"--gyr", "-", "--rpm", "90"}, "--rpm needs --kinematics, --report or --sheet"},
      {{"--sheet", "x.pdf", "--tol", "0.2"}, "--tol needs --tolerance or --sheet-tolerance"},
      {{"--sheet", "x.pdf", "--seed", "2"},
       "--seed needs --tolerance, --synthesize, --sheet-tolerance, --synthesize-slider or --gait"},
      {{"--sheet", "-", "--report", "-"}, "--report and --sheet both write to standard output"},
  };
  for (const auto& [args, message] : cases)
    EXPECT_EQ(test::runProgram(args), std::make_tuple(2, std::string(), "gyrenda-cli: " + message + "\n"));
}

}  // namespace
}  // namespace gyrenda
