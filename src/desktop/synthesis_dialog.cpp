#include "desktop/synthesis_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QHideEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <cstring>
#include <limits>
#include <ranges>
#include <utility>

#include "desktop/gait_page.h"
#include "desktop/search_controls.h"
#include "encoders/parameter_names.h"
#include "desktop/slider_page.h"
#include "files/file_head.h"
#include "linkage/number_text.h"
#include "desktop/target_import.h"
#include "synthesis/path_objective.h"
#include "synthesis/target_list.h"

namespace gyrenda {

namespace {

constexpr int kShownCandidates = 10;

// The candidate table's columns; the pivot and frame angle only for a free frame, the
// direction only with the order kept.
enum Column { MaxDistance, RmsDistance, Class, MinAngle, FirstLength, PivotX = FirstLength + 6,
              PivotY, FrameAngle, Direction, Phase, Size, RasterPoses, ColumnCount };

// The target table's columns: what the user types, then the selected candidate's figures for
// each target (its distance, and with timing its crank-angle error), which are not edited.
enum TargetColumn { TargetX, TargetY, TargetAngle, TargetDistance, TargetAngleError, TargetColumns };

// The bounds' rows: the four lengths by the parameters' names, the output point's offsets by
// shorter ones, the search knowing no other output point.
const char* const kOffsetNames[2] = {
    QT_TRANSLATE_NOOP("gyrenda::SynthesisDialog", "出力点Ｘ軸補正"),
    QT_TRANSLATE_NOOP("gyrenda::SynthesisDialog", "出力点Ｙ軸補正")};

LengthRange SynthesisOptions::* const kBoundFields[6] = {
    &SynthesisOptions::crank,   &SynthesisOptions::lever,       &SynthesisOptions::coupler,
    &SynthesisOptions::fixedLink, &SynthesisOptions::outputAlong, &SynthesisOptions::outputAcross};

// The dialog's texts for the functions outside it, which name the context themselves: lupdate
// files a plain tr() outside a class under a context the dialog never looks in.
struct Text {
  Q_DECLARE_TR_FUNCTIONS(gyrenda::SynthesisDialog)
};

// A value as the parameter boxes show it; a point's coordinates the same way.
QString boxNumber(double v) { return QString::fromStdString(formatBoxNumber(static_cast<float>(v))); }
QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

// A cell reads as a box does: what a Japanese input method types for a number as ASCII.
std::optional<double> cellNumber(const QTableWidgetItem* item) {
  if (!item) return std::nullopt;
  const auto v = readWholeNumber(asciiForms(item->text().trimmed().toStdString()));
  return v ? std::optional<double>(*v) : std::nullopt;
}

QString className(LinkageClass c) {
  switch (c) {
    case LinkageClass::CrankRocker: return Text::tr("てこクランク");
    case LinkageClass::DoubleCrank: return Text::tr("両クランク");
    case LinkageClass::DoubleRocker: return Text::tr("両てこ");
    case LinkageClass::RockerCrank: return Text::tr("てこが回転");
    case LinkageClass::TripleRocker: return Text::tr("三てこ");
    case LinkageClass::ChangePoint: return Text::tr("切替点");
    case LinkageClass::CannotBeAssembled: return Text::tr("組み立てられない");
  }
  return {};
}

}  // namespace

QString synthesisProblemText(SynthesisProblem problem, const std::vector<int>& rows) {
  if (problem == SynthesisProblem::DuplicateTargets && rows.size() == 2)
    return Text::tr("%1 行目と %2 行目の目標点が同じ位置です。").arg(rows[0]).arg(rows[1]);
  if (problem == SynthesisProblem::OutOfReach && rows.size() == 1)
    return Text::tr("%1 行目の目標点には、範囲内のどのリンクも届きません。範囲を広げるか、点を近づけて"
                    "ください。").arg(rows[0]);
  if (problem == SynthesisProblem::OutOfReach && rows.size() == 2)
    return Text::tr("%1 行目と %2 行目の目標点は離れすぎていて、範囲内のどのリンクも両方には届きません。"
                    "範囲を広げるか、点を近づけてください。").arg(rows[0]).arg(rows[1]);
  switch (problem) {
    case SynthesisProblem::None: return {};
    case SynthesisProblem::TooFewTargets: return Text::tr("目標点が足りません。3 点以上入力してください。");
    case SynthesisProblem::TooManyTargets:
      return Text::tr("目標点が多すぎます。%1 点までにしてください。").arg(PathObjective::kMostTargets);
    case SynthesisProblem::TargetNotFinite: return Text::tr("数でない座標の目標点があります。");
    case SynthesisProblem::BadBounds:
      return Text::tr("長さの範囲が正しくありません。下限を上限より小さくし、長さは 1 以上にしてください。");
    case SynthesisProblem::BadAngle: return Text::tr("最小伝達角は 0° 以上 90° 未満にしてください。");
    case SynthesisProblem::Stopped: return Text::tr("停止しました。それまでに見つかった候補を示します。");
    case SynthesisProblem::DuplicateTargets: return Text::tr("同じ位置の目標点が二つあります。");
    case SynthesisProblem::OutOfReach:
      return Text::tr("範囲内のどのリンクも届かない目標点があります。範囲を広げるか、点を近づけてください。");
    case SynthesisProblem::NoLinkage:
      return Text::tr("条件を満たすリンクが見つかりませんでした。");
    case SynthesisProblem::BoundsHoldNone:
      return Text::tr("範囲内には、クランクが一回りし、てこより短いてこクランク機構がありません。範囲を広げてください。");
    case SynthesisProblem::TransmissionAngle:
      return Text::tr("範囲内のてこクランク機構はどれも、伝達角が最小伝達角を下回ります。最小伝達角を下げるか、範囲を広げてください。");
    case SynthesisProblem::OrderNotMet:
      return Text::tr("条件を満たすリンクは見つかりましたが、どの軌跡も目標点を表の順に（どちら向きにも）通りません。");
    case SynthesisProblem::BadBudget: return Text::tr("探索の設定が正しくありません。");
    case SynthesisProblem::BadTiming:
      return Text::tr("角度のある行とない行があります。角度は 1 行目のほかはすべての行に入力してください。");
    case SynthesisProblem::ExtentLimit:
      return Text::tr("条件を満たすリンクは見つかりましたが、どれも 1 画面または最大寸法に収まりません。"
                      "「機構を 1 画面に収める」を外すか、最大寸法や範囲を見直してください。");
  }
  return {};
}

SynthesisDialog::SynthesisDialog(std::function<ParameterSet()> currentDesign, QWidget* parent)
    : QDialog(parent), currentDesign_(std::move(currentDesign)),
      job_(this, [this](const WorkProgress& progress) { showProgress(progress); },
           [this](SynthesisResult result) { finish(std::move(result)); }) {
  setObjectName(QStringLiteral("synthesisDialog"));
  setWindowTitle(tr("軌跡合成"));
  setModal(false);
  auto* top = new QHBoxLayout;
  top->addWidget(buildTargets(), 1);
  top->addWidget(buildConditions());

  auto* runRow = newSearchRow(QString(), start_, stop_, progress_, elapsed_, status_);
  elapsed_->setMinimumWidth(elapsed_->fontMetrics().horizontalAdvance(tr("経過 000.0 秒")));

  auto* pathPage = new QWidget;
  auto* layout = new QVBoxLayout(pathPage);
  layout->addLayout(top, 2);
  layout->addLayout(runRow);
  layout->addWidget(status_);
  layout->addWidget(buildCandidates(), 3);
  auto* tabs = new QTabWidget;
  tabs->setObjectName(QStringLiteral("synthesisTabs"));
  tabs->addTab(pathPage, tr("軌跡"));
  slider_ = new SliderPage(currentDesign_);
  tabs->addTab(slider_, tr("スライダ"));
  connect(slider_, &SliderPage::applyRequested, this, &SynthesisDialog::sliderApplyRequested);
  // The walking leg's page takes the bounds and the seed of the path's.
  gaitPage_ = new GaitPage(currentDesign_, [this] { return legOptions(); });
  tabs->addTab(gaitPage_, tr("歩行脚"));
  (new QVBoxLayout(this))->addWidget(tabs);

  connect(start_, &QPushButton::clicked, this, &SynthesisDialog::start);
  connect(stop_, &QPushButton::clicked, this, &SynthesisDialog::stop);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  showState();
  resize(780, 800);
}

QWidget* SynthesisDialog::buildTargets() {
  auto* box = new QGroupBox(tr("目標点（出力点が通る点）"));
  targetTable_ = new QTableWidget(0, TargetColumns, box);
  targetTable_->setObjectName(QStringLiteral("targetTable"));
  targetTable_->setHorizontalHeaderLabels({QStringLiteral("X"), QStringLiteral("Y"), tr("角度"),
                                           tr("距離"), tr("角度誤差")});
  // The points take the width the figures beside them leave, each on one line.
  targetTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (const int column : {TargetX, TargetY})
    targetTable_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
  targetTable_->setWordWrap(false);
  connect(targetTable_, &QTableWidget::itemChanged, this, [this] { emit targetsChanged(); });
  auto* paste = new QAction(targetTable_);
  paste->setShortcut(QKeySequence::Paste);
  paste->setShortcutContext(Qt::WidgetShortcut);
  targetTable_->addAction(paste);
  connect(paste, &QAction::triggered, this, &SynthesisDialog::pasteTargets);

  auto* buttons = new QGridLayout;
  const std::pair<const char*, const char*> commands[] = {
      {"addTarget", QT_TRANSLATE_NOOP("gyrenda::SynthesisDialog", "行を追加")},
      {"removeTarget", QT_TRANSLATE_NOOP("gyrenda::SynthesisDialog", "行を削除")},
      {"pasteTargets", QT_TRANSLATE_NOOP("gyrenda::SynthesisDialog", "貼り付け")},
      {"importTargets", QT_TRANSLATE_NOOP("gyrenda::SynthesisDialog", "読み込み…")}};
  QPushButton* made[4];
  for (int k = 0; k < 4; ++k) {
    made[k] = new QPushButton(tr(commands[k].second));
    made[k]->setObjectName(QString::fromLatin1(commands[k].first));
    buttons->addWidget(made[k], k / 2, k % 2);
  }
  connect(made[0], &QPushButton::clicked, this, &SynthesisDialog::addRow);
  connect(made[1], &QPushButton::clicked, this, [this] {
    const int row = targetTable_->currentRow();
    if (row < 0) return;
    targetTable_->removeRow(row);
    emit targetsChanged();
  });
  connect(made[2], &QPushButton::clicked, this, &SynthesisDialog::pasteTargets);
  connect(made[3], &QPushButton::clicked, this, &SynthesisDialog::askAndImport);
  made[3]->setToolTip(tr("CSV ファイルか DXF の図面から目標点を読み込みます。"));

  sampleCount_ = new QSpinBox;
  sampleCount_->setObjectName(QStringLiteral("sampleCount"));
  sampleCount_->setRange(0, static_cast<int>(PathObjective::kMostTargets));
  sampleCount_->setSpecialValueText(tr("そのまま"));
  sampleCount_->setToolTip(tr("DXF の図形に沿って等間隔に取る目標点の数。0 なら図形の点をそのまま使います。"));
  buttons->addWidget(new QLabel(tr("DXF の点数")), 2, 0);
  buttons->addWidget(sampleCount_, 2, 1);

  auto* hint = new QLabel(tr("キャンバスをダブルクリックしても点を追加できます。角度は、各点を通るときの"
                             "クランク角を 1 行目の点からの度数で（空けると角度なし）。"));
  hint->setWordWrap(true);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(targetTable_, 1);
  layout->addLayout(buttons);
  layout->addWidget(hint);
  return box;
}

QWidget* SynthesisDialog::buildConditions() {
  auto* box = new QGroupBox(tr("条件"));
  auto* form = new QGridLayout(box);
  keepOrder_ = new QCheckBox(tr("目標点を表の順に通る（どちら向きでも）"));
  keepOrder_->setObjectName(QStringLiteral("keepOrder"));
  form->addWidget(keepOrder_, 0, 0, 1, 3);
  minAngle_ = new QDoubleSpinBox;
  minAngle_->setObjectName(QStringLiteral("minTransmission"));
  minAngle_->setRange(0, 89.9);
  minAngle_->setDecimals(1);
  minAngle_->setValue(SynthesisOptions{}.minTransmissionAngle);
  minAngle_->setSuffix(QStringLiteral("°"));
  form->addWidget(new QLabel(tr("最小伝達角")), 1, 0);
  form->addWidget(minAngle_, 1, 1, 1, 2);
  form->addWidget(new QLabel(tr("下限")), 2, 1);
  form->addWidget(new QLabel(tr("上限")), 2, 2);
  const SynthesisOptions defaults;
  for (int k = 0; k < 6; ++k) {
    form->addWidget(new QLabel(k < 4 ? parameterName(k) : tr(kOffsetNames[k - 4])), 3 + k, 0);
    const LengthRange range = defaults.*kBoundFields[k];
    const double values[2] = {range.low, range.high};
    for (int end = 0; end < 2; ++end) {
      auto* spin = new QDoubleSpinBox;
      spin->setObjectName(QStringLiteral("bound%1%2").arg(k).arg(end == 0 ? "low" : "high"));
      spin->setDecimals(1);
      spin->setRange(k < 4 ? 1.0 : -static_cast<double>(kParamLimit), kParamLimit);
      spin->setValue(values[end]);
      form->addWidget(spin, 3 + k, 1 + end);
      bounds_[k][end] = spin;
    }
  }
  freeFrame_ = new QCheckBox(tr("支点の位置と向きも求める"));
  freeFrame_->setObjectName(QStringLiteral("freeFrame"));
  form->addWidget(freeFrame_, 9, 0, 1, 2);
  mirror_ = new QCheckBox(tr("裏返しも"));
  mirror_->setObjectName(QStringLiteral("mirror"));
  mirror_->setToolTip(tr("機構を裏返した（鏡に映した）ものも探します。支点の位置と向きも求めるときだけです。"));
  mirror_->setEnabled(false);
  connect(freeFrame_, &QCheckBox::toggled, mirror_, &QCheckBox::setEnabled);
  form->addWidget(mirror_, 9, 2);
  // What the search minimises, in SynthesisRanking's order.
  ranking_ = new QComboBox;
  ranking_->setObjectName(QStringLiteral("ranking"));
  ranking_->addItems({tr("RMS距離"), tr("最大距離")});
  ranking_->setToolTip(tr("探索で最小にし、候補を並べる量です。どの候補も両方を示します。"));
  form->addWidget(new QLabel(tr("最小にする量")), 10, 0);
  form->addWidget(ranking_, 10, 1, 1, 2);
  seed_ = new QSpinBox;
  seed_->setObjectName(QStringLiteral("seed"));
  seed_->setRange(0, std::numeric_limits<int>::max());
  seed_->setValue(static_cast<int>(defaults.seed));
  form->addWidget(new QLabel(tr("乱数の種")), 11, 0);
  form->addWidget(seed_, 11, 1, 1, 2);
  form->setRowStretch(addCompactRows(form, 12), 1);
  return box;
}

QWidget* SynthesisDialog::buildCandidates() {
  auto* box = candidateBox_ = new QGroupBox(tr("候補（RMS距離の小さい順）"));
  candidateTable_ = new QTableWidget(0, ColumnCount, box);
  candidateTable_->setObjectName(QStringLiteral("candidateTable"));
  candidateTable_->setHorizontalHeaderLabels(
      {tr("最大距離 (mm)"), tr("RMS距離 (mm)"), tr("分類"), tr("最小伝達角"), tr("クランク"), tr("てこ"),
       tr("中間節"), tr("静止節"), tr("出力点X"), tr("出力点Y"), tr("支点X"), tr("支点Y"),
       tr("向き"), tr("通る順"), tr("位相"), tr("大きさ (mm)"), tr("解析で見つかる姿勢")});
  candidateTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  candidateTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  candidateTable_->setSelectionMode(QAbstractItemView::SingleSelection);
  candidateTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(candidateTable_, &QTableWidget::itemSelectionChanged, this,
          &SynthesisDialog::showSelection);
  frameNote_ = new QLabel;
  frameNote_->setObjectName(QStringLiteral("frameNote"));
  frameNote_->setWordWrap(true);
  staleNote_ = new QLabel(tr("目標点が変わりました。ここの候補は変わる前の点に対するものです。"
                             "「開始」で今の点の候補を探せます。"));
  staleNote_->setObjectName(QStringLiteral("staleNote"));
  staleNote_->setWordWrap(true);
  staleNote_->setStyleSheet(QStringLiteral("color: #c00000;"));
  staleNote_->hide();
  apply_ = new QPushButton(tr("適用"));
  apply_->setObjectName(QStringLiteral("apply"));
  connect(apply_, &QPushButton::clicked, this, &SynthesisDialog::applySelected);
  connect(this, &SynthesisDialog::targetsChanged, this, &SynthesisDialog::showStale);
  auto* row = new QHBoxLayout;
  row->addWidget(frameNote_, 1);
  row->addWidget(apply_);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(staleNote_);
  layout->addWidget(candidateTable_, 1);
  layout->addLayout(row);
  return box;
}

// --- Targets --------------------------------------------------------------------------------

std::vector<Vec2> SynthesisDialog::targets() const { return readTargets(nullptr); }

std::vector<Vec2> SynthesisDialog::readTargets(std::vector<int>* rows) const {
  std::vector<Vec2> points;
  for (int row = 0; row < targetTable_->rowCount(); ++row) {
    const auto x = cellNumber(targetTable_->item(row, 0));
    const auto y = cellNumber(targetTable_->item(row, 1));
    if (!x || !y) continue;
    points.push_back({*x, *y});
    if (rows) rows->push_back(row);
  }
  return points;
}

// Each row's angle where any row of a point has one: the first row's left empty is 0, another
// left empty is no number, which the search refuses by name; counted from the first point's.
std::vector<double> SynthesisDialog::timing() const {
  std::vector<double> angles;
  bool any = false;
  for (int row = 0; row < targetTable_->rowCount(); ++row) {
    if (!cellNumber(targetTable_->item(row, TargetX)) || !cellNumber(targetTable_->item(row, TargetY)))
      continue;
    const auto angle = cellNumber(targetTable_->item(row, TargetAngle));
    any = any || angle;
    angles.push_back(angle ? *angle : angles.empty() ? 0 : NAN);
  }
  if (!any) return {};
  const double first = angles.front();
  for (double& a : angles) a -= first;
  return angles;
}

bool SynthesisDialog::rowEmpty(int row) const {
  for (int column = 0; column <= TargetAngle; ++column)
    if (const QTableWidgetItem* cell = targetTable_->item(row, column);
        cell && !cell->text().trimmed().isEmpty())
      return false;
  return true;
}

// The new row's first cell opens for typing, where the user's next keys belong.
void SynthesisDialog::addRow() {
  const int row = targetTable_->rowCount();
  {
    const QSignalBlocker blocker(targetTable_);
    insertTargetRow();
  }
  targetTable_->setFocus(Qt::OtherFocusReason);
  targetTable_->setCurrentCell(row, 0);
  targetTable_->edit(targetTable_->model()->index(row, 0));
}

// A row at the table's end, its candidate's cells there and not for editing.
int SynthesisDialog::insertTargetRow() {
  const int row = targetTable_->rowCount();
  targetTable_->insertRow(row);
  for (const int column : {TargetDistance, TargetAngleError}) {
    auto* cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    targetTable_->setItem(row, column, cell);
  }
  return row;
}

void SynthesisDialog::setRows(const std::vector<Vec2>& points, const std::vector<double>& angles,
                              bool append) {
  {
    const QSignalBlocker blocker(targetTable_);
    if (!append) targetTable_->setRowCount(0);
    for (std::size_t k = 0; k < points.size(); ++k) {
      const int row = insertTargetRow();
      targetTable_->setItem(row, TargetX, new QTableWidgetItem(boxNumber(points[k].x)));
      targetTable_->setItem(row, TargetY, new QTableWidgetItem(boxNumber(points[k].y)));
      if (k < angles.size()) targetTable_->setItem(row, TargetAngle, new QTableWidgetItem(boxNumber(angles[k])));
    }
  }
  emit targetsChanged();
}

void SynthesisDialog::addTarget(Vec2 point) {
  setRows({point}, {}, true);
  targetTable_->scrollToBottom();
}

void SynthesisDialog::pasteTargets() {
  const TargetList read = readTargetList(QGuiApplication::clipboard()->text().toStdString());
  if (read.badLine)
    return say(tr("貼り付けた %1 行目を読めません。x と y の二つの数（または番号と x、y や x、y と角度）を、"
                  "タブ、カンマまたは空白で区切ってください。").arg(read.badLine), true);
  setRows(read.points, read.timing, true);
  say(tr("%n 点を貼り付けました。", nullptr, static_cast<int>(read.points.size())), false);
}

void SynthesisDialog::askAndImport() {
  QFileDialog dialog(this);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({tr("CSV・DXFファイル (*.csv *.CSV *.txt *.dxf *.DXF)"),
                         tr("CSVファイル (*.csv *.CSV *.txt)"), tr("DXFファイル (*.dxf *.DXF)"),
                         tr("すべてのファイル (*)")});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  importTargets(dialog.selectedFiles().first());
}

bool SynthesisDialog::importTargets(const QString& path) {
  const ImportedTargets read = importTargetFile(path, sampleCount_->value());
  if (!read.reason.isEmpty()) {
    say(tr("%1 を読めませんでした: %2").arg(path, read.reason), true);
    return false;
  }
  bool append = false;
  if (!std::ranges::all_of(std::views::iota(0, targetTable_->rowCount()),
                           [this](int row) { return rowEmpty(row); })) {
    const int answer = ask(tr("目標点の表にはもう点があります。読み込んだ %n 点で置き換えますか、"
                              "後ろに加えますか？", nullptr, static_cast<int>(read.points.size())),
                           {tr("置き換える"), tr("後ろに加える"), tr("キャンセル")}, 0);
    if (answer != 0 && answer != 1) {
      say(tr("読み込みをやめました。表は元のままです。"), false);
      return false;
    }
    append = answer == 1;
  }
  setRows(read.points, read.timing, append);
  const int count = static_cast<int>(read.points.size());
  say(read.traced.isEmpty() ? tr("%n 点を読み込みました。", nullptr, count)
                            : tr("%1から %n 点を読み込みました。", nullptr, count).arg(read.traced),
      false);
  return true;
}

std::vector<Vec2> SynthesisDialog::shownTargets() const {
  const SynthesisCandidate* c = selected();
  if (c && resultFreeFrame_ && !stale() && !c->targetsInProgramFrame.empty())
    return c->targetsInProgramFrame;
  return targets();
}

// --- The search -------------------------------------------------------------------------------

SynthesisOptions SynthesisDialog::options() const {
  SynthesisOptions o;
  o.targets = targets();
  o.keepOrder = keepOrder_->isChecked();
  o.minTransmissionAngle = minAngle_->value();
  for (int k = 0; k < 6; ++k) o.*kBoundFields[k] = {bounds_[k][0]->value(), bounds_[k][1]->value()};
  o.freeFrame = freeFrame_->isChecked();
  o.mirror = o.freeFrame && mirror_->isChecked();
  o.seed = static_cast<std::uint64_t>(seed_->value());
  o.ranking = static_cast<SynthesisRanking>(ranking_->currentIndex());
  o.candidates = kShownCandidates;
  o.timing = timing();
  takeCompactOptions(o);
  return o;
}

SynthesisOptions SynthesisDialog::legOptions() const {
  SynthesisOptions o = options();
  if (scaleBounds_->isChecked()) {
    const SynthesisOptions defaults;
    for (const auto field : kBoundFields) o.*field = defaults.*field;
  }
  return o;
}

void SynthesisDialog::start() {
  if (job_.running()) return;
  // A row with something in it that is not two numbers would be left out unseen.
  for (int row = 0; row < targetTable_->rowCount(); ++row) {
    if (!rowEmpty(row) &&
        !(cellNumber(targetTable_->item(row, 0)) && cellNumber(targetTable_->item(row, 1))))
      return say(tr("目標点の %1 行目が数ではありません。").arg(row + 1), true);
    if (const QTableWidgetItem* angle = targetTable_->item(row, TargetAngle);
        angle && !angle->text().trimmed().isEmpty() && !cellNumber(angle))
      return say(tr("目標点の %1 行目の角度が数ではありません。").arg(row + 1), true);
  }
  // Committing the edit in progress may analyse (すぐに描画する), and a click on 開始 meanwhile
  // may have started a search already.
  const ParameterSet base = currentDesign_ ? currentDesign_() : ParameterSet{};
  if (job_.running()) return;
  const SynthesisOptions searched = options();
  job_.start([searched, base](WorkProgress& progress) {
    return synthesizePath(searched, base, progress);
  });
  result_ = {};
  resultRows_.clear();
  resultTargets_ = readTargets(&resultRows_);
  resultFreeFrame_ = searched.freeFrame;
  resultRanking_ = searched.ranking;
  resultKeepOrder_ = searched.keepOrder;
  resultTiming_ = searched.timing;
  showResult();
  progress_->setValue(0);
  say(tr("探索しています…"), false);
  clock_.start();
  showState();
  emit targetsChanged();
}

void SynthesisDialog::stop() { job_.stop(); }

void SynthesisDialog::showProgress(const WorkProgress& progress) {
  lastElapsed_ = clock_.elapsed() / 1000.0;
  elapsed_->setText(tr("経過 %1 秒").arg(fixed(lastElapsed_, 1)));
  progress_->setValue(static_cast<int>(std::lround(progress.share() * 1000)));
}

void SynthesisDialog::finish(SynthesisResult result) {
  result_ = std::move(result);
  // Full only for a search that ran to its end; one refused before it began did nothing.
  constexpr SynthesisProblem kRanToItsEnd[] = {
      SynthesisProblem::None, SynthesisProblem::NoLinkage, SynthesisProblem::BoundsHoldNone,
      SynthesisProblem::TransmissionAngle, SynthesisProblem::OrderNotMet};
  const bool ran = std::ranges::find(kRanToItsEnd, result_.problem) != std::end(kRanToItsEnd);
  if (result_.problem != SynthesisProblem::Stopped) progress_->setValue(ran ? 1000 : 0);
  std::vector<int> rows;  // as the user sees them
  for (const std::size_t k : result_.problemTargets)
    if (k < resultRows_.size()) rows.push_back(resultRows_[k] + 1);
  SearchControls{start_, stop_, apply_, status_}.sayOutcome(
      result_.problem == SynthesisProblem::None ? QString()
                                                : synthesisProblemText(result_.problem, rows),
      result_.problem == SynthesisProblem::Stopped, result_.candidates.size());
  showResult();
  showState();
}

void SynthesisDialog::abandon() {
  if (!job_.running()) return;
  job_.cancel();
  say(tr("停止しました。"), false);
  showState();
}

// --- Showing ----------------------------------------------------------------------------------

void SynthesisDialog::showResult() {
  const QSignalBlocker blocker(candidateTable_);
  const int rows = clearCandidateRows(candidateTable_, result_.candidates.size(), kShownCandidates);
  for (int row = 0; row < rows; ++row) {
    const SynthesisCandidate& c = result_.candidates[static_cast<std::size_t>(row)];
    QStringList cells = {fixed(c.maxDistance, 3), fixed(c.rmsDistance, 3),
                         className(c.linkageClass), fixed(c.minTransmissionAngle, 1) + QStringLiteral("°")};
    for (int k = 0; k < 6; ++k) cells << boxNumber(c.parameters[k]);
    cells << fixed(c.pivot.x, 2) << fixed(c.pivot.y, 2)
          << fixed(c.frameAngle, 2) + QStringLiteral("°") + (c.mirrored ? tr("（裏返し）") : QString())
          << (resultTiming_.empty() ? (c.direction < 0 ? tr("表の逆順") : tr("表の順"))
                                    : (c.direction < 0 ? tr("角度はクランクと逆向き") : tr("角度はクランクの向き")))
          << fixed(c.phase, 1) + QStringLiteral("°") << fixed(c.size, 1) << rasterText(c);
    for (int col = 0; col < ColumnCount; ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      if (col != Class) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      candidateTable_->setItem(row, col, item);
    }
  }
  for (int col : {PivotX, PivotY, FrameAngle}) candidateTable_->setColumnHidden(col, !resultFreeFrame_);
  candidateTable_->setColumnHidden(Direction, !resultKeepOrder_ && resultTiming_.empty());
  candidateTable_->setColumnHidden(Phase, resultTiming_.empty());
  candidateBox_->setTitle(resultRanking_ == SynthesisRanking::Largest
                              ? tr("候補（最大距離の小さい順）")
                              : tr("候補（RMS距離の小さい順）"));
  if (rows > 0) candidateTable_->selectRow(0);
  showSelection();
}

void SynthesisDialog::showSelection() {
  showStale();
  emit targetsChanged();
}

// Candidates of other points stay for the user to compare, greyed and said to be so; the
// frame note would place the old points and is left out.
void SynthesisDialog::showStale() {
  const bool old = stale();
  staleNote_->setVisible(old);
  const QColor text = palette().color(old ? QPalette::Disabled : QPalette::Active, QPalette::Text);
  for (int row = 0; row < candidateTable_->rowCount(); ++row)
    for (int col = 0; col < ColumnCount; ++col)
      if (QTableWidgetItem* item = candidateTable_->item(row, col)) item->setForeground(text);
  const SynthesisCandidate* c = selected();
  showTargetFigures(old ? nullptr : c);
  frameNote_->setText(
      c && resultFreeFrame_ && !old
          ? tr("目標点の座標系で、クランク支点は (%1, %2)、静止節の向きは %3°。キャンバスには目標点を"
               "この機構の座標系に移して描いています。")
                    .arg(fixed(c->pivot.x, 2), fixed(c->pivot.y, 2), fixed(c->frameAngle, 2)) +
                (c->mirrored ? tr("この候補は機構を裏返したもので、キャンバスの目標点も裏返して描いています。")
                             : QString())
          : QString());
  showState();
}

// Each target's distance from the candidate's path (with timing, from its point at the target's
// crank angle) and crank-angle error, in the rows the targets were found for; none without.
void SynthesisDialog::showTargetFigures(const SynthesisCandidate* c) {
  const QSignalBlocker blocker(targetTable_);
  for (int row = 0; row < targetTable_->rowCount(); ++row)
    for (const int column : {TargetDistance, TargetAngleError})
      if (QTableWidgetItem* cell = targetTable_->item(row, column)) cell->setText({});
  for (std::size_t k = 0; c && k < resultRows_.size() && k < c->distances.size(); ++k) {
    const int row = resultRows_[k];
    if (QTableWidgetItem* cell = targetTable_->item(row, TargetDistance)) cell->setText(fixed(c->distances[k], 3));
    if (QTableWidgetItem* cell = targetTable_->item(row, TargetAngleError); cell && k < c->crankAngleErrors.size())
      cell->setText(fixed(c->crankAngleErrors[k], 1) + QStringLiteral("°"));
  }
}

bool SynthesisDialog::stale() const {
  return !result_.candidates.empty() &&
         (targets() != resultTargets_ || !std::ranges::equal(timing(), resultTiming_));
}

void SynthesisDialog::applySelected() {
  const SynthesisCandidate* c = selected();
  if (!c || !applyAllowed_) return;
  if (stale() && ask(tr("この候補は、目標点を変える前の点に対して求めたものです。それでも適用しますか？"),
                     {tr("適用する"), tr("やめる")}, 1) != 0)
    return;
  emit applyRequested(c->parameters);
}

int SynthesisDialog::ask(const QString& question, const QStringList& buttons, int defaultAnswer) {
  QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::NoButton, this);
  QList<QPushButton*> answers;
  for (qsizetype k = 0; k < buttons.size(); ++k)
    answers << box.addButton(buttons[k], k == 0                  ? QMessageBox::AcceptRole
                                         : k == buttons.size() - 1 ? QMessageBox::RejectRole
                                                                   : QMessageBox::ActionRole);
  box.setDefaultButton(answers[defaultAnswer]);
  box.setEscapeButton(answers.last());
  box.exec();
  return static_cast<int>(answers.indexOf(box.clickedButton()));
}

