#include "desktop/tolerance_panel.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "desktop/charts.h"
#include "encoders/parameter_names.h"
#include "files/atomic_file.h"

namespace gyrenda {

namespace {

// Where a sub-tab's table is: the charts first, then these.
constexpr int kPercentileTab = TolerancePanel::kChartCount;
constexpr int kSensitivityTab = kPercentileTab + 1;
constexpr int kPerValueTab = kSensitivityTab + 1;

QString number(std::optional<double> v, int decimals = 3) {
  return v && std::isfinite(*v) ? QString::number(*v, 'f', decimals) : QStringLiteral("—");
}

// A count that may be typed above its maximum: such a number is made the maximum when the
// box is left or Return is pressed, and `clamped` is told what was typed. A plain spin box
// would refuse the last digit unseen (20000 typed against 16643 leaves 2000).
class CountBox final : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;
  std::function<void(const QString& typed)> clamped;

 protected:
  QValidator::State validate(QString& input, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(input, pos);
    return state == QValidator::Invalid && above(input) ? QValidator::Intermediate : state;
  }
  void fixup(QString& input) const override {
    if (!above(input)) return QSpinBox::fixup(input);
    const QString typed = input.trimmed();
    input = QString::number(maximum());
    if (clamped) clamped(typed);
  }

 private:
  bool above(const QString& input) const {
    const QString digits = input.trimmed();
    if (digits.isEmpty() || !std::ranges::all_of(digits, [](QChar c) { return c >= u'0' && c <= u'9'; }))
      return false;
    bool fits = false;
    const qulonglong value = digits.toULongLong(&fits);
    return !fits || value > static_cast<qulonglong>(maximum());
  }
};

QDoubleSpinBox* lengthBox(QWidget* parent, const char* name, double value) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(0, kMaxTolerance);
  box->setDecimals(3);
  box->setSingleStep(0.01);
  box->setValue(value);
  box->setSuffix(QStringLiteral(" mm"));
  return box;
}

QTableWidget* newTable(QWidget* parent, const char* name, const QStringList& headers) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

