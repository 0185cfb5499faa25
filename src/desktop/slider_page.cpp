#include "desktop/slider_page.h"

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
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "desktop/search_controls.h"
#include "linkage/number_text.h"

namespace gyrenda {
namespace {

constexpr int kShown = 10;
constexpr double kLongestViewStroke = 396;  // mm, the width of one view less its margin

struct Text {
  Q_DECLARE_TR_FUNCTIONS(gyrenda::SliderPage)
};

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }
QString boxNumber(double v) { return QString::fromStdString(formatBoxNumber(static_cast<float>(v))); }

QDoubleSpinBox* spin(const char* name, double low, double high, double value, int decimals,
                     const QString& suffix = {}) {
  auto* s = new QDoubleSpinBox;
  s->setObjectName(QString::fromLatin1(name));
  s->setRange(low, high);
  s->setDecimals(decimals);
  s->setValue(value);
  s->setSuffix(suffix);
  return s;
}

}  // namespace

QString sliderProblemText(const SliderResult& r, const SliderOptions& o) {
  switch (r.problem) {
    case SliderProblem::None: return {};
    case SliderProblem::BadStroke:
      if (!o.fitView)
        return Text::tr("ストロークは 0 より大きく、%1 mm 以下にしてください。").arg(boxNumber(kLongestFreeStroke));
      return Text::tr("ストロークは 0 より大きく、一画面の幅 396 mm 以下にしてください。");
    case SliderProblem::BadTimeRatio: return Text::tr("時間比は 0 より大きくしてください。");
    case SliderProblem::BadAngle: return Text::tr("最小リンク角は 0° 以上 90° 未満にしてください。");
    case SliderProblem::BadSlideAngle: return Text::tr("スライドの向きが数ではありません。");
    case SliderProblem::BadBudget: return Text::tr("探索の設定が正しくありません。");
    case SliderProblem::FourBarDoesNotTurn:
      return Text::tr("4節リンクのクランクが一回りしないため、スライダが一回りを通して動けません。");
    case SliderProblem::NoSlider:
      if (!o.fitView)
        return Text::tr("リンクがスライドと最小リンク角以上で交わるスライドとリンクが見つかりませんでした。");
      return Text::tr("一画面に収まり、リンクがスライドと最小リンク角以上で交わるスライドとリンクが見つかりませんでした。");
    case SliderProblem::StrokeOutOfReach:
      return Text::tr("4節リンクの出力点の軌跡では、条件を満たしてストローク %1 mm を得られません。見つかったストロークは %2 〜 %3 mm です。")
          .arg(boxNumber(o.stroke), boxNumber(r.reachedLow), boxNumber(r.reachedHigh));
    case SliderProblem::TimeRatioOutOfReach:
      return Text::tr("ストローク %1 mm は得られますが、時間比が %2 の 2 % 以内のものは見つかりませんでした。いちばん近い時間比は %3 です。")
          .arg(boxNumber(o.stroke), boxNumber(o.timeRatio.value_or(0)), boxNumber(r.reachedLow));
    case SliderProblem::Stopped: return Text::tr("停止しました。それまでに見つかった候補を示します。");
  }
  return {};
}

