// The loops' protocol beyond what the golden designs show: the watchdog's counter, the order
// of playback laps, the length of the playback pause.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/run_driver.h"
#include "canvas/four_bar_search.h"
#include "sixbar/animation.h"
#include "test_support.h"

namespace gyrenda {
namespace {

TEST(Watchdog, CounterStopsAfterTenAndTicksDuringTheOpenMessageAreDropped) {
  test::OpenWindow w;
  Form& f = w.form;
  f.assistantOn = -1;
  f.Check2 = 0;
  f.fourBarPhase = -1;
  w.platform.onMessage = [&](const std::string&) {
    if (w.platform.messages.size() > 3) return;  // keeps a faulty watchdog from recursing
    Timer1_Timer(f);
    Timer1_Timer(f);
  };
  for (int tick = 0; tick < 11; ++tick) Timer1_Timer(f);
  EXPECT_EQ(w.platform.messages.size(), 1u);
  EXPECT_EQ(f.watchdogTicks, 11);
  for (int tick = 0; tick < 70000; ++tick) Timer1_Timer(f);
  EXPECT_EQ(w.platform.messages.size(), 1u);
  EXPECT_EQ(f.watchdogTicks, 11);
}

TEST(AnimationPlayer, PlaysLapAfterLapInTheSelectedDirection) {
  for (const std::int16_t selector : {0, 1, 2}) {
    test::OpenWindow w;
    Form& f = w.form;
    mXmYcls(f);
    Anime4_Kaiseki(f);
    std::vector<float> steps;
    w.platform.onYield = [&] {
      steps.push_back(f.crankAngle);
      if (steps.size() == 723) Command6_Click(f);
    };
    Anime_Anime(f, selector);
    ASSERT_EQ(steps.size(), 723u) << selector;
    for (std::size_t k = 0; k < 723; ++k)  // 0 … 360, 0, 0.5 or 360 … 0, 360, 359.5
      EXPECT_EQ(steps[k], selector == 1 ? 360 - (k % 721) / 2.0f : (k % 721) / 2.0f) << k;
  }
}

TEST(AnimationPlayer, PauseLengthsKeepTheRatioOfTheThreeSpeeds) {
  EXPECT_GT(animationPause(5).count(), 0);
  EXPECT_EQ(animationPause(1), 441 * animationPause(5));
  EXPECT_EQ(animationPause(0), 676 * animationPause(5));
}

}  // namespace
}  // namespace gyrenda