// Numbers to the right, the one column of words (`words`) to the left.
void setRow(QTableWidget* table, int row, const QStringList& cells, int words) {
  for (int c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(cells[c]);
    item->setTextAlignment((c == words ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    item->setToolTip(cells[c]);
    table->setItem(row, c, item);
  }
}

}  // namespace

TolerancePanel::TolerancePanel(QWidget* parent)
    : QWidget(parent),
      job_(this, [this](const WorkProgress& progress) { showProgress(progress); },
           [this](ToleranceResult result) { finish(std::move(result)); }) {
  setObjectName(QStringLiteral("tolerancePanel"));
  QFormLayout* form = buildInputs();

  compute_ = new QPushButton(tr("計算"), this);
  compute_->setObjectName(QStringLiteral("computeTolerance"));
  stop_ = new QPushButton(tr("停止"), this);
  stop_->setObjectName(QStringLiteral("stopTolerance"));
  for (QPushButton* b : {compute_, stop_}) b->setAutoDefault(false);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("toleranceProgress"));
  progress_->setRange(0, 1000);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  auto* runRow = new QHBoxLayout;
  runRow->addWidget(compute_);
  runRow->addWidget(stop_);
  runRow->addWidget(progress_, 1);

  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("toleranceNote"));
  note_->setWordWrap(true);
  buildTabs();

  auto* buttons = new QHBoxLayout;
  auto* saveChart = new QPushButton(tr("図を保存…"), this);
  saveChart->setObjectName(QStringLiteral("saveToleranceChart"));
  auto* saveCsv = new QPushButton(tr("CSVを保存…"), this);
  saveCsv->setObjectName(QStringLiteral("saveToleranceCsv"));
  for (QPushButton* b : {saveChart, saveCsv}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  connect(saveChart, &QPushButton::clicked, this, &TolerancePanel::askAndSaveChart);
  connect(saveCsv, &QPushButton::clicked, this, &TolerancePanel::askAndSaveCsv);
  connect(tabs_, &QTabWidget::currentChanged, this,
          [saveChart](int tab) { saveChart->setEnabled(tab < kChartCount); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(form);
  layout->addWidget(samplesNote_);
  layout->addLayout(runRow);
  layout->addWidget(note_);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);

  connect(compute_, &QPushButton::clicked, this, &TolerancePanel::compute);
  connect(stop_, &QPushButton::clicked, this, &TolerancePanel::stop);
  setRunning(false);
  showResult();
}

QFormLayout* TolerancePanel::buildInputs() {
  tolerance_ = lengthBox(this, "tolerance", 0.1);
  clearance_ = lengthBox(this, "clearance", 0.05);
  perValue_ = new QCheckBox(tr("寸法ごとに指定"), this);
  perValue_->setObjectName(QStringLiteral("perValue"));
  buildSampleCount();
  seed_ = new QSpinBox(this);
  seed_->setObjectName(QStringLiteral("seed"));
  seed_->setRange(0, 2147483647);
  seed_->setValue(1);
  distribution_ = new QComboBox(this);
  distribution_->setObjectName(QStringLiteral("distribution"));
  distribution_->addItem(tr("一様"));
  distribution_->addItem(tr("正規（σ = 公差/3）"));

  auto* form = new QFormLayout;
  auto* toleranceRow = new QHBoxLayout;
  toleranceRow->addWidget(tolerance_);
  toleranceRow->addWidget(perValue_);
  toleranceRow->addStretch();
  form->addRow(tr("公差 ±"), toleranceRow);
  auto* clearanceRow = new QHBoxLayout;
  clearanceRow->addWidget(clearance_);
  auto* distributionLabel = new QLabel(tr("分布"), this);
  distributionLabel->setBuddy(distribution_);
  clearanceRow->addWidget(distributionLabel);
  clearanceRow->addWidget(distribution_);
  clearanceRow->addStretch();
  form->addRow(tr("ピンのすきま"), clearanceRow);
  auto* samplesRow = new QHBoxLayout;
  samplesRow->addWidget(samples_);
  auto* seedLabel = new QLabel(tr("乱数の種"), this);
  seedLabel->setBuddy(seed_);
  samplesRow->addWidget(seedLabel);
  samplesRow->addWidget(seed_);
  samplesRow->addStretch();
  form->addRow(tr("サンプル数"), samplesRow);
  return form;
}

// The count as far as the core takes it at the step, and the note for a larger one typed.
void TolerancePanel::buildSampleCount() {
  auto* samples = new CountBox(this);
  samples_ = samples;
  samples_->setObjectName(QStringLiteral("samples"));
  const double step = ToleranceOptions{}.step;
  samples_->setRange(1, maxToleranceSamples(step));
  samples_->setValue(2000);
  samples_->setToolTip(tr("1 ～ %1。サンプル数とクランク角の数（%2）の積は %3 までです。")
                           .arg(samples_->maximum())
                           .arg(toleranceCrankAngles(step))
                           .arg(kMaxToleranceSampleAngles));
  samplesNote_ = new QLabel(this);
  samplesNote_->setObjectName(QStringLiteral("samplesNote"));
  samplesNote_->setWordWrap(true);
  samplesNote_->setStyleSheet(QStringLiteral("color: #c00000;"));
  samplesNote_->hide();
  samples->clamped = [this, step](const QString& typed) {
    samplesNote_->setText(tr("サンプル数は %1 までです（サンプル数とクランク角の数 %2 の積が %3 まで）。"
                             "%4 を %1 にしました。")
                              .arg(samples_->maximum())
                              .arg(toleranceCrankAngles(step))
                              .arg(kMaxToleranceSampleAngles)
                              .arg(typed));
    samplesNote_->show();
  };
  // The note stays true while the box holds the maximum it was made.
  connect(samples_, &QSpinBox::valueChanged, samplesNote_, [this](int value) {
    if (value < samples_->maximum()) samplesNote_->hide();
  });
}

void TolerancePanel::buildTabs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("toleranceTabs"));
  const char* chartTitles[kChartCount] = {QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "経路と95%帯"),
                                          QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "ずれ")};
  for (int k = 0; k < kChartCount; ++k) {
    views_[k] = new QChartView(new QChart, tabs_);
    views_[k]->setRenderHint(QPainter::Antialiasing);
    views_[k]->setMinimumSize(360, 260);
    tabs_->addTab(views_[k], tr(chartTitles[k]));
  }
  percentiles_ = newTable(tabs_, "percentiles",
                          {tr("項目"), tr("公称"), tr("5%"), tr("50%"), tr("95%"), tr("サンプル数")});
  tabs_->addTab(percentiles_, tr("分布"));
  // The points' names on two lines, so that the columns stay as narrow as their numbers.
  sensitivities_ = newTable(tabs_, "sensitivities",
                            {tr("順位"), tr("寸法"), tr("４節リンク\n出力点"), tr("６節リンク\n出力点"),
                             tr("スライダ")});
  sensitivities_->setToolTip(tr("寸法が 1 mm 変わったときの、1 回転中で最大の動き (mm)"));
  tabs_->addTab(sensitivities_, tr("感度 (mm/mm)"));
  perValueTable_ = new QTableWidget(kParamCount, 2, tabs_);
  perValueTable_->setObjectName(QStringLiteral("perValueTolerances"));
  perValueTable_->setHorizontalHeaderLabels({tr("寸法"), tr("公差 ±")});
  perValueTable_->verticalHeader()->hide();
  perValueTable_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  perValueTable_->horizontalHeader()->setStretchLastSection(true);
  for (int k = 0; k < kParamCount; ++k) {
    auto* name = new QTableWidgetItem(parameterName(k));
    name->setFlags(Qt::ItemIsEnabled);
    perValueTable_->setItem(k, 0, name);
    perValueTable_->setCellWidget(k, 1, lengthBox(this, "perValueTolerance", 0.1));
  }
  perValueTable_->setEnabled(false);
  tabs_->addTab(perValueTable_, tr("寸法ごとの公差"));
  connect(perValue_, &QCheckBox::toggled, this, [this](bool on) {
    perValueTable_->setEnabled(on);
    tolerance_->setEnabled(!on);
    if (on) {
      // Starts from the one value that held so far.
      for (int k = 0; k < kParamCount; ++k)
        static_cast<QDoubleSpinBox*>(perValueTable_->cellWidget(k, 1))->setValue(tolerance_->value());
      tabs_->setCurrentIndex(kPerValueTab);
    }
  });
}

