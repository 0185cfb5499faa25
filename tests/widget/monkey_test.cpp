// A long, random but seeded sequence of user actions on the real window, checking after each
// that the window is in a consistent state, and inside every run that only 停止, the speed list
// and the Help menu are on. GYRENDA_MONKEY_SEED and GYRENDA_MONKEY_ACTIONS reproduce or
// lengthen a run.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <random>

#include "core/test_support.h"
#include "linkage/number_text.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

long fromEnvironment(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v ? std::strtol(v, nullptr, 10) : fallback;
}

const char* const kTexts[] = {"18", "36", "-5", "0", "0.4", "1e39", "-1e39", "abc", "", " 1 2 ",
                              "31", "72", "-30000", "30001", "2.5e1", "nan", "９９９９", "."};
const char* const kClicked[] = {"execute", "execute", "execute", "animateForwards",
                                "animateBackwards", "zoomIn", "zoomOut", "optimiseFourBar",
                                "analyseSixBar", "optimiseSixBar", "slideEndOption", "canvas"};

class MonkeyTest : public MainWindowTest {
 protected:
  unsigned next(unsigned n) { return static_cast<unsigned>(rng() % n); }
  QString name(const char* format, unsigned n) { return QString::fromLatin1(format).arg(next(n)); }

  // During a run the yield presses 停止 now and then and tries what a restless user tries.
  void actInsideRun(int yield) {
    const auto menus = window->menuBar()->actions();
    EXPECT_TRUE(!child("execute")->isEnabled() && child("stop")->isEnabled() &&
                !box(5)->isEnabled() && child("speedList")->isEnabled() && !menus[0]->isEnabled() &&
                menus[1]->isEnabled() && child<QTimer>("watchdogTimer")->isActive() &&
                window->cursor().shape() == Qt::BusyCursor);
    if (yield % 97 == 0 || next(400) == 0) click("stop");
    if (next(300) == 0) click("execute");
    if (next(300) == 0) QTest::mouseDClick(child("canvas"), Qt::LeftButton, {}, {100, 100});
    if (next(300) == 0) QTest::mouseDClick(child("assistantCorner"), Qt::LeftButton);
    if (next(500) == 0) child<QListWidget>("speedList")->setCurrentRow(static_cast<int>(next(3)));
  }

  // Dialogs answer files in the test's folder, of any type or none; the third holds no design.
  void act() {
    platform->yields = 0;
    platform->onYield = [this](int y) { actInsideRun(y); };
    const unsigned format = next(6);  // 5: the dialog cancelled
    platform->saveAs = format < 5 ? std::optional(SaveChoice{
                                        dir.filePath(name("design%1", 2)).toStdString(), test::kSaveFormats[format]})
                                  : std::nullopt;
    platform->openPath = dir.filePath(name("design%1", 3)).toStdString();
    const unsigned what = next(12);
    // すぐに描画する makes every edit an analysis: tick it rarely.
    if (what == 0 && (child<QCheckBox>("drawImmediately")->isChecked() || next(4) == 0))
      click("drawImmediately");
    if (what <= 3) typeInto(static_cast<int>(next(kParamCount)), kTexts[next(std::size(kTexts))]);
    if (what == 4) QTest::mouseClick(child(name("box%1", kParamCount)), Qt::LeftButton);
    if (what == 5) child<QScrollBar>(name("spinBar%1", kParamCount))->triggerAction(
        next(2) ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
    if (what == 6) child<QScrollBar>(next(2) ? "panHorizontal" : "panVertical")->triggerAction(
        next(2) ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
    if (what == 7) child<QListWidget>("speedList")->setCurrentRow(static_cast<int>(next(3)));
    const char* const menuItems[] = {"save", "save", "load", "report", "version", "undo", "redo"};
    if (what == 8) action(menuItems[next(std::size(menuItems))])->trigger();
    if (what >= 9) click(QString::fromLatin1(kClicked[next(std::size(kClicked))]));
    const QPoint at(static_cast<int>(next(769)), static_cast<int>(next(449)));
    if (what == 9 && next(2) == 0)
      QTest::mouseDClick(child(next(2) ? "canvas" : "assistantCorner"), Qt::LeftButton, {}, at);
    settle();
  }

  // What must hold whenever no handler is running.
  void checkConsistent() {
    const Workbench& b = bench();
    const ControlState& c = b.controls();
    ASSERT_TRUE(!b.running() && !b.quitRequested() && window->isVisible());
    EXPECT_TRUE(!c.timerEnabled && !child<QTimer>("watchdogTimer")->isActive() && !c.busyPointer &&
                child("execute")->isEnabled() && !child("stop")->isEnabled() &&
                box(3)->isEnabled());
    for (int k = 0; k < kParamCount; ++k) {
      const float v = b.linkage().parameters[k];
      const bool length = paramInfo()[k].spinMin == 1;
      EXPECT_TRUE(v >= -30000.0f && v <= 30000.0f && (!length || v > 0) &&
                  c.spinValue[k] >= paramInfo()[k].spinMin &&
                  c.spinValue[k] <= paramInfo()[k].spinMax &&
                  spinBar(k)->value() == c.spinValue[k] &&
                  box(k)->text().toStdString() == c.boxText[k])
          << k << ": " << v << " " << c.spinValue[k] << " " << box(k)->text().toStdString();
    }
    // The caption shows the fixed-link range of the linkage that the last pass built.
    const FixedLinkRange r = b.linkage().fixedLinkRange;
    EXPECT_EQ(child<QLabel>("fixedLinkCaption")->text().toStdString(),
              c.fixedLinkCaption ? "静止節(" + formatBoxNumber(r.lower) + "～" +
                                       formatBoxNumber(r.upper) + ")"
                                 : "静止節長さ(0～0)");
  }

  const unsigned seed = static_cast<unsigned>(fromEnvironment("GYRENDA_MONKEY_SEED", 20261206));
  std::mt19937 rng{seed};
  QTemporaryDir dir;
};

TEST_F(MonkeyTest, RandomUseKeepsTheWindowConsistent) {
  std::ofstream(dir.filePath("design2").toStdString()) << "\"gyrenda\"\r\nnot a design\r\n";
  const long actions = fromEnvironment("GYRENDA_MONKEY_ACTIONS", 2000);
  for (long n = 0; n < actions && !HasFailure(); ++n) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", action " + std::to_string(n));
    act();
    checkConsistent();
  }
}

}  // namespace
}  // namespace gyrenda::testing
