#include "files/atomic_file.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

namespace gyrenda {
namespace {

// A file descriptor that is closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now; 0 or the error that close reported (a write the system had deferred).
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Writes everything. On a descriptor without blocking (a FIFO, a device) a full buffer is
// waited on for `patience` at most, counted afresh after every byte the reader takes.
int writeAll(int fd, std::string_view content,
             std::chrono::milliseconds patience = kReaderPatience) {
  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + patience;
  for (std::size_t done = 0; done < content.size();) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return ETIMEDOUT;
      pollfd room{fd, POLLOUT, 0};
      // Ready also when the reader has gone: the next write then says EPIPE.
      if (::poll(&room, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) return errno;
      continue;
    }
    if (n <= 0) return n < 0 ? errno : EIO;
    done += static_cast<std::size_t>(n);
    deadline = Clock::now() + patience;
  }
  return 0;
}

// A reader of a FIFO that goes away part way makes the write fail with EPIPE instead of
// raising the signal that would end the program.
int writeAllWithoutSigpipe(int fd, std::string_view content, std::chrono::milliseconds patience) {
  sigset_t pipe, old, pending;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  sigpending(&pending);
  const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;
  pthread_sigmask(SIG_BLOCK, &pipe, &old);
  const int error = writeAll(fd, content, patience);
  if (error == EPIPE && !alreadyPending) {
    const timespec now{};
    while (sigtimedwait(&pipe, nullptr, &now) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  return error;
}

// 0 when the user may write `path`. The permission bits count even for root: a file or
// folder without any write bit is write-protected on purpose.
int writable(const std::string& path, const struct stat& st) {
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  return (st.st_mode & 0222) == 0 ? EACCES : 0;
}

// The folder part of a path, with its final "/"; empty for a bare name.
std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows the chain of symbolic links that starts at `path` to the name at its end, which
// need not exist yet. `throughProc` tells whether the chain passed a link of /proc (as
// /dev/stdout does), whose target is not a name that may be replaced.
int followLinks(std::string& path, bool& throughProc) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    if (n < 0) return errno == EINVAL || errno == ENOENT ? 0 : errno;
    if (static_cast<std::size_t>(n) >= sizeof target) return ENAMETOOLONG;
    throughProc = throughProc || path.rfind("/proc/", 0) == 0;
    const std::string next(target, static_cast<std::size_t>(n));
    path = next.front() == '/' ? next : folderOf(path) + next;
  }
  return ELOOP;
}

// A FIFO or a device: opened without waiting for a reader (none gives ENXIO at once), and
// written without blocking, so that a reader that stops reading cannot hold the program.
int writeInto(const std::string& path, std::string_view content,
              std::chrono::milliseconds patience) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return errno;
  if (const int error = writeAllWithoutSigpipe(fd.get(), content, patience)) return error;
  return fd.close();
}

// A file that other names share (or that belongs to someone else) is written where it is.
// Its blocks are reserved first, so that a full disk fails before the old content is touched.
int writeInPlace(const std::string& path, std::string_view content) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return errno;
  const auto size = static_cast<off_t>(content.size());
  const int reserved = size > 0 ? ::posix_fallocate(fd.get(), 0, size) : 0;
  if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) return reserved;
  if (const int error = writeAll(fd.get(), content)) return error;
  if (::ftruncate(fd.get(), size) != 0 || ::fsync(fd.get()) != 0) return errno;
  return fd.close();
}

// Creates a file of a new name ".gyr" + six letters in `folder`, exclusively, with `mode`
// less the umask, as open applies it: the umask is never read by setting it, which would
// change it for a moment for every thread of the program. Returns the descriptor, or -1
// with errno set.
int createTemporary(const std::string& folder, mode_t mode, std::string& name) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + ".gyr";
    for (int k = 0; k < 6; ++k) name.push_back(kLetters[letter(random)]);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;  // errno is EEXIST
}

// The atomic replacement of `target` (a regular file described by `old`, or a new name).
int replace(const std::string& target, const struct stat* old, std::string_view content) {
  const std::string folder = folderOf(target).empty() ? "./" : folderOf(target);
  struct stat folderStat{};
  if (::stat(folder.c_str(), &folderStat) != 0) return errno;
  if (!S_ISDIR(folderStat.st_mode)) return ENOTDIR;
  if (const int error = writable(folder, folderStat)) return error;
  // A short name, so that every name that is valid for the target works. A new file takes its
  // mode from the system (the umask, or the folder's default ACL); a replacement is private
  // until it has the old file's owner and mode.
  std::string temporary;
  Fd fd(createTemporary(folder, old ? 0600 : 0666, temporary));
  if (fd.get() < 0) return errno;
  int error = writeAll(fd.get(), content);
  // The owner is kept where the system allows it (root); the group where the user may.
  if (!error && old && ::fchown(fd.get(), old->st_uid, old->st_gid) != 0 && ::geteuid() == 0)
    error = errno;
  if (!error && old && ::fchmod(fd.get(), old->st_mode & 0777) != 0) error = errno;
  if (!error && ::fsync(fd.get()) != 0) error = errno;
  if (!error) error = fd.close();
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  // The rename itself reaches the disk only when the folder is synced.
  const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return 0;
}

}  // namespace

int saveFile(const std::string& path, std::string_view content,
             std::chrono::milliseconds readerPatience) {
  if (path.empty()) return ENOENT;
  struct stat st{};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return errno;
  if (exists) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode) && !S_ISCHR(st.st_mode)) return ENOTSUP;
    if (const int error = writable(path, st)) return error;
    if (!S_ISREG(st.st_mode)) return writeInto(path, content, readerPatience);
    const bool foreign = ::geteuid() != 0 && st.st_uid != ::geteuid();
    if (st.st_nlink > 1 || foreign) return writeInPlace(path, content);
  }
  std::string target = path;
  bool throughProc = false;
  if (const int error = followLinks(target, throughProc)) return error;
  if (throughProc && exists) return writeInPlace(path, content);
  return replace(target, exists ? &st : nullptr, content);
}

std::string savedName(const std::string& path) {
  std::string followed = path;
  bool throughProc = false;
  return followLinks(followed, throughProc) == 0 ? followed : path;
}

SaveFailure saveFailureOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return SaveFailure::FolderMissing;
    case EACCES:
    case EPERM: return SaveFailure::PermissionDenied;
    case ENOSPC:
    case EDQUOT: return SaveFailure::DiskFull;
    case ENAMETOOLONG: return SaveFailure::NameTooLong;
    case EROFS: return SaveFailure::ReadOnlyFileSystem;
    case EISDIR: return SaveFailure::IsAFolder;
    case ENXIO: return SaveFailure::NoReader;
    case EPIPE: return SaveFailure::ReaderWentAway;
    case ETIMEDOUT: return SaveFailure::ReaderStopped;
    case ENOTSUP: return SaveFailure::UnsupportedKindOfFile;
    case ELOOP: return SaveFailure::LinkLoop;
    default: return SaveFailure::Other;
  }
}

}  // namespace gyrenda
