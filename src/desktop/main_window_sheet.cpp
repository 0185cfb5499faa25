// The main window's design sheet: the picture the exports take, the exact kinematics at the
// chosen crank speed and, when asked, the tolerance samples, on the pages of a PDF file.
#include <QApplication>

#include "desktop/charts.h"
#include "desktop/main_window.h"
#include "desktop/report_window.h"
#include "desktop/tolerance_panel.h"
#include "encoders/design_sheet.h"
#include "files/atomic_file.h"

namespace gyrenda {
namespace {

// The sheet's figures and plots are taken every half degree, as the report's are.
constexpr double kSheetStep = 0.5;

}  // namespace

void MainWindow::writeDesignSheet(const SheetChoice& choice) {
  if (bench_.running()) return;
  sheetChoice_ = choice;
  std::optional<Drawing> drawing;
  run(std::function<void(Workbench&)>([&drawing](Workbench& b) { drawing = b.drawingForOutput(); }));
  if (!drawing || !bench_.report()) return;
  const ParameterSet& design = bench_.linkage().parameters;
  ToleranceOptions options = reportWindow_ ? reportWindow_->tolerance()->options() : ToleranceOptions();
  options.step = kSheetStep;
  SheetContent content{*bench_.report(), std::move(*drawing),
                       analyseKinematics(design, choice.rpm, kSheetStep), std::nullopt, options};
  if (choice.tolerancePage) {
    content.tolerance = toleranceWithProgress(this, design, options);
    if (!content.tolerance) return;  // 停止
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::optional<std::string> pdf = designSheetPdf(content);
  const int error = pdf ? saveFile(choice.path, *pdf) : -1;
  QApplication::restoreOverrideCursor();
  reportSaveFailure(this, choice.path, error);
}

}  // namespace gyrenda
