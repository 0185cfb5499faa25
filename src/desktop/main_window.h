// The main window: the widgets of the form, bound to the core's form data. A user action
// writes its input into the form and calls the core's handler; afterwards, and at every
// yield of a long loop, the widgets are brought up to date from the form.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "session/workbench.h"
#include "desktop/desktop_platform.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace gyrenda {

class CanvasWidget;
class ReportWindow;

// A text as a widget shows it, kept in the form's own bytes so that checking for a change
// costs no conversion: the widgets are synchronised at every yield of a search.
class ShownText {
 public:
  // Remembers `text` as shown; true if it differs from what was shown before.
  bool changeTo(const std::string& text) {
    if (text == shown_) return false;
    shown_ = text;
    return true;
  }

 private:
  std::string shown_;
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The client area below the menu bar: 12210 × 10245 twips.
  static constexpr int kClientWidth = 814;
  static constexpr int kClientHeight = 683;

  // Builds the window and runs the start-up procedure. Without a platform of the caller's
  // own, the window uses the ordinary Qt one.
  explicit MainWindow(std::unique_ptr<QtPlatform> platform = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  Form& form() { return form_; }
  const Form& form() const { return form_; }
  QtPlatform& platform() { return *platform_; }
  CanvasWidget* canvasWidget() const { return canvas_; }

  // Opens a design as the load command does, without its dialog (the path a file manager
  // hands over). A file that holds no design is reported, since the user named it.
  void openDesign(const std::string& path);

  // Brings every widget up to date from the form with the widgets' signals blocked, so
  // nothing echoes back into the core: texts, values, enabled flags, the pointer and the
  // watchdog timer.
  void syncFromForm();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs one core handler, then shows what it changed. A close requested meanwhile takes
  // effect when the outermost handler has returned.
  template <typename Handler>
  void run(Handler&& handler);
  // A command of the user: the validation pass that is due runs first, so that the command
  // acts on what the boxes show, then the command's handler.
  template <typename Handler>
  void command(Handler&& handler);
  // Runs the validation pass that is due, if any and no run is in progress.
  void commitEdit();

  void buildFourBarFrame(QWidget* client);
  void buildSixBarFrame(QWidget* client);
  void buildOptionsFrame(QWidget* client);
  void buildParameterRow(QWidget* frame, int index, int top, int boxLeft, int boxWidth,
                         int spinLeft);
  void buildCommands(QWidget* client);
  void buildCanvasArea(QWidget* client);
  void buildMenus();
  void arrangeTabOrder();

  void connectParameterRow(int index);
  void connectCommands();
  void connectOptions();
  void connectCanvasArea();
  void connectMenus();

  void onSpinBarAction(int index, int action);
  void onParameterFocus(int index, bool in, Qt::FocusReason reason);
  // Gives the focus back to the control that held it when the run began, or to the next
  // enabled one after it in tab order.
  void restoreFocusAfterRun();
  // Opens the report window, or raises it when it is open.
  void openReport();

  void syncParameters();
  void syncCaptions();
  void syncInputs();
  void syncEnabled();
  void syncRunState();
  void showOption(int selected);

  std::unique_ptr<QtPlatform> platform_;
  Form form_{platform_.get()};
  int handlerDepth_ = 0;  // core handlers in progress, nested ones included
  bool syncing_ = false;  // the program moves widgets (and maybe the focus) itself
  // The box whose validation pass is due, or -1: the user put the focus into it or edited
  // it, and has neither left it nor given a command since. Box 0 holds the focus at start.
  int duePass_ = 0;
  bool runShown_ = false;  // the widgets show the running state
  int wheelTurn_ = 0;      // the part of a wheel notch turned so far on a spin bar
  QPointer<QWidget> focusAtRunStart_;

  QTimer* timer1_ = nullptr;  // the watchdog
  std::array<QLineEdit*, kParamCount> parameter_{};
  std::array<QScrollBar*, kParamCount> spinBar_{};
  std::array<ShownText, kParamCount> shownParameter_{};
  std::array<QWidget*, static_cast<int>(Control::Count)> controlWidget_{};

  QLabel* label13_ = nullptr;
  QLabel* label5_ = nullptr;
  std::array<QLabel*, 2> zahyou_{};
  ShownText shownLabel13_, shownLabel5_;
  std::array<ShownText, 2> shownZahyou_{};

  QPushButton* command1_ = nullptr;
  std::array<QPushButton*, 2> animeButton_{};
  QPushButton* command6_ = nullptr;
  QPushButton* command3_ = nullptr;
  QPushButton* command4_ = nullptr;
  QPushButton* command2_ = nullptr;

  QCheckBox* check2_ = nullptr;
  QCheckBox* check3_ = nullptr;
  QCheckBox* check4_ = nullptr;
  QCheckBox* realTimeSW_ = nullptr;
  QListWidget* list3_ = nullptr;
  std::array<QRadioButton*, 2> option1_{};

  QScrollBar* hScroll1_ = nullptr;
  QScrollBar* vScroll1_ = nullptr;
  QLabel* multi_ = nullptr;
  CanvasWidget* canvas_ = nullptr;

  QAction* fileMenu_ = nullptr;
  QAction* helpMenu_ = nullptr;
  QAction* fileSave_ = nullptr;
  QAction* fileLoad_ = nullptr;
  QAction* filePrint_ = nullptr;
  QAction* fileReport_ = nullptr;
  QPointer<ReportWindow> reportWindow_;
  QAction* hlp_ = nullptr;
  QAction* ver_ = nullptr;
};

}  // namespace gyrenda
