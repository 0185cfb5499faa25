#include "desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGroupBox>
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
#include <utility>

#include "app/commands.h"
#include "app/run_driver.h"
#include "app/startup.h"
#include "app/validation.h"
#include "desktop/canvas_widget.h"
#include "canvas/grid.h"
#include "files/file_commands.h"
#include "ui/pointer_tools.h"
#include "desktop/help_window.h"
#include "desktop/report_window.h"

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

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

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
  const char* name;
  const char* caption;
  int left, width, top;
};

constexpr CaptionRow kFourBarRows[] = {
    {0, "Label10", "クランク（原動節）半径", 480, 2295, 240},
    {1, "Label11", "てこ（従動節）半径", 1200, 1575, 600},
    {2, "Label12", "中間節長さ(0以外)", 960, 1815, 960},
    {3, "Label13", "", 120, 2655, 1320},  // the fixed-link range, written by the core
    {4, "Label14", "４節リンク出力点Ｘ軸補正", 120, 2655, 1680},
    {5, "Label1", "４節リンク出力点Ｙ軸補正", 240, 2535, 2040},
};

constexpr CaptionRow kSixBarRows[] = {
    {6, "Label2", "６節リンクの中間節長さ(0以外)", 120, 2655, 240},
    {7, "Label3", "６節リンク出力点Ｘ軸補正", 120, 2655, 600},
    {8, "Label4", "６節リンク出力点Ｙ軸補正", 120, 2655, 960},
};

constexpr int kLabelHeight = 255;
constexpr int kBoxLeft = 2880, kBoxWidth = 855, kSpinLeft = 3480;
constexpr int kSlideRowTops[] = {1320, 1680};

// A frame whose border runs through the middle of its caption, so that the rows placed
// 16 pixels below its top edge sit inside it as they were laid out.
QGroupBox* makeFrame(QWidget* parent, const char* name, const char* caption, int left, int top,
                     int width, int height) {
  auto* frame = make<QGroupBox>(parent, name, text(caption));
  frame->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); margin-top: 7px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0px 1px; }"));
  place(frame, left, top, width, height);
  return frame;
}

QLabel* makeCaption(QWidget* frame, const CaptionRow& row) {
  auto* label = make<QLabel>(frame, row.name, text(row.caption));
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
  std::forward<Handler>(handler)(form_);
  --handlerDepth_;
  syncFromForm();
  canvas_->update();
  if (handlerDepth_ == 0 && form_.quitRequested) close();
}

template <typename Handler>
void MainWindow::command(Handler&& handler) {
  commitEdit();
  run(std::forward<Handler>(handler));
}

void MainWindow::commitEdit() {
  // During a run the pass would redraw the canvas the search reads: it stays due.
  if (duePass_ < 0 || form_.running) return;
  const int index = std::exchange(duePass_, -1);
  run([index](Form& f) { parameter_LostFocus(f, index); });
}

MainWindow::MainWindow(std::unique_ptr<QtPlatform> platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform ? std::move(platform) : std::make_unique<QtPlatform>()) {
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

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(1000);
  for (int i = 0; i < kParamCount; ++i) connectParameterRow(i);
  connectCommands();
  connectOptions();
  connectCanvasArea();
  connectMenus();

  platform_->attach(this);
  Form_Load(form_);
  // The canvas opens on its grid; the construction follows with the first validation pass.
  Masume(form_, form_.canvas);
  syncFromForm();
  parameter_[0]->setFocus();
}

MainWindow::~MainWindow() {
  // The widgets outlive the form they report to (Qt deletes them after this body): nothing
  // they do while being destroyed may reach the core.
  timer1_->stop();
  for (QObject* child : findChildren<QObject*>()) {
    child->removeEventFilter(this);
    child->blockSignals(true);
  }
  platform_->attach(nullptr);
}

// --- Building ---------------------------------------------------------------------------------

