#include "files/file_commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "app/commands.h"
#include "app/number_text.h"
#include "app/validation.h"
#include "canvas/grid.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/drawing.h"

namespace gyrenda {
namespace {

constexpr int kBitmapType = 1;
constexpr int kDataFileType = 2;
constexpr int kFirstExportType = static_cast<int>(ExportFormat::Png);
constexpr int kLastExportType = static_cast<int>(ExportFormat::Dxf);

// Draws the picture afresh for export or printing: grid, then one full Execute.
void redrawForOutput(Form& f) {
  Masume(f, f.canvas);
  Command1_Click(f);
}

void reportSaveFailure(Form& f, const std::string& path, const std::string& reason) {
  f.platform->showMessage("「" + path + "」を保存できませんでした。\n" + reason);
}

// More than the reader ever takes from a file, whatever the file holds.
constexpr std::size_t kLoadLimit = 256 * 1024;

// The start of a regular file. Opening never waits (a FIFO without a writer would block the
// window), and whatever is not a regular file is refused.
std::string readHead(const std::string& path, std::string& reason) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return {};
  }
  struct stat st{};
  std::string head(kLoadLimit, '\0');
  std::size_t size = 0;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    reason = "not a regular file";
  } else {
    while (size < head.size()) {
      const ssize_t n = ::read(fd, head.data() + size, head.size() - size);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) reason = std::strerror(errno);
      if (n <= 0) break;
      size += static_cast<std::size_t>(n);
    }
  }
  ::close(fd);
  head.resize(size);
  return head;
}

std::string saveFailureText(int error) { return error ? saveFailureJapanese(error) : ""; }

}  // namespace

void File_Save_Click(Form& f) {
  if (f.running) return;
  const auto choice = f.platform->askSavePath(proposedFileName(f));
  if (!choice) return;
  std::string reason;
  if (choice->fileType == kBitmapType) {
    redrawForOutput(f);
    const auto bytes = f.platform->encodeBitmap(f.canvas);
    reason = bytes ? saveFailureText(saveFile(choice->path, *bytes)) : "画像を作れませんでした。";
  } else if (choice->fileType >= kFirstExportType && choice->fileType <= kLastExportType) {
    redrawForOutput(f);
    const auto bytes = f.platform->encodeExport(static_cast<ExportFormat>(choice->fileType),
                                                f.canvas, buildDrawing(f));
    reason = bytes ? saveFailureText(saveFile(choice->path, *bytes)) : "画像を作れませんでした。";
  } else if (choice->fileType == kDataFileType) {
    reason = saveFailureText(saveFile(choice->path, dataFileText(f)));
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
  std::string reason;
  std::istringstream in(readHead(path, reason));
  if (!reason.empty()) return reason;
  const auto values = readDataFileParams(in);
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
