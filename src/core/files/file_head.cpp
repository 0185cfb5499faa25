#include "files/file_head.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace gyrenda {

FileHead readFileHead(const std::string& path, std::size_t limit) {
  FileHead head;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    head.error = errno;
    return head;
  }
  struct stat st{};
  if (::fstat(fd, &st) != 0) {
    head.error = errno;
  } else if (!S_ISREG(st.st_mode)) {
    head.error = kNotARegularFile;
  } else {
    head = readOpenFileHead(fd, limit);
  }
  ::close(fd);
  return head;
}

FileHead readOpenFileHead(int fd, std::size_t limit) {
  FileHead head;
  head.bytes.resize(limit + 1);
  std::size_t size = 0;
  while (size <= limit) {
    const ssize_t n = ::read(fd, head.bytes.data() + size, limit + 1 - size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) head.error = errno;
    if (n <= 0) break;
    size += static_cast<std::size_t>(n);
  }
  head.larger = !head.error && size > limit;
  head.bytes.resize(head.error ? 0 : std::min(size, limit));
  return head;
}

std::string fileHeadFailureInWords(int error) {
  return error == kNotARegularFile ? "not a regular file" : std::strerror(error);
}

}  // namespace gyrenda
