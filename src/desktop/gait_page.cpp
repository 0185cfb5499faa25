#include "desktop/gait_page.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "desktop/search_controls.h"
#include "kinematics/exact_linkage.h"
#include "linkage/number_text.h"

namespace gyrenda {
namespace {

constexpr int kShownCandidates = 10;

enum Column { StanceShare, Stride, Lift, Flatness, SpeedRatio, MinAngle, StanceBegin, StanceEnd,
              FirstLength, PivotX = FirstLength + 6, PivotY, FrameAngle, ColumnCount };

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

struct Text {
  Q_DECLARE_TR_FUNCTIONS(gyrenda::GaitPage)
};

}  // namespace

QString gaitProblemText(const GaitResult& r) {
  const QString limit = fixed(r.limit, 1);
  switch (r.problem) {
    case GaitProblem::BadStride: return Text::tr("歩幅は 0 より大きい長さです。");
    case GaitProblem::StrideBeyondBounds:
      return Text::tr("歩幅が、範囲内のどの機構の足先の軌跡よりも長すぎます（最大 %1 mm）。").arg(limit);
    case GaitProblem::StrideBeyondView:
      return Text::tr("歩幅が、キャンバスの一画面に収まるどの脚よりも長すぎます（地面方向に最大 %1 mm）。").arg(limit);
    case GaitProblem::StrideBeyondSize:
      return Text::tr("歩幅が、最大寸法に収まるどの脚よりも長すぎます（地面方向に最大 %1 mm）。").arg(limit);
    case GaitProblem::BadLift: return Text::tr("足上げは 0 より大きい長さです。");
    case GaitProblem::LiftWithinFlatness:
      return Text::tr("足上げが平坦度以下です。足先は一回転ずっと接地してしまいます。");
    case GaitProblem::BadStanceShare: return Text::tr("立脚率は 0 より大きく 1 より小さい割合です。");
    case GaitProblem::BadFlatness: return Text::tr("平坦度は 0 以上の長さです。");
    case GaitProblem::BadGroundAngle: return Text::tr("地面の向きが数ではありません。");
    case GaitProblem::BadBounds: return Text::tr("範囲が空か、長さの範囲が 0 以下です。");
    case GaitProblem::BadAngle: return Text::tr("最小伝達角は 0° 以上 90° 未満です。");
    case GaitProblem::BadBudget: return Text::tr("探索の設定が正しくありません。");
    case GaitProblem::NoLeg:
      return Text::tr("範囲内に、伝達角を保ち 1 画面と最大寸法の制限に収まるてこクランク機構がありません。");
    case GaitProblem::Stopped: return Text::tr("停止しました。");
    case GaitProblem::None: break;
  }
  return {};
}

GaitPage::GaitPage(std::function<ParameterSet()> currentDesign,
                   std::function<SynthesisOptions()> search, QWidget* parent)
    : QWidget(parent), currentDesign_(std::move(currentDesign)), search_(std::move(search)),
      job_(this,
           [this](const WorkProgress& progress) {
             elapsed_->setText(tr("経過 %1 秒").arg(fixed(clock_.elapsed() / 1000.0, 1)));
             progress_->setValue(static_cast<int>(std::lround(progress.share() * 1000)));
           },
           [this](GaitResult result) { finish(std::move(result)); }) {
  setObjectName(QStringLiteral("gaitPage"));
  auto* runRow = newSearchRow(QStringLiteral("gait"), start_, stop_, progress_, elapsed_, status_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildRequest());
  layout->addLayout(runRow);
  layout->addWidget(status_);
  layout->addWidget(buildCandidates(), 1);
  connect(start_, &QPushButton::clicked, this, &GaitPage::start);
  connect(stop_, &QPushButton::clicked, this, &GaitPage::stop);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  showState();
}

QWidget* GaitPage::buildRequest() {
  auto* box = new QGroupBox(tr("足先の歩き方"));
  auto* form = new QGridLayout(box);
  const GaitOptions defaults;
  const auto number = [&](QDoubleSpinBox*& spin, const char* name, const QString& label, double low,
                          double high, double value, const QString& suffix, int row, int column) {
    spin = new QDoubleSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setDecimals(2);
    spin->setValue(value);
    spin->setSuffix(suffix);
    form->addWidget(new QLabel(label), row, column);
    form->addWidget(spin, row, column + 1);
  };
  const QString mm = QStringLiteral(" mm");
  number(stride_, "stride", tr("歩幅"), 0.01, kParamLimit, defaults.stride, mm, 0, 0);
  number(lift_, "lift", tr("足上げ"), 0.01, kParamLimit, defaults.lift, mm, 1, 0);
  number(stance_, "stance", tr("立脚率"), 0.01, 0.99, defaults.stanceShare, QString(), 2, 0);
  number(flatness_, "flatness", tr("平坦度"), 0, kParamLimit, 0, mm, 0, 2);
  flatness_->setSpecialValueText(tr("歩幅の 1 %"));
  number(groundAngle_, "groundAngle", tr("地面の向き"), -360, 360, 0, QStringLiteral("°"), 1, 2);
  number(minAngle_, "gaitMinTransmission", tr("最小伝達角"), 0, 89.9,
         defaults.search.minTransmissionAngle, QStringLiteral("°"), 2, 2);
  stance_->setToolTip(tr("足先が地面の線から平坦度以内にある、クランク一回転のうちの割合です。"));
  freeFrame_ = new QCheckBox(tr("地面に対する機構の向きも求める"));
  freeFrame_->setObjectName(QStringLiteral("gaitFreeFrame"));
  form->addWidget(freeFrame_, 3, 0, 1, 4);
  auto* note = new QLabel(tr("各長さの範囲、1 画面と最大寸法の制限、乱数の種は「軌跡」のページの設定を使います。"));
  note->setWordWrap(true);
  form->addWidget(note, 4, 0, 1, 4);
  return box;
}

QWidget* GaitPage::buildCandidates() {
  auto* box = new QGroupBox(tr("候補（立脚を満たすものから、歩幅と足上げの誤差の小さい順）"));
  table_ = new QTableWidget(0, ColumnCount, box);
  table_->setObjectName(QStringLiteral("gaitTable"));
  table_->setHorizontalHeaderLabels(
      {tr("立脚率"), tr("歩幅 (mm)"), tr("足上げ (mm)"), tr("平坦度 (mm)"), tr("速度比"),
       tr("最小伝達角"), tr("立脚開始"), tr("立脚終了"), tr("クランク"), tr("てこ"), tr("中間節"),
       tr("静止節"), tr("出力点X"), tr("出力点Y"), tr("支点X"), tr("支点Y"), tr("向き")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    showState();
    emit footPathChanged();
  });
  frameNote_ = new QLabel(tr("キャンバスでは、選んだ候補の足先の軌跡を橙、立脚を水色で描きます。"));
  frameNote_->setWordWrap(true);
  apply_ = new QPushButton(tr("適用"));
  apply_->setObjectName(QStringLiteral("gaitApply"));
  connect(apply_, &QPushButton::clicked, this, [this] {
    if (const GaitCandidate* c = selected(); c && applyAllowed_) emit applyRequested(c->parameters);
  });
  auto* row = new QHBoxLayout;
  row->addWidget(frameNote_, 1);
  row->addWidget(apply_);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(table_, 1);
  layout->addLayout(row);
  return box;
}

GaitOptions GaitPage::options() const {
  GaitOptions o;
  o.search = search_ ? search_() : SynthesisOptions{};
  o.search.freeFrame = freeFrame_->isChecked();
  o.search.minTransmissionAngle = minAngle_->value();
  o.search.candidates = kShownCandidates;
  o.stride = stride_->value(), o.lift = lift_->value(), o.stanceShare = stance_->value();
  o.flatness = flatness_->value(), o.groundAngle = groundAngle_->value();
  return o;
}

void GaitPage::start() {
  if (job_.running()) return;
  const ParameterSet base = currentDesign_ ? currentDesign_() : ParameterSet{};
  if (job_.running()) return;  // committing the edit may have let a click start one
  const GaitOptions searched = options();
  job_.start([searched, base](WorkProgress& progress) { return synthesizeGait(searched, base, progress); });
  result_ = {};
  resultOptions_ = searched;
  showResult();
  progress_->setValue(0);
  say(tr("探索しています…"), false);
  clock_.start();
  showState();
}

void GaitPage::stop() { job_.stop(); }

void GaitPage::abandon() {
  if (!job_.running()) return;
  job_.cancel();
  say(tr("停止しました。"), false);
  showState();
}

void GaitPage::finish(GaitResult result) {
  result_ = std::move(result);
  const bool found = !result_.candidates.empty();
  if (result_.problem != GaitProblem::Stopped) progress_->setValue(found ? 1000 : 0);
  SearchControls{start_, stop_, apply_, status_}.sayOutcome(
      gaitProblemText(result_), result_.problem == GaitProblem::Stopped, result_.candidates.size());
  showResult();
  showState();
}

const GaitCandidate* GaitPage::selected() const {
  const QList<QTableWidgetItem*> items = table_->selectedItems();
  if (items.isEmpty()) return nullptr;
  const int row = items.first()->row();
  if (row < 0 || row >= static_cast<int>(result_.candidates.size())) return nullptr;
  return &result_.candidates[static_cast<std::size_t>(row)];
}

void GaitPage::showResult() {
  const QSignalBlocker blocker(table_);
  const int rows = clearCandidateRows(table_, result_.candidates.size(), kShownCandidates);
  for (int row = 0; row < rows; ++row) {
    const GaitCandidate& c = result_.candidates[static_cast<std::size_t>(row)];
    const GaitFigures& f = c.figures;
    const QString degree = QStringLiteral("°");
    QStringList cells = {fixed(f.stanceShare, 3), fixed(f.stride, 2), fixed(f.lift, 2),
                         fixed(f.flatness, 3), fixed(f.stanceSpeedRatio, 2),
                         fixed(c.minTransmissionAngle, 1) + degree, fixed(f.stanceBegin, 1) + degree,
                         fixed(f.stanceEnd, 1) + degree};
    for (int k = 0; k < 6; ++k)
      cells << QString::fromStdString(formatBoxNumber(c.parameters[k]));
    cells << fixed(c.pivot.x, 2) << fixed(c.pivot.y, 2) << fixed(c.frameAngle, 2) + degree;
    for (int col = 0; col < ColumnCount; ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      // A leg short of the stance asked for is shown as such.
      if (col <= Flatness && !c.meetsStance) item->setForeground(QColor(0xc0, 0, 0));
      table_->setItem(row, col, item);
    }
  }
  for (int col : {PivotX, PivotY, FrameAngle}) table_->setColumnHidden(col, !resultOptions_.search.freeFrame);
  if (rows > 0) table_->selectRow(0);
  showState();
  emit footPathChanged();
}

std::vector<Vec2> GaitPage::footFrom(double from, double span) const {
  const GaitCandidate* c = selected();
  if (!c) return {};
  const ExactLinkage exact = makeExactLinkage(c->parameters);
  std::vector<Vec2> points;
  const int steps = std::max(2, static_cast<int>(std::ceil(span * 2)));  // every half degree
  for (int k = 0; k <= steps; ++k)
    if (const auto pose = fourBarPose(exact, from + span * k / steps, 0)) points.push_back(pose->output);
  return points;
}

std::vector<Vec2> GaitPage::footPath() const { return footFrom(0, 360); }

std::vector<Vec2> GaitPage::stancePath() const {
  const GaitCandidate* c = selected();
  if (!c) return {};
  return footFrom(c->figures.stanceBegin, c->figures.stanceShare * 360);
}

void GaitPage::setApplyAllowed(bool allowed) {
  applyAllowed_ = allowed;
  showState();
}

void GaitPage::showState() {
  SearchControls{start_, stop_, apply_, status_}.show(searching(), applyAllowed_ && selected());
}

void GaitPage::say(const QString& text, bool problem) {
  SearchControls{start_, stop_, apply_, status_}.say(text, problem);
}

}  // namespace gyrenda
