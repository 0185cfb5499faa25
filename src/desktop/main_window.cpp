#include "desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <utility>

#include "desktop/canvas_widget.h"
#include "desktop/help_window.h"
#include "desktop/messages.h"
#include "desktop/report_window.h"
#include "desktop/secondary_windows.h"
#include "linkage/number_text.h"

// The resources are linked from a static library, which does not register them by itself.
static void registerResources() { Q_INIT_RESOURCE(gyrenda); }

namespace gyrenda {
namespace {

// Layout positions are in twips; at 96 dots per inch 15 twips make one pixel.
constexpr int px(int twips) { return twips / 15; }

void place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(px(left), px(top), px(width), px(height));
}

template <typename W, typename... Args>
W* make(QWidget* parent, const char* name, Args&&... args) {
  auto* w = new W(std::forward<Args>(args)..., parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// The Japanese Gothic face, bold where asked. The size is set in pixels at 96 dots per inch,
// as the twips of the layout are, so that every caption fits the place it was made for.
QFont gothic(double points, bool bold) {
  static const QString kFamily = QStringLiteral("Noto Sans CJK JP");
  QFont font;
  if (QFontDatabase::hasFamily(kFamily)) font.setFamily(kFamily);
  font.setPixelSize(static_cast<int>(points * 96.0 / 72.0 + 0.5));
  font.setBold(bold);
  return font;
}

QFont captionFont() { return gothic(9, true); }
QFont optionFont() { return gothic(8.25, true); }
QFont readoutFont() { return gothic(11.25, true); }

// The program's icon, 16 × 16 in the title bar and larger where the desktop wants it.
QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addFile(QStringLiteral(":/icons/gyrenda-%1.png").arg(size));
  return icon;
}

// Scroll bars take the focus when clicked, as the validation of a box left by a click needs.
void configureBar(QScrollBar* bar, int minimum, int maximum, int singleStep, int pageStep) {
  bar->setRange(minimum, maximum);
  bar->setSingleStep(singleStep);
  bar->setPageStep(pageStep);
  // A dragged thumb changes the value once, where it is released.
  bar->setTracking(false);
  bar->setFocusPolicy(Qt::StrongFocus);
}

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

struct CaptionRow {
  int index;
  const char* caption;  // marked for translation, translated where it is shown
  int left, width, top;
};

constexpr CaptionRow kFourBarRows[] = {
    {0, QT_TRANSLATE_NOOP("MainWindow", "クランク（原動節）半径"), 480, 2295, 240},
    {1, QT_TRANSLATE_NOOP("MainWindow", "てこ（従動節）半径"), 1200, 1575, 600},
    {2, QT_TRANSLATE_NOOP("MainWindow", "中間節長さ(0以外)"), 960, 1815, 960},
    {3, "", 120, 2655, 1320},  // the fixed-link range, shown from the core's value
    {4, QT_TRANSLATE_NOOP("MainWindow", "４節リンク出力点Ｘ軸補正"), 120, 2655, 1680},
    {5, QT_TRANSLATE_NOOP("MainWindow", "４節リンク出力点Ｙ軸補正"), 240, 2535, 2040},
};

constexpr CaptionRow kSixBarRows[] = {
    {6, QT_TRANSLATE_NOOP("MainWindow", "６節リンクの中間節長さ(0以外)"), 120, 2655, 240},
    {7, QT_TRANSLATE_NOOP("MainWindow", "６節リンク出力点Ｘ軸補正"), 120, 2655, 600},
    {8, QT_TRANSLATE_NOOP("MainWindow", "６節リンク出力点Ｙ軸補正"), 120, 2655, 960},
};

// The speed list's items, fast to slow, as the core numbers them.
constexpr const char* kSpeedItems[kSpeedCount] = {QT_TRANSLATE_NOOP("MainWindow", "うま"),
                                                  QT_TRANSLATE_NOOP("MainWindow", "いぬ"),
                                                  QT_TRANSLATE_NOOP("MainWindow", "かめ")};

constexpr int kLabelHeight = 255;
constexpr int kBoxLeft = 2880, kBoxWidth = 855, kSpinLeft = 3480;
constexpr int kSlideRowTops[] = {1320, 1680};

// A frame whose border runs through the middle of its caption, so that the rows placed
// 16 pixels below its top edge sit inside it as they were laid out.
QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, int left,
                     int top, int width, int height) {
  auto* frame = make<QGroupBox>(parent, name, caption);
  frame->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); margin-top: 7px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0px 1px; }"));
  place(frame, left, top, width, height);
  return frame;
}

