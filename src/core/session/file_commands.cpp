// The File menu: save (numeric data file, bitmap, or a PNG, SVG or DXF export), load, print.

#include <sstream>

#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/data_file_reader.h"
#include "files/drawing.h"
#include "files/file_head.h"
#include "session/workbench.h"

namespace gyrenda {
namespace {

constexpr int kBitmapType = 1;
constexpr int kDataFileType = 2;
constexpr int kFirstExportType = static_cast<int>(ExportFormat::Png);
constexpr int kLastExportType = static_cast<int>(ExportFormat::Dxf);

// More than the reader ever takes from a file, whatever the file holds.
constexpr std::size_t kLoadLimit = 256 * 1024;

}  // namespace

void Workbench::redrawForOutput() {
  drawGrid();
  execute();
  finishRun();
}

void Workbench::save() {
  if (running()) return;
  const auto choice = platform_->askSavePath(proposedFileName(linkage_.parameters));
  if (!choice) return;
  std::optional<std::string> bytes;
  if (choice->fileType == kBitmapType) {
    redrawForOutput();
    bytes = platform_->encodeBitmap(canvas_);
  } else if (choice->fileType >= kFirstExportType && choice->fileType <= kLastExportType) {
    redrawForOutput();
    bytes = platform_->encodeExport(static_cast<ExportFormat>(choice->fileType), canvas_,
                                    buildDrawing(linkage_, view_, runs_.result()));
  } else if (choice->fileType == kDataFileType) {
    bytes = dataFileText(linkage_.parameters, runs_.result());
  } else {
    return;
  }
  if (!bytes) return show({MessageId::ImageNotEncoded, choice->path, 0, {}});
  if (const int error = saveFile(choice->path, *bytes))
    show({MessageId::SaveFailed, choice->path, error, {}});
}

std::string Workbench::loadDesignFile(const std::string& path) {
  const FileHead head = readFileHead(path, kLoadLimit);
  std::optional<ParameterSet> values;
  if (!head.error) {
    std::istringstream in(head.bytes);
    values = readDataFileParams(in);
  }
  if (!values) {
    const std::string reason =
        head.error ? fileHeadFailureInWords(head.error)
                   : "not a Gyrenda data file, or its parameter line is incomplete or invalid";
    show({MessageId::LoadFailed, path, head.error, reason});
    return reason;
  }
  applyDesign(*values);
  return {};
}

void Workbench::load() {
  if (running()) return;
  controls_.drawImmediately = 0;
  controls_.mark(InputsChanged);
  const auto path = platform_->askOpenPath();
  if (!path) return;
  loadDesignFile(*path);
}

void Workbench::print() {
  if (running()) return;
  const auto copies = platform_->askPrintCopies();
  if (!copies) return;
  redrawForOutput();
  for (int n = *copies; n >= 1; --n) {
    const std::string reason = platform_->printCanvas(canvas_);
    if (!reason.empty()) return show({MessageId::PrintFailed, {}, 0, reason});
  }
}

}  // namespace gyrenda
