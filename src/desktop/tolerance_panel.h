// The tolerance analysis of the reported design: tolerances (one for every value or one per
// value), the pins' clearance, samples, distribution and seed; 計算 runs it on a thread of its
// own with a progress bar, 停止 ends it. The nominal paths with their 95 % band, the
// distances per crank angle, the percentile table and the ranked sensitivities; each plot
// saves as PNG or SVG and each table (and the band) as CSV.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "desktop/background_job.h"
#include "linkage/parameters.h"
#include "tolerance/tolerance_analysis.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace gyrenda {

class TolerancePanel final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kChartCount = 2;  // the paths with their band, the distances
  explicit TolerancePanel(QWidget* parent = nullptr);

  // The design to analyse; a running analysis of another design is stopped and its result
  // dropped. None: no design yet.
  void showDesign(const std::optional<ParameterSet>& parameters);

  // The options as the inputs hold them.
  ToleranceOptions options() const;
  bool running() const { return job_.running(); }
  const std::optional<ToleranceResult>& result() const { return result_; }

  // Starts an analysis of the design with the inputs' options, or stops the one running.
  void compute();
  void stop();

  // Writes plot `index` as PNG or SVG (by the name's extension), or the band, the percentiles
  // or the sensitivities as CSV (table 0, 1, 2), through the careful save; 0 or the system's
  // error number, -1 when there is nothing to save or the picture could not be made.
  int saveChart(int index, const std::string& path);
  int saveCsv(int table, const std::string& path) const;

  QTableWidget* percentileTable() const { return percentiles_; }
  QTableWidget* sensitivityTable() const { return sensitivities_; }
  QChartView* chartView(int index) const { return views_[index]; }

 signals:
  // An analysis ended: with a result, stopped, or refused.
  void finished();

 private:
  QFormLayout* buildInputs();
  void buildSampleCount();
  void buildTabs();
  void showProgress(const WorkProgress& progress);
  void finish(ToleranceResult result);
  void showResult();
  void plot();
  QChart* pathsChart() const;
  QChart* distancesChart() const;
  void fillTables();
  void setRunning(bool running);
  void askAndSaveChart();
  void askAndSaveCsv();

  std::optional<ParameterSet> parameters_;
  std::optional<ParameterSet> resultDesign_;  // the design result_ belongs to
  std::optional<ToleranceResult> result_;
  ParameterSet runDesign_{};  // the design of the run in progress
  BackgroundJob<ToleranceResult> job_;

  QDoubleSpinBox* tolerance_ = nullptr;
  QCheckBox* perValue_ = nullptr;
  QTableWidget* perValueTable_ = nullptr;
  QDoubleSpinBox* clearance_ = nullptr;
  QSpinBox* samples_ = nullptr;
  QLabel* samplesNote_ = nullptr;  // a count typed above the most and made the most
  QSpinBox* seed_ = nullptr;
  QComboBox* distribution_ = nullptr;
  QPushButton* compute_ = nullptr;
  QPushButton* stop_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* note_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QChartView* views_[kChartCount]{};
  QTableWidget* percentiles_ = nullptr;
  QTableWidget* sensitivities_ = nullptr;
};

}  // namespace gyrenda
