#include "desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <utility>

#include "desktop/animation_dialog.h"
#include "desktop/canvas_widget.h"
#include "desktop/messages.h"
#include "desktop/report_window.h"
#include "desktop/secondary_windows.h"
#include "desktop/synthesis_dialog.h"
#include "linkage/number_text.h"

// The resources are linked from a static library, which does not register them by itself.
static void registerResources() { Q_INIT_RESOURCE(gyrenda); }

namespace gyrenda {
namespace {
void setTextQuietly(QLineEdit* box, const std::string& value) {
  const QSignalBlocker blocker(box);
  box->setText(QString::fromStdString(value));
}

void setValueQuietly(QAbstractSlider* bar, int value) {
  if (bar->value() == value) return;
  const QSignalBlocker blocker(bar);
  bar->setValue(value);
}

void setCheckQuietly(QCheckBox* box, CheckState state) {
  const Qt::CheckState shown = state == 0   ? Qt::Unchecked
                               : state == 1 ? Qt::Checked
                                            : Qt::PartiallyChecked;
  if (box->checkState() == shown) return;
  const QSignalBlocker blocker(box);
  box->setCheckState(shown);
}

CheckState checkStateOf(int qtState) {
  switch (qtState) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    default: return 2;
  }
}

void setEnabledIfChanged(QWidget* w, bool enabled) {
  if (w->isEnabled() != enabled) w->setEnabled(enabled);
}

void setEnabledIfChanged(QAction* a, bool enabled) {
  if (a->isEnabled() != enabled) a->setEnabled(enabled);
}

}  // namespace

template <typename Handler>
void MainWindow::run(Handler&& handler) {
  ++handlerDepth_;
  std::invoke(std::forward<Handler>(handler), bench_);
  --handlerDepth_;
  showChanges(bench_.controls().takeChanges());
  canvas_->update();
  if (handlerDepth_ == 0 && bench_.quitRequested()) close();
}

// For handlers made in the window's other files.
template void MainWindow::run(std::function<void(Workbench&)>&& handler);

template <typename Handler>
void MainWindow::command(Handler&& handler) {
  commitEdit();
  run(std::forward<Handler>(handler));
}

void MainWindow::commitEdit() {
  // During a run the pass would redraw the canvas the search reads: it stays due.
  if (duePass_ < 0 || bench_.running()) return;
  const int index = std::exchange(duePass_, -1);
  run([index](Workbench& b) { b.leaveBox(index); });
  // The box's own undo holds the typing its pass has not read yet; what the pass has read is
  // a step of the design's history, which Ctrl+Z reaches once the box has nothing to undo.
  QLineEdit* box = box_[index];
  if (box->isUndoAvailable() || box->isRedoAvailable()) {
    const int cursor = box->cursorPosition();
    setTextQuietly(box, box->text().toStdString());
    box->setCursorPosition(cursor);
  }
}

MainWindow::MainWindow(std::unique_ptr<DesktopPlatform> platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform ? std::move(platform) : std::make_unique<DesktopPlatform>()) {
  registerResources();
  QWidget* client = buildWindow();

  watchdogTimer_ = new QTimer(this);
  watchdogTimer_->setObjectName(QStringLiteral("watchdogTimer"));
  watchdogTimer_->setInterval(1000);
  // A zero-time timer fires whenever the event loop has nothing else to do: the run advances
  // between the user's events, which therefore never wait for more than one step.
  stepTimer_ = new QTimer(this);
  stepTimer_->setInterval(0);
  connect(stepTimer_, &QTimer::timeout, this, &MainWindow::stepRun);
  for (int i = 0; i < kParamCount; ++i) connectParameterRow(i);
  connectCommands();
  connectOptions();
  connectCanvasArea();
  connectMenus();
  connectJoints();

  focusFrame_ = new QFocusFrame(client);
  focusFrame_->setObjectName(QStringLiteral("focusFrame"));
  // In the colour the style marks a focused box with, which also stands out beside the black
  // canvas.
  QPalette ring = focusFrame_->palette();
  ring.setColor(QPalette::WindowText, ring.color(QPalette::Highlight));
  focusFrame_->setPalette(ring);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) {
            frameFocus(now);
            showUndoState();
          });

  platform_->attach(this);
  // A loaded or applied design that the view cuts off is shown whole before its analysis.
  bench_.setFitReplacedDesigns(true);
  bench_.start();
  // The canvas opens on its grid; the construction follows with the first validation pass.
  bench_.drawGrid();
  showChanges(bench_.controls().takeChanges());
  box_[0]->setFocus();
}

