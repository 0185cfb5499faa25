// ファイル › 設計シート (PDF)…: the sheet's options (the crank speed of its plots, whether it
// takes the page of the tolerance analysis), where it goes, and the tolerance samples taken
// with their progress shown and 停止 at hand.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "linkage/parameters.h"
#include "tolerance/tolerance_analysis.h"

class QCheckBox;
class QDoubleSpinBox;

namespace gyrenda {

struct SheetChoice {
  double rpm = 60;
  bool tolerancePage = false;
  std::string path;
};

class SheetDialog final : public QDialog {
  Q_OBJECT

 public:
  SheetDialog(QWidget* parent, const SheetChoice& before);
  SheetChoice choice() const;

 private:
  QDoubleSpinBox* rpm_ = nullptr;
  QCheckBox* tolerancePage_ = nullptr;
};

// The options, then the save dialog (a name without ".pdf" gets it); none when cancelled.
// `before` holds the options chosen last.
std::optional<SheetChoice> askSheet(QWidget* parent, const SheetChoice& before);

// The tolerance analysis of `design` behind a progress dialog whose 停止 ends it; none when
// stopped.
std::optional<ToleranceResult> toleranceWithProgress(QWidget* parent, const ParameterSet& design,
                                                     const ToleranceOptions& options);

}  // namespace gyrenda