const SynthesisCandidate* SynthesisDialog::selected() const {
  const QList<QTableWidgetItem*> items = candidateTable_->selectedItems();
  if (items.isEmpty()) return nullptr;
  const int row = items.first()->row();
  if (row < 0 || row >= static_cast<int>(result_.candidates.size())) return nullptr;
  return &result_.candidates[static_cast<std::size_t>(row)];
}

void SynthesisDialog::setApplyAllowed(bool allowed) {
  applyAllowed_ = allowed;
  slider_->setApplyAllowed(allowed);
  gaitPage_->setApplyAllowed(allowed);
  showState();
}

void SynthesisDialog::showState() {
  SearchControls{start_, stop_, apply_, status_}.show(searching(), applyAllowed_ && selected());
}

void SynthesisDialog::say(const QString& text, bool problem) {
  SearchControls{start_, stop_, apply_, status_}.say(text, problem);
}

// Enter and Return press the focused button, as Space does: the buttons have autoDefault off,
// so that Return in a cell or a spin box presses none, and Qt would ignore the key on them.
void SynthesisDialog::keyPressEvent(QKeyEvent* event) {
  auto* button = qobject_cast<QPushButton*>(focusWidget());
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button &&
      button->isEnabled()) {
    if (!event->isAutoRepeat()) button->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void SynthesisDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  emit targetsChanged();
}

// Closing the dialog (its close button, Esc) ends the search: nobody would see what it finds.
// Minimising it, which the system reports as a spontaneous hide, does not.
void SynthesisDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) abandon(), slider_->abandon(), gaitPage_->abandon();
  emit targetsChanged();
}

}  // namespace gyrenda
