// The pointer readout beside the canvas, slide points entered by double-click, and the
// assistant corner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "test_support.h"
#include "ui/pointer_tools.h"

namespace gyrenda {
namespace {

using test::OpenWindow;

TEST(PointerReadout, ShowsTheWorldPointRoundedToHundredths) {
  struct Case {
    float x, y;  // canvas point
    const char* xText;
    const char* yText;
  };
  const Case cases[] = {
      {-0.001f, 0.011f, "X=-0.01", "Y=-0.01"},
      {2.5f, 0, "X=2.5", "Y=0"},
      {12.345f, -6.789f, "X=12.34", "Y=6.79"},  // world x rounded down, world y up
      {-3.456f, 3.456f, "X=-3.46", "Y=-3.45"},
      {20, -55, "X=20", "Y=55"},
      {-59.999f, 99.25f, "X=-60", "Y=-99.25"},
  };
  OpenWindow w;
  EXPECT_EQ(w.form.Zahyou[0], "X=");
  EXPECT_EQ(w.form.Zahyou[1], "Y=");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "canvas (" << c.x << ", " << c.y << ")");
    Picture1_MouseMove(w.form, c.x, c.y);
    EXPECT_EQ(w.form.Zahyou[0], c.xText);
    EXPECT_EQ(w.form.Zahyou[1], c.yText);
  }
}

// Moves the pointer to world point (x, y) and double-clicks there.
void doubleClickAt(Form& f, float x, float y) {
  Picture1_MouseMove(f, x, -y);
  Picture1_DblClick(f);
}

TEST(PointEntry, DoubleClicksAlternateBetweenTheSlideEnds) {
  // Whole numbers, so that no spin bar rewrites a box with its rounded value.
  struct Click {
    float x, y;
    int xBox;  // the box pair expected to be filled: 9/10 or 11/12
    int optionAfter;
  };
  struct Case {
    const char* behaviour;
    int optionBefore;
    std::vector<Click> clicks;
  };
  const Case cases[] = {
      {"from start: end point first", -1,
       {{25, 60, slideEndX, 0}, {150, 55, slideStartX, 1}, {-12, 30, slideEndX, 0}}},
      {"start point chosen by the user", 0, {{20, 55, slideStartX, 1}, {150, 40, slideEndX, 0}}},
      {"end point chosen by the user", 1, {{70, 80, slideEndX, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behaviour);
    OpenWindow w;
    Form& f = w.form;
    f.Option1 = c.optionBefore;
    const auto fourBarAndLinkBoxes = [&f] {
      return std::vector<std::string>(f.parameterText.begin(), f.parameterText.begin() + 9);
    };
    const auto untouchedBoxes = fourBarAndLinkBoxes();
    const std::vector<float> untouchedValues(f.paramValue.begin(), f.paramValue.begin() + 9);
    for (const Click& click : c.clicks) {
      SCOPED_TRACE(testing::Message() << "double-click at (" << click.x << ", " << click.y << ")");
      const int otherXBox = click.xBox == slideStartX ? slideEndX : slideStartX;
      const std::string otherX = f.parameterText[otherXBox];
      const std::string otherY = f.parameterText[otherXBox + 1];
      doubleClickAt(f, click.x, click.y);

      EXPECT_EQ("X=" + f.parameterText[click.xBox], f.Zahyou[0]);
      EXPECT_EQ("Y=" + f.parameterText[click.xBox + 1], f.Zahyou[1]);
      EXPECT_EQ(f.param(click.xBox), click.x);
      EXPECT_EQ(f.param(click.xBox + 1), click.y);
      EXPECT_EQ(f.parameterText[otherXBox], otherX);
      EXPECT_EQ(f.parameterText[otherXBox + 1], otherY);
      EXPECT_EQ(f.Option1, click.optionAfter);
    }
    EXPECT_EQ(fourBarAndLinkBoxes(), untouchedBoxes);
    EXPECT_EQ(std::vector<float>(f.paramValue.begin(), f.paramValue.begin() + 9), untouchedValues);
  }
}

TEST(PointEntry, RedrawsTheSlideLineAndAnalysesTwiceWhenDrawingImmediately) {
  struct Case {
    CheckState drawImmediately;
    int analyses;
  };
  for (const Case c : {Case{0, 0}, Case{1, 2}}) {
    SCOPED_TRACE(testing::Message() << "RealTimeSW " << c.drawImmediately);
    OpenWindow w;
    Form& f = w.form;
    f.RealTimeSW = c.drawImmediately;
    int analyses = 0;
    w.platform.onYield = [&] {
      if (f.fourBarPhase != 0 && f.crankAngle == 0.0f) ++analyses;
    };
    doubleClickAt(f, 30, 100);
    EXPECT_EQ(analyses, c.analyses);
    // The construction now shows the slide from (20, 55) to the new end point.
    const PixelPos end = test::worldPixel(f, 30, 100);
    EXPECT_EQ(f.canvas.at(end.x, end.y), kSixBarMarker);
  }
}

TEST(PointEntry, IgnoredDuringARunWhileTheReadoutKeepsWorking) {
  OpenWindow w;
  Form& f = w.form;
  const auto boxes = f.parameterText;
  bool clicked = false;
  w.platform.onYield = [&] {
    if (clicked || f.crankAngle < 90.0f) return;
    clicked = true;
    doubleClickAt(f, 33.25f, 44.5f);
  };
  Command1_Click(f);

  ASSERT_TRUE(clicked);
  EXPECT_EQ(f.Zahyou[0], "X=33.25");
  EXPECT_EQ(f.Zahyou[1], "Y=44.5");
  EXPECT_EQ(f.parameterText, boxes);
  EXPECT_EQ(f.Option1, -1);
  EXPECT_EQ(f.Label5, "終了");
}

TEST(AssistantCorner, EachDoubleClickSwitchesItAndSaysSo) {
  OpenWindow w;
  multi_DblClick(w.form);
  EXPECT_EQ(w.form.assistantOn, -1);
  multi_DblClick(w.form);
  EXPECT_EQ(w.form.assistantOn, 0);
  EXPECT_EQ(w.platform.messages, (std::vector<std::string>{"test", "good bye"}));
}

TEST(AssistantCorner, FlagIsSwitchedBeforeTheMessageShows) {
  OpenWindow w;
  std::vector<int> flagWhileShown;
  w.platform.onMessage = [&](const std::string&) { flagWhileShown.push_back(w.form.assistantOn); };
  multi_DblClick(w.form);
  multi_DblClick(w.form);
  EXPECT_EQ(flagWhileShown, (std::vector<int>{-1, 0}));
}

TEST(AssistantCorner, DisabledDuringARun) {
  for (std::int16_t before : {std::int16_t{0}, std::int16_t{-1}}) {
    OpenWindow w;
    Form& f = w.form;
    f.assistantOn = before;
    int tries = 0;
    w.platform.onYield = [&] {
      if (tries++ < 2) multi_DblClick(f);
    };
    Command1_Click(f);
    EXPECT_GT(tries, 2);
    EXPECT_EQ(f.assistantOn, before);
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

}  // namespace
}  // namespace gyrenda
