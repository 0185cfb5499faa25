#include "desktop/kinematics_panel.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include "desktop/charts.h"
#include "files/atomic_file.h"
#include "kinematics/kinematic_columns.h"

namespace gyrenda {
namespace {

using Q = KinematicQuantity;

// The guide below which a lever tends to bind.
constexpr double kTransmissionGuide = 40;
// The legend's names of the raster's transmission angles and of the guide.
constexpr const char* kRasterName = QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "ラスタで見つかった姿勢");
constexpr const char* kGuideName = QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "目安 40°");

struct Curve {
  Q quantity;
  const char* name;  // marked for translation
  bool rightAxis = false;
};

struct ChartLayout {
  const char* title;
  const char* leftAxis;
  const char* rightAxis;  // empty for none
  std::vector<Curve> curves;
  bool atSpeed = false;  // its values depend on the crank speed, which the title gives
};

// The plots, in the order of the tabs; titles and axes name their units (lengths in mm).
const std::array<ChartLayout, KinematicsPanel::kChartCount>& chartLayouts() {
  static const std::array<ChartLayout, KinematicsPanel::kChartCount> layouts{{
      {QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "伝達角"),
       QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "伝達角 (°)"), "",
       {{Q::TransmissionAngle, QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "厳密解")}}},
      {QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "てこ角とスライダ位置"),
       QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "てこ角 (°)"),
       QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "スライダ位置 (mm)"),
       {{Q::LeverAngle, QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "てこ角")},
        {Q::SliderPosition, QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "スライダ位置"), true}}},
      {QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "速度"),
       QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "速度 (mm/s)"), "",
       {{Q::OutputSpeed, QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "４節リンク出力点の速さ")},
        {Q::SliderVelocity, QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "スライダの速度")}},
       true},
      {QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "加速度"),
       QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "加速度 (mm/s²)"), "",
       {{Q::OutputAccelerationSize,
         QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "４節リンク出力点の加速度の大きさ")},
        {Q::SliderAcceleration, QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "スライダの加速度")}},
       true},
      {QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "入力トルク"),
       QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "入力トルク (N·mm/N)"), "",
       {{Q::InputTorquePerNewton,
         QT_TRANSLATE_NOOP("gyrenda::KinematicsPanel", "スライダを押し戻す力 1 N あたり")}}},
  }};
  return layouts;
}

// The tabs' names: the plots' titles, in a language whose titles are long, shorter, so that
// every tab shows at the report window's size.
struct TabName {
  const char* text;
  const char* disambiguation;
};
constexpr TabName kTabNames[KinematicsPanel::kChartCount] = {
    QT_TRANSLATE_NOOP3("gyrenda::KinematicsPanel", "伝達角", "tab"),
    QT_TRANSLATE_NOOP3("gyrenda::KinematicsPanel", "てこ角とスライダ位置", "tab"),
    QT_TRANSLATE_NOOP3("gyrenda::KinematicsPanel", "速度", "tab"),
    QT_TRANSLATE_NOOP3("gyrenda::KinematicsPanel", "加速度", "tab"),
    QT_TRANSLATE_NOOP3("gyrenda::KinematicsPanel", "入力トルク", "tab"),
};

// A curve drawn only where its quantity exists, its values taken into `values`.
void addCurve(QChart* chart, const KinematicsAnalysis& a, const Curve& curve, int colour,
              QValueAxis* x, QValueAxis* y, ValueSpan& values) {
  const std::vector<ExactPose>& samples = a.curves.samples;
  ValueSpan angles;
  addStretches(
      chart, samples.size(),
      [&](std::size_t i) -> std::optional<QPointF> {
        const auto v = quantityAt(samples[i], curve.quantity);
        if (!v) return std::nullopt;
        return QPointF(samples[i].crankAngle, *v);
      },
      KinematicsPanel::tr(curve.name), QPen(plotColour(colour), 2), x, y, angles, values);
}

// The raster's transmission angles as dots and the guide below which a lever tends to bind.
void addRasterAndGuide(QChart* chart, const std::vector<QPointF>& rasterAngles, QValueAxis* x,
                       QValueAxis* y) {
  auto* raster = new QScatterSeries;
  raster->setName(KinematicsPanel::tr(kRasterName));
  raster->setMarkerSize(3);
  raster->setColor(plotColour(2));
  raster->setBorderColor(plotColour(2));
  for (const QPointF& p : rasterAngles) raster->append(p);
  auto* guide = new QLineSeries;
  guide->setName(KinematicsPanel::tr(kGuideName));
  guide->setPen(QPen(Qt::gray, 1, Qt::DashLine));
  guide->append(0, kTransmissionGuide);
  guide->append(360, kTransmissionGuide);
  for (QXYSeries* s : {static_cast<QXYSeries*>(raster), static_cast<QXYSeries*>(guide)}) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
}

}  // namespace