MainWindow::~MainWindow() {
  // The widgets outlive the workbench they report to (Qt deletes them after this body):
  // nothing they do while being destroyed may reach the core.
  watchdogTimer_->stop();
  disconnect(qApp, nullptr, this, nullptr);
  focusFrame_->setWidget(nullptr);
  for (QObject* child : findChildren<QObject*>()) {
    child->removeEventFilter(this);
    child->blockSignals(true);
  }
  platform_->attach(nullptr);
}

// --- Binding ----------------------------------------------------------------------------------

void MainWindow::connectParameterRow(int index) {
  QLineEdit* box = box_[index];
  connect(box, &QLineEdit::textChanged, this, [this, index](const QString& typed) {
    std::string& text = bench_.controls().boxText[index];
    text = typed.toStdString();
    shownBox_[index].changeTo(text);
    showUndoState();
  });
  connect(box, &QLineEdit::textEdited, this, [this, index] { duePass_ = index; });
  QScrollBar* bar = spinBar_[index];
  connect(bar, &QScrollBar::actionTriggered, this,
          [this, index](int action) { onSpinBarAction(index, action); });
  connect(bar, &QScrollBar::valueChanged, this, [this, index](int value) {
    command([=](Workbench& b) { b.setSpinBar(index, value); });
  });
}

// The bar is drawn with its high end on top, but Qt still steps down for the upper arrow and
// the trough above the thumb: those steps are turned round so that up means more.
void MainWindow::onSpinBarAction(int index, int action) {
  QScrollBar* bar = spinBar_[index];
  int step = 0;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: step = -bar->singleStep(); break;
    case QAbstractSlider::SliderSingleStepSub: step = bar->singleStep(); break;
    case QAbstractSlider::SliderPageStepAdd: step = -bar->pageStep(); break;
    case QAbstractSlider::SliderPageStepSub: step = bar->pageStep(); break;
    default: return;
  }
  bar->setSliderPosition(bar->value() + step);
}

// Only the user moves the edit: a focus change made by the program (a run disabling or
// enabling controls, the focus given back after a run) neither makes a pass due nor runs
// one. Nor does the window losing or regaining its activation, or a popup or the menu bar
// taking the keyboard for a while: the box stays the one being edited.
void MainWindow::onParameterFocus(int index, bool in, Qt::FocusReason reason) {
  if (syncing_) return;
  switch (reason) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason: return;
    default: break;
  }
  if (in) {
    duePass_ = index;
    return;
  }
  if (duePass_ != index) return;
  // A click that moves the focus gives it to the clicked control before the box hears of it.
  auto* clicked = reason == Qt::MouseFocusReason
                      ? qobject_cast<QAbstractButton*>(QApplication::focusWidget())
                      : nullptr;
  const bool wasRunning = bench_.running();
  commitEdit();
  if (clicked && !wasRunning && bench_.running()) clickAfterRun_ = clicked;
}

void MainWindow::driveRun(const std::function<bool()>& step) {
  runStep_ = step;
  stepTimer_->start();
}

void MainWindow::holdRun(bool held) {
  if (!runStep_) return;
  if (held) stepTimer_->stop();
  else stepTimer_->start();
}

// Painting the canvas after every step would cost more than the search, so the canvas is
// repainted at most every kRepaintInterval meanwhile (a playback repaints every pose itself).
void MainWindow::stepRun() {
  // A copy: the step may close the window, which lets go of the run's step. A command that
  // takes its picture (a save, a print) may have driven the run to its end already.
  const std::function<bool()> step = runStep_;
  const bool goesOn = bench_.running() && step && step();
  showChanges(bench_.controls().takeChanges());
  const auto now = std::chrono::steady_clock::now();
  if (!goesOn || now - lastRepaint_ >= DesktopPlatform::kRepaintInterval) {
    canvas_->update();
    lastRepaint_ = now;
  }
  if (goesOn) return;
  stepTimer_->stop();
  runStep_ = nullptr;
  if (bench_.quitRequested()) {
    close();
    return;
  }
  // Once, however often the user clicked the button while the run had it off.
  if (QAbstractButton* button = clickAfterRun_.data(); button && button->isEnabled()) button->click();
  clickAfterRun_ = nullptr;
}

