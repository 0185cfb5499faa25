#include "desktop/sheet_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrentRun>

namespace gyrenda {

namespace {

// Adds ".pdf" to a name that ends in no such extension before the dialog asks whether to
// replace a file of that name, so that it asks about the file that will be written.
class PdfSaveDialog final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

 protected:
  void accept() override {
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        name && !name->text().trimmed().isEmpty() &&
        !name->text().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
      name->setText(name->text() + QStringLiteral(".pdf"));
    QFileDialog::accept();
  }
};

}  // namespace

SheetDialog::SheetDialog(QWidget* parent, const SheetChoice& before) : QDialog(parent) {
  setObjectName(QStringLiteral("sheetDialog"));
  setWindowTitle(tr("設計シート (PDF)"));
  rpm_ = new QDoubleSpinBox(this);
  rpm_->setObjectName(QStringLiteral("sheetRpm"));
  rpm_->setRange(0.001, 1000000);
  rpm_->setDecimals(3);
  rpm_->setValue(before.rpm);
  rpm_->setSuffix(QStringLiteral(" rpm"));
  tolerancePage_ = new QCheckBox(tr("公差解析のページを加える（公差タブの公差とすきまで）"), this);
  tolerancePage_->setObjectName(QStringLiteral("sheetTolerancePage"));
  tolerancePage_->setChecked(before.tolerancePage);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(tr("トルクと速さのクランク回転数"), rpm_);
  form->addRow(tolerancePage_);
  form->addRow(buttons);
}

SheetChoice SheetDialog::choice() const {
  return {rpm_->value(), tolerancePage_->isChecked(), {}};
}

std::optional<SheetChoice> askSheet(QWidget* parent, const SheetChoice& before) {
  SheetDialog options(parent, before);
  if (options.exec() != QDialog::Accepted) return std::nullopt;
  SheetChoice choice = options.choice();
  PdfSaveDialog dialog(parent, SheetDialog::tr("設計シートを保存"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({SheetDialog::tr("PDF文書 (*.pdf)")});
  dialog.selectFile(before.path.empty() ? SheetDialog::tr("設計シート.pdf")
                                        : QString::fromStdString(before.path));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  choice.path = dialog.selectedFiles().first().toStdString();
  return choice;
}

std::optional<ToleranceResult> toleranceWithProgress(QWidget* parent, const ParameterSet& design,
                                                     const ToleranceOptions& options) {
  WorkProgress progress;
  QProgressDialog shown(SheetDialog::tr("公差解析をしています…"), SheetDialog::tr("停止"), 0,
                        1000, parent);
  shown.setWindowModality(Qt::WindowModal);
  shown.setMinimumDuration(300);
  QFutureWatcher<ToleranceResult> watcher;
  QEventLoop loop;
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
  QObject::connect(&shown, &QProgressDialog::canceled, &loop, [&progress] { progress.stop = true; });
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, &shown, [&] {
    shown.setValue(static_cast<int>(progress.share() * 1000));
  });
  watcher.setFuture(QtConcurrent::run([&progress, design, options] {
    return analyseTolerance(design, options, progress);
  }));
  timer.start(40);
  if (!watcher.isFinished()) loop.exec();
  timer.stop();
  ToleranceResult result = watcher.future().takeResult();
  if (result.problem == ToleranceProblem::Stopped) return std::nullopt;
  return result;
}

}  // namespace gyrenda