QLabel* makeCaption(QWidget* frame, const CaptionRow& row) {
  auto* label = make<QLabel>(frame, ("caption" + std::to_string(row.index)).c_str(),
                             *row.caption ? MainWindow::tr(row.caption) : QString());
  label->setFont(captionFont());
  // The captions end where the boxes begin.
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  place(label, row.left, row.top, row.width, kLabelHeight);
  return label;
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
}

MainWindow::MainWindow(std::unique_ptr<DesktopPlatform> platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform ? std::move(platform) : std::make_unique<DesktopPlatform>()) {
  registerResources();
  setObjectName(QStringLiteral("main"));
  setWindowTitle(QStringLiteral("GYRENDA"));
  setWindowIcon(programIcon());
  setFont(gothic(9, false));

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  buildFourBarFrame(client);
  buildSixBarFrame(client);
  buildOptionsFrame(client);
  buildCommands(client);
  buildCanvasArea(client);
  buildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  arrangeTabOrder();

  watchdogTimer_ = new QTimer(this);
  watchdogTimer_->setObjectName(QStringLiteral("watchdogTimer"));
  watchdogTimer_->setInterval(1000);
  for (int i = 0; i < kParamCount; ++i) connectParameterRow(i);
  connectCommands();
  connectOptions();
  connectCanvasArea();
  connectMenus();

  focusFrame_ = new QFocusFrame(client);
  focusFrame_->setObjectName(QStringLiteral("focusFrame"));
  // In the colour the style marks a focused box with, which also stands out beside the black
  // canvas.
  QPalette ring = focusFrame_->palette();
  ring.setColor(QPalette::WindowText, ring.color(QPalette::Highlight));
  focusFrame_->setPalette(ring);
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { frameFocus(now); });

  platform_->attach(this);
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

// --- Building ---------------------------------------------------------------------------------

void MainWindow::buildParameterRow(QWidget* frame, int index, int top, int boxLeft, int boxWidth,
                                   int spinLeft) {
  auto* box = make<QLineEdit>(frame, ("box" + std::to_string(index)).c_str());
  place(box, boxLeft, top, boxWidth, 270);
  // The spin bar covers the right end of the box; the text stays clear of it.
  box->setTextMargins(0, 0, px(255), 0);
  box->installEventFilter(this);
  box_[index] = box;

  auto* bar = make<QScrollBar>(frame, ("spinBar" + std::to_string(index)).c_str(), Qt::Vertical);
  place(bar, spinLeft, top, 255, 255);
  const ParamInfo& info = paramInfo()[index];
  configureBar(bar, info.spinMin, info.spinMax, 1, 1);
  // The top end is the high value.
  bar->setInvertedAppearance(true);
  bar->installEventFilter(this);
  spinBar_[index] = bar;
}

void MainWindow::buildFourBarFrame(QWidget* client) {
  QGroupBox* frame = makeFrame(client, "fourBarFrame", tr("４節リンクパラメータ"), 240, 120, 3975, 2775);
  for (const CaptionRow& row : kFourBarRows) {
    QLabel* caption = makeCaption(frame, row);
    if (row.index == fixedLinkLength) fixedLinkCaption_ = caption;
    buildParameterRow(frame, row.index, row.top, kBoxLeft, kBoxWidth, kSpinLeft);
  }
  fixedLinkCaption_->setObjectName(QStringLiteral("fixedLinkCaption"));
  optimiseFourBar_ = make<QCheckBox>(frame, "optimiseFourBar", tr("計算の最適化"));
  place(optimiseFourBar_, 2040, 2400, 1755, 255);
}