// Qt's style draws the focus of boxes, buttons, check boxes and the list, but not of a scroll
// bar or a plain widget, where an arrow key would change a value unseen.
void MainWindow::frameFocus(QWidget* focus) {
  // The style marks the focus of buttons and check boxes only once the keyboard has moved it
  // (and forgets that when the window is shown); here Enter, Return and Space act on the
  // focused control however it got the focus.
  setAttribute(Qt::WA_KeyboardFocusChange);
  const bool framed = focus == panHorizontal_ || focus == panVertical_ || focus == canvas_ ||
                      std::ranges::find(spinBar_, focus) != spinBar_.end();
  focusFrame_->setWidget(framed ? focus : nullptr);
}

void MainWindow::connectCommands() {
  connect(execute_, &QPushButton::clicked, this, [this] { command(&Workbench::execute); });
  for (int k = 0; k < 2; ++k)
    connect(animate_[k], &QPushButton::clicked, this, [this, k] {
      command([k](Workbench& b) { b.animate(k == 0 ? Direction::Forwards : Direction::Backwards); });
    });
  connect(stop_, &QPushButton::clicked, this, [this] { run(&Workbench::stop); });
  connect(zoomIn_, &QPushButton::clicked, this, [this] { command(&Workbench::zoomIn); });
  connect(zoomOut_, &QPushButton::clicked, this, [this] { command(&Workbench::zoomOut); });
  connect(fitView_, &QPushButton::clicked, this, &MainWindow::fitView);
  // 終了 asks for the end; run() closes the window once no handler is left.
  connect(quit_, &QPushButton::clicked, this, [this] { command(&Workbench::quit); });
  connect(watchdogTimer_, &QTimer::timeout, this, [this] { run(&Workbench::watchdogTick); });
}

void MainWindow::connectOptions() {
  const std::pair<QCheckBox*, CheckState ControlState::*> checks[] = {
      {optimiseFourBar_, &ControlState::optimiseFourBar},
      {analyseSixBar_, &ControlState::analyseSixBar},
      {optimiseSixBar_, &ControlState::optimiseSixBar},
      {drawImmediately_, &ControlState::drawImmediately}};
  for (const auto& [box, state] : checks)
    connect(box, &QCheckBox::stateChanged, this,
            [this, member = state](int s) { bench_.controls().*member = checkStateOf(s); });

  connect(speedList_, &QListWidget::currentRowChanged, this,
          [this](int row) { command([row](Workbench& b) { b.selectSpeed(row); }); });
  for (int k = 0; k < 2; ++k)
    connect(slidePointOption_[k], &QRadioButton::clicked, this,
            [this, k] { bench_.controls().slidePointOption = k; });
}

void MainWindow::connectCanvasArea() {
  connect(panHorizontal_, &QScrollBar::valueChanged, this, [this](int value) {
    command([value](Workbench& b) { b.panTo(value, b.view().top); });
  });
  connect(panVertical_, &QScrollBar::valueChanged, this, [this](int value) {
    command([value](Workbench& b) { b.panTo(b.view().left, value); });
  });
  // The readout changes only two labels: no canvas repaint for a pointer move.
  connect(canvas_, &CanvasWidget::pointerMoved, this, [this](double x, double y) {
    bench_.movePointer(static_cast<float>(x), static_cast<float>(y));
    showChanges(bench_.controls().takeChanges());
  });
  connect(canvas_, &CanvasWidget::doubleClicked, this, [this] {
    if (synthesisDialog_ && synthesisDialog_->isVisible()) return addTargetAtPointer();
    command(&Workbench::enterPoint);
  });
}

