#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/number_text.h"
#include "app/params.h"
#include "app/validation.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::leaveBox;
using test::OpenWindow;

constexpr std::array<float, kParamCount> kDefaults{18, 36, 36, 31, 72, 0, 50,
                                                   100, 30, 20, 55, 150, 55};

TEST(ValidationPass, DefaultsPassUnchangedAndShowTheFixedLinkRange) {
  for (int k = 0; k < kParamCount; ++k) {
    OpenWindow w;
    Form& f = w.form;
    parameter_LostFocus(f, k);
    for (int j = 0; j < kParamCount; ++j) {
      EXPECT_EQ(f.param(j), kDefaults[j]) << "pass " << k << ", parameter " << j;
      EXPECT_EQ(f.parameterText[j], paramInfo()[j].defaultText);
      EXPECT_EQ(f.spinValue[j], static_cast<int>(kDefaults[j]));
    }
    EXPECT_EQ(f.Label13, "静止節(19～53)");
    EXPECT_EQ(f.editGuard, 0);
  }
}

TEST(ValidationPass, MovesTheFixedLinkOneUnitInsideTheViolatedBound) {
  struct Case {
    const char* typed;
    float value;
    const char* box;
  };
  for (const Case c : {Case{"10", 19, "19"}, Case{"18", 19, "19"}, Case{"54", 53, "53"},
                       Case{"60", 53, "53"}, Case{"-300", 19, "19"}, Case{"1e6", 53, "53"}}) {
    OpenWindow w;
    leaveBox(w.form, fixedLinkLength, c.typed);
    EXPECT_EQ(w.form.param(fixedLinkLength), c.value) << c.typed;
    EXPECT_EQ(w.form.parameterText[fixedLinkLength], c.box) << c.typed;
    EXPECT_EQ(w.form.spinValue[fixedLinkLength], static_cast<int>(c.value)) << c.typed;
    EXPECT_EQ(w.form.Label13, "静止節(19～53)");
  }
}

TEST(ValidationPass, KeepsEveryWholeFixedLinkInsideTheRange) {
  OpenWindow w;
  for (int v = 19; v <= 53; ++v) {
    leaveBox(w.form, fixedLinkLength, std::to_string(v));
    EXPECT_EQ(w.form.param(fixedLinkLength), static_cast<float>(v));
    EXPECT_EQ(w.form.parameterText[fixedLinkLength], std::to_string(v));
    EXPECT_EQ(w.form.spinValue[fixedLinkLength], v);
  }
  for (int v = 20; v <= 53; ++v) {  // and by the spin bar
    setSpinBar(w.form, fixedLinkLength, v - 1);
    setSpinBar(w.form, fixedLinkLength, v);
    EXPECT_EQ(w.form.param(fixedLinkLength), static_cast<float>(v));
    EXPECT_EQ(w.form.parameterText[fixedLinkLength], std::to_string(v));
  }
}

TEST(ValidationPass, CrankLongerThanLeverIsCutBackAfterTheFixedLinkChecks) {
  OpenWindow w;
  Form& f = w.form;
  leaveBox(f, crankRadius, "40");
  EXPECT_EQ(f.param(crankRadius), 36.0f);
  EXPECT_EQ(f.parameterText[crankRadius], "36");
  EXPECT_EQ(f.spinValue[crankRadius], 36);
  // Both bounds saw the crank of 40: first up to 41, then down to 31.
  EXPECT_EQ(f.param(fixedLinkLength), 31.0f);
  EXPECT_EQ(f.Label13, "静止節(37～35)");
  EXPECT_EQ(f.crankTipX[0], 36.0f);
}

TEST(ValidationPass, CrankEqualToLeverLeavesAnEmptyRange) {
  struct Case {
    int box;
    const char* typed;
    float crank, lever;
    const char* label;
  };
  for (const Case c : {Case{crankRadius, "36", 36, 36, "静止節(37～35)"},
                       Case{leverRadius, "18", 18, 18, "静止節(37～35)"},
                       Case{leverRadius, "25", 18, 25, "静止節(30～42)"}}) {
    OpenWindow w;
    leaveBox(w.form, c.box, c.typed);
    EXPECT_EQ(w.form.param(crankRadius), c.crank) << c.typed;
    EXPECT_EQ(w.form.param(leverRadius), c.lever) << c.typed;
    EXPECT_EQ(w.form.Label13, c.label) << c.typed;
  }
}