void MainWindow::buildParameterRow(QWidget* frame, int index, int top, int boxLeft, int boxWidth,
                                   int spinLeft) {
  auto* box = make<QLineEdit>(frame, ("parameter" + std::to_string(index)).c_str());
  place(box, boxLeft, top, boxWidth, 270);
  // The spin bar covers the right end of the box; the text stays clear of it.
  box->setTextMargins(0, 0, px(255), 0);
  box->installEventFilter(this);
  parameter_[index] = box;

  auto* bar = make<QScrollBar>(frame, ("VScroll2_" + std::to_string(index)).c_str(), Qt::Vertical);
  place(bar, spinLeft, top, 255, 255);
  const ParamInfo& info = paramInfo()[index];
  configureBar(bar, info.spinMin, info.spinMax, 1, 1);
  // The top end is the high value.
  bar->setInvertedAppearance(true);
  bar->installEventFilter(this);
  spinBar_[index] = bar;
}

void MainWindow::buildFourBarFrame(QWidget* client) {
  QGroupBox* frame = makeFrame(client, "Frame1", "４節リンクパラメータ", 240, 120, 3975, 2775);
  for (const CaptionRow& row : kFourBarRows) {
    QLabel* caption = makeCaption(frame, row);
    if (row.index == fixedLinkLength) label13_ = caption;
    buildParameterRow(frame, row.index, row.top, kBoxLeft, kBoxWidth, kSpinLeft);
  }
  check2_ = make<QCheckBox>(frame, "Check2", text("計算の最適化"));
  place(check2_, 2040, 2400, 1755, 255);
}

void MainWindow::buildSixBarFrame(QWidget* client) {
  QGroupBox* frame = makeFrame(client, "Frame2", "６節リンクパラメータ", 4320, 120, 3975, 2775);
  for (const CaptionRow& row : kSixBarRows) {
    makeCaption(frame, row);
    buildParameterRow(frame, row.index, row.top, kBoxLeft, kBoxWidth, kSpinLeft);
  }
  const char* optionCaptions[] = {"ｽﾗｲﾄﾞ始点座標(X,Y)", "ｽﾗｲﾄﾞ終点座標(X,Y)"};
  const char* optionNames[] = {"Option1_0", "Option1_1"};
  for (int k = 0; k < 2; ++k) {
    const int top = kSlideRowTops[k];
    option1_[k] = make<QRadioButton>(frame, optionNames[k], text(optionCaptions[k]));
    option1_[k]->setFont(optionFont());
    place(option1_[k], 120, top, 2055, 255);
    const int xIndex = slideStartX + 2 * k;
    buildParameterRow(frame, xIndex, top, 2280, 735, 2760);
    buildParameterRow(frame, xIndex + 1, top, 3000, 735, 3480);
  }
  label5_ = make<QLabel>(frame, "Label5");
  place(label5_, 240, 2040, 3495, kLabelHeight);
  check4_ = make<QCheckBox>(frame, "Check4", text("計算の最適化"));
  place(check4_, 2040, 2400, 1755, 255);
}

void MainWindow::buildOptionsFrame(QWidget* client) {
  QGroupBox* frame = makeFrame(client, "Frame3", "ぷろぱちー", 8400, 120, 2055, 1815);
  auto* caption = make<QLabel>(frame, "Label8", text("解析スピード"));
  caption->setFont(captionFont());
  place(caption, 120, 240, 1695, 255);

  list3_ = make<QListWidget>(frame, "List3");
  for (const char* item : kSpeedItems) list3_->addItem(text(item));
  place(list3_, 720, 480, 1215, 240);
  // One row high: a thin frame, and every item exactly as tall as the inside, so that the
  // selected item shows whole and the scroll bar ends on the last item, not an empty row.
  list3_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const QSize row(px(1215), px(240) - 2 * list3_->frameWidth());
  for (int k = 0; k < list3_->count(); ++k) list3_->item(k)->setSizeHint(row);
  list3_->setUniformItemSizes(true);
  list3_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list3_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  realTimeSW_ = make<QCheckBox>(frame, "RealTimeSW", text("すぐに描画する"));
  place(realTimeSW_, 120, 1080, 1755, 255);
  check3_ = make<QCheckBox>(frame, "Check3", text("6節ﾘﾝｸも解析する"));
  place(check3_, 120, 1440, 1755, 255);
}

