// Runs in the window: Execute, stop, the running state, and closing mid-run.
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <set>

#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using Names = std::set<std::string>;
const Names kIdle{"Command1", "AnimeButton0", "Command2", "Check3", "Multi", "Option1_0", "List3",
                  "parameter0", "VScroll2_12", "File"};

class RunTest : public MainWindowTest {
 protected:
  // Which of the controls above, 停止, the File menu, the watchdog and the busy pointer are on.
  Names on() const {
    Names s;
    for (const std::string& name : kIdle)
      if (name != "File" && child(QString::fromStdString(name))->isEnabled()) s.insert(name);
    if (child("Command6")->isEnabled()) s.insert("Command6");
    if (window->menuBar()->actions()[0]->isEnabled()) s.insert("File");
    if (child<QTimer>("Timer1")->isActive()) s.insert("Timer");
    if (window->testAttribute(Qt::WA_SetCursor) && window->cursor().shape() == Qt::BusyCursor)
      s.insert("Busy");
    return s;
  }
};

TEST_F(RunTest, ExecuteOnTheDefaultsFinishesIdleAndDrawsTheLocus) {
  click("Command1");
  EXPECT_EQ(child<QLabel>("Label5")->text(), "終了");
  EXPECT_EQ(on(), kIdle);
  const int quarter = angleIndex(45.0f);
  const auto p = form().canvas.toPixel(form().outputX[quarter], -form().outputY[quarter]);
  ASSERT_TRUE(p);  // the output locus at 45°, in the first quadrant's colour
  EXPECT_EQ(child("Picture1")->grab().toImage().pixel(p->x, p->y) & 0xffffffu, 0x00ffffu);
}

TEST_F(RunTest, DuringARunOnlyStopAndTheSpeedListStayOn) {
  Names during;
  platform->onYield = [&](int yield) {
    if (yield == 10) during = on();
  };
  click("Command1");
  EXPECT_EQ(during, (Names{"Command6", "List3", "Timer", "Busy"}));
  EXPECT_EQ(on(), kIdle);
}

TEST_F(RunTest, StopPressedInsideARunEndsIt) {
  platform->onYield = [&](int yield) {
    if (yield == 100) click("Command6");
  };
  click("Command1");
  EXPECT_EQ(platform->yields, 100);
  EXPECT_EQ(form().outputX[720], kNoPose);
  EXPECT_EQ(on(), kIdle);
}

TEST_F(RunTest, ClosingTheWindowMidRunEndsEveryLoopAndThenCloses) {
  // Every later loop of the run yields once more, then leaves as well.
  const std::tuple<const char*, bool, int, int> cases[] = {
      {"Command1", false, 50, 50}, {"Command1", true, 50, 51}, {"AnimeButton1", true, 900, 901}};
  int n = 0;
  for (const auto& [button, sixBar, closeAt, yields] : cases) {
    SCOPED_TRACE(button);
    if (n++ > 0) SetUp();  // a fresh window for each case
    if (sixBar) click("Check3");
    child<QListWidget>("List3")->setCurrentRow(0);  // うま: a broken run fails fast
    bool closedAtOnce = true;
    platform->onYield = [&, closeAt = closeAt](int yield) {
      if (yield == closeAt) closedAtOnce = window->close();
      if (yield > closeAt + 1) form().quitRequested = true;  // a run that ignored the close
    };
    click(QString::fromLatin1(button));
    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(platform->yields, yields);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form().running);
  }
}

}  // namespace
}  // namespace gyrenda::testing
