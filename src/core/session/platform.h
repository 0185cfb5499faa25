// What the core asks of the windowing platform. The desktop program implements it with Qt,
// the headless program with its encoders and nothing to show; tests use fakes of their own.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "session/control_state.h"

namespace gyrenda {

class Raster;
struct Drawing;
enum class ExportFormat : int;

// The kinds of file the save command writes: the canvas as a bitmap or a PNG image, the
// numeric data file, the construction and paths as an SVG or DXF drawing.
enum class SaveFormat { Bitmap, DataFile, Png, Svg, Dxf };

// What the save dialog returned: the path as chosen and the kind of its chosen filter.
struct SaveChoice {
  std::string path;
  SaveFormat format = SaveFormat::DataFile;
  friend bool operator==(const SaveChoice&, const SaveChoice&) = default;
};

// The messages the core shows; the window words them in the user's language.
enum class MessageId {
  CannotBeBuilt,        // the watchdog: the search makes no progress
  AssistantOn,
  AssistantOff,
  SaveFailed,           // `file` could not be saved: `error` is the system's error number
  ImageNotEncoded,      // `file` could not be saved: the image could not be made
  PrintFailed,          // `detail` says why, in the printing system's words
  LoadFailed,           // `file` was not loaded: `error` is the system's error number,
                        // kNotARegularFile, or 0 when it holds no Gyrenda design; `detail`
                        // says why in English, as the headless program says it
  NoViewHolds,          // 全体表示: no view holds the mechanism; `amount` mm reach beyond
};
struct Message {
  MessageId id;
  std::string file;
  int error = 0;
  std::string detail;
  double amount = 0;
  friend bool operator==(const Message&, const Message&) = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A run has started: `step` advances it by one step and tells whether it goes on. The
  // window calls it from its event loop, so that the user's events, timer ticks and repaints
  // run between two steps; without events, it is called in a plain loop to the run's end.
  virtual void driveRun(const std::function<bool()>& step) {
    while (step()) {
    }
  }
  // A modal message box titled "GYRENDA" with one OK button; returns when closed.
  virtual void showMessage(const Message& message) { (void)message; }
  // The animation's pause between drawing a pose and erasing the one before.
  virtual void pause(std::chrono::microseconds length) { (void)length; }

  // The save dialog with the five file types, proposing `proposedName`; empty if cancelled.
  virtual std::optional<SaveChoice> askSavePath(const std::string& proposedName) {
    (void)proposedName;
    return std::nullopt;
  }
  // The open dialog for numeric data files; empty if cancelled.
  virtual std::optional<std::string> askOpenPath() { return std::nullopt; }
  // The print dialog; the number of copies chosen, empty if cancelled.
  virtual std::optional<int> askPrintCopies() { return std::nullopt; }
  // The canvas as the bytes of a BMP file; empty where no image writer is available.
  virtual std::optional<std::string> encodeBitmap(const Raster& canvas) {
    (void)canvas;
    return std::nullopt;
  }
  // The canvas (PNG) or the drawing (SVG, DXF) as the bytes of a file; empty where no
  // writer is available.
  virtual std::optional<std::string> encodeExport(ExportFormat format, const Raster& canvas,
                                                  const Drawing& drawing) {
    (void)format, (void)canvas, (void)drawing;
    return std::nullopt;
  }
  // Prints the canvas image at the page origin as one document of one page. Returns an
  // empty string or the reason it failed.
  virtual std::string printCanvas(const Raster& canvas) {
    (void)canvas;
    return "no printer";
  }

  // The help document at its contents, beside the main window.
  virtual void showHelp() {}
  // The version window, modal; returns when it is closed.
  virtual void showVersionWindow() {}
};

// The platform of a headless run: nothing to yield to, nobody to ask or tell.
class NullPlatform final : public Platform {};

}  // namespace gyrenda
