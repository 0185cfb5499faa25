// The report window: the figures of the last analysis run as a table, beside the main
// window, with a button that copies them as text.
#pragma once

#include <QDialog>
#include <optional>

#include "report/run_report.h"

class QLabel;
class QTableWidget;

namespace gyrenda {

class ReportWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit ReportWindow(QWidget* parent = nullptr);

  // Shows `report`, or that there has been no analysis yet; nothing happens when it is what
  // the window already shows.
  void showReport(const std::optional<RunReport>& report);

  // What the window shows, as text: the heading, then one line per row, caption and value
  // separated by a tab.
  QString text() const;

 private:
  std::optional<RunReport> shown_;
  bool filled_ = false;  // the table and heading show shown_
  QLabel* heading_ = nullptr;
  QTableWidget* table_ = nullptr;
};

}  // namespace gyrenda