void MainWindow::buildCommands(QWidget* client) {
  const auto button = [client](const char* name, const char* caption, int left, int top,
                               int width, int height) {
    auto* b = make<QPushButton>(client, name, text(caption));
    place(b, left, top, width, height);
    b->setAutoDefault(false);
    return b;
  };
  command1_ = button("Command1", "実行", 10560, 240, 1455, 375);
  animeButton_[0] = button("AnimeButton0", "アニメ", 10560, 720, 735, 375);
  animeButton_[1] = button("AnimeButton1", "アニメ", 11280, 720, 735, 375);
  command6_ = button("Command6", "停止", 10560, 1200, 1455, 375);
  command3_ = button("Command3", "拡大", 10560, 1920, 735, 495);
  command4_ = button("Command4", "縮小", 11280, 1920, 735, 495);
  command2_ = button("Command2", "終了", 10560, 2520, 1455, 375);

  for (int k = 0; k < 2; ++k) {
    zahyou_[k] = make<QLabel>(client, k == 0 ? "Zahyou0" : "Zahyou1");
    zahyou_[k]->setFont(readoutFont());
    place(zahyou_[k], 8520, k == 0 ? 2040 : 2520, 1815, 375);
  }
}

void MainWindow::buildCanvasArea(QWidget* client) {
  hScroll1_ = make<QScrollBar>(client, "HScroll1", Qt::Horizontal);
  place(hScroll1_, 240, 3120, 11535, 255);
  configureBar(hScroll1_, -300, 300, 10, 50);
  vScroll1_ = make<QScrollBar>(client, "VScroll1", Qt::Vertical);
  place(vScroll1_, 11760, 3360, 255, 6735);
  configureBar(vScroll1_, -300, 300, 10, 50);

  multi_ = make<QLabel>(client, "Multi");
  place(multi_, 11760, 3120, 255, 255);
  multi_->installEventFilter(this);

  canvas_ = make<CanvasWidget>(client, "Picture1", form_.canvas);
  canvas_->move(px(240), px(3360));

  const std::pair<Control, QWidget*> widgets[] = {
      {Control::Command1, command1_},     {Control::AnimeButton0, animeButton_[0]},
      {Control::AnimeButton1, animeButton_[1]}, {Control::Command6, command6_},
      {Control::Command3, command3_},     {Control::Command4, command4_},
      {Control::Command2, command2_},     {Control::HScroll1, hScroll1_},
      {Control::VScroll1, vScroll1_},     {Control::Multi, multi_},
      {Control::Check2, check2_},         {Control::Check3, check3_},
      {Control::Check4, check4_},         {Control::RealTimeSW, realTimeSW_},
      {Control::List3, list3_},           {Control::Option1_0, option1_[0]},
      {Control::Option1_1, option1_[1]},
  };
  for (const auto& [control, widget] : widgets) controlWidget_[static_cast<int>(control)] = widget;
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(text("ファイル(&F)"));
  file->setObjectName(QStringLiteral("menu0"));
  fileMenu_ = file->menuAction();
  fileSave_ = file->addAction(text("保存"));
  fileLoad_ = file->addAction(text("読み込み"));
  filePrint_ = file->addAction(text("印刷"));
  fileReport_ = file->addAction(text("解析レポート"));
  QMenu* help = menuBar()->addMenu(text("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("menu1"));
  helpMenu_ = help->menuAction();
  hlp_ = help->addAction(text("Gyrendaのヘルプ"));
  ver_ = help->addAction(text("Gyrendaのバージョン情報"));
  fileSave_->setObjectName(QStringLiteral("File_Save"));
  fileLoad_->setObjectName(QStringLiteral("File_Load"));
  filePrint_->setObjectName(QStringLiteral("File_Print"));
  fileReport_->setObjectName(QStringLiteral("File_Report"));
  hlp_->setObjectName(QStringLiteral("hlp"));
  ver_->setObjectName(QStringLiteral("ver"));
}

// The entry boxes first, in index order, then 実行: box 0 holds the focus at start.
void MainWindow::arrangeTabOrder() {
  for (int i = 0; i + 1 < kParamCount; ++i) QWidget::setTabOrder(parameter_[i], parameter_[i + 1]);
  QWidget::setTabOrder(parameter_[kParamCount - 1], command1_);
}

// --- Binding ----------------------------------------------------------------------------------

void MainWindow::connectParameterRow(int index) {
  QLineEdit* box = parameter_[index];
  connect(box, &QLineEdit::textChanged, this, [this, index](const QString& typed) {
    form_.parameterText[index] = typed.toStdString();
    shownParameter_[index].changeTo(form_.parameterText[index]);
  });
  connect(box, &QLineEdit::textEdited, this, [this, index] { duePass_ = index; });
  QScrollBar* bar = spinBar_[index];
  connect(bar, &QScrollBar::actionTriggered, this,
          [this, index](int action) { onSpinBarAction(index, action); });
  connect(bar, &QScrollBar::valueChanged, this,
          [this, index](int value) { command([=](Form& f) { setSpinBar(f, index, value); }); });
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
  if (in) duePass_ = index;
  else if (duePass_ == index) commitEdit();
}

void MainWindow::connectCommands() {
  connect(command1_, &QPushButton::clicked, this, [this] { command(Command1_Click); });
  for (int k = 0; k < 2; ++k)
    connect(animeButton_[k], &QPushButton::clicked, this,
            [this, k] { command([k](Form& f) { AnimeButton_Click(f, k); }); });
  connect(command6_, &QPushButton::clicked, this, [this] { run(Command6_Click); });
  connect(command3_, &QPushButton::clicked, this, [this] { command(Command3_Click); });
  connect(command4_, &QPushButton::clicked, this, [this] { command(Command4_Click); });
  // 終了 asks for the end; run() closes the window once no handler is left.
  connect(command2_, &QPushButton::clicked, this, [this] { command(Command2_Click); });
  connect(timer1_, &QTimer::timeout, this, [this] { run(Timer1_Timer); });
}

void MainWindow::connectOptions() {
  const std::pair<QCheckBox*, CheckState Form::*> checks[] = {
      {check2_, &Form::Check2}, {check3_, &Form::Check3},
      {check4_, &Form::Check4}, {realTimeSW_, &Form::RealTimeSW}};
  for (const auto& [box, state] : checks)
    connect(box, &QCheckBox::stateChanged, this,
            [this, member = state](int s) { form_.*member = checkStateOf(s); });

  connect(list3_, &QListWidget::currentRowChanged, this, [this](int row) {
    command([row](Form& f) {
      f.List3Index = row;
      List3_Click(f);
    });
  });
  for (int k = 0; k < 2; ++k)
    connect(option1_[k], &QRadioButton::clicked, this, [this, k] { form_.Option1 = k; });
}

void MainWindow::connectCanvasArea() {
  connect(hScroll1_, &QScrollBar::valueChanged, this, [this](int value) {
    command([value](Form& f) {
      f.HScroll1 = value;
      HScroll1_Change(f);
    });
  });
  connect(vScroll1_, &QScrollBar::valueChanged, this, [this](int value) {
    command([value](Form& f) {
      f.VScroll1 = value;
      VScroll1_Change(f);
    });
  });
  // The readout changes only two labels: no canvas repaint for a pointer move.
  connect(canvas_, &CanvasWidget::pointerMoved, this, [this](double x, double y) {
    Picture1_MouseMove(form_, static_cast<float>(x), static_cast<float>(y));
    syncFromForm();
  });
  connect(canvas_, &CanvasWidget::doubleClicked, this, [this] { command(Picture1_DblClick); });
}

// A menu does not take the focus from the box being edited, so its edit is committed here.
void MainWindow::connectMenus() {
  connect(fileSave_, &QAction::triggered, this, [this] { command(File_Save_Click); });
  connect(fileLoad_, &QAction::triggered, this, [this] { command(File_Load_Click); });
  connect(filePrint_, &QAction::triggered, this, [this] { command(File_Print_Click); });
  // Only shows the last analysis, so no edit needs committing for it.
  connect(fileReport_, &QAction::triggered, this, &MainWindow::openReport);
  connect(hlp_, &QAction::triggered, this, [this] { command(hlp_Click); });
  connect(ver_, &QAction::triggered, this, [this] { command(ver_Click); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut || event->type() == QEvent::FocusIn) {
    for (int i = 0; i < kParamCount; ++i)
      if (watched == parameter_[i])
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
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == multi_) {
    command(multi_DblClick);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::openDesign(const std::string& path) {
  bool loaded = false;
  command([&](Form& f) {
    f.RealTimeSW = 0;
    loaded = loadDesignFile(f, path).empty();
  });
  if (!loaded) platform_->showMessage("「" + path + "」はGyrenda数値データとして読み込めませんでした。");
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (handlerDepth_ > 0) {
    // A loop still works on the form: every loop leaves at its next yield, and the window
    // closes when the outermost handler has returned.
    form_.quitRequested = true;
    event->ignore();
    return;
  }
  event->accept();
}

// --- Showing the form -------------------------------------------------------------------------

void MainWindow::syncFromForm() {
  const QScopedValueRollback<bool> syncing(syncing_, true);
  if (form_.running && !runShown_) {
    // Nothing has moved the focus since the run began inside a handler. When a focus change
    // of the user started it, the focus is already on the control that the user chose.
    QWidget* focus = QApplication::focusWidget();
    focusAtRunStart_ = focus && isAncestorOf(focus) ? focus : focusWidget();
    runShown_ = true;
  }
  syncParameters();
  syncCaptions();
  syncInputs();
  syncEnabled();
  syncRunState();
  if (reportWindow_) reportWindow_->showReport(form_.lastReport);
  if (!form_.running && runShown_) {
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
    reportWindow_->showReport(form_.lastReport);
    // Beside the main window, like the help, so that the drawing stays in view.
    if (const QScreen* s = screen())
      reportWindow_->setGeometry(helpWindowPlace(frameGeometry(), reportWindow_->size(),
                                                 s->availableGeometry()));
  }
  reportWindow_->show();
  reportWindow_->raise();
  reportWindow_->activateWindow();
}

void MainWindow::syncParameters() {
  for (int i = 0; i < kParamCount; ++i) {
    if (shownParameter_[i].changeTo(form_.parameterText[i]))
      setTextQuietly(parameter_[i], form_.parameterText[i]);
    setValueQuietly(spinBar_[i], form_.spinValue[i]);
  }
}

void MainWindow::syncCaptions() {
  if (shownLabel13_.changeTo(form_.Label13)) label13_->setText(QString::fromStdString(form_.Label13));
  if (shownLabel5_.changeTo(form_.Label5)) label5_->setText(QString::fromStdString(form_.Label5));
  for (int k = 0; k < 2; ++k)
    if (shownZahyou_[k].changeTo(form_.Zahyou[k]))
      zahyou_[k]->setText(QString::fromStdString(form_.Zahyou[k]));
}

void MainWindow::syncInputs() {
  setCheckQuietly(check2_, form_.Check2);
  setCheckQuietly(check3_, form_.Check3);
  setCheckQuietly(check4_, form_.Check4);
  setCheckQuietly(realTimeSW_, form_.RealTimeSW);
  if (list3_->currentRow() != form_.List3Index) {
    const QSignalBlocker blocker(list3_);
    list3_->setCurrentRow(form_.List3Index);
    if (QListWidgetItem* item = list3_->currentItem()) list3_->scrollToItem(item);
  }
  showOption(form_.Option1);
  setValueQuietly(hScroll1_, form_.HScroll1);
  setValueQuietly(vScroll1_, form_.VScroll1);
}

// Selects option `selected`, or neither for -1, which an exclusive pair allows only while
// its exclusiveness is lifted.
void MainWindow::showOption(int selected) {
  for (int k = 0; k < 2; ++k) {
    QRadioButton* option = option1_[k];
    const bool on = k == selected;
    if (option->isChecked() == on) continue;
    const QSignalBlocker blocker(option);
    option->setAutoExclusive(false);
    option->setChecked(on);
    option->setAutoExclusive(true);
  }
}

void MainWindow::syncEnabled() {
  for (int i = 0; i < kParamCount; ++i) {
    setEnabledIfChanged(parameter_[i], form_.parameterEnabled[i]);
    setEnabledIfChanged(spinBar_[i], form_.spinEnabled[i]);
  }
  for (int c = 0; c < static_cast<int>(Control::Count); ++c)
    if (QWidget* w = controlWidget_[c]) setEnabledIfChanged(w, form_.enabledFlags[c]);
  setEnabledIfChanged(fileMenu_, form_.enabled(Control::FileMenu));
  setEnabledIfChanged(helpMenu_, form_.enabled(Control::HelpMenu));
}

void MainWindow::syncRunState() {
  const bool busyShown = testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::BusyCursor;
  if (form_.busyPointer && !busyShown) setCursor(Qt::BusyCursor);
  if (!form_.busyPointer && busyShown) unsetCursor();
  if (form_.timerEnabled && !timer1_->isActive()) timer1_->start();
  if (!form_.timerEnabled && timer1_->isActive()) timer1_->stop();
}

}  // namespace gyrenda
