// Whole designs driven as a user would, compared with the state and canvas they left before:
// every box, bar, caption and result table, and every pixel. A difference writes the actual
// files into the working folder beside copies of the expected ones, so they can be compared.
// GYRENDA_UPDATE_GOLDEN=1 rewrites the expected files after a deliberate change.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "app/commands.h"
#include "app/run_driver.h"
#include "canvas/four_bar_search.h"
#include "canvas/grid.h"
#include "sixbar/six_bar_search.h"
#include "test_support.h"
#include "ui/pointer_tools.h"

namespace gyrenda {
namespace {

// The window as a user drives it. Hooks act from inside the yields of a run, and every
// message is noted with the yield it came at.
struct Driven : test::OpenWindow {
  Driven() {
    // A hook may add hooks: each is copied before it runs.
    platform.onYield = [this] {
      if (platform.yields == kYieldLimit) {
        ADD_FAILURE() << "the run does not end";
        form.quitRequested = true;
      }
      for (std::size_t k = 0; k < atYield.size(); ++k) {
        const auto hook = atYield[k];
        hook();
      }
    };
    platform.onMessage = [this](const std::string&) { messageYields.push_back(platform.yields); };
  }
  static constexpr int kYieldLimit = 50000;
  std::vector<std::function<void()>> atYield;
  std::vector<int> messageYields;
};

// One user action per step: "set K TEXT", "spin K VALUE", "speed N", "check2|check3|check4|
// realtime STATE", "zoom+", "zoom-", "hpan H", "vpan V", "run", "frames", "anime DIR
// STOP-AT-PAUSE" (0: never), "stop", "quit", "option K", "point X Y" (a double-click at a world
// point), "move X Y", "assist", "ticks" (a watchdog tick at every yield from now on), and
// "at ANGLE N STEP": STEP at the N-th yield that finds the crank at ANGLE.
void act(Driven& w, const std::string& step) {
  Form& f = w.form;
  std::istringstream in(step);
  std::string op;
  in >> op;
  float x = 0, y = 0;
  std::string text;
  const std::map<std::string, CheckState Form::*> boxes{{"check2", &Form::Check2},
      {"check3", &Form::Check3}, {"check4", &Form::Check4}, {"realtime", &Form::RealTimeSW}};
  if (boxes.contains(op)) in >> f.*boxes.at(op);
  else if (op == "set" && in >> x >> text) test::leaveBox(f, static_cast<int>(x), text);
  else if (op == "spin" && in >> x >> y) setSpinBar(f, static_cast<int>(x), static_cast<int>(y));
  else if (op == "speed" && in >> x) selectSpeed(f, static_cast<int>(x));
  else if (op == "zoom+") Command3_Click(f);
  else if (op == "zoom-") Command4_Click(f);
  else if (op == "hpan" && in >> f.HScroll1) HScroll1_Change(f);
  else if (op == "vpan" && in >> f.VScroll1) VScroll1_Change(f);
  else if (op == "run") Command1_Click(f);
  else if (op == "frames") {
    BackScreen(f);
    mXmYcls(f);
    Anime4_Kaiseki(f);
    if (ticked(f.Check3)) Anime6_Kaiseki(f);
  } else if (op == "anime" && in >> x >> y) {
    w.platform.onPause = [&f, &w, y] { if (w.platform.pauses.size() == y) Command6_Click(f); };
    AnimeButton_Click(f, static_cast<int>(x));
  } else if (op == "stop") Command6_Click(f);
  else if (op == "quit") Command2_Click(f);
  else if (op == "option") in >> f.Option1;
  else if ((op == "point" || op == "move") && in >> x >> y) {
    Picture1_MouseMove(f, x, -y);
    if (op == "point") Picture1_DblClick(f);
  } else if (op == "assist") multi_DblClick(f);
  else if (op == "ticks") w.atYield.push_back([&f] { Timer1_Timer(f); });
  else if (op == "at" && in >> x >> y >> std::ws && std::getline(in, text)) {
    auto seen = std::make_shared<int>(0);  // shared by the copies the yield makes
    w.atYield.push_back([&w, x, y, text, seen] {
      if (w.form.crankAngle == x && ++*seen == y) act(w, text);
    });
  } else FAIL() << "unknown step " << step;
}

std::string stateText(const Form& f, const Driven& w) {
  const test::FakePlatform& p = w.platform;
  std::ostringstream o;
  o.precision(9);
  long long paused = 0;
  for (const auto length : p.pauses) paused += length.count();
  o << "yields " << p.yields << " | pauses " << p.pauses.size() << " " << paused << " µs |";
  for (std::size_t k = 0; k < p.messages.size(); ++k)
    o << ' ' << p.messages[k] << " at " << w.messageYields[k];
  o << "\nenabled ";
  for (bool e : f.enabledFlags) o << e;
  for (int k = 0; k < kParamCount; ++k) o << f.parameterEnabled[k] << f.spinEnabled[k];
  o << " | running " << f.running << " timer " << f.timerEnabled << " busy " << f.busyPointer
    << " guard " << f.editGuard << " stop " << f.stopRequested << " phase " << f.fourBarPhase
    << '\n';
  for (int k = 0; k < kParamCount; ++k)
    o << k << ": " << f.parameterText[k] << " | " << f.spinValue[k] << " | " << f.param(k) << '\n';
  o << f.Label13 << " | " << f.Label5 << " | " << f.Zahyou[0] << ' ' << f.Zahyou[1] << " | option "
    << f.Option1 << " | zoom " << f.zoomLevel << " | speed " << f.speedStep << '\n'
    << "factors " << f.outAlongFactor << ' ' << f.outAcrossFactor << ' ' << f.sixRatioX << ' '
    << f.sixRatioY << '\n';
  for (int i = 0; i < kAngleSteps; ++i) {
    o << i;
    for (const AngleTable* t : {&f.outputX, &f.outputY, &f.leverTipX, &f.leverTipY, &f.sixAxisX,
                                &f.sixAxisY, &f.sixOffsetX, &f.sixOffsetY})
      o << ' ' << (*t)[i];
    o << '\n';
  }
  return o.str();
}

// The canvas as a grey map of palette indices (maximum 15), which image viewers open.
std::string canvasPgm(const Raster& r) {
  std::string pgm = "P5\n769 449\n15\n";
  for (int y = 0; y < Raster::kHeight; ++y)
    for (int x = 0; x < Raster::kWidth; ++x) pgm += static_cast<char>(r.at(x, y));
  return pgm;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// The first line where two texts differ, for a readable failure.
std::string firstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  std::string le, la;
  for (int n = 1;; ++n) {
    const bool moreE = static_cast<bool>(std::getline(e, le));
    const bool moreA = static_cast<bool>(std::getline(a, la));
    if (!moreE && !moreA) return "no line differs";
    if (!moreE || !moreA || le != la)
      return "line " + std::to_string(n) + ": expected [" + (moreE ? le : "end") + "] got [" +
             (moreA ? la : "end") + "]";
  }
}

TEST(Golden, DesignsDrivenThroughTheWindowLeaveTheStateAndCanvasTheyLeftBefore) {
  const struct { const char* name; std::vector<std::string> steps; } scenarios[] = {
      {"defaults", {"run"}},
      {"six_bar_defaults", {"check3 1", "run"}},
      {"kame_unoptimised", {"speed 2", "check2 0", "check4 0", "check3 1", "run"}},
      {"uma_zoomed_out_off_mesh",
       {"speed 0", "zoom-", "zoom-", "hpan -65", "vpan -145", "check3 1", "run"}},
      {"zoomed_in_part_out_of_view", {"zoom+", "zoom+", "hpan 0", "vpan -60", "check3 1", "run"}},
      {"offsets_across", {"set 5 -7.5", "set 7 40", "set 8 -15", "check3 1", "run"}},
      {"fractional_design", {"set 1 24.25", "set 0 12.5", "set 2 30", "set 3 25", "set 4 -36",
                             "set 5 9", "speed 2", "check3 1", "run"}},
      {"repaired_design", {"set 0 40", "set 2 0", "set 6 -3", "set 11 20", "check3 1", "run"}},
      {"stopped_at_99", {"check3 1", "at 99 1 stop", "run"}},
      {"quit_at_99", {"check3 1", "at 99 1 quit", "run"}},
      {"speed_to_uma_at_354", {"speed 2", "at 354 1 speed 0", "run"}},
      {"speed_to_inu_at_359", {"speed 2", "at 359 1 speed 1", "check3 1", "run"}},
      {"nothing_enters_a_run", {"at 6 1 run", "at 6 1 anime 0 1", "at 6 1 set 0 5",
                                "at 6 1 spin 1 30", "at 9 1 point 33.25 44.5", "at 9 1 assist",
                                "run"}},
      {"watchdog_both_phases", {"assist", "check2 0", "check4 0", "check3 1", "ticks", "run"}},
      {"watchdog_optimised", {"assist", "check3 1", "ticks", "run"}},
      {"watchdog_assistant_off", {"check2 0", "check4 0", "check3 1", "ticks", "run"}},
      {"watchdog_animation", {"assist", "check2 0", "check3 1", "ticks", "anime 0 40"}},
      {"frames_kame", {"check3 1", "speed 2", "frames"}},
      {"frames_uma_offsets", {"set 5 -7.5", "set 8 -15", "speed 0", "check3 1", "frames"}},
      {"analysis_after_frames", {"check3 1", "frames", "run"}},
      {"playback_forwards", {"check3 1", "anime 0 40"}},
      {"playback_backwards_uma", {"speed 0", "anime 1 25"}},
      {"playback_every_loop_stopped", {"check3 1", "at 100 1 stop", "at 50 2 stop",
                                       "at 5 3 stop", "anime 0 0"}},
      {"playback_quit", {"check3 1", "at 100 3 quit", "anime 1 0"}},
      {"point_entry", {"point 25 60", "point 150 40", "option 0", "point 30 65",
                       "point 160.5 40.25", "check3 1", "run", "move -12.345 6.789"}},
      {"readout_near_zero", {"move -0.001 -0.011"}},
      {"drawing_immediately", {"realtime 1", "spin 0 19", "point 30 100", "assist", "assist"}},
  };
  const bool update = std::getenv("GYRENDA_UPDATE_GOLDEN") != nullptr;
  for (const auto& s : scenarios) {
    SCOPED_TRACE(s.name);
    Driven w;
    for (const std::string& step : s.steps) act(w, step);
    const std::string base = std::string(GYRENDA_TEST_DATA_DIR) + "/golden/" + s.name;
    const std::string state = stateText(w.form, w), pgm = canvasPgm(w.form.canvas);
    if (update) {
      writeFile(base + ".txt", state);
      writeFile(base + ".pgm", pgm);
      continue;
    }
    const std::string expectedState = readFile(base + ".txt");
    const std::string expectedPgm = readFile(base + ".pgm");
    EXPECT_TRUE(state == expectedState) << firstDifference(expectedState, state);
    EXPECT_TRUE(pgm == expectedPgm) << "canvas differs: see " << s.name << ".actual.pgm";
    if (state != expectedState || pgm != expectedPgm) {
      writeFile(std::string(s.name) + ".actual.txt", state);
      writeFile(std::string(s.name) + ".actual.pgm", pgm);
      writeFile(std::string(s.name) + ".expected.pgm", expectedPgm);
    }
  }
}

}  // namespace
}  // namespace gyrenda
