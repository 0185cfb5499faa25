// Whole designs driven as a user would (listed in tests/data/golden/scenarios.txt), compared
// with the state and canvas they left before: every box, bar, caption, flag and result table,
// and every pixel. A difference writes the actual files into the working folder, to be compared
// with the expected ones. GYRENDA_UPDATE_GOLDEN=1 rewrites the expected files after a deliberate
// change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "app/commands.h"
#include "app/run_driver.h"
#include "canvas/four_bar_search.h"
#include "files/file_commands.h"
#include "canvas/grid.h"
#include "sixbar/six_bar_search.h"
#include "test_support.h"
#include "ui/pointer_tools.h"

namespace gyrenda {
namespace {

// The window as a user drives it. Hooks act from inside the yields of a run, and every
// message is noted with the yield it came at.
struct Driven {
  // Opened: the window after the first focus change out of box 0, where every user action
  // starts; otherwise as it stands before it.
  explicit Driven(bool opened) {
    Form_Load(form);
    if (opened) parameter_LostFocus(form, 0);
    // A hook may add hooks: each is copied before it runs.
    platform.onYield = [this] {
      const Form& f = form;
      runNotShown += f.running && !(f.timerEnabled && f.busyPointer &&
                                    f.enabled(Control::Command6) && !f.enabled(Control::Command1));
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
  test::FakePlatform platform;
  Form form{&platform};
  std::vector<std::function<void()>> atYield;
  std::vector<int> messageYields;
  int runNotShown = 0;  // yields of a run at which the window did not show its running state
};

// One user action per step: "set K TEXT", "spin K VALUE", "speed N", "check2|check3|check4|
// realtime STATE", "zoom+", "zoom-", "hpan H", "vpan V", "run", "frames", "anime DIR
// STOP-AT-PAUSE" (0: never), "stop", "quit", "option K", "point X Y" (a double-click at a world
// point), "move X Y", "assist", "ticks" (a watchdog tick at every yield from now on), and
// "load FILE" (the load command, the open dialog answering a file of tests/data), and
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
  else if (op == "load" && in >> text) {
    w.platform.openPath = std::string(GYRENDA_TEST_DATA_DIR) + "/" + text;
    File_Load_Click(f);
  }
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
  o << "\nrun not shown at " << w.runNotShown << " yields | enabled ";
  for (bool e : f.enabledFlags) o << e;
  for (int k = 0; k < kParamCount; ++k) o << f.parameterEnabled[k] << f.spinEnabled[k];
  o << " | running " << f.running << " timer " << f.timerEnabled << " busy " << f.busyPointer
    << " guard " << f.editGuard << " stop " << f.stopRequested << " phase " << f.fourBarPhase
    << '\n';
  for (int k = 0; k < kParamCount; ++k)
    o << k << ": " << f.parameterText[k] << " | " << f.spinValue[k] << " | " << f.param(k) << '\n';
  o << f.Label13 << " | " << f.Label5 << " | " << f.Zahyou[0] << ' ' << f.Zahyou[1] << " | option "
    << f.Option1 << " | zoom " << f.zoomLevel << " | speed " << f.speedStep << " | checks "
    << f.Check2 << f.Check3 << f.Check4 << f.RealTimeSW << '\n'
    << "slots 13 14: " << f.paramValue[13] << ' ' << f.paramValue[14] << " | derived at 0.5:";
  for (const AngleTable* t : {&f.crankTipX, &f.crankTipY, &f.leverX, &f.leverY, &f.couplerX,
                              &f.couplerY, &f.sixLinkX, &f.sixLinkY})
    o << ' ' << (*t)[1];
  o << "\nfactors " << f.outAlongFactor << ' ' << f.outAcrossFactor << ' ' << f.sixRatioX << ' '
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

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

TEST(Golden, DesignsDrivenThroughTheWindowLeaveTheStateAndCanvasTheyLeftBefore) {
  std::ifstream list(std::string(GYRENDA_TEST_DATA_DIR) + "/golden/scenarios.txt");
  ASSERT_TRUE(list) << "no list of golden designs";
  const bool update = std::getenv("GYRENDA_UPDATE_GOLDEN") != nullptr;
  for (std::string line; std::getline(list, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::string name = line.substr(0, line.find(':'));
    SCOPED_TRACE(name);
    Driven w(name != "before_the_first_pass");
    std::istringstream steps(line.substr(name.size() + 1));
    for (std::string step; std::getline(steps >> std::ws, step, ';');) act(w, step);
    const std::string base = std::string(GYRENDA_TEST_DATA_DIR) + "/golden/" + name;
    const std::string state = stateText(w.form, w), pgm = canvasPgm(w.form.canvas);
    if (update) {
      writeFile(base + ".txt", state);
      writeFile(base + ".pgm", pgm);
      continue;
    }
    const std::string expectedState = test::readFile(base + ".txt");
    const std::string expectedPgm = test::readFile(base + ".pgm");
    // A difference names the first line that differs.
    const auto lines = test::splitLines(state, "\n"), want = test::splitLines(expectedState, "\n");
    const auto [a, e] = std::ranges::mismatch(lines, want);
    EXPECT_TRUE(state == expectedState) << "line " << a - lines.begin() + 1 << ": expected ["
                                        << (e == want.end() ? "" : *e) << "] got ["
                                        << (a == lines.end() ? "" : *a) << "]";
    EXPECT_TRUE(pgm == expectedPgm) << "the canvas differs: see " << name << ".actual.pgm";
    if (state != expectedState || pgm != expectedPgm) {
      writeFile(name + ".actual.txt", state);
      writeFile(name + ".actual.pgm", pgm);
    }
  }
}

}  // namespace
}  // namespace gyrenda
