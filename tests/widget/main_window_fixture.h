// A main window on a recording platform: messages are recorded instead of shown, dialogs
// are cancelled, and a test can act from inside the yield of a running loop.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/qt_platform.h"

namespace gyrenda::testing {

class RecordingPlatform : public QtPlatform {
 public:
  void processEvents() override {
    QtPlatform::processEvents();
    ++yields;
    if (onYield) onYield(yields);
    // A test that forgot to stop a run must not hang: end it as closing the window would.
    if (yields > kYieldLimit && window()) window()->form().quitRequested = true;
  }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void pause(std::chrono::microseconds length) override {
    ++pauses;
    QtPlatform::pause(length);
  }
  std::optional<SaveChoice> askSavePath(const std::string&) override { return std::nullopt; }
  std::optional<std::string> askOpenPath() override { return std::nullopt; }
  std::optional<int> askPrintCopies() override { return std::nullopt; }
  void showHelp() override {}
  void showVersionWindow() override {}

  static constexpr int kYieldLimit = 20000;
  int yields = 0;
  int pauses = 0;
  std::vector<std::string> messages;
  std::function<void(int yield)> onYield;
};

// Runs `act` on the modal window of type T once it is up; a modal dialog runs its own event
// loop, so the test acts from a timer that fires inside it. Whatever `act` leaves open is
// closed, so a failed check cannot hang the test.
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

  Form& form() { return window->form(); }

  template <typename W = QWidget>
  W* child(const QString& name) const {
    auto* w = window->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QLineEdit* box(int i) const { return child<QLineEdit>(QStringLiteral("parameter%1").arg(i)); }
  QScrollBar* spinBar(int i) const {
    return child<QScrollBar>(QStringLiteral("VScroll2_%1").arg(i));
  }
  QAction* action(const char* name) const { return child<QAction>(QString::fromLatin1(name)); }

  void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton); }

  // Replaces the text of box i as typing would, leaving the focus in it.
  void typeInto(int i, const char* typed) {
    QTest::mouseClick(box(i), Qt::LeftButton);
    box(i)->selectAll();
    QTest::keyClicks(box(i), QString::fromUtf8(typed));
  }

  // The centre of one part of a scroll bar (an arrow, a trough) as the style lays it out.
  static QPoint centreOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    if (opt.orientation == Qt::Horizontal) opt.state |= QStyle::State_Horizontal;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar).center();
  }

  RecordingPlatform* platform = nullptr;
  std::unique_ptr<MainWindow> window;
};

}  // namespace gyrenda::testing