void MainWindow::buildSixBarFrame(QWidget* client) {
  QGroupBox* frame = makeFrame(client, "sixBarFrame", tr("６節リンクパラメータ"), 4320, 120, 3975, 2775);
  for (const CaptionRow& row : kSixBarRows) {
    makeCaption(frame, row);
    buildParameterRow(frame, row.index, row.top, kBoxLeft, kBoxWidth, kSpinLeft);
  }
  const QString optionCaptions[] = {tr("ｽﾗｲﾄﾞ始点座標(X,Y)"), tr("ｽﾗｲﾄﾞ終点座標(X,Y)")};
  const char* optionNames[] = {"slideStartOption", "slideEndOption"};
  for (int k = 0; k < 2; ++k) {
    const int top = kSlideRowTops[k];
    slidePointOption_[k] = make<QRadioButton>(frame, optionNames[k], optionCaptions[k]);
    slidePointOption_[k]->setFont(optionFont());
    place(slidePointOption_[k], 120, top, 2055, 255);
    const int xIndex = slideStartX + 2 * k;
    buildParameterRow(frame, xIndex, top, 2280, 735, 2760);
    buildParameterRow(frame, xIndex + 1, top, 3000, 735, 3480);
  }
  status_ = make<QLabel>(frame, "status");
  place(status_, 240, 2040, 3495, kLabelHeight);
  optimiseSixBar_ = make<QCheckBox>(frame, "optimiseSixBar", tr("計算の最適化"));
  place(optimiseSixBar_, 2040, 2400, 1755, 255);
}

void MainWindow::buildOptionsFrame(QWidget* client) {
  QGroupBox* frame = makeFrame(client, "optionsFrame", tr("ぷろぱちー"), 8400, 120, 2055, 1815);
  auto* caption = make<QLabel>(frame, "speedCaption", tr("解析スピード"));
  caption->setFont(captionFont());
  place(caption, 120, 240, 1695, 255);

  speedList_ = make<QListWidget>(frame, "speedList");
  for (const char* item : kSpeedItems) speedList_->addItem(tr(item));
  place(speedList_, 720, 480, 1215, 240);
  // One row high: a thin frame, and every item exactly as tall as the inside, so that the
  // selected item shows whole and the scroll bar ends on the last item, not an empty row.
  speedList_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const QSize row(px(1215), px(240) - 2 * speedList_->frameWidth());
  for (int k = 0; k < speedList_->count(); ++k) speedList_->item(k)->setSizeHint(row);
  speedList_->setUniformItemSizes(true);
  speedList_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  speedList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  drawImmediately_ = make<QCheckBox>(frame, "drawImmediately", tr("すぐに描画する"));
  place(drawImmediately_, 120, 1080, 1755, 255);
  analyseSixBar_ = make<QCheckBox>(frame, "analyseSixBar", tr("6節ﾘﾝｸも解析する"));
  place(analyseSixBar_, 120, 1440, 1755, 255);
}

void MainWindow::buildCommands(QWidget* client) {
  const auto button = [this, client](const char* name, const QString& caption, int left,
                                     int top, int width, int height) {
    auto* b = make<QPushButton>(client, name, caption);
    place(b, left, top, width, height);
    b->setAutoDefault(false);
    // For Enter and Return, which a button with autoDefault off leaves alone.
    b->installEventFilter(this);
    return b;
  };
  execute_ = button("execute", tr("実行"), 10560, 240, 1455, 375);
  animate_[0] = button("animateForwards", tr("アニメ"), 10560, 720, 735, 375);
  animate_[1] = button("animateBackwards", tr("アニメ"), 11280, 720, 735, 375);
  stop_ = button("stop", tr("停止"), 10560, 1200, 1455, 375);
  zoomIn_ = button("zoomIn", tr("拡大"), 10560, 1920, 735, 495);
  zoomOut_ = button("zoomOut", tr("縮小"), 11280, 1920, 735, 495);
  quit_ = button("quit", tr("終了"), 10560, 2520, 1455, 375);
  commandButtons_ = {execute_, animate_[0], animate_[1], stop_, zoomIn_, zoomOut_, quit_};

  for (int k = 0; k < 2; ++k) {
    readout_[k] = make<QLabel>(client, k == 0 ? "readoutX" : "readoutY");
    readout_[k]->setFont(readoutFont());
    place(readout_[k], 8520, k == 0 ? 2040 : 2520, 1815, 375);
  }
}