TEST(ValidationPass, NonPositiveLengthsBecomeOne) {
  struct Case {
    int box;
    const char* typed;
  };
  for (const Case c : {Case{crankRadius, "0"}, Case{crankRadius, "-5"}, Case{leverRadius, "0"},
                       Case{leverRadius, "-36"}, Case{couplerLength, "0"},
                       Case{couplerLength, "-0.5"}, Case{sixLinkLength, "0"},
                       Case{sixLinkLength, "-50"}, Case{crankRadius, "abc"}}) {
    OpenWindow w;
    leaveBox(w.form, c.box, c.typed);
    EXPECT_EQ(w.form.param(c.box), 1.0f) << c.box << " " << c.typed;
    EXPECT_EQ(w.form.parameterText[c.box], "1") << c.box << " " << c.typed;
    EXPECT_EQ(w.form.spinValue[c.box], 1);
    // The lever is repaired before the crank is compared with it: no length ends below 1.
    for (int k : {crankRadius, leverRadius, couplerLength, sixLinkLength})
      EXPECT_GE(w.form.param(k), 1.0f) << c.box << " " << c.typed;
    if (c.box == leverRadius) {
      EXPECT_EQ(w.form.param(crankRadius), 1.0f);
      EXPECT_EQ(w.form.parameterText[crankRadius], "1");
    }
    EXPECT_EQ(w.form.editGuard, 0);
  }
}

TEST(ValidationPass, FactorsKeepTheirValuesWhenTheirLengthIsRepaired) {
  OpenWindow w;
  Form& f = w.form;
  leaveBox(f, outputOffsetY, "9");
  EXPECT_EQ(f.outAlongFactor, -2.0f);
  EXPECT_EQ(f.outAcrossFactor, -0.25f);
  leaveBox(f, couplerLength, "0");
  EXPECT_EQ(f.param(couplerLength), 1.0f);
  EXPECT_EQ(f.outAlongFactor, -2.0f);  // not -72 / 1
  EXPECT_EQ(f.outAcrossFactor, -0.25f);

  EXPECT_EQ(f.sixRatioX, -2.0f);
  EXPECT_EQ(f.sixRatioY, -0.6f);
  leaveBox(f, sixLinkLength, "-3");
  EXPECT_EQ(f.param(sixLinkLength), 1.0f);
  EXPECT_EQ(f.sixRatioX, -2.0f);
  EXPECT_EQ(f.sixRatioY, -0.6f);
  leaveBox(f, sixLinkLength, "40");
  EXPECT_EQ(f.sixRatioX, -2.5f);
  EXPECT_EQ(f.sixRatioY, -0.75f);
}

TEST(ValidationPass, SlideEndEqualToStartMovesOneUnit) {
  struct Case {
    const char* start;
    const char* end;
    float expectedEnd;
  };
  for (const Case c : {Case{"20", "20", 21}, Case{"150", "150", 151}, Case{"-7.5", "-7.5", -6.5f},
                       Case{"30000", "30000", 29999}, Case{"-30000", "-30000", -29999}}) {
    OpenWindow w;
    leaveBox(w.form, slideStartX, c.start);
    leaveBox(w.form, slideEndX, c.end);
    EXPECT_EQ(w.form.param(slideEndX), c.expectedEnd) << c.end;
    EXPECT_NE(w.form.param(slideEndX), w.form.param(slideStartX));
    EXPECT_EQ(w.form.spinValue[slideEndX], static_cast<int>(std::nearbyint(c.expectedEnd)));
  }
  // Typing the start onto the end moves the end as well.
  OpenWindow w;
  leaveBox(w.form, slideStartX, "150");
  EXPECT_EQ(w.form.param(slideEndX), 151.0f);
}

TEST(ValidationPass, AFractionStaysInTheVectorWhileTheBarRoundsTheBox) {
  struct Case {
    const char* typed;
    float value;
    const char* box;
    int bar;
  };
  for (const Case c : {Case{"20.4", 20.4f, "20", 20}, Case{"18.4", 18.4f, "18.4", 18},
                       Case{"17.5", 17.5f, "17.5", 18}, Case{"18.5", 18.5f, "18.5", 18},
                       Case{"19.5", 19.5f, "20", 20}, Case{"0.4", 0.4f, "1", 1}}) {
    OpenWindow w;
    leaveBox(w.form, crankRadius, c.typed);
    EXPECT_EQ(w.form.param(crankRadius), c.value) << c.typed;
    EXPECT_EQ(w.form.parameterText[crankRadius], c.box) << c.typed;
    EXPECT_EQ(w.form.spinValue[crankRadius], c.bar) << c.typed;
  }
}

