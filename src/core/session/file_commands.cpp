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

// More than the reader ever takes from a file, whatever the file holds.
constexpr std::size_t kLoadLimit = 256 * 1024;

bool isPicture(SaveFormat format) { return format != SaveFormat::DataFile; }

}  // namespace

void Workbench::redrawForOutput() {
  drawGrid();
  execute();
  finishRun();
}

std::optional<std::string> Workbench::fileBytes(SaveFormat format) const {
  switch (format) {
    case SaveFormat::DataFile: return dataFileText(design_.linkage().parameters, runs_.result());
    case SaveFormat::Bitmap: return platform_->encodeBitmap(canvasView_.canvas());
    case SaveFormat::Png: return platform_->encodeExport(ExportFormat::Png, canvasView_.canvas(), {});
    case SaveFormat::Svg:
    case SaveFormat::Dxf:
      return platform_->encodeExport(
          format == SaveFormat::Svg ? ExportFormat::Svg : ExportFormat::Dxf, canvasView_.canvas(),
          buildDrawing(design_.linkage(), canvasView_.view(), runs_.result()));
  }
  return std::nullopt;
}

void Workbench::save() {
  if (running()) return;
  if (const auto choice = platform_->askSavePath(proposedFileName(design_.linkage().parameters)))
    saveAs(choice->path, choice->format);
}

std::optional<Drawing> Workbench::drawingForOutput() {
  if (running()) return std::nullopt;
  redrawForOutput();
  return buildDrawing(design_.linkage(), canvasView_.view(), runs_.result());
}

void Workbench::saveAs(const std::string& path, SaveFormat format) {
  if (running()) return;
  // A picture is always of the grid and a whole analysis, whatever the canvas showed.
  if (isPicture(format)) redrawForOutput();
  const std::optional<std::string> bytes = fileBytes(format);
  if (!bytes) return show({MessageId::ImageNotEncoded, path, 0, {}});
  if (const int error = saveFile(path, *bytes)) show({MessageId::SaveFailed, path, error, {}});
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
  if (const auto copies = platform_->askPrintCopies()) printCopies(*copies);
}

void Workbench::printCopies(int copies) {
  if (running()) return;
  redrawForOutput();
  for (int n = copies; n >= 1; --n) {
    const std::string reason = platform_->printCanvas(canvasView_.canvas());
    if (!reason.empty()) return show({MessageId::PrintFailed, {}, 0, reason});
  }
}

}  // namespace gyrenda