void MainWindow::buildCanvasArea(QWidget* client) {
  panHorizontal_ = make<QScrollBar>(client, "panHorizontal", Qt::Horizontal);
  place(panHorizontal_, 240, 3120, 11535, 255);
  configureBar(panHorizontal_, -300, 300, 10, 50);
  panVertical_ = make<QScrollBar>(client, "panVertical", Qt::Vertical);
  place(panVertical_, 11760, 3360, 255, 6735);
  configureBar(panVertical_, -300, 300, 10, 50);

  assistantCorner_ = make<QLabel>(client, "assistantCorner");
  place(assistantCorner_, 11760, 3120, 255, 255);
  assistantCorner_->installEventFilter(this);

  canvas_ = make<CanvasWidget>(client, "canvas", bench_.canvas());
  canvas_->move(px(240), px(3360));

  const std::pair<Control, QWidget*> widgets[] = {
      {Control::Execute, execute_},
      {Control::AnimateForwards, animate_[0]},
      {Control::AnimateBackwards, animate_[1]},
      {Control::Stop, stop_},
      {Control::ZoomIn, zoomIn_},
      {Control::ZoomOut, zoomOut_},
      {Control::Quit, quit_},
      {Control::PanHorizontal, panHorizontal_},
      {Control::PanVertical, panVertical_},
      {Control::AssistantCorner, assistantCorner_},
      {Control::OptimiseFourBar, optimiseFourBar_},
      {Control::AnalyseSixBar, analyseSixBar_},
      {Control::OptimiseSixBar, optimiseSixBar_},
      {Control::DrawImmediately, drawImmediately_},
      {Control::SpeedList, speedList_},
      {Control::SlideStartOption, slidePointOption_[0]},
      {Control::SlideEndOption, slidePointOption_[1]},
  };
  for (const auto& [control, widget] : widgets) controlWidget_[static_cast<int>(control)] = widget;
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(tr("ファイル(&F)"));
  file->setObjectName(QStringLiteral("fileMenu"));
  fileMenu_ = file->menuAction();
  save_ = file->addAction(tr("保存"));
  load_ = file->addAction(tr("読み込み"));
  print_ = file->addAction(tr("印刷"));
  report_ = file->addAction(tr("解析レポート"));
  QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("helpMenu"));
  helpMenu_ = help->menuAction();
  help_ = help->addAction(tr("Gyrendaのヘルプ"));
  version_ = help->addAction(tr("Gyrendaのバージョン情報"));
  save_->setObjectName(QStringLiteral("save"));
  load_->setObjectName(QStringLiteral("load"));
  print_->setObjectName(QStringLiteral("print"));
  report_->setObjectName(QStringLiteral("report"));
  help_->setObjectName(QStringLiteral("help"));
  version_->setObjectName(QStringLiteral("version"));
}

// The entry boxes first, in index order, then 実行: box 0 holds the focus at start.
void MainWindow::arrangeTabOrder() {
  for (int i = 0; i + 1 < kParamCount; ++i) QWidget::setTabOrder(box_[i], box_[i + 1]);
  QWidget::setTabOrder(box_[kParamCount - 1], execute_);
}

// --- Binding ----------------------------------------------------------------------------------

