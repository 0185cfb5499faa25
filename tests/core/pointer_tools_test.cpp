// The pointer readout, and what of the pointer tools works during a run.
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
