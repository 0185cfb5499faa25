// The pointer readout, slide points entered by double-click, and the assistant corner.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "test_support.h"
#include "ui/pointer_tools.h"

namespace gyrenda {
namespace {

TEST(PointerReadout, ShowsWorldXRoundedDownAndWorldYRoundedUpToHundredths) {
  struct Case { float x, y; const char *xText, *yText; };  // canvas point, world y = −y
  for (const Case c : {Case{-0.001f, 0.011f, "X=-0.01", "Y=-0.01"}, Case{2.5f, 0, "X=2.5", "Y=0"},
                       Case{12.345f, -6.789f, "X=12.34", "Y=6.79"}}) {
    SCOPED_TRACE(testing::Message() << "canvas (" << c.x << ", " << c.y << ")");
    test::OpenWindow w;
    Picture1_MouseMove(w.form, c.x, c.y);
    EXPECT_EQ(w.form.Zahyou, (std::array<std::string, 2>{c.xText, c.yText}));
  }
}

void doubleClickAt(Form& f, float worldX, float worldY) {
  Picture1_MouseMove(f, worldX, -worldY);
  Picture1_DblClick(f);
}

TEST(PointEntry, FillsTheSelectedSlidePointThenSelectsTheOtherAndLeavesBoxesZeroToEight) {
  // From start the end point comes first. Whole numbers: no spin bar rewrites a box.
  struct Click { float x, y; int xBox, optionAfter; };
  const std::pair<int, std::vector<Click>> cases[] = {
      {-1, {{25, 60, slideEndX, 0}, {150, 40, slideStartX, 1}, {-12, 30, slideEndX, 0}}},
      {0, {{30, 65, slideStartX, 1}}},
  };
  for (const auto& [optionBefore, clicks] : cases) {
    SCOPED_TRACE(testing::Message() << "option before " << optionBefore);
    test::OpenWindow w;
    Form& f = w.form;
    f.Option1 = optionBefore;
    const auto boxes = f.parameterText;
    for (const Click& c : clicks) {
      const int other = c.xBox == slideStartX ? slideEndX : slideStartX;
      const std::string otherX = f.parameterText[other];
      doubleClickAt(f, c.x, c.y);
      EXPECT_EQ(f.Zahyou[0], "X=" + f.parameterText[c.xBox]);
      EXPECT_EQ(f.Zahyou[1], "Y=" + f.parameterText[c.xBox + 1]);
      EXPECT_EQ(std::pair(f.param(c.xBox), f.param(c.xBox + 1)), std::pair(c.x, c.y));
      EXPECT_EQ(f.parameterText[other], otherX);
      EXPECT_EQ(f.Option1, c.optionAfter);
    }
    for (int k = 0; k < slideStartX; ++k) EXPECT_EQ(f.parameterText[k], boxes[k]) << k;
  }
}

TEST(PointEntry, AnalysesTwiceWhenDrawingImmediately) {
  for (const CheckState drawImmediately : {0, 1}) {
    SCOPED_TRACE(testing::Message() << "RealTimeSW " << drawImmediately);
    test::OpenWindow w;
    w.form.RealTimeSW = drawImmediately;
    int analyses = 0;
    w.platform.onYield = [&] { analyses += w.form.fourBarPhase != 0 && w.form.crankAngle == 0; };
    doubleClickAt(w.form, 30, 100);
    EXPECT_EQ(analyses, 2 * drawImmediately);
  }
}

TEST(AssistantCorner, EachDoubleClickSwitchesItBeforeSayingSo) {
  test::OpenWindow w;
  std::vector<int> flagWhileShown;
  w.platform.onMessage = [&](const std::string&) { flagWhileShown.push_back(w.form.assistantOn); };
  multi_DblClick(w.form);
  multi_DblClick(w.form);
  EXPECT_EQ(w.platform.messages, (std::vector<std::string>{"test", "good bye"}));
  EXPECT_EQ(flagWhileShown, (std::vector<int>{-1, 0}));
}

TEST(PointerTools, DuringARunOnlyTheReadoutWorks) {
  for (const std::int16_t assistant : {0, -1}) {
    test::OpenWindow w;
    Form& f = w.form;
    const auto boxes = f.parameterText;
    f.assistantOn = assistant;
    w.platform.onYield = [&] {
      doubleClickAt(f, 33.25f, 44.5f);
      multi_DblClick(f);
    };
    Command1_Click(f);
    EXPECT_EQ(f.Zahyou[0] + f.Zahyou[1], "X=33.25Y=44.5");
    EXPECT_EQ(f.parameterText, boxes);
    EXPECT_EQ(f.Option1, -1);
    EXPECT_EQ(f.assistantOn, assistant);
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

}  // namespace
}  // namespace gyrenda
