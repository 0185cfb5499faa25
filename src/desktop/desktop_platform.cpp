#include "desktop/desktop_platform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <thread>

#include "desktop/main_window.h"
#include "desktop/canvas_widget.h"
#include "encoders/image_files.h"
#include "desktop/file_dialogs.h"
#include "desktop/secondary_windows.h"

namespace gyrenda {
namespace {

// Sleeping is cheap but overshoots by tens of microseconds; the last stretch before the
// deadline is spun so that even the shortest pause keeps its length.
void waitFor(std::chrono::microseconds length) {
  using Clock = std::chrono::steady_clock;
  constexpr std::chrono::microseconds kSpinStretch{200};
  const auto deadline = Clock::now() + length;
  if (length > kSpinStretch) std::this_thread::sleep_until(deadline - kSpinStretch);
  while (Clock::now() < deadline) {
  }
}

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

void QtPlatform::processEvents() {
  if (window_) {
    window_->syncFromForm();
    const auto now = std::chrono::steady_clock::now();
    if (now - lastRepaint_ >= kRepaintInterval) {
      window_->canvasWidget()->update();
      lastRepaint_ = now;
    }
  }
  QCoreApplication::processEvents();
}

void QtPlatform::showMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("GYRENDA"), QString::fromStdString(text),
                  QMessageBox::Ok, window_);
  box.exec();
}

void QtPlatform::pause(std::chrono::microseconds length) {
  // Every playback step is shown: the pose just drawn is on screen during the pause.
  if (window_) window_->canvasWidget()->repaint();
  waitFor(std::min<std::chrono::microseconds>(length, kLongestPause));
}

std::optional<SaveChoice> QtPlatform::askSavePath(const std::string& proposedName) {
  return showSaveDialog(window_, proposedName);
}

std::optional<std::string> QtPlatform::askOpenPath() { return showOpenDialog(window_); }

std::optional<int> QtPlatform::askPrintCopies() {
  if (!printer_) printer_ = std::make_unique<CanvasPrinter>();
  const auto copies = printer_->showPrintDialog(window_);
  // Told before anything is redrawn or analysed.
  if (copies && !printer_->hasDestination()) {
    showMessage("使えるプリンタがありません。PDFファイルへの印刷を選べます。");
    return std::nullopt;
  }
  return copies;
}

std::optional<std::string> QtPlatform::encodeBitmap(const Raster& canvas) {
  return bitmapBytes(canvas);
}

std::optional<std::string> QtPlatform::encodeExport(ExportFormat format, const Raster& canvas,
                                                    const Drawing& drawing) {
  return exportBytes(format, canvas, drawing);
}

std::string QtPlatform::printCanvas(const Raster& canvas) {
  if (!printer_) printer_ = std::make_unique<CanvasPrinter>();
  return printer_->print(canvas);
}

void QtPlatform::showHelp() { showHelpWindow(window_); }

void QtPlatform::showVersionWindow() { gyrenda::showVersionWindow(window_); }

}  // namespace gyrenda