// A menu does not take the focus from the box being edited, so its edit is committed here.
void MainWindow::connectMenus() {
  connect(zoomInItem_, &QAction::triggered, this, [this] { command(&Workbench::zoomIn); });
  connect(zoomOutItem_, &QAction::triggered, this, [this] { command(&Workbench::zoomOut); });
  connect(fitViewItem_, &QAction::triggered, this, &MainWindow::fitView);
  connect(statusFit_, &QPushButton::clicked, this, &MainWindow::fitView);
  connect(save_, &QAction::triggered, this, [this] { command(&Workbench::save); });
  connect(saveAnimation_, &QAction::triggered, this, [this] { saveAnimation(); });
  connect(load_, &QAction::triggered, this, [this] { command(&Workbench::load); });
  connect(print_, &QAction::triggered, this, [this] { command(&Workbench::print); });
  connect(designSheet_, &QAction::triggered, this, [this] {
    commitEdit();
    if (const auto choice = bench_.running() ? std::nullopt : askSheet(this, sheetChoice_))
      writeDesignSheet(*choice);
  });
  connect(report_, &QAction::triggered, this, [this] {
    commitEdit();
    openReport();
  });
  connect(help_, &QAction::triggered, this, [this] { command(&Workbench::showHelp); });
  connect(version_, &QAction::triggered, this, [this] { command(&Workbench::showVersion); });
  connect(undo_, &QAction::triggered, this, [this] {
    if (!undoTyping(true)) command(&Workbench::undo);
  });
  connect(redo_, &QAction::triggered, this, [this] {
    if (!undoTyping(false)) command(&Workbench::redo);
  });
  connect(synthesis_, &QAction::triggered, this, [this] {
    commitEdit();
    openSynthesis();
  });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut || event->type() == QEvent::FocusIn) {
    for (int i = 0; i < kParamCount; ++i)
      if (watched == box_[i])
        onParameterFocus(i, event->type() == QEvent::FocusIn,
                         static_cast<QFocusEvent*>(event)->reason());
  } else if (event->type() == QEvent::Wheel) {
    // The wheel moves a spin bar as its arrows do: turned up, one notch raises the value by 1.
    // A fine-grained wheel or touchpad adds up its small steps to whole notches.
    for (QScrollBar* bar : spinBar_)
      if (watched == bar) {
        wheelTurn_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = wheelTurn_ / QWheelEvent::DefaultDeltasPerStep;
        wheelTurn_ %= QWheelEvent::DefaultDeltasPerStep;
        if (notches != 0 && bar->isEnabled()) bar->setValue(bar->value() + notches);
        return true;
      }
  } else if (event->type() == QEvent::KeyPress) {
    // Enter and Return press the focused command button, as Space does.
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const auto button = std::ranges::find(commandButtons_, watched);
    if (enter && button != commandButtons_.end()) {
      if (!key->isAutoRepeat()) (*button)->click();
      return true;
    }
  } else if (event->type() == QEvent::ShortcutOverride &&
             menuTakesKey(watched, *static_cast<QKeyEvent*>(event))) {
    // The override left ignored and unseen by the box lets the 編集 menu's shortcut through,
    // which undoes the box's typing first.
    event->ignore();
    return true;
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == assistantCorner_) {
    command(&Workbench::toggleAssistant);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::openDesign(const std::string& path) {
  command([&](Workbench& b) {
    b.controls().drawImmediately = 0;
    b.controls().mark(InputsChanged);
    b.loadDesignFile(path);  // tells the user why, when nothing was loaded
  });
}

void MainWindow::openExample(const std::string& path) {
  command([&](Workbench& b) {
    if (b.running()) return;
    b.setView(kStartView);
    b.loadDesignFile(path);  // tells the user why, when nothing was loaded
  });
}

void MainWindow::saveAnimation() {
  commitEdit();
  if (bench_.running()) return;
  AnimationDialog dialog(bench_.linkage(), bench_.view(), bench_.animationGifOptions(), this);
  dialog.exec();
}

// The six-bar stays as the boxes hold it now, whatever they held when the search began.
void MainWindow::applyCandidate(const ParameterSet& candidate) {
  command([&candidate](Workbench& b) {
    ParameterSet design = b.linkage().parameters;
    std::copy_n(candidate.begin(), sixLinkLength, design.begin());
    b.applyParameters(design);
  });
}

void MainWindow::applySliderCandidate(const ParameterSet& candidate) {
  command([&candidate](Workbench& b) {
    if (b.running()) return;
    ParameterSet design = b.linkage().parameters;
    std::copy(candidate.begin() + sixLinkLength, candidate.end(), design.begin() + sixLinkLength);
    b.controls().analyseSixBar = 1;
    b.controls().mark(InputsChanged);
    b.applyParameters(design);
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bench_.quit();
  if (handlerDepth_ > 0) {
    // A handler is still open (a message box of the watchdog): the window closes when it
    // has returned.
    event->ignore();
    return;
  }
  // The run in progress ends at its next step, which is taken now.
  bench_.finishRun();
  stepTimer_->stop();
  event->accept();
}

// --- Showing the core's state -----------------------------------------------------------------

void MainWindow::showChanges(Changes changed) {
  const QScopedValueRollback<bool> syncing(syncing_, true);
  if (bench_.running() && !runShown_) {
    // Nothing has moved the focus since the run began inside a handler. When a focus change
    // of the user started it, the focus is already on the control that the user chose.
    QWidget* focus = QApplication::focusWidget();
    focusAtRunStart_ = focus && isAncestorOf(focus) ? focus : focusWidget();
    runShown_ = true;
  }
  if (changed & BoxesChanged) showBoxes();
  if (changed & CaptionsChanged) showCaptions();
  if (changed & InputsChanged) showInputs();
  if (changed & ViewChanged) showView();
  if (changed & EnabledChanged) showEnabled();
  if (changed & RunStateChanged) showRunState();
  if (changed & ReportChanged) showPosesOutOfView();
  // The handles follow the design, the view, the six-bar box and the run.
  if (changed & (BoxesChanged | ViewChanged | InputsChanged | RunStateChanged) &&
      !bench_.jointDrag().active())
    showJointOverlay();
  if (reportWindow_ && (changed & (ReportChanged | BoxesChanged)))
    reportWindow_->showReport(bench_.report(), bench_.linkage().parameters);
  if (!bench_.running() && runShown_) {
    runShown_ = false;
    restoreFocusAfterRun();
  }
}

void MainWindow::restoreFocusAfterRun() {
  QWidget* w = std::exchange(focusAtRunStart_, nullptr);
  if (!w || !isAncestorOf(w)) return;
  for (QWidget* const first = w; !w->isEnabled() || !w->isVisibleTo(this);) {
    do {
      w = w->nextInFocusChain();
      if (w == first) return;
    } while (!(w->focusPolicy() & Qt::TabFocus));
  }
  w->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openReport() {
  if (!reportWindow_) {
    reportWindow_ = new ReportWindow(this);
    // Ctrl+Z and Ctrl+Shift+Z step through the designs from here too.
    reportWindow_->addActions({undo_, redo_});
    reportWindow_->showReport(bench_.report(), bench_.linkage().parameters);
  }
  // Beside the main window, so that the design, its drawing and the commands stay in view.
  showBeside(*reportWindow_, this,
             {ReportWindow::kNarrowest, reportWindow_->minimumSizeHint().height()});
}

KeptInView MainWindow::keptInView() const {
  const auto onScreen = [](const QWidget* w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
  KeptInView kept;
  for (const QPushButton* button : commandButtons_) kept.buttons |= onScreen(button);
  const QWidget* canvasArea[] = {canvas_, panHorizontal_, panVertical_};
  for (const QWidget* w : canvasArea) kept.canvas |= onScreen(w);
  return kept;
}

void MainWindow::showBoxes() {
  const ControlState& c = bench_.controls();
  for (int i = 0; i < kParamCount; ++i) {
    if (shownBox_[i].changeTo(c.boxText[i])) {
      setTextQuietly(box_[i], c.boxText[i]);
      // A value longer than the box (an applied candidate's 44.06559) shows its first digits,
      // not its last, unless the user is typing there.
      if (!box_[i]->hasFocus()) box_[i]->setCursorPosition(0);
    }
    setValueQuietly(spinBar_[i], c.spinValue[i]);
  }
}

void MainWindow::showCaptions() {
  const ControlState& c = bench_.controls();
  const auto number = [](float v) { return QString::fromStdString(formatBoxNumber(v)); };
  const QString range =
      c.fixedLinkCaption
          ? tr("静止節(%1～%2)").arg(number(c.fixedLinkCaption->lower), number(c.fixedLinkCaption->upper))
          : tr("静止節長さ(0～0)");
  if (fixedLinkCaption_->text() != range) fixedLinkCaption_->setText(range);
  const QString status = c.status == StatusCaption::Finished
                             ? tr("終了", "the analysis has ended (not the quit button)")
                             : QString();
  if (status_->text() != status) status_->setText(status);
  const QString readout[2] = {
      c.readout ? QStringLiteral("X=") + number(c.readout->x) : QStringLiteral("X="),
      c.readout ? QStringLiteral("Y=") + number(-c.readout->y) : QStringLiteral("Y=")};
  for (int k = 0; k < 2; ++k)
    if (readout_[k]->text() != readout[k]) readout_[k]->setText(readout[k]);
}

void MainWindow::showInputs() {
  const ControlState& c = bench_.controls();
  setCheckQuietly(optimiseFourBar_, c.optimiseFourBar);
  setCheckQuietly(analyseSixBar_, c.analyseSixBar);
  setCheckQuietly(optimiseSixBar_, c.optimiseSixBar);
  setCheckQuietly(drawImmediately_, c.drawImmediately);
  if (speedList_->currentRow() != c.speedItem) {
    const QSignalBlocker blocker(speedList_);
    speedList_->setCurrentRow(c.speedItem);
    if (QListWidgetItem* item = speedList_->currentItem()) speedList_->scrollToItem(item);
  }
  showOption(c.slidePointOption);
}

void MainWindow::showView() {
  setValueQuietly(panHorizontal_, bench_.view().left);
  setValueQuietly(panVertical_, bench_.view().top);
}

// Selects option `selected`, or neither for -1, which an exclusive pair allows only while
// its exclusiveness is lifted.
void MainWindow::showOption(int selected) {
  for (int k = 0; k < 2; ++k) {
    QRadioButton* option = slidePointOption_[k];
    const bool on = k == selected;
    if (option->isChecked() == on) continue;
    const QSignalBlocker blocker(option);
    option->setAutoExclusive(false);
    option->setChecked(on);
    option->setAutoExclusive(true);
  }
}

void MainWindow::showEnabled() {
  const ControlState& c = bench_.controls();
  for (int i = 0; i < kParamCount; ++i) {
    setEnabledIfChanged(box_[i], c.boxEnabled[i]);
    setEnabledIfChanged(spinBar_[i], c.spinEnabled[i]);
  }
  for (int k = 0; k < static_cast<int>(Control::Count); ++k)
    if (QWidget* w = controlWidget_[k]) setEnabledIfChanged(w, c.enabledFlags[k]);
  setEnabledIfChanged(fileMenu_, c.enabled(Control::FileMenu));
  for (QAction* item : {zoomInItem_, zoomOutItem_, fitViewItem_})
    setEnabledIfChanged(item, c.enabled(Control::FitView));
  setEnabledIfChanged(statusFit_, c.enabled(Control::FitView));
  setEnabledIfChanged(helpMenu_, c.enabled(Control::HelpMenu));
  showUndoState();
  if (synthesisDialog_) synthesisDialog_->setApplyAllowed(c.enabled(Control::Execute));
}

void MainWindow::showRunState() {
  const ControlState& c = bench_.controls();
  const bool busyShown = testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::BusyCursor;
  if (c.busyPointer && !busyShown) setCursor(Qt::BusyCursor);
  if (!c.busyPointer && busyShown) unsetCursor();
  if (c.timerEnabled && !watchdogTimer_->isActive()) watchdogTimer_->start();
  if (!c.timerEnabled && watchdogTimer_->isActive()) watchdogTimer_->stop();
}

void MainWindow::fitView() {
  command([](Workbench& b) { b.fit(); });
  showPosesOutOfView();
}

void MainWindow::showPosesOutOfView() {
  const auto& report = bench_.report();
  const int unseen = !report ? 0
                             : report->fourBar.posesOutOfView +
                                   (report->sixBar ? report->sixBar->posesOutOfView : 0);
  // The offer stands until the view changes or the next analysis sees everything.
  const bool offer = unseen > 0 && report->parameters == bench_.linkage().parameters &&
                     !bench_.canvasView().showsWhole(bench_.linkage(),
                                                     ticked(bench_.controls().analyseSixBar));
  statusLine_->setText(offer ? tr("%n 個の姿勢が画面の外にあり、見つかりませんでした。", nullptr, unseen)
                             : QString());
  statusFit_->setVisible(offer);
}

}  // namespace gyrenda
