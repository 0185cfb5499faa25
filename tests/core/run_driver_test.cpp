// The watchdog's counter over a run far longer than any real one.
#include <gtest/gtest.h>

#include "test_support.h"

namespace gyrenda {
namespace {

TEST(Watchdog, CounterStopsAfterTenAndTicksDuringTheOpenMessageAreDropped) {
  test::OpenWindow w;
  Workbench& bench = w.bench;
  bench.toggleAssistant();
  bench.controls().optimiseFourBar = 0;
  bench.controls().optimiseSixBar = 0;  // whichever phase the watchdog takes as governing
  w.platform.messages.clear();
  w.platform.onMessage = [&](const Message&) {
    if (w.platform.messages.size() > 3) return;  // keeps a faulty watchdog from recursing
    bench.watchdogTick();
    bench.watchdogTick();
  };
  for (int tick = 0; tick < 11; ++tick) bench.watchdogTick();
  const std::vector<Message> cannotBeBuilt{{MessageId::CannotBeBuilt, {}, 0, {}}};
  EXPECT_EQ(w.platform.messages, cannotBeBuilt);
  EXPECT_EQ(bench.watchdogTicks(), 11);
  for (int tick = 0; tick < 70000; ++tick) bench.watchdogTick();
  EXPECT_EQ(w.platform.messages, cannotBeBuilt);
  EXPECT_EQ(bench.watchdogTicks(), 11);
}

}  // namespace
}  // namespace gyrenda
