// The report window: the design of the last analysis run and its figures as a table, beside
// the main window, with a button that copies them as text.
#pragma once

#include <QDialog>
#include <optional>

#include "linkage/parameters.h"
#include "report/run_report.h"

class QLabel;
class QTabWidget;
class QTableWidget;

namespace gyrenda {

class KinematicsPanel;
class TolerancePanel;

class ReportWindow final : public QDialog {
  Q_OBJECT

 public:
  // The narrowest the window is made to fit beside the main window: the captions and a value
  // column in which the usual values fit.
  static constexpr int kNarrowest = 440;
  // The size it opens at where the screen has room: every caption, tab, plot legend and
  // table value shown whole, in either language.
  static constexpr QSize kDefaultSize{600, 660};

  explicit ReportWindow(QWidget* parent = nullptr);

  // Shows `report`, or that there has been no analysis yet, and, when the parameters the main
  // window holds now (`current`) differ from those the report was made of, that it belongs to
  // another design and which values differ. Nothing happens when that is what it shows.
  void showReport(const std::optional<RunReport>& report, const ParameterSet& current);

  // What the window shows, as text: the heading (after the warning that the boxes hold another
  // design, when they do), then one line per row, caption and value separated by a tab.
  QString text() const;

  KinematicsPanel* kinematics() const { return kinematics_; }
  TolerancePanel* tolerance() const { return tolerance_; }

 private:
  void fillTable();
  // Widens the captions' column as far as the values beside it leave room.
  void fitCaptionColumn();
  bool eventFilter(QObject* watched, QEvent* event) override;

  std::optional<RunReport> shown_;
  ParameterSet current_{};
  bool filled_ = false;  // the table and heading show shown_
  QLabel* outOfDate_ = nullptr;
  QLabel* heading_ = nullptr;
  QTableWidget* table_ = nullptr;
  KinematicsPanel* kinematics_ = nullptr;
  TolerancePanel* tolerance_ = nullptr;
};

}  // namespace gyrenda