TEST(ValidationPass, SpinBarClickRunsAFullPass) {
  OpenWindow w;
  Form& f = w.form;
  setSpinBar(f, crankRadius, f.spinValue[crankRadius] + 1);
  EXPECT_EQ(f.parameterText[crankRadius], "19");
  EXPECT_EQ(f.param(crankRadius), 19.0f);
  EXPECT_EQ(f.crankTipX[0], 19.0f);
  EXPECT_EQ(f.Label13, "静止節(20～52)");
  EXPECT_EQ(f.editGuard, 0);

  setSpinBar(f, outputOffsetX, f.spinValue[outputOffsetX] - 1);
  EXPECT_EQ(f.param(outputOffsetX), 71.0f);
  EXPECT_EQ(f.outAlongFactor, -71.0f / 36.0f);

  // A bar set to the value it holds raises nothing; outside its range it is clamped.
  leaveBox(f, crankRadius, "18.25");
  setSpinBar(f, crankRadius, 18);
  EXPECT_EQ(f.param(crankRadius), 18.25f);
  setSpinBar(f, crankRadius, 0);
  EXPECT_EQ(f.spinValue[crankRadius], 1);
  EXPECT_EQ(f.param(crankRadius), 1.0f);
}

TEST(ValidationPass, SpinBarClickAnalysesWhenDrawingImmediately) {
  OpenWindow w;
  Form& f = w.form;
  f.RealTimeSW = 1;
  setSpinBar(f, crankRadius, 17);
  EXPECT_EQ(f.Label5, "終了");
  EXPECT_NE(f.outputX[0], kNoPose);
  EXPECT_EQ(f.editGuard, 0);
  EXPECT_FALSE(f.running);
}

TEST(ValidationPass, HugeValuesStayInRangeAndThePassCompletes) {
  for (int k = 0; k < kParamCount; ++k) {
    for (const char* text : {"1e39", "-1e39", "-99999", "99999", "3e4", "0.4"}) {
      OpenWindow w;
      Form& f = w.form;
      leaveBox(f, k, text);
      for (int j = 0; j < kParamCount; ++j) {
        const auto& info = paramInfo()[j];
        EXPECT_TRUE(std::fabs(f.param(j)) <= kParamLimit) << k << " " << text << " -> " << j;
        EXPECT_GE(f.spinValue[j], info.spinMin);
        EXPECT_LE(f.spinValue[j], info.spinMax);
      }
      EXPECT_EQ(f.editGuard, 0) << k << " " << text;
      EXPECT_EQ(f.Label13.rfind("静止節(", 0), 0u) << f.Label13;
      EXPECT_TRUE(std::isfinite(f.crankTipX[100]) && std::isfinite(f.sixLinkY[100]));
    }
  }
}

TEST(ValidationPass, AngleTablesFollowTheParameters) {
  OpenWindow w;
  const Form& f = w.form;
  struct Table {
    const AngleTable *x, *y;
    float length;
  };
  for (const Table t : {Table{&f.crankTipX, &f.crankTipY, 18}, Table{&f.leverX, &f.leverY, 36},
                        Table{&f.couplerX, &f.couplerY, 36}, Table{&f.sixLinkX, &f.sixLinkY, 50}}) {
    const float tol = t.length * 1e-6f;
    EXPECT_EQ((*t.x)[0], t.length);
    EXPECT_EQ((*t.y)[0], 0.0f);
    EXPECT_NEAR((*t.x)[180], 0.0f, tol);  // 90°
    EXPECT_NEAR((*t.y)[180], t.length, tol);
    EXPECT_NEAR((*t.x)[360], -t.length, tol);  // 180°
    EXPECT_NEAR((*t.y)[540], -t.length, tol);  // 270°
    EXPECT_NEAR((*t.x)[120], t.length * 0.5f, tol);  // 60°
    EXPECT_NEAR((*t.x)[720], (*t.x)[0], tol);  // 360° again
    EXPECT_NEAR((*t.y)[720], (*t.y)[0], tol);
    for (int i = 0; i <= 720; ++i)
      ASSERT_NEAR(std::hypot((*t.x)[i], (*t.y)[i]), t.length, tol * 2) << i;
  }
}

TEST(ValidationPass, FactorsAreMinusOffsetOverLength) {
  OpenWindow w;
  Form& f = w.form;
  EXPECT_EQ(f.outAlongFactor, -2.0f);
  EXPECT_EQ(f.outAcrossFactor, 0.0f);
  EXPECT_EQ(f.sixRatioX, -2.0f);
  EXPECT_EQ(f.sixRatioY, -0.6f);
  leaveBox(f, outputOffsetX, "-18");
  leaveBox(f, sixOutputOffsetY, "-10");
  EXPECT_EQ(f.outAlongFactor, 0.5f);
  EXPECT_EQ(f.sixRatioY, 0.2f);
}

}  // namespace
}  // namespace gyrenda
