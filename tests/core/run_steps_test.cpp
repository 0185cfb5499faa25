// The run as steps its driver takes between the user's events: what happens between two steps
// acts at the next one, as the user's events once acted at a loop's yield.
#include <gtest/gtest.h>

#include <cstdint>

#include "test_support.h"

namespace gyrenda {
namespace {

// At yield `at` of an unoptimised analysis at かめ (one step a half degree): 停止 ends the
// four-bar search there and the six-bar search still runs; the end of the program ends the
// whole run at that step; while the watchdog's message is open the driver takes no step, so a
// step asked for then leaves the crank where it was; a speed chosen mid-run takes effect at
// the next hit.
TEST(SteppedRun, WhatActsBetweenTwoStepsTakesEffectAtTheNext) {
  enum class Act { None, Stop, Quit, Watchdog, Speed };
  std::int32_t examinedAtKame = 0, examinedAtInu = 0;
  for (const Act act : {Act::None, Act::Stop, Act::Quit, Act::Watchdog, Act::Speed}) {
    SCOPED_TRACE(static_cast<int>(act));
    test::OpenWindow w;
    Workbench& bench = w.bench;
    bench.controls().analyseSixBar = 1;
    bench.controls().optimiseFourBar = 0;
    bench.selectSpeed(act == Act::Speed ? 1 : 2);
    if (act == Act::None) {  // the same search at いぬ, then at かめ, with nothing in between
      bench.selectSpeed(1);
      bench.execute();
      examinedAtInu = bench.result().hits.fourBarExamined;
      bench.selectSpeed(2);
      bench.execute();
      examinedAtKame = bench.result().hits.fourBarExamined;
      ASSERT_LT(examinedAtInu, examinedAtKame);
      continue;
    }
    if (act == Act::Watchdog) bench.toggleAssistant();
    int yields = 0, stepsInMessage = 0;
    float angleInMessage = -1;
    w.platform.onMessage = [&](const Message& m) {
      if (m.id != MessageId::CannotBeBuilt) return;
      angleInMessage = bench.loopCrankAngle();
      stepsInMessage += bench.advanceRun();
      EXPECT_EQ(bench.loopCrankAngle(), angleInMessage) << "the run waits for the message";
    };
    w.platform.onYield = [&] {
      if (++yields != 100) return;
      if (act == Act::Stop) bench.stop();
      if (act == Act::Quit) bench.quit();
      if (act == Act::Speed) bench.selectSpeed(2);
      for (int tick = 0; act == Act::Watchdog && tick <= 10; ++tick) bench.watchdogTick();
    };
    bench.execute();
    const RunHits& hits = bench.result().hits;
    EXPECT_FALSE(bench.running());
    EXPECT_EQ(hits.fourBarStopped, act == Act::Stop || act == Act::Quit);
    if (act == Act::Speed)
      EXPECT_TRUE(hits.fourBarExamined > examinedAtInu && hits.fourBarExamined < examinedAtKame);
    else
      EXPECT_EQ(hits.fourBarExamined, act == Act::Watchdog ? examinedAtKame : 99);
    EXPECT_EQ(hits.sixBarSearched, act != Act::Quit);
    EXPECT_EQ(stepsInMessage, act == Act::Watchdog);
    EXPECT_EQ(angleInMessage, act == Act::Watchdog ? 49.5f : -1.0f);
  }
}

}  // namespace
}  // namespace gyrenda