ToleranceOptions TolerancePanel::options() const {
  ToleranceOptions o;
  for (int k = 0; k < kParamCount; ++k)
    o.tolerance[k] = perValue_->isChecked()
                         ? static_cast<QDoubleSpinBox*>(perValueTable_->cellWidget(k, 1))->value()
                         : tolerance_->value();
  o.clearance = clearance_->value();
  o.samples = samples_->value();
  o.seed = static_cast<std::uint64_t>(seed_->value());
  o.distribution = distribution_->currentIndex() == 1 ? ToleranceDistribution::Normal
                                                      : ToleranceDistribution::Uniform;
  return o;
}

void TolerancePanel::showDesign(const std::optional<ParameterSet>& parameters) {
  if (parameters == parameters_) return;
  parameters_ = parameters;
  // The answer would belong to a design no longer shown: stopped within 0.2 s, dropped.
  if (job_.running() && (!parameters || runDesign_ != *parameters)) job_.cancel();
  if (!job_.running()) setRunning(false);
  if (resultDesign_ != parameters_) {
    result_.reset();
    resultDesign_.reset();
    showResult();
  }
}

void TolerancePanel::setRunning(bool running) {
  // The focus goes to the button that stays usable before the other is disabled, so that it
  // does not wander off to a control elsewhere.
  QPushButton* usable = running ? stop_ : compute_;
  QPushButton* other = running ? compute_ : stop_;
  usable->setEnabled(running ? true : parameters_.has_value());
  if (other->hasFocus()) usable->setFocus();
  other->setEnabled(false);
  if (!running) compute_->setEnabled(parameters_.has_value());
  for (QWidget* w : std::initializer_list<QWidget*>{tolerance_, perValue_, perValueTable_,
                                                     clearance_, samples_, seed_, distribution_})
    w->setEnabled(!running && (w == tolerance_ ? !perValue_->isChecked()
                               : w == perValueTable_ ? perValue_->isChecked() : true));
}

