// The frame searches of the animation: which crank angles get a frame, and what a frame holds.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "app/commands.h"
#include "canvas/four_bar_search.h"
#include "canvas/grid.h"
#include "canvas/locus.h"
#include "sixbar/six_bar_search.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::HandMadeSixBar;
using test::OpenWindow;

enum Speed { kUma = 0, kInu = 1, kKame = 2 };

std::set<int> framesIn(const AngleTable& t) {
  std::set<int> indices;
  for (int i = 0; i < kAngleSteps; ++i)
    if (t[i] != kNoPose) indices.insert(i);
  return indices;
}

std::set<int> allIndices() {
  std::set<int> all;
  for (int i = 0; i < kAngleSteps; ++i) all.insert(i);
  return all;
}

// Four-bar frames of the default design at the given speed, on the construction as drawn.
void searchFourBarFrames(Form& f, int speed) {
  selectSpeed(f, speed);
  mXmYcls(f);
  Anime4_Kaiseki(f);
}

TEST(FourBarFrames, EveryHalfDegreeButOneAfterAHitAtZeroWithKame) {
  struct Case {
    const char* speed;
    int item;
    std::set<int> missing;
  };
  const Case cases[] = {{"うま", kUma, {}}, {"いぬ", kInu, {}}, {"かめ", kKame, {1}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    OpenWindow w;
    std::vector<float> steps;
    w.platform.onYield = [&] { steps.push_back(w.form.crankAngle); };
    searchFourBarFrames(w.form, c.item);

    std::set<int> expected = allIndices();
    for (int i : c.missing) expected.erase(i);
    EXPECT_EQ(framesIn(w.form.leverTipX), expected);
    EXPECT_EQ(framesIn(w.form.leverTipY), expected);
    EXPECT_EQ(framesIn(w.form.outputX), expected);
    EXPECT_EQ(framesIn(w.form.outputY), expected);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps[1], c.missing.empty() ? 0.5f : 1.0f);
    EXPECT_EQ(steps.back(), 360.0f);
  }
}

TEST(FourBarFrames, FrameOutputPointIsWhatKisekiStoresForThePose) {
  struct Case {
    const char* along;
    const char* across;
  };
  for (const Case c : {Case{"72", "0"}, Case{"72", "10"}, Case{"20", "-7.5"}}) {
    SCOPED_TRACE(testing::Message() << "output offsets " << c.along << ", " << c.across);
    OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, outputOffsetX, c.along);
    test::leaveBox(f, outputOffsetY, c.across);
    searchFourBarFrames(f, kInu);
    const AngleTable frameX = f.outputX, frameY = f.outputY;
    int compared = 0;
    for (int i = 0; i < kAngleSteps; ++i) {
      if (f.leverTipX[i] == kNoPose) continue;
      f.crankAngle = i / 2.0f;
      f.probeX = f.leverTipX[i];
      f.probeY = f.leverTipY[i];
      Kiseki(f);
      EXPECT_EQ(f.outputX[i], frameX[i]) << "at index " << i;
      EXPECT_EQ(f.outputY[i], frameY[i]) << "at index " << i;
      ++compared;
    }
    EXPECT_EQ(compared, kAngleSteps);
  }
}

TEST(FourBarFrames, AgreeWithTheAnalysisWhereBothFindTheSamePose) {
  OpenWindow w;
  Form& f = w.form;
  test::leaveBox(f, outputOffsetY, "10");
  selectSpeed(f, kKame);
  test::PenHitLog log;
  w.platform.onYield = [&] { log.observe(f); };
  Command1_Click(f);
  log.observe(f);
  w.platform.onYield = nullptr;
  const AngleTable analysisX = f.outputX, analysisY = f.outputY;

  BackScreen(f);
  mXmYcls(f);
  Anime4_Kaiseki(f);

  int samePose = 0;
  for (const test::PenHit& h : log.hits) {
    const int i = angleIndex(h.crankAngle);
    if (f.leverTipX[i] != h.probe.x || f.leverTipY[i] != h.probe.y) continue;
    ++samePose;
    EXPECT_EQ(f.outputX[i], analysisX[i]) << "crank angle " << h.crankAngle;
    EXPECT_EQ(f.outputY[i], analysisY[i]) << "crank angle " << h.crankAngle;
  }
  EXPECT_GT(samePose, 600);
}

// Expected six-bar frame indices when every examined step with a driving point is hit,
// except the step at `lostAt` (negative: none).
std::set<int> sixBarFramesExpected(float lostAt) {
  std::set<int> frames;
  for (float a = 0; a <= 360.0f; a += 0.5f) {
    if (a == lostAt) continue;
    frames.insert(angleIndex(a));
    if (a + 0.5 < 360.0) a += 0.5f;
  }
  return frames;
}

