#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/run_driver.h"
#include "canvas/grid.h"
#include "test_support.h"

namespace gyrenda {
namespace {

using test::OpenWindow;

// Crank passes seen through the yields: each search, frame search or playback lap starts
// its crank loop at 0 (a backwards playback at 360).
int passesStarted(const std::vector<float>& yieldAngles) {
  int n = 0;
  for (float a : yieldAngles) n += a == 0.0f;
  return n;
}

void expectIdle(const Form& f, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_FALSE(f.running);
  EXPECT_FALSE(f.timerEnabled);
  EXPECT_FALSE(f.busyPointer);
  EXPECT_EQ(f.fourBarPhase, 0);
  EXPECT_FALSE(f.enabled(Control::Command6));
  for (Control c : {Control::Command1, Control::Command2, Control::Command3, Control::Command4,
                    Control::AnimeButton0, Control::AnimeButton1, Control::HScroll1,
                    Control::VScroll1, Control::Check2, Control::Check3, Control::Check4,
                    Control::RealTimeSW, Control::Multi, Control::Option1_0, Control::Option1_1,
                    Control::Picture1DblClick, Control::FileMenu, Control::List3,
                    Control::HelpMenu})
    EXPECT_TRUE(f.enabled(c)) << static_cast<int>(c);
  for (int k = 0; k < kParamCount; ++k) {
    EXPECT_TRUE(f.parameterEnabled[k]) << k;
    EXPECT_TRUE(f.spinEnabled[k]) << k;
  }
}

void expectRunning(const Form& f) {
  EXPECT_TRUE(f.running);
  EXPECT_TRUE(f.timerEnabled);
  EXPECT_TRUE(f.busyPointer);
  EXPECT_TRUE(f.enabled(Control::Command6));
  for (Control c : {Control::Command1, Control::Command2, Control::Command3, Control::Command4,
                    Control::AnimeButton0, Control::AnimeButton1, Control::HScroll1,
                    Control::VScroll1, Control::Check2, Control::Check3, Control::Check4,
                    Control::RealTimeSW, Control::Multi, Control::Option1_0,
                    Control::Picture1DblClick, Control::FileMenu})
    EXPECT_FALSE(f.enabled(c)) << static_cast<int>(c);
  // The speed list, 停止 and Help stay usable during a run.
  EXPECT_TRUE(f.enabled(Control::List3));
  EXPECT_TRUE(f.enabled(Control::HelpMenu));
  EXPECT_FALSE(f.parameterEnabled[0]);
  EXPECT_FALSE(f.spinEnabled[12]);
}

// Ends an animation's playback at its first pause; a safety net stops any loop that runs on.
void stopPlaybackAtFirstPause(OpenWindow& w) {
  w.platform.onPause = [&w] { Command6_Click(w.form); };
}

TEST(RunDriver, ExecuteRunsTheSixBarSearchOnlyWhenAsked) {
  int sixBarPixels[2] = {};
  for (CheckState six : {0, 1}) {
    OpenWindow w;
    Form& f = w.form;
    f.Check3 = six;
    std::vector<float> angles;
    w.platform.onYield = [&] { angles.push_back(f.crankAngle); };
    Command1_Click(f);
    EXPECT_EQ(passesStarted(angles), six ? 2 : 1);
    EXPECT_EQ(angles.back(), 360.0f);
    sixBarPixels[six] = test::countPixels(f.canvas, test::isQuadrantColour);
    EXPECT_EQ(f.Label5, "終了");
    expectIdle(f, "analysis");
  }
  EXPECT_GT(sixBarPixels[1], sixBarPixels[0] + 100) << "the six-bar locus is drawn";
}

TEST(RunDriver, StopInTheFourBarPhaseStillRunsTheSixBarSearchInFull) {
  OpenWindow w;
  Form& f = w.form;
  f.Check3 = 1;
  std::vector<float> angles;
  float pressedAt = -1;
  w.platform.onYield = [&] {
    angles.push_back(f.crankAngle);
    if (pressedAt < 0 && f.crankAngle >= 50.0f && f.fourBarPhase != 0) {
      pressedAt = f.crankAngle;
      Command6_Click(f);
    }
  };
  Command1_Click(f);
  EXPECT_EQ(passesStarted(angles), 2);
  EXPECT_EQ(angles.back(), 360.0f) << "the six-bar search ran to its end";
  for (int i = angleIndex(pressedAt); i < kAngleSteps; ++i) ASSERT_EQ(f.outputX[i], kNoPose) << i;
  EXPECT_NE(f.outputX[0], kNoPose);
  EXPECT_EQ(f.stopRequested, 0);
  expectIdle(f, "stopped analysis");
}

TEST(RunDriver, AnimationNeverCallsTheSixBarSearch) {
  for (int direction : {0, 1}) {
    OpenWindow w;
    Form& f = w.form;
    f.Check3 = 1;
    int yields = 0, yieldsAfterStop = -1;
    w.platform.onYield = [&] {
      ++yields;
      if (yieldsAfterStop >= 0) ++yieldsAfterStop;
      if (yields > 20000) Command6_Click(f);  // never reached when playback pauses
    };
    w.platform.onPause = [&] {
      if (yieldsAfterStop < 0) yieldsAfterStop = 0;
      Command6_Click(f);
    };
    AnimeButton_Click(f, direction);
    // Four-bar frames and six-bar frames, one lap of playback up to the stop, then nothing:
    // a six-bar search would yield again.
    EXPECT_EQ(yieldsAfterStop, 1) << direction;
    EXPECT_LT(yields, 20000);
    EXPECT_NE(f.sixAxisX[0], kNoPose) << "six-bar frames were computed";
    EXPECT_EQ(f.prevAxisX, 0.0f) << "no six-bar locus was drawn";
    EXPECT_EQ(f.prevOutX, 0.0f);
    expectIdle(f, direction ? "backwards animation" : "forwards animation");
  }
}

TEST(RunDriver, EveryRunEndsIdleAndRunsInTheRunningState) {
  struct Case {
    const char* name;
    std::function<void(Form&)> run;
    CheckState six;
  };
  const Case cases[] = {
      {"analysis", [](Form& f) { Command1_Click(f); }, 0},
      {"analysis with six-bar", [](Form& f) { Command1_Click(f); }, 1},
      {"forwards animation", [](Form& f) { AnimeButton_Click(f, 0); }, 1},
      {"backwards animation", [](Form& f) { AnimeButton_Click(f, 1); }, 0},
      {"driver called directly", [](Form& f) { Byouga(f, kAnalysisRun); }, 0},
      {"pass drawing immediately", [](Form& f) {
         f.RealTimeSW = 1;
         test::leaveBox(f, crankRadius, "17");
       }, 0},
  };
  for (const Case& c : cases) {
    OpenWindow w;
    Form& f = w.form;
    f.Check3 = c.six;
    int checked = 0;
    w.platform.onYield = [&] {
      if (checked++ == 3) {
        SCOPED_TRACE(c.name);
        expectRunning(f);
      }
    };
    stopPlaybackAtFirstPause(w);
    c.run(f);
    EXPECT_GT(checked, 3) << c.name;
    expectIdle(f, c.name);
    EXPECT_EQ(f.editGuard, 0) << c.name;
  }
}

TEST(RunDriver, RefusesToBeEnteredDuringARun) {
  OpenWindow w;
  Form& f = w.form;
  stopPlaybackAtFirstPause(w);  // should the nested animation start after all
  int yields = 0, nestedYields = -1;
  float crankBefore = 0;
  w.platform.onYield = [&] {
    ++yields;
    if (yields != 10) return;
    crankBefore = f.crankAngle;
    const int before = yields;
    Byouga(f, kAnalysisRun);
    Command1_Click(f);
    AnimeButton_Click(f, 0);
    f.parameterText[crankRadius] = "5";
    parameter_LostFocus(f, crankRadius);
    nestedYields = yields - before;
    EXPECT_TRUE(f.running);
    EXPECT_TRUE(f.timerEnabled);
    EXPECT_EQ(f.crankAngle, crankBefore) << "the running search keeps its place";
  };
  Command1_Click(f);
  EXPECT_EQ(nestedYields, 0);
  EXPECT_EQ(f.param(crankRadius), 18.0f) << "no pass during a run";
  EXPECT_EQ(f.Label5, "終了");
  expectIdle(f, "after the refused calls");
}

// Ticks the watchdog once per yield and notes, for every message, the phase and the tick of
// that phase on which it appeared.
struct WatchdogLog {
  explicit WatchdogLog(OpenWindow& w) {
    Form& f = w.form;
    w.platform.onYield = [this, &f] {
      ++ticks[f.fourBarPhase != 0 ? 0 : 1];
      Timer1_Timer(f);
    };
    w.platform.onMessage = [this, &f](const std::string& text) {
      const int phase = f.fourBarPhase != 0 ? 0 : 1;
      shown.push_back({phase, ticks[phase], text});
    };
  }
  struct Shown {
    int phase, tick;
    std::string text;
  };
  int ticks[2] = {};
  std::vector<Shown> shown;
};

TEST(Watchdog, SpeaksOnTheEleventhTickOfAPhaseWhoseBoxIsUnticked) {
  struct Case {
    bool assistant;
    CheckState check2, check4, check3;
    bool animation;
    std::vector<int> phases;  // phases that show the message, in order
  };
  const Case cases[] = {
      {false, 0, 0, 1, false, {}},  {true, 1, 1, 1, false, {}},    {true, 0, 1, 1, false, {0}},
      {true, 1, 0, 1, false, {1}},  {true, 0, 0, 1, false, {0, 1}}, {true, 0, 0, 0, false, {0}},
      {true, 2, 2, 1, false, {}},   {true, 0, 1, 1, true, {0}},     {true, 1, 0, 1, true, {}},
      {false, 0, 0, 1, true, {}},
  };
  for (const Case& c : cases) {
    OpenWindow w;
    Form& f = w.form;
    f.assistantOn = c.assistant ? -1 : 0;
    f.Check2 = c.check2;
    f.Check4 = c.check4;
    f.Check3 = c.check3;
    WatchdogLog log(w);
    stopPlaybackAtFirstPause(w);
    if (c.animation) AnimeButton_Click(f, 0);
    else Command1_Click(f);
    const std::string what = std::string(c.animation ? "animation" : "analysis") + " assistant " +
                             std::to_string(c.assistant) + " boxes " + std::to_string(c.check2) +
                             std::to_string(c.check4) + std::to_string(c.check3);
    ASSERT_EQ(log.shown.size(), c.phases.size()) << what;
    for (std::size_t k = 0; k < c.phases.size(); ++k) {
      EXPECT_EQ(log.shown[k].phase, c.phases[k]) << what;
      EXPECT_EQ(log.shown[k].tick, 11) << what;
      EXPECT_EQ(log.shown[k].text, "このリンクは実現できないと思う。");
    }
    EXPECT_GT(log.ticks[0], 11) << what;
    if (c.check3 && !c.animation) {
      EXPECT_GT(log.ticks[1], 11) << what;
    }
  }
}

TEST(Watchdog, CounterStopsAfterTenAndNeverSpeaksTwice) {
  OpenWindow w;
  Form& f = w.form;
  f.assistantOn = -1;
  f.Check2 = 0;
  f.fourBarPhase = -1;
  for (int tick = 0; tick < 70000; ++tick) Timer1_Timer(f);
  EXPECT_EQ(w.platform.messages.size(), 1u);
  EXPECT_EQ(f.watchdogTicks, 11);
}

TEST(Watchdog, TickDuringTheOpenMessageIsDropped) {
  OpenWindow w;
  Form& f = w.form;
  f.assistantOn = -1;
  f.Check2 = 0;
  f.fourBarPhase = -1;
  int nested = 0;
  w.platform.onMessage = [&](const std::string&) {
    if (++nested > 3) return;  // keeps a faulty watchdog from recursing without end
    Timer1_Timer(f);
    Timer1_Timer(f);
  };
  for (int tick = 0; tick < 11; ++tick) Timer1_Timer(f);
  EXPECT_EQ(w.platform.messages.size(), 1u);
  EXPECT_EQ(f.watchdogTicks, 11);
  EXPECT_FALSE(f.watchdogShowing);
  Timer1_Timer(f);
  EXPECT_EQ(w.platform.messages.size(), 1u);
}

TEST(Watchdog, SilentWithoutTheAssistantOrWithTheBoxTicked) {
  struct Case {
    bool assistant;
    CheckState box;
  };
  for (const Case c : {Case{false, 0}, Case{true, 1}, Case{true, 2}, Case{false, 1}}) {
    OpenWindow w;
    Form& f = w.form;
    f.assistantOn = c.assistant ? -1 : 0;
    for (bool firstPhase : {true, false}) {
      f.fourBarPhase = firstPhase ? -1 : 0;
      f.Check2 = firstPhase ? c.box : 1;
      f.Check4 = firstPhase ? 1 : c.box;
      f.watchdogTicks = 0;
      for (int tick = 0; tick < 30; ++tick) Timer1_Timer(f);
    }
    EXPECT_TRUE(w.platform.messages.empty()) << c.assistant << " " << c.box;
  }
}

}  // namespace
}  // namespace gyrenda
