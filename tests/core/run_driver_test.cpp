// The watchdog's counter over a run far longer than a golden design makes. (The golden designs
// pin the rest of the loops' protocol, the playback pauses at the three speeds included.)
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/run_driver.h"
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

}  // namespace
}  // namespace gyrenda
