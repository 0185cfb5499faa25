// The frame searches of the animation: which crank angles get a frame, and what it holds.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "app/commands.h"
#include "canvas/four_bar_search.h"
#include "sixbar/six_bar_search.h"
#include "test_support.h"

namespace gyrenda {
namespace {

TEST(FourBarFrames, EveryHalfDegreeButOneAfterAHitAtZeroWithKameEachWithKisekisOutputPoint) {
  for (const int speed : {0, 1, 2}) {
    SCOPED_TRACE(kSpeedItems[speed]);
    test::OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, outputOffsetY, "-7.5");
    selectSpeed(f, speed);
    mXmYcls(f);
    Anime4_Kaiseki(f);
    const AngleTable frameX = f.outputX, frameY = f.outputY;
    for (int i = 0; i < kAngleSteps; ++i) {
      const bool expected = i != 1 || speed != 2;
      ASSERT_EQ(f.leverTipX[i] != kNoPose && f.leverTipY[i] != kNoPose, expected) << i;
      if (!expected) continue;
      f.crankAngle = i / 2.0f;
      f.probeX = f.leverTipX[i];
      f.probeY = f.leverTipY[i];
      Kiseki(f);
      EXPECT_EQ(f.outputX[i], frameX[i]) << i;
      EXPECT_EQ(f.outputY[i], frameY[i]) << i;
    }
    EXPECT_EQ(frameX[1] == kNoPose && frameY[1] == kNoPose, speed == 2);
  }
}

TEST(SixBarFrames, WholeDegreesWhileHitsContinueHalfDegreesAfterAMissWhateverTheSpeed) {
  using Spoil = void (*)(test::HandMadeSixBar&);  // what happens at crank angle 10
  const Spoil spoils[] = {
      [](test::HandMadeSixBar&) {},
      [](test::HandMadeSixBar& w) { w.drive(10, {5000, 5000}); },  // slider off the canvas
      [](test::HandMadeSixBar& w) { w.form.outputX[20] = kNoPose; },
      [](test::HandMadeSixBar& w) { w.form.outputY[20] = kNoPose; },
  };
  for (const float across : {0.0f, -15.0f}) {
    for (const Spoil& spoil : spoils) {
      for (const int speed : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "across " << across << ", spoil " << &spoil - spoils
                                        << ", " << kSpeedItems[speed]);
        test::HandMadeSixBar w("40", std::to_string(across));
        selectSpeed(w.form, speed);
        w.driveEverywhere();
        w.paintEveryCandidate();
        spoil(w);
        float scanBefore = 0, scanAfter = 0;  // at the yields of 10 and 10.5
        w.platform.onYield = [&] {
          if (w.form.crankAngle == 10) scanBefore = w.form.scanAngle;
          if (w.form.crankAngle == 10.5f) scanAfter = w.form.scanAngle;
        };
        Anime6_Kaiseki(w.form);
        EXPECT_EQ(scanAfter == scanBefore, &spoil - spoils >= 2);  // no scan without a pose
        std::set<int> expected{720}, found;  // 0, 1, 2, … and after a miss at 10: 10.5, 11.5, …
        for (int i = 0; i < 720; i += 2) expected.insert(i == 20 && &spoil != spoils ? ++i : i);
        for (int i = 0; i < kAngleSteps; ++i)
          if (w.form.sixAxisX[i] != kNoPose) found.insert(i);
        EXPECT_EQ(found, expected);
        for (const int i : expected) {  // axis point 40 along the link, offset across·(ûy, −ûx)
          const float dx = w.form.sixAxisX[i] - w.form.outputX[i];
          const float dy = w.form.sixAxisY[i] - w.form.outputY[i];
          EXPECT_NEAR(std::hypot(dx, dy), 40, 1e-3f) << i;
          EXPECT_NEAR(w.form.sixOffsetX[i], across * dy / 40, 1e-4f) << i;  // (0, 0) for across 0
          EXPECT_NEAR(w.form.sixOffsetY[i], -across * dx / 40, 1e-4f) << i;
        }
      }
    }
  }
}

}  // namespace
}  // namespace gyrenda
