// The animation player: playback order, pauses, and the stop and quit protocol of its loops.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "app/commands.h"
#include "canvas/four_bar_search.h"
#include "sixbar/animation.h"
#include "test_support.h"

namespace gyrenda {
namespace {

// The window with the four-bar frames of its design and a yield that records the crank
// angle and calls `atStep`; a runaway run is ended by an exception.
struct Player : test::OpenWindow {
  Player() {
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

TEST(AnimationPlayer, PauseLengthsKeepTheRatioOfTheThreeSpeeds) {
  EXPECT_GT(animationPause(5).count(), 0);
  EXPECT_EQ(animationPause(1), 441 * animationPause(5));
  EXPECT_EQ(animationPause(0), 676 * animationPause(5));
}

// A stop ends the loop that sees it: the four-bar frames, then the six-bar frames, then the
// playback each need one of their own.
TEST(AnimationPlayer, EachLoopNeedsAStopOfItsOwn) {
  for (const float sixBarStop : {50.0f, -1.0f}) {  // -1: the six-bar frame search runs through
    SCOPED_TRACE(testing::Message() << "six-bar frame search stopped at " << sixBarStop);
    Player p;
    Form& f = p.form;
    f.Check3 = 1;
    int loop = -1;  // each loop starts at 0°: four-bar frames, six-bar frames, playback
    float lastSixBarStep = 0;
    p.atStep = [&] {
      loop += f.crankAngle == 0;
      if (loop == 1) lastSixBarStep = f.crankAngle;
      if ((loop == 0 && f.crankAngle == 100) || (loop == 1 && f.crankAngle == sixBarStop) ||
          (loop == 2 && f.crankAngle == 5))
        Command6_Click(f);
    };
    AnimeButton_Click(f, 0);
    EXPECT_EQ(loop, 2);
    EXPECT_EQ(f.leverTipX[angleIndex(100)], kNoPose);
    EXPECT_NE(f.leverTipX[angleIndex(99.5f)], kNoPose);
    EXPECT_EQ(lastSixBarStep, sixBarStop < 0 ? 360 : sixBarStop);
    EXPECT_EQ(p.steps.back(), 5);
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
