// The platform services of the core, provided by Qt: the yield of the long loops, message
// boxes, the animation pause, and the dialogs, printer and windows of the menus.
#pragma once

#include <chrono>
#include <QString>
#include <memory>

#include "session/platform.h"

namespace gyrenda {

class CanvasPrinter;
class MainWindow;

class DesktopPlatform : public Platform {
 public:
  DesktopPlatform();
  ~DesktopPlatform() override;
  DesktopPlatform(const DesktopPlatform&) = delete;
  DesktopPlatform& operator=(const DesktopPlatform&) = delete;

  // The window that shows the changes and whose canvas is repainted; set by it.
  void attach(MainWindow* window) { window_ = window; }
  MainWindow* window() const { return window_; }

  void driveRun(const std::function<bool()>& step) override;
  void showMessage(const Message& message) override;
  // A message box of the window's own, worded already.
  void showText(const QString& text);
  void pause(std::chrono::microseconds length) override;

  std::optional<SaveChoice> askSavePath(const std::string& proposedName) override;
  std::optional<std::string> askOpenPath() override;
  std::optional<int> askPrintCopies() override;
  std::optional<std::string> encodeBitmap(const Raster& canvas) override;
  std::optional<std::string> encodeExport(ExportFormat format, const Raster& canvas,
                                          const Drawing& drawing) override;
  std::string printCanvas(const Raster& canvas) override;

  void showHelp() override;
  void showVersionWindow() override;

  // A search takes 721 steps; painting the canvas after each would cost more than the
  // search, so the canvas is repainted at most this often meanwhile.
  static constexpr std::chrono::milliseconds kRepaintInterval{15};
  // No pause is longer than this, whatever the core asks for: the event loop never stalls.
  static constexpr std::chrono::milliseconds kLongestPause{100};

 private:
  MainWindow* window_ = nullptr;
  std::unique_ptr<CanvasPrinter> printer_;  // made at the first print, kept for its settings
};

}  // namespace gyrenda