void TolerancePanel::compute() {
  if (job_.running() || !parameters_) return;
  samples_->interpretText();  // a count typed and not yet left counts, made the maximum if above
  // The plots and tables show a result or nothing: the last one goes now, so that a run
  // stopped or refused leaves nobody reading it as this run's.
  result_.reset();
  resultDesign_.reset();
  showResult();
  runDesign_ = *parameters_;
  progress_->setValue(0);
  note_->setText(tr("計算しています…"));
  note_->setVisible(true);
  setRunning(true);
  job_.start([design = runDesign_, options = options()](WorkProgress& progress) {
    return analyseTolerance(design, options, progress);
  });
}

void TolerancePanel::stop() { job_.stop(); }

void TolerancePanel::showProgress(const WorkProgress& progress) {
  progress_->setValue(static_cast<int>(std::lround(progress.share() * 1000)));
}

void TolerancePanel::finish(ToleranceResult result) {
  setRunning(false);
  QString problem;
  switch (result.problem) {
    case ToleranceProblem::None:
      result_ = std::move(result);
      resultDesign_ = runDesign_;
      progress_->setValue(1000);
      showResult();
      break;
    case ToleranceProblem::Stopped: problem = tr("停止しました。結果はありません。"); break;
    case ToleranceProblem::NotAssemblable:
      problem = tr("この設計はどのクランク角でも組み立てられないので、公差解析はできません。");
      break;
    case ToleranceProblem::BadSamples:
      problem = tr("サンプル数が多すぎます。");
      break;
    case ToleranceProblem::BadTolerance:
    case ToleranceProblem::BadStep:
      problem = tr("公差とすきまは 0 以上の数にしてください。");
      break;
  }
  if (!problem.isEmpty()) {
    progress_->setValue(0);
    note_->setText(problem);
    note_->setVisible(true);
  }
  emit finished();
}

void TolerancePanel::showResult() {
  QString note;
  if (!parameters_) {
    note = tr("まだ解析していません。「実行」で解析した設計の公差を調べられます。");
  } else if (!result_) {
    note = tr("寸法の公差とピンのすきまを入れて「計算」を押すと、作った機構が図からどれだけずれるかを"
              "モンテカルロ法で調べます。");
  } else {
    const ToleranceResult& r = *result_;
    note = tr("%1 個のサンプル。95%帯の最大：４節リンク出力点 %2 mm、６節リンク出力点 %3 mm、"
              "スライダ %4 mm。")
               .arg(r.samples)
               .arg(number(ToleranceResult::largestP95(r.band.fourBarOutput)),
                    number(ToleranceResult::largestP95(r.band.sixBarOutput)),
                    number(ToleranceResult::largestP95(r.band.slider)));
    if (r.notFullyTurning > 0)
      note += QLatin1Char('\n') +
              tr("注意：サンプルの %1 % でクランクが一回転しなくなります。")
                  .arg(number(r.notFullyTurning * 100, 1));
    if (r.sixBarOpen > 0)
      note += QLatin1Char('\n') +
              tr("注意：サンプルの %1 % で6節リンクの中間節がスライドに届かないクランク角があります。")
                  .arg(number(r.sixBarOpen * 100, 1));
  }
  note_->setText(note);
  note_->setVisible(true);
  plot();
  fillTables();
}

void TolerancePanel::plot() {
  QChart* charts[kChartCount] = {pathsChart(), distancesChart()};
  for (int k = 0; k < kChartCount; ++k) {
    charts[k]->legend()->setAlignment(Qt::AlignBottom);
    replaceChart(views_[k], charts[k]);
  }
}