KinematicsPanel::KinematicsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("kinematicsPanel"));
  auto* speedRow = new QHBoxLayout;
  auto* speedLabel = new QLabel(tr("クランクの回転数 (rpm)"), this);
  rpm_ = new QDoubleSpinBox(this);
  rpm_->setObjectName(QStringLiteral("rpm"));
  rpm_->setRange(0.001, 100000);
  rpm_->setDecimals(3);
  rpm_->setValue(kDefaultRpm);
  speedLabel->setBuddy(rpm_);
  speedRow->addWidget(speedLabel);
  speedRow->addWidget(rpm_);
  speedRow->addStretch();
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("kinematicsNote"));
  note_->setWordWrap(true);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("kinematicsTabs"));
  for (int k = 0; k < kChartCount; ++k) {
    views_[k] = new QChartView(new QChart, tabs_);
    views_[k]->setRenderHint(QPainter::Antialiasing);
    views_[k]->setMinimumSize(360, 280);
    const TabName& tab = kTabNames[k];
    tabs_->addTab(views_[k], tr(tab.text, tab.disambiguation));
  }

  auto* buttons = new QHBoxLayout;
  const auto button = [this, buttons](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    buttons->addWidget(b);
    return b;
  };
  connect(button("saveChart", tr("図を保存…")), &QPushButton::clicked, this,
          &KinematicsPanel::askAndSaveChart);
  connect(button("saveCsv", tr("CSVを保存…")), &QPushButton::clicked, this,
          &KinematicsPanel::askAndSaveCsv);
  connect(button("copyCsv", tr("CSVをコピー")), &QPushButton::clicked, this, [this] {
    if (analysis_) QGuiApplication::clipboard()->setText(QString::fromStdString(kinematicsCsv(analysis_->curves)));
  });
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(speedRow);
  layout->addWidget(note_);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  connect(rpm_, &QDoubleSpinBox::valueChanged, this, &KinematicsPanel::recompute);
  plot();
}

QChart* KinematicsPanel::chart(int index) {
  plotIfStale();
  return views_.at(index)->chart();
}

void KinematicsPanel::plotIfStale() {
  if (stale_) plot();
}

void KinematicsPanel::showEvent(QShowEvent* event) {
  plotIfStale();
  QWidget::showEvent(event);
}

void KinematicsPanel::showDesign(const std::optional<ParameterSet>& parameters,
                                 const std::vector<QPointF>& rasterTransmissionAngles) {
  parameters_ = parameters;
  rasterTransmissionAngles_ = rasterTransmissionAngles;
  recompute();
}

void KinematicsPanel::recompute() {
  analysis_.reset();
  if (parameters_) analysis_ = analyseKinematics(*parameters_, rpm_->value());
  // Drawing the charts costs far more than the analysis: a hidden panel draws them when shown.
  stale_ = true;
  if (isVisible()) plot();
  emit analysed();
}

void KinematicsPanel::plot() {
  stale_ = false;
  QString note;
  if (analysis_) {
    const int samples = static_cast<int>(analysis_->curves.samples.size());
    if (analysis_->fourBarSamples == 0)
      note = tr("この設計は組み立てられないので、どのクランク角でも姿勢がありません。");
    else if (analysis_->fourBarSamples < samples)
      note = tr("４節リンクが閉じるのは %1 のクランク角のうち %2 だけです。閉じないところは描きません。")
                 .arg(samples)
                 .arg(analysis_->fourBarSamples);
  } else {
    note = tr("まだ解析していません。");
  }
  note_->setText(note);
  note_->setVisible(!note.isEmpty());

  for (int k = 0; k < kChartCount; ++k) {
    const ChartLayout& layout = chartLayouts()[k];
    auto* chart = new QChart;
    // The torque per newton is the same at every speed: its title names none.
    chart->setTitle(layout.atSpeed ? tr("%1（%2 rpm）").arg(tr(layout.title)).arg(rpm_->value())
                                   : tr(layout.title));
    QValueAxis* x = addCrankAngleAxis(chart, tr("クランク角 (°)"));
    QValueAxis* left = addAxis(chart, tr(layout.leftAxis), Qt::AlignLeft);
    QValueAxis* right = *layout.rightAxis ? addAxis(chart, tr(layout.rightAxis), Qt::AlignRight) : nullptr;
    ValueSpan leftValues, rightValues;
    // The raster's dots and the guide first, so that the exact curve is drawn over them.
    const bool transmission = layout.curves.front().quantity == Q::TransmissionAngle;
    if (transmission) addRasterAndGuide(chart, rasterTransmissionAngles_, x, left);
    if (analysis_)
      for (std::size_t c = 0; c < layout.curves.size(); ++c) {
        const Curve& curve = layout.curves[c];
        const bool onRight = curve.rightAxis && right;
        addCurve(chart, *analysis_, curve, static_cast<int>(c % 2), x, onRight ? right : left,
                 onRight ? rightValues : leftValues);
      }
    if (transmission) {
      left->setRange(0, 180);  // the whole range of the angle, in steps of 30°
      left->setTickCount(7);
      left->setLabelFormat(QStringLiteral("%d"));
    } else {
      niceRange(left, leftValues.low, leftValues.high);
    }
    if (right) niceRange(right, rightValues.low, rightValues.high);
    replaceChart(views_[k], chart);
  }
}

int KinematicsPanel::saveChart(int index, const std::string& path) {
  plotIfStale();
  QChartView* view = views_.at(index);
  return saveChartView(view, path);
}

int KinematicsPanel::saveCsv(const std::string& path) const {
  return analysis_ ? saveFile(path, kinematicsCsv(analysis_->curves)) : -1;
}

void KinematicsPanel::askAndSaveChart() {
  const QString name = QFileDialog::getSaveFileName(
      this, tr("図を保存"), tabs_->tabText(tabs_->currentIndex()) + QStringLiteral(".png"),
      tr("PNG画像 (*.png);;SVG図面 (*.svg)"));
  if (name.isEmpty()) return;
  const std::string path = name.toStdString();
  reportSaveFailure(this, path, saveChart(tabs_->currentIndex(), path));
}

void KinematicsPanel::askAndSaveCsv() {
  if (!analysis_) return;
  const QString name = QFileDialog::getSaveFileName(this, tr("CSVを保存"),
                                                    QStringLiteral("kinematics.csv"),
                                                    tr("CSV (*.csv)"));
  if (name.isEmpty()) return;
  const std::string path = name.toStdString();
  reportSaveFailure(this, path, saveCsv(path));
}

}  // namespace gyrenda
