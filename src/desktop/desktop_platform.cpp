#include "desktop/desktop_platform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <thread>

#include "desktop/main_window.h"
#include "desktop/canvas_widget.h"
#include "encoders/image_files.h"
#include "desktop/file_dialogs.h"
#include "desktop/messages.h"
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

DesktopPlatform::DesktopPlatform() = default;
DesktopPlatform::~DesktopPlatform() = default;

void DesktopPlatform::driveRun(const std::function<bool()>& step) {
  if (window_) window_->driveRun(step);
  else Platform::driveRun(step);
}

void DesktopPlatform::showMessage(const Message& message) { showText(messageText(message)); }

void DesktopPlatform::showText(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("GYRENDA"), text, QMessageBox::Ok, window_);
  if (window_) window_->holdRun(true);
  box.exec();
  if (window_) window_->holdRun(false);
}

void DesktopPlatform::pause(std::chrono::microseconds length) {
  // Every playback step is shown: the pose just drawn is on screen during the pause.
  if (window_) window_->canvasWidget()->repaint();
  waitFor(std::min<std::chrono::microseconds>(length, kLongestPause));
}

std::optional<SaveChoice> DesktopPlatform::askSavePath(const std::string& proposedName) {
  return showSaveDialog(window_, proposedName);
}

std::optional<std::string> DesktopPlatform::askOpenPath() { return showOpenDialog(window_); }

std::optional<int> DesktopPlatform::askPrintCopies() {
  if (!printer_) printer_ = std::make_unique<CanvasPrinter>();
  const auto copies = printer_->showPrintDialog(window_);
  // Told before anything is redrawn or analysed.
  if (copies && !printer_->hasDestination()) {
    showText(noPrinterText());
    return std::nullopt;
  }
  return copies;
}

std::optional<std::string> DesktopPlatform::encodeBitmap(const Raster& canvas) {
  return bitmapBytes(canvas);
}

std::optional<std::string> DesktopPlatform::encodeExport(ExportFormat format, const Raster& canvas,
                                                    const Drawing& drawing) {
  return exportBytes(format, canvas, drawing);
}

std::string DesktopPlatform::printCanvas(const Raster& canvas) {
  if (!printer_) printer_ = std::make_unique<CanvasPrinter>();
  return printer_->print(canvas);
}

void DesktopPlatform::showHelp() { showHelpWindow(window_); }

void DesktopPlatform::showVersionWindow() { gyrenda::showVersionWindow(window_); }

}  // namespace gyrenda