void MainWindow::connectParameterRow(int index) {
  QLineEdit* box = box_[index];
  connect(box, &QLineEdit::textChanged, this, [this, index](const QString& typed) {
    std::string& text = bench_.controls().boxText[index];
    text = typed.toStdString();
    shownBox_[index].changeTo(text);
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
  const int runsBefore = runsShown_;
  commitEdit();
  if (clicked && runsShown_ != runsBefore) completeClickAfterRun(clicked);
}

// The pass that the click's focus change ran started a run (すぐに描画する), and the run, which
// turns the button off, took the mouse release in its yields: the press reaches the button
// only after the run, and leaves it down without a click. Once that press is in, the click is
// completed, once however often the user clicked the button while it was off; a mouse button
// still held completes it by its own release.
void MainWindow::completeClickAfterRun(QAbstractButton* button) {
  QTimer::singleShot(0, button, [button] {
    if (!button->isDown() || (QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
    button->setDown(false);
    button->click();
  });
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
  connect(canvas_, &CanvasWidget::doubleClicked, this, [this] { command(&Workbench::enterPoint); });
}

// A menu does not take the focus from the box being edited, so its edit is committed here.
void MainWindow::connectMenus() {
  connect(save_, &QAction::triggered, this, [this] { command(&Workbench::save); });
  connect(load_, &QAction::triggered, this, [this] { command(&Workbench::load); });
  connect(print_, &QAction::triggered, this, [this] { command(&Workbench::print); });
  connect(report_, &QAction::triggered, this, [this] {
    commitEdit();
    openReport();
  });
  connect(help_, &QAction::triggered, this, [this] { command(&Workbench::showHelp); });
  connect(version_, &QAction::triggered, this, [this] { command(&Workbench::showVersion); });
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
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == assistantCorner_) {
    command(&Workbench::toggleAssistant);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::openDesign(const std::string& path) {
  bool loaded = false;
  command([&](Workbench& b) {
    b.controls().drawImmediately = 0;
    b.controls().mark(InputsChanged);
    loaded = b.loadDesignFile(path).empty();
  });
  if (!loaded) platform_->showText(openFailureText(QString::fromStdString(path)));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (handlerDepth_ > 0) {
    // A loop still works on the workbench: every loop leaves at its next yield, and the
    // window closes when the outermost handler has returned.
    bench_.quit();
    event->ignore();
    return;
  }
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
    ++runsShown_;
  }
  if (changed & BoxesChanged) showBoxes();
  if (changed & CaptionsChanged) showCaptions();
  if (changed & InputsChanged) showInputs();
  if (changed & ViewChanged) showView();
  if (changed & EnabledChanged) showEnabled();
  if (changed & RunStateChanged) showRunState();
  if (reportWindow_ && (changed & (ReportChanged | BoxesChanged)))
    reportWindow_->showReport(bench_.result().report, bench_.linkage().parameters);
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
    reportWindow_->showReport(bench_.result().report, bench_.linkage().parameters);
    // Beside the main window, so that the design, its drawing and the commands stay in view.
    if (const QScreen* s = screen()) {
      const BesidePlace place = besideWithRoom(frameGeometry(), reportWindow_->size(),
                                               ReportWindow::kNarrowest, s->availableGeometry());
      if (place.mainWindowShift != 0) move(pos() + QPoint(place.mainWindowShift, 0));
      reportWindow_->resize(place.window.size());
      reportWindow_->move(place.window.topLeft());
    }
  }
  bringBack(*reportWindow_);
}

void MainWindow::showBoxes() {
  const ControlState& c = bench_.controls();
  for (int i = 0; i < kParamCount; ++i) {
    if (shownBox_[i].changeTo(c.boxText[i])) setTextQuietly(box_[i], c.boxText[i]);
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
  const QString status = c.status == StatusCaption::Finished ? tr("終了") : QString();
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
  setEnabledIfChanged(helpMenu_, c.enabled(Control::HelpMenu));
}

void MainWindow::showRunState() {
  const ControlState& c = bench_.controls();
  const bool busyShown = testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::BusyCursor;
  if (c.busyPointer && !busyShown) setCursor(Qt::BusyCursor);
  if (!c.busyPointer && busyShown) unsetCursor();
  if (c.timerEnabled && !watchdogTimer_->isActive()) watchdogTimer_->start();
  if (!c.timerEnabled && watchdogTimer_->isActive()) watchdogTimer_->stop();
}

}  // namespace gyrenda
