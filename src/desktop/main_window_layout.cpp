// The main window's widgets, laid out in twips as the window was drawn: frames, captions,
// entry boxes with their spin bars, commands, the canvas with its pan bars, and the menus.
#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QRadioButton>
#include <QScrollBar>

#include "desktop/canvas_widget.h"
#include "desktop/examples_menu.h"
#include "desktop/language.h"
#include "desktop/main_window.h"

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

struct CaptionRow {
  int index;
  const char* caption;  // marked for translation, translated where it is shown
  int left, width, top;
};

constexpr CaptionRow kFourBarRows[] = {
    {0, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "クランク（原動節）半径"), 480, 2295, 240},
    {1, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "てこ（従動節）半径"), 1200, 1575, 600},
    {2, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "中間節長さ(0以外)"), 960, 1815, 960},
    {3, "", 120, 2655, 1320},  // the fixed-link range, shown from the core's value
    {4, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "４節リンク出力点Ｘ軸補正"), 120, 2655, 1680},
    {5, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "４節リンク出力点Ｙ軸補正"), 240, 2535, 2040},
};

constexpr CaptionRow kSixBarRows[] = {
    {6, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "６節リンクの中間節長さ(0以外)"), 120, 2655, 240},
    {7, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "６節リンク出力点Ｘ軸補正"), 120, 2655, 600},
    {8, QT_TRANSLATE_NOOP("gyrenda::MainWindow", "６節リンク出力点Ｙ軸補正"), 120, 2655, 960},
};

// The speed list's items, fast to slow, as the core numbers them.
constexpr const char* kSpeedItems[kSpeedCount] = {QT_TRANSLATE_NOOP("gyrenda::MainWindow", "うま"),
                                                  QT_TRANSLATE_NOOP("gyrenda::MainWindow", "いぬ"),
                                                  QT_TRANSLATE_NOOP("gyrenda::MainWindow", "かめ")};

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

QWidget* MainWindow::buildWindow() {
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
  buildStatusBar();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  arrangeTabOrder();
  return client;
}


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
  // In the gap above the zoom buttons: the view that holds the whole mechanism.
  fitView_ = button("fitView", tr("全体表示"), 10560, 1590, 1455, 315);
  fitView_->setToolTip(tr("機構全体が入るいちばん近い画面にします（Home）"));
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
      {Control::FitView, fitView_},
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
  saveAnimation_ = file->addAction(tr("アニメーションを保存…"));
  load_ = file->addAction(tr("読み込み"));
  addExamplesMenu(file, [this](const std::string& path) { openExample(path); });
  print_ = file->addAction(tr("印刷"));
  designSheet_ = file->addAction(tr("設計シート (PDF)…"));
  designSheet_->setObjectName(QStringLiteral("designSheet"));
  report_ = file->addAction(tr("解析レポート"));
  QMenu* edit = menuBar()->addMenu(tr("編集(&E)"));
  edit->setObjectName(QStringLiteral("editMenu"));
  editMenu_ = edit->menuAction();
  undo_ = edit->addAction(tr("元に戻す"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = edit->addAction(tr("やり直し"));
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
  view->setObjectName(QStringLiteral("viewMenu"));
  viewMenu_ = view->menuAction();
  zoomInItem_ = view->addAction(tr("拡大"));
  zoomOutItem_ = view->addAction(tr("縮小"));
  fitViewItem_ = view->addAction(tr("全体表示"));
  fitViewItem_->setShortcut(QKeySequence(Qt::Key_Home));
  zoomInItem_->setObjectName(QStringLiteral("zoomInItem"));
  zoomOutItem_->setObjectName(QStringLiteral("zoomOutItem"));
  fitViewItem_->setObjectName(QStringLiteral("fitViewItem"));
  QMenu* design = menuBar()->addMenu(tr("設計(&D)"));
  design->setObjectName(QStringLiteral("designMenu"));
  designMenu_ = design->menuAction();
  synthesis_ = design->addAction(tr("軌跡合成…"));
  QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("helpMenu"));
  helpMenu_ = help->menuAction();
  help_ = help->addAction(tr("Gyrendaのヘルプ"));
  version_ = help->addAction(tr("Gyrendaのバージョン情報"));
  save_->setObjectName(QStringLiteral("save"));
  saveAnimation_->setObjectName(QStringLiteral("saveAnimation"));
  load_->setObjectName(QStringLiteral("load"));
  print_->setObjectName(QStringLiteral("print"));
  report_->setObjectName(QStringLiteral("report"));
  help_->setObjectName(QStringLiteral("help"));
  version_->setObjectName(QStringLiteral("version"));
  undo_->setObjectName(QStringLiteral("undo"));
  redo_->setObjectName(QStringLiteral("redo"));
  synthesis_->setObjectName(QStringLiteral("synthesis"));
  addLanguageMenu(help, [this](const QString& text) { platform_->showText(text); });
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("statusBar"));
  bar->setSizeGripEnabled(false);
  statusLine_ = make<QLabel>(bar, "statusLine");
  bar->addWidget(statusLine_, 1);
  statusFit_ = make<QPushButton>(bar, "statusFit", tr("全体表示"));
  statusFit_->setAutoDefault(false);
  statusFit_->setFocusPolicy(Qt::NoFocus);
  bar->addPermanentWidget(statusFit_);
  statusFit_->hide();
}

// The entry boxes first, in index order, then 実行: box 0 holds the focus at start.
void MainWindow::arrangeTabOrder() {
  for (int i = 0; i + 1 < kParamCount; ++i) QWidget::setTabOrder(box_[i], box_[i + 1]);
  QWidget::setTabOrder(box_[kParamCount - 1], execute_);
}

}  // namespace gyrenda
