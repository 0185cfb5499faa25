// The window keeps the user's edits and clicks: every command acts on what the boxes show,
// and a run hands the focus back to where the user put it. The window manager's part is
// played explicitly: the window is active, clicks give the focus by policy, a menu command
// is triggered without taking the focus from the box. CTest runs these again on an X server
// with a window manager.
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

class FocusTest : public MainWindowTest {
 protected:
  // One user action: "click NAME" (as a desktop delivers it: the release waits in the queue
  // behind the press, so a run that the press starts takes it in), "type BOX TEXT",
  // "key NAME Return|Enter" (NAME given the focus by Tab, then the key), "menu NAME",
  // "save-as FILE" (the save dialogs answer FILE, a bitmap by its ending), "click-every N NAME"
  // (NAME clicked at every Nth step of a run), "close-at N" (the window closed at the Nth
  // step). Whatever is queued, a run started included, is handled before the next action.
  void act(const std::string& step) {
    const std::string verb = step.substr(0, step.find(' ')), arg = step.substr(verb.size() + 1);
    const int n = std::atoi(arg.c_str());
    platform->yields = 0;
    platform->runsStarted = 0;
    if (verb == "click") {
      QWidget* w = child(QString::fromStdString(arg));
      QTimer::singleShot(0, w, [w] { QTest::mouseRelease(w, Qt::LeftButton); });
      QTest::mousePress(w, Qt::LeftButton);
    }
    if (verb == "type") typeInto(n, arg.substr(arg.find(' ') + 1).c_str());
    if (verb == "key") {
      QWidget* w = child(QString::fromStdString(arg.substr(0, arg.find(' '))));
      w->setFocus(Qt::TabFocusReason);
      QTest::keyClick(w, arg.ends_with("Enter") ? Qt::Key_Enter : Qt::Key_Return);
    }
    if (verb == "menu") action(arg.c_str())->trigger();
    if (verb == "save-as")
      platform->saveAs = SaveChoice{path(arg).toStdString(),
                                      arg.ends_with(".bmp") ? SaveFormat::Bitmap : SaveFormat::DataFile};
    if (verb == "click-every") {
      const QString name = QString::fromStdString(arg.substr(arg.find(' ') + 1));
      platform->onYield = [=, this](int y) { if (y % n == 0) click(name); };
    }
    if (verb == "close-at")
      platform->onYield = [=, this](int y) { if (y == n) window->close(); };
    QCoreApplication::processEvents();
    settle();
    runs += platform->runsStarted > 0;
  }

  // The focus, how many actions started a run, the ticks of すぐに描画する and 計算の最適化,
  // the zoom, when the window closed, and what a save wrote: the parameters of a data file,
  // the number of colours of a bitmap.
  std::string state() const {
    QWidget* focus = QApplication::focusWidget();
    QString s = QStringLiteral("%1 runs%2 ticks%3%4 zoom%5")
                    .arg(focus ? focus->objectName() : "none").arg(runs)
                    .arg(child<QCheckBox>("drawImmediately")->isChecked())
                    .arg(child<QCheckBox>("optimiseFourBar")->isChecked())
                    .arg(window->workbench().view().zoomLevel);
    if (!window->isVisible()) s += QStringLiteral(" closed after %1").arg(platform->yields);
    if (QFile data(path("d.gyr")); data.open(QIODevice::ReadOnly))
      s += " saved " + data.readAll().split('\n')[1].left(8);
    const QImage bitmap(path("e.bmp"));
    std::set<QRgb> colours;
    for (int p = 0; p < bitmap.width() * bitmap.height(); ++p)
      colours.insert(bitmap.pixel(p % 769, p / 769));
    if (!colours.empty()) s += QStringLiteral(" colours%1").arg(colours.size());
    return s.toStdString();
  }

  QString path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)); }
  QTemporaryDir dir;
  int runs = 0;
};

TEST_F(FocusTest, CommandsActOnWhatTheBoxesShowAndRunsGiveTheFocusBack) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      // An export at once holds the construction and the loci, not the grid alone.
      {{"save-as e.bmp", "menu save"}, "box0 runs1 ticks01 zoom3 colours9"},
      // A menu command takes the edit in progress with it.
      {{"type 1 50", "save-as d.gyr", "menu save"}, "box1 runs0 ticks01 zoom3 saved 18,50,36"},
      {{"type 1 50", "menu version", "save-as d.gyr", "menu save"},
       "box1 runs0 ticks01 zoom3 saved 18,50,36"},
      // Leaving a box with すぐに描画する ticked runs an analysis, here stopped now and then:
      // the focus goes back to the clicked control, and no later click runs another one.
      {{"click drawImmediately", "click box3", "click-every 50 stop", "click optimiseFourBar",
        "click optimiseFourBar", "click drawImmediately"}, "drawImmediately runs1 ticks01 zoom3"},
      {{"click drawImmediately", "click box3", "click-every 50 stop", "click zoomIn",
        "click zoomOut"},
       "zoomOut runs1 ticks11 zoom3"},
      {{"click drawImmediately", "click box3", "click-every 50 stop", "click execute", "click quit"},
       "none runs1 ticks11 zoom3 closed after 0"},
      // A command whose click moved the focus out of an edited box, and so started the
      // analysis, follows once the analysis has ended, once however often it was clicked.
      {{"click drawImmediately", "type 0 20", "click quit"},
       "none runs1 ticks11 zoom3 closed after 241"},
      {{"click drawImmediately", "type 0 20", "close-at 1000", "click animateForwards"},
       "none runs1 ticks11 zoom3 closed after 1000"},
      {{"click drawImmediately", "type 0 20", "click-every 100 zoomIn", "click zoomIn"},
       "zoomIn runs1 ticks11 zoom2"},
      // Closed during a run, the window closes at once: the run ends at its next step.
      {{"close-at 50", "click execute"}, "none runs1 ticks01 zoom3 closed after 50"},
      {{"click analyseSixBar", "close-at 900", "click animateBackwards"},
       "none runs1 ticks01 zoom3 closed after 900"},
      // Enter and Return press the focused button, as Space does.
      {{"key zoomIn Return", "key zoomOut Enter", "key zoomOut Return"},
       "zoomOut runs0 ticks01 zoom4"},
      {{"key execute Enter", "key quit Return"}, "none runs1 ticks01 zoom3 closed after 0"},
      // After 停止 the focus is on the button that started the animation.
      {{"click-every 50 stop", "click animateForwards"}, "animateForwards runs1 ticks01 zoom3"},
      {{"click box3", "click-every 50 stop", "click animateBackwards"},
       "animateBackwards runs1 ticks01 zoom3"},
  };
  for (const auto& [steps, expected] : cases) {
    if (&expected != &cases[0].second) SetUp();  // a fresh window for each case
    runs = 0;
    for (const std::string& step : steps) act(step);
    EXPECT_EQ(state(), expected) << ::testing::PrintToString(steps);
    for (const char* name : {"d.gyr", "e.bmp"}) QFile::remove(path(name));
  }
}

}  // namespace
}  // namespace gyrenda::testing
