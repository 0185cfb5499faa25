#include "files/file_commands.h"

#include <fstream>

#include "app/commands.h"
#include "app/number_text.h"
#include "app/validation.h"
#include "canvas/grid.h"
#include "files/atomic_file.h"
#include "files/data_file.h"

namespace gyrenda {
namespace {

constexpr int kBitmapType = 1;
constexpr int kDataFileType = 2;

// Draws the picture afresh for export or printing: grid, then one full Execute.
void redrawForOutput(Form& f) {
  Masume(f, f.canvas);
  Command1_Click(f);
}

void reportSaveFailure(Form& f, const std::string& path, const std::string& reason) {
  f.platform->showMessage("「" + path + "」を保存できませんでした。\n" + reason);
}

}  // namespace

void File_Save_Click(Form& f) {
  if (f.running) return;
  const auto choice = f.platform->askSavePath(proposedFileName(f));
  if (!choice) return;
  std::string reason;
  if (choice->fileType == kBitmapType) {
    redrawForOutput(f);
    const auto bytes = f.platform->encodeBitmap(f.canvas);
    reason = bytes ? writeFileAtomically(choice->path, *bytes) : "画像を作れませんでした。";
  } else if (choice->fileType == kDataFileType) {
    reason = writeFileAtomically(choice->path, dataFileText(f));
  } else {
    return;
  }
  if (!reason.empty()) reportSaveFailure(f, choice->path, reason);
}

void applyLoadedDesign(Form& f, const ParamSet& values) {
  for (int k = 0; k < kParamCount; ++k) f.parameterText[f.paramIndex[k]] = formatBoxNumber(values[k]);
  for (int i = 0; i < kParamCount; ++i) f.paramValue[i] = readNumber(f.parameterText[i]);
  for (int i = 0; i < kParamCount; ++i) parameter_LostFocus(f, i);
  Masume(f, f.canvas);
  Command1_Click(f);
}

std::string loadDesignFile(Form& f, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "cannot open the file";
  const auto values = readDataFileParams(in);
  in.close();
  if (!values) return "not a Gyrenda data file, or its parameter line is incomplete or invalid";
  applyLoadedDesign(f, *values);
  return {};
}

void File_Load_Click(Form& f) {
  if (f.running) return;
  f.RealTimeSW = 0;
  const auto path = f.platform->askOpenPath();
  if (!path) return;
  loadDesignFile(f, *path);
}

void File_Print_Click(Form& f) {
  if (f.running) return;
  const auto copies = f.platform->askPrintCopies();
  if (!copies) return;
  redrawForOutput(f);
  for (int n = *copies; n >= 1; --n) {
    const std::string reason = f.platform->printCanvas(f.canvas);
    if (!reason.empty()) {
      f.platform->showMessage("印刷できませんでした。\n" + reason);
      return;
    }
  }
}

}  // namespace gyrenda
