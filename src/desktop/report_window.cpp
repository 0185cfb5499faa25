#include "desktop/report_window.h"

#include <QClipboard>
#include <algorithm>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "desktop/kinematics_panel.h"
#include "encoders/parameter_names.h"
#include "encoders/report_rows.h"
#include "desktop/tolerance_panel.h"
#include "linkage/number_text.h"

namespace gyrenda {
namespace {

QString number(float v) { return QString::fromStdString(formatBoxNumber(v)); }

// The design the figures belong to, written as the boxes write numbers; a value the boxes no
// longer hold is shown beside the one they hold now.
ReportRows designRows(const ParameterSet& analysed, const ParameterSet& current) {
  ReportRows rows;
  for (int i = 0; i < kParamCount; ++i) {
    const QString value = analysed[i] == current[i]
                              ? number(analysed[i])
                              : ReportWindow::tr("%1（入力欄は %2）")
                                    .arg(number(analysed[i]), number(current[i]));
    rows.append({ReportWindow::tr("設計：%1").arg(parameterName(i)), value});
  }
  return rows;
}

QString headingOf(const std::optional<RunReport>& report) {
  if (!report) {
    return ReportWindow::tr(
        "まだ解析していません。「実行」で解析すると、その結果がここに出ます。");
  }
  QString heading = ReportWindow::tr(
      "最後の解析の結果です。長さはmm、角度は度で示します。"
      "精度は見つけた姿勢と厳密な姿勢との距離です。");
  const bool stopped = report->fourBar.stopped || (report->sixBar && report->sixBar->stopped);
  if (stopped) {
    heading += QLatin1Char('\n') +
               ReportWindow::tr("停止で中断した解析です。見つかった姿勢だけから求めています。");
  }
  return heading;
}

}  // namespace

ReportWindow::ReportWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ReportWindow"));
  setWindowTitle(tr("解析レポート"));
  setModal(false);
  // A window does not take its owner's font by itself; the table reads best in the same face.
  if (parent) setFont(parent->font());
  outOfDate_ = new QLabel(
      tr("この結果は入力欄の値と違う設計のものです。「実行」で解析し直してください。"), this);
  outOfDate_->setObjectName(QStringLiteral("outOfDate"));
  outOfDate_->setWordWrap(true);
  QFont bold = outOfDate_->font();
  bold.setBold(true);
  outOfDate_->setFont(bold);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("heading"));
  heading_->setWordWrap(true);
  heading_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  table_ = new QTableWidget(0, 2, this);
  table_->setObjectName(QStringLiteral("table"));
  table_->setHorizontalHeaderLabels({tr("項目"), tr("値")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->viewport()->installEventFilter(this);
  // Rows keep one line: laying out wrapped rows again at every analysis costs more than the
  // analysis. A value wider than its column shows whole in its tooltip and by scrolling.
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(tr("閉じる"), QDialogButtonBox::RejectRole);
  QPushButton* copy = buttons->addButton(tr("コピー"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("copy"));
  connect(copy, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(text()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  // The figures and the plots of the same design, one tab each, so that the window still fits
  // beside the main window.
  kinematics_ = new KinematicsPanel(this);
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName(QStringLiteral("reportTabs"));
  auto* figures = new QWidget(tabs);
  auto* figuresLayout = new QVBoxLayout(figures);
  figuresLayout->setContentsMargins(0, 0, 0, 0);
  figuresLayout->addWidget(heading_);
  figuresLayout->addWidget(table_);
  tabs->addTab(figures, tr("数値"));
  tabs->addTab(kinematics_, tr("グラフ"));
  tolerance_ = new TolerancePanel(this);
  tabs->addTab(tolerance_, tr("公差"));
  // A new speed changes the peaks in the table as well as the plots.
  connect(kinematics_, &KinematicsPanel::analysed, this, &ReportWindow::fillTable);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(outOfDate_);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  resize(kDefaultSize);
  showReport(std::nullopt, {});
}

void ReportWindow::showReport(const std::optional<RunReport>& report, const ParameterSet& current) {
  if (filled_ && shown_ == report && current_ == current) return;
  const bool newReport = !filled_ || shown_ != report;
  filled_ = true;
  shown_ = report;
  current_ = current;
  outOfDate_->setVisible(report && report->parameters != current);
  heading_->setText(headingOf(report));
  // Only the design rows change with the boxes: their values are rewritten in place, since
  // laying out the whole table again is what costs.
  if (!newReport) {
    if (!report || table_->rowCount() < kParamCount) return fillTable();
    const ReportRows rows = designRows(report->parameters, current);
    for (int r = 0; r < kParamCount; ++r)
      if (table_->item(r, 1)->text() != rows[r].second) table_->item(r, 1)->setText(rows[r].second);
    return;
  }
  std::vector<QPointF> raster;
  if (report)
    for (const CrankAngleValue& mu : report->transmissionAngles) raster.emplace_back(mu.crankAngle, mu.value);
  // Fills the table through its analysed signal.
  kinematics_->showDesign(report ? std::optional(report->parameters) : std::nullopt, raster);
  tolerance_->showDesign(report ? std::optional(report->parameters) : std::nullopt);
}

void ReportWindow::fillTable() {
  const std::optional<RunReport>& report = shown_;
  const auto& exact = kinematics_->analysis();
  const ReportRows rows = report && exact
                              ? designRows(report->parameters, current_) + reportRows(*report, *exact)
                              : ReportRows{};
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& [caption, value] = rows[r];
    table_->setItem(r, 0, new QTableWidgetItem(caption));
    auto* item = new QTableWidgetItem(value);
    item->setToolTip(value);
    table_->setItem(r, 1, item);
  }
  table_->setVisible(report.has_value());
  fitCaptionColumn();
}

void ReportWindow::fitCaptionColumn() {
  // The captions whole where the values beside them still show whole, and never more than
  // half the narrowest window, so that the values stay in sight.
  const QAbstractItemView* view = table_;  // where the size hints are public
  const int captions = view->sizeHintForColumn(0), values = view->sizeHintForColumn(1);
  const int room = std::max(table_->viewport()->width() - values, kNarrowest / 2);
  table_->setColumnWidth(0, std::min(captions, room));
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_->viewport() && event->type() == QEvent::Resize) fitCaptionColumn();
  return QDialog::eventFilter(watched, event);
}

QString ReportWindow::text() const {
  QString all = heading_->text() + QLatin1Char('\n');
  if (!outOfDate_->isHidden()) all.prepend(outOfDate_->text() + QLatin1Char('\n'));
  for (int r = 0; r < table_->rowCount(); ++r)
    all += table_->item(r, 0)->text() + QLatin1Char('\t') + table_->item(r, 1)->text() +
           QLatin1Char('\n');
  return all;
}

}  // namespace gyrenda
