// The exact kinematics of the reported design, plotted over one crank turn: transmission angle
// (with the raster's own values as dots), lever angle and slider position, speeds and
// accelerations at a crank speed the user enters, and the input torque per newton resisting
// the slider. Each plot saves as PNG or SVG; the curves copy or save as CSV.
#pragma once

#include <QPointF>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "kinematics/kinematics_analysis.h"
#include "linkage/parameters.h"

class QChart;
class QChartView;
class QDoubleSpinBox;
class QLabel;
class QTabWidget;

namespace gyrenda {

class KinematicsPanel final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kChartCount = 5;
  static constexpr double kDefaultRpm = 60;

  explicit KinematicsPanel(QWidget* parent = nullptr);

  // Plots the exact kinematics of `parameters` at the panel's speed, and the raster's
  // transmission angles (crank angle, angle) as dots; nothing for none.
  void showDesign(const std::optional<ParameterSet>& parameters,
                  const std::vector<QPointF>& rasterTransmissionAngles);

  const std::optional<KinematicsAnalysis>& analysis() const { return analysis_; }
  // Plot `index`, drawn afresh first if the design or speed changed while it was hidden.
  QChart* chart(int index);
  QDoubleSpinBox* rpmBox() const { return rpm_; }
  // Writes plot `index` as PNG or SVG (by the name's extension) or the curves as CSV through
  // the careful save; 0 or the system's error number, -1 when the picture could not be made.
  int saveChart(int index, const std::string& path);
  int saveCsv(const std::string& path) const;

 signals:
  // The analysis was made afresh: a new design or a new speed.
  void analysed();

 private:
  void showEvent(QShowEvent* event) override;
  void recompute();
  void plot();
  void plotIfStale();
  void askAndSaveChart();
  void askAndSaveCsv();

  std::optional<ParameterSet> parameters_;
  std::vector<QPointF> rasterTransmissionAngles_;
  std::optional<KinematicsAnalysis> analysis_;
  bool stale_ = true;  // the charts do not show analysis_ yet
  QDoubleSpinBox* rpm_ = nullptr;
  QLabel* note_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::array<QChartView*, kChartCount> views_{};
};

}  // namespace gyrenda
