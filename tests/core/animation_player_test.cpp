// The animation player: playback order, drawing and wiping, pauses, markers, stop and quit.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>

#include "app/commands.h"
#include "canvas/four_bar_drawing.h"
#include "canvas/four_bar_search.h"
#include "sixbar/animation.h"
#include "sixbar/slide.h"
#include "test_support.h"

namespace gyrenda {
namespace {

// The window with the four-bar frames of its design and a yield that records the crank
// angle and calls `atStep`; a runaway run is ended by an exception.
struct Player : test::OpenWindow {
  explicit Player(const char* outputAlong = "72", const char* outputAcross = "0") {
    test::leaveBox(form, outputOffsetX, outputAlong);
    test::leaveBox(form, outputOffsetY, outputAcross);
    mXmYcls(form);
    Anime4_Kaiseki(form);
    platform.onYield = [this] {
      steps.push_back(form.crankAngle);
      atStep();
      if (steps.size() > 20000) throw std::runtime_error("the run does not end");
    };
  }
  std::vector<float> steps;
  std::function<void()> atStep = [] {};
};

TEST(AnimationPlayer, PlaysLapAfterLapInTheSelectedDirection) {
  for (const std::int16_t selector : {0, 1, 2}) {
    SCOPED_TRACE(testing::Message() << "selector " << selector);
    Player p;
    p.atStep = [&] { if (p.steps.size() == 723) Command6_Click(p.form); };
    Anime_Anime(p.form, selector);
    ASSERT_EQ(p.steps.size(), 723u);
    for (std::size_t k = 0; k < 723; ++k)  // 0 … 360, 0, 0.5 or 360 … 0, 360, 359.5
      EXPECT_EQ(p.steps[k], selector == 1 ? 360 - (k % 721) / 2.0f : (k % 721) / 2.0f) << k;
  }
}

TEST(AnimationPlayer, DrawsEachFramePausesAtTheCurrentSpeedAndWipesThePreviousFrame) {
  // Frames at 30° and 60° only, on a grey canvas: the steps between draw nothing and do not
  // pause. The speed changes from いぬ to かめ between the two frames.
  for (const bool sixBar : {false, true}) {
    SCOPED_TRACE(sixBar ? "six-bar frames" : "four-bar frames");
    Player p("-20", "10");  // output arm behind the crank tip and off the coupler line
    Form& f = p.form;
    for (int i = 0; i < kAngleSteps; ++i) {
      const bool frame = i == 60 || i == 120;
      if (!frame || sixBar) f.leverTipX[i] = kNoPose;
      if (!frame || !sixBar) continue;
      f.sixAxisX[i] = f.sixOffsetY[i] = i / 4.0f;
      f.sixAxisY[i] = f.sixOffsetX[i] = -i / 8.0f;
    }
    f.canvas.clear(8);
    const Raster grey = f.canvas;
    std::vector<std::pair<Raster, std::size_t>> shown;  // canvas and pauses at each yield
    std::vector<Raster> atPause;
    p.platform.onPause = [&] { atPause.push_back(f.canvas); };
    p.atStep = [&] {
      shown.emplace_back(f.canvas, p.platform.pauses.size());
      if (shown.size() == 90) selectSpeed(f, 2);
      if (shown.size() == 122) Command6_Click(f);
    };
    Anime_Anime(f, 0);
    ASSERT_EQ(shown.size(), 122u);
    const Raster &afterFirst = shown[61].first, &afterSecond = shown[121].first;
    for (std::size_t k = 0; k < 121; ++k) {
      SCOPED_TRACE(testing::Message() << "at the yield of " << k / 2.0f);
      EXPECT_TRUE(test::samePixels(shown[k].first, k <= 60 ? grey : afterFirst));
      EXPECT_EQ(shown[k].second, k <= 60 ? 0u : 1u);
    }
    ASSERT_EQ(shown[121].second, 2u);
    EXPECT_FALSE(test::samePixels(atPause[1], afterFirst));  // both poses show during the pause
    EXPECT_EQ(test::countPixels(atPause[1], kBlack), 0);
    EXPECT_EQ(p.platform.pauses, (std::vector{animationPause(1), animationPause(0)}));
    int notWiped = 0;  // the second pose is drawn before the first is wiped
    for (int y = 0; y < Raster::kHeight; ++y)
      for (int x = 0; x < Raster::kWidth; ++x)
        notWiped += afterFirst.at(x, y) != 8 && afterSecond.at(x, y) != kBlack;
    EXPECT_EQ(notWiped, 0);
    for (Colour c : sixBar ? std::set<Colour>{14, 15} : std::set<Colour>{10, 7, 11, 12, 13}) {
      EXPECT_GT(test::countPixels(afterFirst, c), 0) << int(c);
      EXPECT_GT(test::countPixels(afterSecond, c), 0) << int(c);
    }
    EXPECT_EQ(test::countPixels(afterFirst, kBlack), 0);
  }
}

TEST(AnimationPlayer, PauseLengthsKeepTheRatioOfTheThreeSpeeds) {
  EXPECT_GT(animationPause(5).count(), 0);
  EXPECT_EQ(animationPause(1), 441 * animationPause(5));
  EXPECT_EQ(animationPause(0), 676 * animationPause(5));
}

TEST(AnimationPlayer, EachLoopNeedsAStopOfItsOwnAndTheMarkersAreRedrawnAfter) {
  for (const float sixBarStop : {50.0f, -1.0f}) {  // -1: the six-bar frame search runs through
    SCOPED_TRACE(testing::Message() << "six-bar frame search stopped at " << sixBarStop);
    Player p;
    Form& f = p.form;
    f.Check3 = 1;
    int loop = -1;  // each loop starts at 0°: four-bar frames, six-bar frames, playback
    float lastSixBarStep = 0;
    test::OpenWindow markers;  // the canvas at the last stop, then the markers drawn again
    p.atStep = [&] {
      loop += f.crankAngle == 0;
      if (loop == 1) lastSixBarStep = f.crankAngle;
      if (loop == 2 && f.crankAngle == 5) markers.form.canvas = f.canvas;
      if ((loop == 0 && f.crankAngle == 100) || (loop == 1 && f.crankAngle == sixBarStop) ||
          (loop == 2 && f.crankAngle == 5))
        Command6_Click(f);
    };
    AnimeButton_Click(f, 0);
    EXPECT_EQ(loop, 2);
    EXPECT_EQ(f.leverTipX[angleIndex(100)], kNoPose);
    EXPECT_NE(f.leverTipX[angleIndex(99.5f)], kNoPose);
    EXPECT_EQ(lastSixBarStep, sixBarStop < 0 ? 360 : sixBarStop);
    const Raster atStop = markers.form.canvas;
    Teko(markers.form);
    Kuranku(markers.form);
    Teko2(markers.form);
    EXPECT_FALSE(test::samePixels(markers.form.canvas, atStop));  // the playback wiped some
    EXPECT_TRUE(test::samePixels(markers.form.canvas, f.canvas));
  }
}

TEST(AnimationPlayer, QuitEndsEveryLoopAtOnce) {
  struct Case { int button; CheckState sixBar; std::size_t loopsToCome; };  // button -1: 実行
  for (const Case c : {Case{0, 1, 2}, Case{1, 0, 1}, Case{-1, 1, 1}}) {
    SCOPED_TRACE(c.button);
    Player p;
    p.form.Check3 = c.sixBar;
    std::size_t quitAt = 0;
    p.atStep = [&] {
      if (p.form.crankAngle < 100 || quitAt != 0) return;
      quitAt = p.steps.size();
      Command2_Click(p.form);
    };
    c.button < 0 ? Command1_Click(p.form) : AnimeButton_Click(p.form, c.button);
    EXPECT_EQ(p.steps.size() - quitAt, c.loopsToCome);  // each yields once and leaves
    EXPECT_FALSE(p.form.running);
  }
}

}  // namespace
}  // namespace gyrenda
