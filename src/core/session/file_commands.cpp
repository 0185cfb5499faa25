// The File menu: save (numeric data file, bitmap, or a PNG, SVG or DXF export), load, print.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/data_file_reader.h"
#include "files/drawing.h"
#include "session/workbench.h"

namespace gyrenda {
namespace {

constexpr int kBitmapType = 1;
constexpr int kDataFileType = 2;
constexpr int kFirstExportType = static_cast<int>(ExportFormat::Png);
constexpr int kLastExportType = static_cast<int>(ExportFormat::Dxf);

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

}  // namespace

void Workbench::redrawForOutput() {
  drawGrid();
  execute();
}

void Workbench::save() {
  if (running_) return;
  const auto choice = platform_->askSavePath(proposedFileName(linkage_.parameters));
  if (!choice) return;
  std::optional<std::string> bytes;
  if (choice->fileType == kBitmapType) {
    redrawForOutput();
    bytes = platform_->encodeBitmap(canvas_);
  } else if (choice->fileType >= kFirstExportType && choice->fileType <= kLastExportType) {
    redrawForOutput();
    bytes = platform_->encodeExport(static_cast<ExportFormat>(choice->fileType), canvas_,
                                    buildDrawing(linkage_, view_, result_));
  } else if (choice->fileType == kDataFileType) {
    bytes = dataFileText(linkage_.parameters, result_);
  } else {
    return;
  }
  if (!bytes) return show({MessageId::ImageNotEncoded, choice->path, 0, {}});
  if (const int error = saveFile(choice->path, *bytes))
    show({MessageId::SaveFailed, choice->path, error, {}});
}

std::string Workbench::loadDesignFile(const std::string& path) {
  std::string reason;
  std::istringstream in(readHead(path, reason));
  if (!reason.empty()) return reason;
  const auto values = readDataFileParams(in);
  if (!values) return "not a Gyrenda data file, or its parameter line is incomplete or invalid";
  applyDesign(*values);
  return {};
}

void Workbench::load() {
  if (running_) return;
  controls_.drawImmediately = 0;
  controls_.mark(InputsChanged);
  const auto path = platform_->askOpenPath();
  if (!path) return;
  loadDesignFile(*path);
}

void Workbench::print() {
  if (running_) return;
  const auto copies = platform_->askPrintCopies();
  if (!copies) return;
  redrawForOutput();
  for (int n = *copies; n >= 1; --n) {
    const std::string reason = platform_->printCanvas(canvas_);
    if (!reason.empty()) return show({MessageId::PrintFailed, {}, 0, reason});
  }
}

}  // namespace gyrenda