namespace {

// A band of a tenth of a millimetre around a path of a hundred would not show across it: the
// power of ten its width is drawn enlarged by, so that it shows (1 for none).
double bandEnlargement(const ToleranceResult& r) {
  double widest = 0;
  for (const auto* band : {&r.band.fourBarOutput, &r.band.sixBarOutput})
    widest = std::max(widest, ToleranceResult::largestP95(*band).value_or(0));
  ValueSpan xs, ys;
  for (const ToleranceResult::NominalPoint& n : r.nominal)
    for (const auto& p : {n.fourBarOutput, n.sixBarOutput})
      if (p) xs.take(p->x), ys.take(p->y);
  const double extent = std::isfinite(xs.high) ? std::max(xs.high - xs.low, ys.high - ys.low) : 0;
  double enlarge = 1;
  while (widest > 0 && enlarge < 1e6 && widest * enlarge * 10 <= 0.06 * extent) enlarge *= 10;
  return enlarge;
}

// The axes over what `xs` and `ys` hold at near the same scale: their spans in the proportion
// `aspect` (height over width) of the plot.
void sameScale(QValueAxis* x, QValueAxis* y, const ValueSpan& xs, const ValueSpan& ys,
               double aspect) {
  double spanX = xs.high - xs.low, spanY = ys.high - ys.low;
  if (!std::isfinite(spanX) || !std::isfinite(spanY)) {
    niceRange(x, 0, 1);
    niceRange(y, 0, 1);
    return;
  }
  spanX = std::max(spanX, spanY / aspect) * 1.1;
  spanY = std::max(spanY, spanX * aspect);
  const double cx = (xs.low + xs.high) / 2, cy = (ys.low + ys.high) / 2;
  niceRange(x, cx - spanX / 2, cx + spanX / 2);
  niceRange(y, cy - spanY / 2, cy + spanY / 2);
}

}  // namespace

// The nominal paths and, across each, the band's two edges at the 95th percentile, its width
// enlarged where it would not show, which the title names.
QChart* TolerancePanel::pathsChart() const {
  const std::optional<ToleranceResult>& r = result_;
  const double enlarge = r ? bandEnlargement(*r) : 1;
  auto* chart = new QChart;
  // The legend names the paths only, each band drawn dashed in its path's colour: entries for
  // the bands as well would not fit beside each other.
  chart->setTitle(enlarge > 1 ? tr("出力点の経路と95%帯（破線、帯の幅は %1 倍に拡大）").arg(enlarge)
                              : tr("出力点の経路と95%帯（破線）"));
  QValueAxis* x = addAxis(chart, tr("X (mm)"), Qt::AlignBottom);
  QValueAxis* y = addAxis(chart, tr("Y (mm)"), Qt::AlignLeft);
  ValueSpan xs, ys;
  using NP = ToleranceResult::NominalPoint;
  struct PathLayout {
    const char* name;
    std::optional<Vec2> NP::*point;
    std::optional<Vec2> NP::*direction;
    const std::vector<BandPoint>* band;
  };
  const std::size_t count = r ? r->crankAngles.size() : 0;
  const PathLayout layouts[] = {
      {QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "４節の出力点"), &NP::fourBarOutput,
       &NP::fourBarDirection, r ? &r->band.fourBarOutput : nullptr},
      {QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "６節の出力点"), &NP::sixBarOutput,
       &NP::sixBarDirection, r ? &r->band.sixBarOutput : nullptr}};
  for (int l = 0; r && l < 2; ++l) {
    const PathLayout& layout = layouts[l];
    for (const double side : {1.0, -1.0})
      addStretches(
          chart, count,
          [&](std::size_t i) -> std::optional<QPointF> {
            const NP& n = r->nominal[i];
            const auto& b = (*layout.band)[i];
            if (!(n.*layout.point) || !(n.*layout.direction) || !b.p95) return std::nullopt;
            const auto [px, py] = *(n.*layout.point);
            const auto [dx, dy] = *(n.*layout.direction);
            const double across = side * *b.p95 * enlarge;
            return QPointF(px - dy * across, py + dx * across);
          },
          QString(), QPen(lighterPlotColour(l), 1, Qt::DashLine), x, y, xs, ys);
    addStretches(
        chart, count,
        [&](std::size_t i) -> std::optional<QPointF> {
          const auto& p = r->nominal[i].*layout.point;
          if (!p) return std::nullopt;
          return QPointF(p->x, p->y);
        },
        tr(layout.name), QPen(plotColour(l), 2), x, y, xs, ys);
  }
  // The plot's rough shape: the view less its title, legend and axes.
  const QSize view = views_[0]->size();
  sameScale(x, y, xs, ys,
            std::clamp((view.height() - 140.0) / std::max(view.width() - 90.0, 1.0), 0.3, 3.0));
  return chart;
}

