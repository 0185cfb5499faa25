#include <gtest/gtest.h>

#include <array>

#include "app/commands.h"
#include "app/startup.h"
#include "test_support.h"

namespace gyrenda {
namespace {

TEST(Startup, ReadsTheDefaultTextsIntoTheParameterVector) {
  Form f;
  Form_Load(f);
  const std::array<float, kParamSlots> expected{18, 36, 36, 31, 72, 0, 50,
                                                100, 30, 20, 55, 150, 55, 0, 0};
  const std::array<const char*, kParamCount> texts{"18", "36", "36", "31", "72", "0", "50",
                                                   "100", "30", "20", "55", "150", "55"};
  for (int k = 0; k < kParamSlots; ++k) EXPECT_EQ(f.paramValue[k], expected[k]) << "slot " << k;
  for (int k = 0; k < kParamCount; ++k) {
    EXPECT_EQ(f.paramIndex[k], k);
    EXPECT_EQ(f.parameterText[k], texts[k]) << "box " << k;
    EXPECT_EQ(f.spinValue[k], static_cast<int>(expected[k])) << "bar " << k;
  }
  EXPECT_EQ(f.zoomLevel, 3);
  EXPECT_EQ(f.HScroll1, -60);
  EXPECT_EQ(f.VScroll1, -140);
}

TEST(Startup, LeavesTheDerivedStateUntouchedUntilTheFirstPass) {
  Form f;
  Form_Load(f);
  EXPECT_EQ(f.Label13, "静止節長さ(0～0)");
  for (const AngleTable* t :
       {&f.crankTipX, &f.crankTipY, &f.leverX, &f.leverY, &f.couplerX, &f.couplerY, &f.sixLinkX,
        &f.sixLinkY, &f.outputX, &f.outputY, &f.leverTipX, &f.leverTipY, &f.sixAxisX,
        &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY})
    for (float v : *t) ASSERT_EQ(v, 0.0f);
  EXPECT_EQ(f.outAlongFactor, 0.0f);
  EXPECT_EQ(f.outAcrossFactor, 0.0f);
  EXPECT_EQ(f.sixRatioX, 0.0f);
  EXPECT_EQ(f.sixRatioY, 0.0f);
  EXPECT_EQ(f.editGuard, 0);
}

TEST(Startup, OpensIdleWithTheMiddleSpeedSelected) {
  Form f;
  Form_Load(f);
  EXPECT_EQ(f.List3Index, 1);
  EXPECT_EQ(f.speedStep, 1.0f);
  EXPECT_TRUE(ticked(f.Check2));
  EXPECT_TRUE(ticked(f.Check4));
  EXPECT_FALSE(ticked(f.Check3));
  EXPECT_FALSE(ticked(f.RealTimeSW));
  EXPECT_EQ(f.Option1, -1);
  EXPECT_FALSE(f.timerEnabled);
  EXPECT_FALSE(f.enabled(Control::Command6));
  for (Control c : {Control::Command1, Control::AnimeButton0, Control::AnimeButton1,
                    Control::Command2, Control::Command3, Control::Command4, Control::List3})
    EXPECT_TRUE(f.enabled(c)) << static_cast<int>(c);
  EXPECT_EQ(f.assistantOn, 0);
  EXPECT_EQ(f.stopRequested, 0);
}

TEST(Startup, SpeedListItemsSetTheirSpeedSteps) {
  struct Case {
    int item;
    float speedStep;
  };
  for (const Case c : {Case{0, 5}, Case{1, 1}, Case{2, 0}}) {
    Form f;
    Form_Load(f);
    f.speedStep = 42;
    selectSpeed(f, c.item);
    EXPECT_EQ(f.speedStep, c.speedStep) << kSpeedItems[c.item];
  }
  Form f;
  Form_Load(f);
  selectSpeed(f, 2);
  selectSpeed(f, 7);  // no such item: the speed stays
  EXPECT_EQ(f.speedStep, 0.0f);
}

TEST(Startup, FirstPassFillsTheDerivedState) {
  test::OpenWindow w;
  EXPECT_EQ(w.form.Label13, "静止節(19～53)");
  EXPECT_EQ(w.form.crankTipX[0], 18.0f);
  EXPECT_EQ(w.form.couplerX[0], 36.0f);
  EXPECT_EQ(w.form.outAlongFactor, -2.0f);
}

}  // namespace
}  // namespace gyrenda
