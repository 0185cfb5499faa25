// The loops' protocol beyond what the golden designs show: the watchdog's counter over a
// very long run, the length of the playback pause at each speed.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/run_driver.h"
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

TEST(AnimationPlayer, PauseLengthsKeepTheRatioOfTheThreeSpeeds) {
  EXPECT_GT(animationPause(5).count(), 0);
  EXPECT_EQ(animationPause(1), 441 * animationPause(5));
  EXPECT_EQ(animationPause(0), 676 * animationPause(5));
}

}  // namespace
}  // namespace gyrenda