// The distance from the nominal place per crank angle: the 95th percentile solid, the
// greatest dashed.
QChart* TolerancePanel::distancesChart() const {
  const std::optional<ToleranceResult>& r = result_;
  auto* chart = new QChart;
  chart->setTitle(tr("公称位置からのずれ（実線は95%、破線は最大）"));
  QValueAxis* x = addCrankAngleAxis(chart, tr("クランク角 (°)"));
  QValueAxis* y = addAxis(chart, tr("ずれ (mm)"), Qt::AlignLeft);
  ValueSpan angles, mm;
  if (r) {
    const std::pair<const char*, const std::vector<BandPoint>*> bands[] = {
        {QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "４節の出力点"), &r->band.fourBarOutput},
        {QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "６節の出力点"), &r->band.sixBarOutput},
        {QT_TRANSLATE_NOOP("gyrenda::TolerancePanel", "スライダ"), &r->band.slider}};
    for (int b = 0; b < 3; ++b) {
      const auto& [name, band] = bands[b];
      for (const bool greatest : {true, false})
        addStretches(
            chart, r->crankAngles.size(),
            [&](std::size_t i) -> std::optional<QPointF> {
              const auto& v = greatest ? (*band)[i].max : (*band)[i].p95;
              if (!v) return std::nullopt;
              return QPointF(r->crankAngles[i], *v);
            },
            greatest ? QString() : tr(name),
            greatest ? QPen(lighterPlotColour(b), 1, Qt::DashLine) : QPen(plotColour(b), 2), x,
            y, angles, mm);
    }
  }
  niceRange(y, 0, std::isfinite(mm.high) ? mm.high : 1);
  return chart;
}

void TolerancePanel::fillTables() {
  const std::optional<ToleranceResult>& r = result_;
  percentiles_->setRowCount(r ? 3 : 0);
  sensitivities_->setRowCount(r ? static_cast<int>(r->sensitivity.size()) : 0);
  if (!r) return;
  const std::pair<QString, const FigureSpread*> figures[] = {
      {tr("スライダのストローク (mm)"), &r->sliderStroke},
      {tr("てこの揺動角 (°)"), &r->rockingAngle},
      {tr("最小伝達角 (°)"), &r->minTransmissionAngle}};
  for (int row = 0; row < 3; ++row) {
    const auto& [caption, s] = figures[row];
    setRow(percentiles_, row,
           {caption, number(s->nominal), number(s->p5), number(s->p50), number(s->p95),
            QString::number(s->samples)},
           0);
  }
  for (int row = 0; row < sensitivities_->rowCount(); ++row) {
    const Sensitivity& s = r->sensitivity[static_cast<std::size_t>(row)];
    setRow(sensitivities_, row,
           {QString::number(row + 1), parameterName(s.parameter), number(s.fourBarOutput),
            number(s.sixBarOutput), number(s.slider)},
           1);
  }
}

int TolerancePanel::saveChart(int index, const std::string& path) {
  if (!result_) return -1;
  return saveChartView(views_[index], path);
}

int TolerancePanel::saveCsv(int table, const std::string& path) const {
  if (!result_) return -1;
  switch (table) {
    case 0: return saveFile(path, toleranceBandCsv(*result_));
    case 1: return saveFile(path, tolerancePercentilesCsv(*result_));
    default: return saveFile(path, toleranceSensitivityCsv(*result_));
  }
}

void TolerancePanel::askAndSaveChart() {
  const int index = tabs_->currentIndex();
  if (!result_ || index >= kChartCount) return;
  const QString name = QFileDialog::getSaveFileName(
      this, tr("図を保存"), tabs_->tabText(index) + QStringLiteral(".png"),
      tr("PNG画像 (*.png);;SVG図面 (*.svg)"));
  if (name.isEmpty()) return;
  const std::string path = name.toStdString();
  reportSaveFailure(this, path, saveChart(index, path));
}

void TolerancePanel::askAndSaveCsv() {
  if (!result_) return;
  const int tab = tabs_->currentIndex();
  const int table = tab == kPercentileTab ? 1 : tab == kSensitivityTab ? 2 : 0;
  const char* names[] = {"tolerance-band.csv", "tolerance-percentiles.csv",
                         "tolerance-sensitivity.csv"};
  const QString name = QFileDialog::getSaveFileName(
      this, tr("CSVを保存"), QString::fromLatin1(names[table]), tr("CSV (*.csv)"));
  if (name.isEmpty()) return;
  const std::string path = name.toStdString();
  reportSaveFailure(this, path, saveCsv(table, path));
}

}  // namespace gyrenda
