// The start of a file the user names for reading: a design, a list of points.
#pragma once

#include <cstddef>
#include <string>

namespace gyrenda {

// What readFileHead gives for a path that is a folder, a FIFO, a device or anything else that
// is not a regular file.
inline constexpr int kNotARegularFile = -1;

struct FileHead {
  std::string bytes;    // at most the limit asked for; empty on failure
  int error = 0;        // 0, an errno value, or kNotARegularFile
  bool larger = false;  // more than the limit was there: `bytes` holds only its start
};

// Opening never waits (a FIFO without a writer would block), and whatever is not a regular
// file is refused without reading it.
FileHead readFileHead(const std::string& path, std::size_t limit);

// The same from a descriptor that is already open, such as standard input, which may be a
// pipe or a terminal; reading stops one byte past the limit, so an endless source (a device
// of zeros) ends too. A descriptor that is closed or names a folder gives its errno.
FileHead readOpenFileHead(int fd, std::size_t limit);

// The failure in English, as the headless program and its messages say it.
std::string fileHeadFailureInWords(int error);

}  // namespace gyrenda
