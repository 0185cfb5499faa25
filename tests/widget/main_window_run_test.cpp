// Runs in the window: Execute, stop, animation, the running state, and closing mid-run.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <set>

#include "canvas/qt_canvas_image.h"
#include "canvas/qt_canvas_widget.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

bool windowIsBusy(const QWidget& w) {
  return w.testAttribute(Qt::WA_SetCursor) && w.cursor().shape() == Qt::BusyCursor;
}

int posesFound(const Form& f) {
  int n = 0;
  for (float x : f.outputX) n += x != kNoPose;
  return n;
}

class RunTest : public MainWindowTest {
 protected:
  void expectIdle() {
    EXPECT_FALSE(form().running);
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(windowIsBusy(*window));
    EXPECT_FALSE(child("Command6")->isEnabled());
    for (const char* name : {"Command1", "AnimeButton0", "AnimeButton1", "Command2", "Command3",
                             "Command4", "HScroll1", "VScroll1", "Check2", "Check3", "Check4",
                             "RealTimeSW", "Multi", "Option1_0", "Option1_1", "List3"})
      EXPECT_TRUE(child(QString::fromLatin1(name))->isEnabled()) << name;
    for (int i = 0; i < kParamCount; ++i) {
      EXPECT_TRUE(box(i)->isEnabled()) << i;
      EXPECT_TRUE(spinBar(i)->isEnabled()) << i;
    }
    EXPECT_TRUE(action("File_Save")->isEnabled());
  }
};

TEST_F(RunTest, ExecuteOnTheDefaultsFinishesIdleAndShowsTheLocus) {
  click("Command1");
  EXPECT_EQ(child<QLabel>("Label5")->text(), "終了");
  EXPECT_GT(posesFound(form()), 200);  // いぬ: one degree more after each pose
  expectIdle();

  // The canvas shows the raster as it is, the quadrant colours of the locus included.
  const QImage shown = window->canvasWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown, canvasImage(form().canvas).convertToFormat(QImage::Format_RGB32));
  std::set<QRgb> colours;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) colours.insert(shown.pixel(x, y) & 0xffffff);
  for (QRgb quadrant : {0x00ffffu, 0xff0000u, 0xff00ffu, 0xffff00u})
    EXPECT_TRUE(colours.count(quadrant)) << std::hex << quadrant;
}

TEST_F(RunTest, DuringARunOnlyStopTheSpeedListAndHelpStayUsable) {
  std::map<std::string, bool> enabled;
  bool busy = false, timerOn = false;
  platform->onYield = [&](int yield) {
    if (yield != 10) return;
    for (const char* name : {"Command1", "AnimeButton0", "Command6", "Command2", "HScroll1",
                             "Check3", "Multi", "Option1_0", "Option1_1", "List3", "parameter0",
                             "parameter12", "VScroll2_0", "VScroll2_12"})
      enabled[name] = child(QString::fromLatin1(name))->isEnabled();
    enabled["File"] = action("File_Save")->isEnabled() &&
                      window->menuBar()->actions()[0]->isEnabled();
    enabled["Help"] = window->menuBar()->actions()[1]->isEnabled();
    busy = windowIsBusy(*window);
    timerOn = child<QTimer>("Timer1")->isActive();
  };
  click("Command1");
  const std::map<std::string, bool> expected{
      {"Command1", false},   {"AnimeButton0", false}, {"Command6", true},     {"Command2", false},
      {"HScroll1", false},   {"Check3", false},       {"Multi", false},       {"Option1_0", false},
      {"Option1_1", false},  {"List3", true},         {"parameter0", false},  {"parameter12", false},
      {"VScroll2_0", false}, {"VScroll2_12", false},  {"File", false},        {"Help", true}};
  EXPECT_EQ(enabled, expected);
  EXPECT_TRUE(busy);
  EXPECT_TRUE(timerOn);
  expectIdle();
}

TEST_F(RunTest, StopPressedInsideARunEndsIt) {
  platform->onYield = [&](int yield) {
    if (yield == 100) click("Command6");
  };
  click("Command1");
  EXPECT_EQ(platform->yields, 100);
  EXPECT_EQ(form().outputX[720], kNoPose);
  EXPECT_EQ(form().stopRequested, 0);
  expectIdle();
}

TEST_F(RunTest, AnimationPlaysEveryStepAtTheFastSpeedUntilStopped) {
  child<QListWidget>("List3")->setCurrentRow(0);  // うま
  ASSERT_EQ(form().speedStep, 5.0f);
  constexpr int kStopAt = 1200;  // the frame search takes 721 yields, playback the rest
  platform->onYield = [&](int yield) {
    if (yield == kStopAt) click("Command6");
  };
  click("AnimeButton0");
  EXPECT_EQ(platform->yields, kStopAt);
  EXPECT_GT(platform->pauses, 400);
  expectIdle();
}

TEST_F(RunTest, ClosingTheWindowMidRunEndsEveryLoopAndThenCloses) {
  struct Case {
    const char* button;
    bool sixBar;
    int closeAt;
    int yields;  // every later loop of the run yields once more, then leaves as well
  };
  const Case cases[] = {{"Command1", false, 50, 50},
                        {"Command1", true, 50, 51},
                        {"AnimeButton1", true, 900, 901}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    if (&c != cases) SetUp();  // a fresh window for each case
    if (c.sixBar) click("Check3");
    bool closedAtOnce = true;
    platform->onYield = [&](int yield) {
      if (yield == c.closeAt) closedAtOnce = window->close();
    };
    click(QString::fromLatin1(c.button));
    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(platform->yields, c.yields);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form().running);
  }
}

}  // namespace
}  // namespace gyrenda::testing
