// A main window on a recording platform: messages are recorded instead of shown, dialogs
// are cancelled unless a test chose an answer, and a test can act between two steps of a run
// ("yields", as the user's events run there).
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "desktop/desktop_platform.h"
#include "desktop/main_window.h"
#include "desktop/messages.h"

namespace gyrenda::testing {

class RecordingPlatform : public DesktopPlatform {
 public:
  void driveRun(const std::function<bool()>& step) override {
    ++runsStarted;
    DesktopPlatform::driveRun([this, step] {
      ++yields;
      if (onYield) onYield(yields);
      // A test that forgot to stop a run must not hang: end it as closing the window would.
      if (yields > 20000 && window()) window()->workbench().quit();
      return step();
    });
  }
  // Recorded as the user would read it.
  void showMessage(const Message& message) override { messages << messageText(message); }
  std::optional<SaveChoice> askSavePath(const std::string&) override { return saveAs; }
  std::optional<std::string> askOpenPath() override { return openPath; }
  std::optional<int> askPrintCopies() override { return std::nullopt; }
  void showHelp() override {}
  void showVersionWindow() override {}

  int yields = 0;
  int runsStarted = 0;  // a command that takes its picture drives its run itself, at once
  QStringList messages;
  std::function<void(int yield)> onYield;
  std::optional<SaveChoice> saveAs;     // what the save and open dialogs answer
  std::optional<std::string> openPath;
};

// Runs `act` on the modal window of type T once it is up, from a timer that fires inside its
// event loop; whatever `act` leaves open is closed, so a failed check cannot hang the test.
template <typename T>
void whenModal(std::function<void(T*)> act, int triesLeft = 300) {
  QTimer::singleShot(triesLeft == 300 ? 0 : 10, [act, triesLeft] {
    auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!w || !w->isVisible()) {
      if (triesLeft > 0) return whenModal<T>(act, triesLeft - 1);
      ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " was shown";
      return;
    }
    act(w);
    if (QApplication::activeModalWidget() == w) w->close();
  });
}

// The window is shown and active, as a window manager leaves a new window; clicks give the
// focus by each control's policy.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto recording = std::make_unique<RecordingPlatform>();
    platform = recording.get();
    window = std::make_unique<MainWindow>(std::move(recording));
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  Workbench& bench() { return window->workbench(); }
  template <typename W = QWidget>
  W* child(const QString& name) const {
    auto* w = window->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QLineEdit* box(int i) const { return child<QLineEdit>(QStringLiteral("box%1").arg(i)); }
  QScrollBar* spinBar(int i) const { return child<QScrollBar>(QStringLiteral("spinBar%1").arg(i)); }
  QAction* action(const char* name) const { return child<QAction>(QString::fromLatin1(name)); }
  void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton); }
  // Lets the events run until the run in progress, if any, has ended, as a user waits for it
  // (never from inside a run's step).
  void settle() {
    QApplication::processEvents();
    while (window->isVisible() && bench().running()) QApplication::processEvents();
  }
  // The window of type T that menu item `name` shows.
  template <typename T>
  T* open(const char* name) {
    action(name)->trigger();
    auto* w = window->findChild<T*>();
    EXPECT_TRUE(w && w->isVisible()) << name;
    return w;
  }
  // What the headless program writes to standard output for `args`.
  static QByteArray cli(const QStringList& args) {
    QProcess program;
    program.start(GYRENDA_CLI, args);
    EXPECT_TRUE(program.waitForFinished(60000) && program.exitCode() == 0)
        << program.readAllStandardError().toStdString();
    return program.readAllStandardOutput();
  }

  // Replaces the text of box i as an input method commits it, leaving the focus in it.
  void typeInto(int i, const char* typed) {
    QTest::mouseClick(box(i), Qt::LeftButton);
    box(i)->selectAll();
    QInputMethodEvent typing;
    typing.setCommitString(QString::fromUtf8(typed));
    QApplication::sendEvent(box(i), &typing);
  }

  RecordingPlatform* platform = nullptr;
  std::unique_ptr<MainWindow> window;
};

}  // namespace gyrenda::testing
