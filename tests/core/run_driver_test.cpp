#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/run_driver.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;

void expectIdle(const Form& f) {
  EXPECT_FALSE(f.running || f.timerEnabled || f.busyPointer || f.fourBarPhase != 0);
  for (int c = 0; c < static_cast<int>(Control::Count); ++c)
    EXPECT_EQ(f.enabledFlags[c], c != static_cast<int>(Control::Command6)) << "control " << c;
  for (int k = 0; k < kParamCount; ++k) EXPECT_TRUE(f.parameterEnabled[k] && f.spinEnabled[k]);
}

TEST(RunDriver, RefusesToBeEnteredDuringARun) {
  OpenWindow w;
  Form& f = w.form;
  w.platform.onPause = [&] { Command6_Click(f); };  // should a nested animation start after all
  int nestedYields = -1;
  w.platform.onYield = [&] {
    if (w.platform.yields != 10) return;
    Byouga(f, kAnalysisRun);
    Command1_Click(f);
    AnimeButton_Click(f, 0);
    test::leaveBox(f, crankRadius, "5");
    nestedYields = w.platform.yields - 10;
    EXPECT_TRUE(f.running);
  };
  Command1_Click(f);
  EXPECT_EQ(nestedYields, 0);
  EXPECT_EQ(f.param(crankRadius), 18.0f) << "no pass during a run";
  expectIdle(f);
}

// Phase 0 is the four-bar search or the animation (Check2 governs), phase 1 the six-bar
// search (Check4). The watchdog ticks once per yield.
TEST(Watchdog, SpeaksOnTheEleventhTickOfEachPhaseWhoseBoxIsUnticked) {
  const struct {  // phases: the phases that show the message, in order
    bool assistant; CheckState check2, check4, check3; bool animation; std::vector<int> phases;
  } cases[] = {
      {false, 0, 0, 1, false, {}},  {true, 1, 1, 1, false, {}},     {true, 2, 2, 1, false, {}},
      {true, 0, 1, 1, false, {0}},  {true, 1, 0, 1, false, {1}},    {true, 0, 0, 1, false, {0, 1}},
      {true, 0, 0, 0, false, {0}},  {true, 0, 1, 1, true, {0}},     {true, 1, 0, 1, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.animation ? "animation" : "analysis") << " assistant "
                 << c.assistant << " boxes " << c.check2 << c.check4 << c.check3);
    OpenWindow w;
    Form& f = w.form;
    f.assistantOn = c.assistant ? -1 : 0;
    f.Check2 = c.check2;
    f.Check4 = c.check4;
    f.Check3 = c.check3;
    int ticks[2] = {};
    std::vector<std::pair<int, int>> shown;  // phase, tick of that phase
    const auto phase = [&] { return f.fourBarPhase != 0 ? 0 : 1; };
    w.platform.onYield = [&] {
      ++ticks[phase()];
      Timer1_Timer(f);
    };
    w.platform.onMessage = [&](const std::string& text) {
      EXPECT_EQ(text, "このリンクは実現できないと思う。");
      shown.push_back({phase(), ticks[phase()]});
    };
    w.platform.onPause = [&] { Command6_Click(f); };
    if (c.animation) AnimeButton_Click(f, 0);
    else Command1_Click(f);
    ASSERT_EQ(shown.size(), c.phases.size());
    for (std::size_t k = 0; k < shown.size(); ++k) EXPECT_EQ(shown[k], std::pair(c.phases[k], 11));
    EXPECT_GT(ticks[0], 11);
  }
}

TEST(Watchdog, CounterStopsAfterTenAndTicksDuringTheOpenMessageAreDropped) {
  OpenWindow w;
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