SliderPage::SliderPage(std::function<ParameterSet()> currentDesign, QWidget* parent)
    : QWidget(parent), currentDesign_(std::move(currentDesign)),
      job_(this,
           [this](const WorkProgress& p) {
             elapsed_->setText(tr("経過 %1 秒").arg(fixed(clock_.elapsed() / 1000.0, 1)));
             progress_->setValue(static_cast<int>(std::lround(p.share() * 1000)));
           },
           [this](SliderResult result) { finish(std::move(result)); }) {
  setObjectName(QStringLiteral("sliderPage"));
  auto* runRow = newSearchRow(QStringLiteral("slider"), start_, stop_, progress_, elapsed_, status_);

  auto* box = new QGroupBox(tr("候補（要求を満たすものを最小リンク角の大きい順に）"));
  table_ = new QTableWidget(0, 7 + kParamCount - sixLinkLength, box);
  table_->setObjectName(QStringLiteral("sliderTable"));
  table_->setHorizontalHeaderLabels({tr("ストローク (mm)"), tr("時間比"), tr("最小リンク角"), tr("要求"), tr("1 画面"),
                                     tr("行き始め"), tr("行き終わり"), tr("リンク長"), tr("出力点X"),
                                     tr("出力点Y"), tr("始点X"), tr("始点Y"), tr("終点X"), tr("終点Y")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(table_, &QTableWidget::itemSelectionChanged, this, &SliderPage::showState);
  apply_ = new QPushButton(tr("適用"));
  apply_->setObjectName(QStringLiteral("sliderApply"));
  connect(apply_, &QPushButton::clicked, this, [this] {
    if (const SliderCandidate* c = selected(); c && applyAllowed_) emit applyRequested(c->parameters);
  });
  auto* note = new QLabel(tr("適用すると、6節リンクの値を入力欄に入れ、6節リンクも解析します。"));
  note->setWordWrap(true);
  auto* applyRow = new QHBoxLayout;
  applyRow->addWidget(note, 1);
  applyRow->addWidget(apply_);
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addWidget(table_, 1);
  boxLayout->addLayout(applyRow);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildConditions());
  layout->addLayout(runRow);
  layout->addWidget(status_);
  layout->addWidget(box, 1);
  connect(start_, &QPushButton::clicked, this, &SliderPage::start);
  connect(stop_, &QPushButton::clicked, this, &SliderPage::stop);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  showState();
}

QWidget* SliderPage::buildConditions() {
  auto* box = new QGroupBox(tr("条件（入力欄の4節リンクに対して）"));
  auto* form = new QGridLayout(box);
  const SliderOptions defaults;
  stroke_ = spin("stroke", 0.1, kLongestViewStroke, defaults.stroke, 1, QStringLiteral(" mm"));
  ratioAsked_ = new QCheckBox(tr("時間比（行き／帰り）"));
  ratioAsked_->setObjectName(QStringLiteral("ratioAsked"));
  ratio_ = spin("timeRatio", 0.01, 100, 1.5, 2);
  ratio_->setEnabled(false);
  connect(ratioAsked_, &QCheckBox::toggled, ratio_, &QWidget::setEnabled);
  minAngle_ = spin("minLinkAngle", 0, 89.9, defaults.minLinkAngle, 1, QStringLiteral("°"));
  angleFixed_ = new QCheckBox(tr("スライドの向きを固定"));
  angleFixed_->setObjectName(QStringLiteral("angleFixed"));
  slideAngle_ = spin("slideAngle", -360, 360, 0, 1, QStringLiteral("°"));
  slideAngle_->setEnabled(false);
  connect(angleFixed_, &QCheckBox::toggled, slideAngle_, &QWidget::setEnabled);
  fitView_ = new QCheckBox(tr("機構を 1 画面に収める"));
  fitView_->setObjectName(QStringLiteral("sliderFitView"));
  fitView_->setToolTip(tr("どの候補も、倍率 4 でスクロール −300〜300 の 1 画面に、スライドと6節リンクの"
                          "出力点の軌跡も含めて収まります。外すとリンクを長くでき、長いストロークも探せますが、"
                          "はみ出す候補の姿勢は画面の外では解析で見つかりません。"));
  fitView_->setChecked(defaults.fitView);
  connect(fitView_, &QCheckBox::toggled, this, [this](bool fit) {
    stroke_->setMaximum(fit ? kLongestViewStroke : kLongestFreeStroke);
  });
  seed_ = new QSpinBox;
  seed_->setObjectName(QStringLiteral("sliderSeed"));
  seed_->setRange(0, std::numeric_limits<int>::max());
  seed_->setValue(static_cast<int>(defaults.seed));
  form->addWidget(new QLabel(tr("ストローク")), 0, 0);
  form->addWidget(stroke_, 0, 1);
  form->addWidget(ratioAsked_, 1, 0);
  form->addWidget(ratio_, 1, 1);
  form->addWidget(new QLabel(tr("最小リンク角（リンクとスライドの間）")), 2, 0);
  form->addWidget(minAngle_, 2, 1);
  form->addWidget(angleFixed_, 3, 0);
  form->addWidget(slideAngle_, 3, 1);
  form->addWidget(fitView_, 4, 0, 1, 2);
  form->addWidget(new QLabel(tr("乱数の種")), 5, 0);
  form->addWidget(seed_, 5, 1);
  return box;
}

SliderOptions SliderPage::options() const {
  SliderOptions o;
  o.stroke = stroke_->value();
  if (ratioAsked_->isChecked()) o.timeRatio = ratio_->value();
  o.minLinkAngle = minAngle_->value();
  if (angleFixed_->isChecked()) o.slideAngle = slideAngle_->value();
  o.fitView = fitView_->isChecked();
  o.seed = static_cast<std::uint64_t>(seed_->value());
  o.candidates = kShown;
  return o;
}

void SliderPage::start() {
  if (job_.running()) return;
  const ParameterSet base = currentDesign_ ? currentDesign_() : ParameterSet{};
  if (job_.running()) return;
  resultOptions_ = options();
  job_.start([o = resultOptions_, base](WorkProgress& p) { return synthesizeSlider(o, base, p); });
  result_ = {};
  showResult();
  progress_->setValue(0);
  say(tr("探索しています…"), false);
  clock_.start();
  showState();
}

void SliderPage::stop() { job_.stop(); }

void SliderPage::abandon() {
  if (!job_.running()) return;
  job_.cancel();
  say(tr("停止しました。"), false);
  showState();
}

void SliderPage::finish(SliderResult result) {
  result_ = std::move(result);
  if (result_.problem == SliderProblem::None) {
    progress_->setValue(1000);
    say(tr("%n 個の候補が見つかりました。", nullptr, static_cast<int>(result_.candidates.size())), false);
  } else {
    say(sliderProblemText(result_, resultOptions_), result_.problem != SliderProblem::Stopped);
  }
  // A request that cannot be met offers nothing to apply: the message names the obstacle.
  if (result_.problem != SliderProblem::None && result_.problem != SliderProblem::Stopped)
    result_.candidates.clear();
  showResult();
  showState();
}

void SliderPage::showResult() {
  const QSignalBlocker blocker(table_);
  const int rows = clearCandidateRows(table_, result_.candidates.size(), kShown);
  for (int row = 0; row < rows; ++row) {
    const SliderCandidate& c = result_.candidates[static_cast<std::size_t>(row)];
    QStringList cells{fixed(c.motion.stroke, 3), fixed(c.motion.timeRatio, 3),
                      fixed(c.motion.minLinkAngle, 1) + QStringLiteral("°"),
                      c.meets ? tr("満たす") : tr("外れる"),
                      c.fitsView ? tr("収まる") : tr("はみ出す"),
                      fixed(c.motion.forwardFrom, 1) + QStringLiteral("°"),
                      fixed(c.motion.forwardTo, 1) + QStringLiteral("°")};
    for (int k = sixLinkLength; k < kParamCount; ++k) cells << boxNumber(c.parameters[k]);
    for (int col = 0; col < cells.size(); ++col) {
      auto* item = new QTableWidgetItem(cells[col]);
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(row, col, item);
    }
  }
  if (rows > 0) table_->selectRow(0);
}

const SliderCandidate* SliderPage::selected() const {
  const int row = table_->currentRow();
  if (row < 0 || row >= static_cast<int>(result_.candidates.size())) return nullptr;
  return &result_.candidates[static_cast<std::size_t>(row)];
}

void SliderPage::setApplyAllowed(bool allowed) {
  applyAllowed_ = allowed;
  showState();
}

void SliderPage::showState() {
  SearchControls{start_, stop_, apply_, status_}.show(searching(), applyAllowed_ && selected());
}

void SliderPage::say(const QString& text, bool problem) {
  SearchControls{start_, stop_, apply_, status_}.say(text, problem);
}

}  // namespace gyrenda