TEST(SixBarFrames, WholeDegreesWhileHitsContinueHalfDegreesAfterAMiss) {
  struct Case {
    const char* behaviour;
    void (*spoil)(HandMadeSixBar&);  // what happens at crank angle 10
    float lostAt;
    bool scannedAt10;
  };
  const Case cases[] = {
      {"hits at every step", [](HandMadeSixBar&) {}, -1, true},
      {"the slider leaves the visible canvas at 10",
       [](HandMadeSixBar& w) { w.drive(10, {5000, 5000}); }, 10, true},
      {"no four-bar frame at 10 (x)",
       [](HandMadeSixBar& w) { w.form.outputX[angleIndex(10)] = kNoPose; }, 10, false},
      {"no four-bar frame at 10 (y)",
       [](HandMadeSixBar& w) { w.form.outputY[angleIndex(10)] = kNoPose; }, 10, false},
  };
  for (const Case& c : cases) {
    for (int speed : {kUma, kInu, kKame}) {
      SCOPED_TRACE(testing::Message() << c.behaviour << ", speed item " << speed);
      HandMadeSixBar w;
      selectSpeed(w.form, speed);
      w.driveEverywhere();
      w.paintEveryCandidate();
      c.spoil(w);
      float scanBefore10 = 0, scanAfter10 = 0;
      w.platform.onYield = [&] {
        if (w.form.crankAngle == 10.0f) scanBefore10 = w.form.scanAngle;
        if (w.form.crankAngle == 10.5f) scanAfter10 = w.form.scanAngle;
      };

      Anime6_Kaiseki(w.form);

      const std::set<int> expected = sixBarFramesExpected(c.lostAt);
      for (const AngleTable* t : {&w.form.sixAxisX, &w.form.sixAxisY, &w.form.sixOffsetX,
                                  &w.form.sixOffsetY})
        EXPECT_EQ(framesIn(*t), expected);
      if (c.lostAt >= 0) {
        EXPECT_EQ(scanAfter10 != scanBefore10, c.scannedAt10);
      }
    }
  }
}

TEST(SixBarFrames, SpeedListHasNoEffectOnTheDefaultDesign) {
  struct Tables {
    AngleTable axisX, axisY, offsetX, offsetY;
    bool operator==(const Tables&) const = default;
  };
  std::vector<Tables> results;
  for (int speed : {kUma, kInu}) {
    OpenWindow w;
    searchFourBarFrames(w.form, speed);
    Anime6_Kaiseki(w.form);
    results.push_back({w.form.sixAxisX, w.form.sixAxisY, w.form.sixOffsetX, w.form.sixOffsetY});
  }
  EXPECT_GT(framesIn(results[0].axisX).size(), 100u);
  EXPECT_TRUE(results[0] == results[1]);
}

TEST(SixBarFrames, OffsetVectorFollowsTheAcrossOffset) {
  struct Case {
    const char* across;
    float length;  // of every stored offset vector
  };
  for (const Case c : {Case{"0", 0}, Case{"30", 30}, Case{"-12.5", 12.5f}}) {
    SCOPED_TRACE(testing::Message() << "sixOutputOffsetY " << c.across);
    OpenWindow w;
    Form& f = w.form;
    test::leaveBox(f, sixOutputOffsetY, c.across);
    searchFourBarFrames(f, kInu);
    Anime6_Kaiseki(f);
    int frames = 0;
    for (int i = 0; i < kAngleSteps; ++i) {
      if (f.sixAxisX[i] == kNoPose) continue;
      ++frames;
      if (c.length == 0) {
        EXPECT_EQ(f.sixOffsetX[i], 0.0f);
        EXPECT_EQ(f.sixOffsetY[i], 0.0f);
      } else {
        EXPECT_NEAR(std::hypot(f.sixOffsetX[i], f.sixOffsetY[i]), c.length, 1e-3f);
      }
      // The axis point lies sixOutputOffsetX (100) along the link from the driving point.
      EXPECT_NEAR(std::hypot(f.sixAxisX[i] - f.outputX[i], f.sixAxisY[i] - f.outputY[i]), 100,
                  1e-3f);
    }
    EXPECT_GT(frames, 100);
  }
}

TEST(SixBarFrames, FrameIsThePoseThatKiseki2Draws) {
  // The frame's axis and output points are the two points the analysis locus moves to.
  HandMadeSixBar w("40", "-15");
  w.drive(7.5f);
  w.paint(123);
  Anime6_Kaiseki(w.form);
  const int i = angleIndex(7.5f);
  ASSERT_NE(w.form.sixAxisX[i], kNoPose);

  w.form.prevAxisX = w.form.prevAxisY = w.form.prevOutX = w.form.prevOutY = 0;
  w.form.crankAngle = 7.5f;
  const WorldPoint slider = w.slider(123);
  w.form.probeX = slider.x;
  w.form.probeY = slider.y;
  kiseki2(w.form);
  EXPECT_EQ(w.form.prevAxisX, w.form.sixAxisX[i]);
  EXPECT_EQ(w.form.prevAxisY, w.form.sixAxisY[i]);
  EXPECT_EQ(w.form.prevOutX, w.form.sixAxisX[i] - w.form.sixOffsetX[i]);
  EXPECT_EQ(w.form.prevOutY, w.form.sixAxisY[i] - w.form.sixOffsetY[i]);
}

}  // namespace
}  // namespace gyrenda
