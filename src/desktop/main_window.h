// The main window: the widgets, bound to the core's workbench. A user action writes its input
// into the workbench's control state and calls its command; afterwards, and at every yield of
// a long loop, the widgets show what the core says has changed.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "desktop/desktop_platform.h"
#include "desktop/secondary_windows.h"
#include "desktop/sheet_dialog.h"
#include "session/workbench.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QFocusFrame;
class QGroupBox;
class QKeyEvent;
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
class SynthesisDialog;

// A text as a widget shows it, kept in the core's own bytes so that checking for a change
// costs no conversion.
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
  explicit MainWindow(std::unique_ptr<DesktopPlatform> platform = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  Workbench& workbench() { return bench_; }
  const Workbench& workbench() const { return bench_; }
  DesktopPlatform& platform() { return *platform_; }
  CanvasWidget* canvasWidget() const { return canvas_; }

  // Opens a design as the load command does, without its dialog (the path a file manager
  // hands over). A file that holds no design is reported as the load command reports it.
  void openDesign(const std::string& path);

  // ファイル › 設計シート (PDF)… after its dialogs: the sheet of a whole analysis of the design
  // in the boxes written carefully to `choice.path`, the tolerance page at the 公差 tab's
  // tolerances; a failure told in a message. The choice is kept for the next time.
  void writeDesignSheet(const SheetChoice& choice);

  // The command buttons and the canvas, which the program's other windows leave in view.
  KeptInView keptInView() const;

  // Brings the widgets that `changed` names up to date with their signals blocked, so nothing
  // echoes back into the core: texts, values, enabled flags, the pointer and the watchdog
  // timer. Called after every step of a run and after every command.
  void showChanges(Changes changed);

  // Drives the run that has just started: `step` is called from the event loop, one step each
  // time the loop has nothing else to do, until it says the run has ended.
  void driveRun(const std::function<bool()>& step);
  // Holds the run while a modal message is open (the core leaves it waiting meanwhile), so
  // that the step timer does not spin.
  void holdRun(bool held);

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

  // Builds every widget and the menus; returns the client area below the menu bar.
  QWidget* buildWindow();
  void buildFourBarFrame(QWidget* client);
  void buildSixBarFrame(QWidget* client);
  void buildOptionsFrame(QWidget* client);
  void buildParameterRow(QWidget* frame, int index, int top, int boxLeft, int boxWidth,
                         int spinLeft);
  void buildCommands(QWidget* client);
  void buildCanvasArea(QWidget* client);
  void buildMenus();
  void buildStatusBar();
  void arrangeTabOrder();

  void connectParameterRow(int index);
  void connectCommands();
  void connectOptions();
  void connectCanvasArea();
  void connectMenus();

  void onSpinBarAction(int index, int action);
  void onParameterFocus(int index, bool in, Qt::FocusReason reason);
  // One step of the run in progress, then the widgets and, now and then, the canvas.
  void stepRun();
  // Frames the focused control when it is one that shows no focus of its own.
  void frameFocus(QWidget* focus);
  // Gives the focus back to the control that held it when the run began, or to the next
  // enabled one after it in tab order.
  void restoreFocusAfterRun();
  // ファイル › アニメーションを保存…: the dialog for the design and view as they stand.
  void saveAnimation();
  // ファイル › 例を開く: the example in the view the window opens with, which shows it whole.
  void openExample(const std::string& path);
  // Opens the report window, or raises it when it is open.
  void openReport();
  // Opens the 軌跡合成 dialog, or raises it when it is open.
  void openSynthesis();
  // The synthesis's points over the canvas while its dialog is open.
  void showTargets();
  // A double-click on the canvas while the synthesis is open: the point the readout shows
  // becomes a target instead of a slide point.
  void addTargetAtPointer();
  // 適用: the candidate's four-bar with the six-bar in the boxes, as one step, analysed.
  void applyCandidate(const ParameterSet& candidate);
  // The six-bar's values of a slider candidate, with the six-bar ticked and analysed.
  void applySliderCandidate(const ParameterSet& candidate);
  // Whether `key` pressed in `watched` is the 編集 menu's undo or redo, taken from an entry box
  // so that the menu's items decide (the box itself would take the keys whatever it holds).
  bool menuTakesKey(QObject* watched, const QKeyEvent& key) const;
  // The entry box that holds the focus, if any: its own undo and redo go first.
  QLineEdit* focusedBox() const;
  // 元に戻す and やり直し of the typing in the focused box that its pass has not read yet;
  // false when there is none, and the design's history is next.
  bool undoTyping(bool undo);
  // The two items on when the focused box or the history has something to undo or redo.
  void showUndoState();

  void showBoxes();
  void showCaptions();
  void showInputs();
  void showView();
  void showEnabled();
  void showRunState();
  // The hand on the mechanism (main_window_joints.cpp): a press on a handle takes it, the
  // pointer drags it with a live preview, the release takes the design or says why not.
  void connectJoints();
  void onCanvasPressed(Vec2 world, Qt::KeyboardModifiers modifiers);
  void onCanvasDragged(Vec2 world, Qt::KeyboardModifiers modifiers);
  void onCanvasReleased();
  void onCanvasKey(int key, Qt::KeyboardModifiers modifiers);
  // A handle moved by the keyboard: one drag by `delta` mm.
  void nudgeHandle(Vec2 delta);
  // The overlay as things stand: handles while the canvas has the pointer or the focus and no
  // run is in progress, the preview during a drag.
  void showJointOverlay();
  // The status line during and after a drag: what stops the design under the pointer.
  void showDragProblem(DragProblem problem, bool refused);
  // The status line after an analysis: the poses the view cut off, with the offer of 全体表示.
  void showPosesOutOfView();
  // 全体表示, from the button, the menu, the Home key or the status line's offer.
  void fitView();
  void showOption(int selected);

  std::unique_ptr<DesktopPlatform> platform_;
  Workbench bench_{platform_.get()};
  int handlerDepth_ = 0;  // core handlers in progress (a modal message keeps one open)
  bool syncing_ = false;  // the program moves widgets (and maybe the focus) itself
  // The box whose validation pass is due, or -1: the user put the focus into it or edited
  // it, and has neither left it nor given a command since. Box 0 holds the focus at start.
  int duePass_ = 0;
  bool runShown_ = false;  // the widgets show the running state
  int wheelTurn_ = 0;      // the part of a wheel notch turned so far on a spin bar
  QPointer<QWidget> focusAtRunStart_;
  // The button whose press moved the focus out of a box, when the pass that this ran started
  // a run: the run turned the button off before the press reached it, so it is clicked once
  // the run has ended.
  QPointer<QAbstractButton> clickAfterRun_;
  std::function<bool()> runStep_;
  QTimer* stepTimer_ = nullptr;
  std::chrono::steady_clock::time_point lastRepaint_{};

  QTimer* watchdogTimer_ = nullptr;
  std::array<QLineEdit*, kParamCount> box_{};
  std::array<QScrollBar*, kParamCount> spinBar_{};
  std::array<ShownText, kParamCount> shownBox_{};
  std::array<QWidget*, static_cast<int>(Control::Count)> controlWidget_{};

  QLabel* fixedLinkCaption_ = nullptr;
  QLabel* status_ = nullptr;
  std::array<QLabel*, 2> readout_{};  // X and Y of the pointer

  QPushButton* execute_ = nullptr;
  std::array<QPushButton*, 2> animate_{};  // forwards, backwards
  QPushButton* stop_ = nullptr;
  QPushButton* zoomIn_ = nullptr;
  QPushButton* zoomOut_ = nullptr;
  QPushButton* fitView_ = nullptr;
  QPushButton* quit_ = nullptr;
  std::array<QPushButton*, 7> commandButtons_{};

  QCheckBox* optimiseFourBar_ = nullptr;
  QCheckBox* analyseSixBar_ = nullptr;
  QCheckBox* optimiseSixBar_ = nullptr;
  QCheckBox* drawImmediately_ = nullptr;
  QListWidget* speedList_ = nullptr;
  std::array<QRadioButton*, 2> slidePointOption_{};  // start, end

  QScrollBar* panHorizontal_ = nullptr;
  QScrollBar* panVertical_ = nullptr;
  QLabel* assistantCorner_ = nullptr;
  CanvasWidget* canvas_ = nullptr;
  // The scroll bars and the canvas draw no sign of the keyboard focus: this frame does.
  QFocusFrame* focusFrame_ = nullptr;

  QAction* fileMenu_ = nullptr;
  QAction* helpMenu_ = nullptr;
  QAction* save_ = nullptr;
  QAction* saveAnimation_ = nullptr;
  QAction* load_ = nullptr;
  QAction* print_ = nullptr;
  QAction* report_ = nullptr;
  QAction* designSheet_ = nullptr;
  SheetChoice sheetChoice_;
  QPointer<ReportWindow> reportWindow_;
  QAction* editMenu_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* viewMenu_ = nullptr;
  QAction* zoomInItem_ = nullptr;
  QAction* zoomOutItem_ = nullptr;
  QAction* fitViewItem_ = nullptr;
  // The status bar's line, and its offer of 全体表示 when the view cut poses off.
  QLabel* statusLine_ = nullptr;
  QPushButton* statusFit_ = nullptr;
  Handle selectedHandle_ = Handle::CrankTip;  // the handle the arrow keys move
  QAction* designMenu_ = nullptr;
  QAction* synthesis_ = nullptr;
  QPointer<SynthesisDialog> synthesisDialog_;
  QAction* help_ = nullptr;
  QAction* version_ = nullptr;
};

}  // namespace gyrenda
