// Saving a file the way a careful Unix program does: what was there is never damaged by a
// failed save, and nothing but the named file is ever touched.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace gyrenda {

// How long the reader of a FIFO (or a device) may take nothing before a save into it ends.
inline constexpr std::chrono::milliseconds kReaderPatience{5000};

// Writes `content` to `path` and returns 0, or the system's error number of what failed.
// - A new name or a regular file is replaced atomically: a temporary file with a short name
//   is created beside it, written, flushed to disk and renamed over it, then the folder is
//   synced. A replaced file keeps its owner, group and permission bits (setuid, setgid and
//   sticky dropped).
// - A symbolic link is followed: the file it points to is replaced, the link stays.
// - A regular file with several hard links is written in place, so every name sees the
//   new content.
// - A FIFO or a character device is written into, never replaced, and never waited on: a FIFO
//   that nobody reads fails at once (ENXIO), and a reader that takes nothing for
//   `readerPatience` ends the save (ETIMEDOUT). A folder (EISDIR) and any other kind of file
//   (ENOTSUP) are refused.
// - A target or folder that the user may not write is refused (EACCES), also for root when
//   no write bit is set at all.
// On failure the target is as it was and no temporary file is left.
int saveFile(const std::string& path, std::string_view content,
             std::chrono::milliseconds readerPatience = kReaderPatience);

// The name a save of `path` writes: the chain of symbolic links that starts there followed to
// its end, which need not exist yet; `path` itself where the chain cannot be followed.
std::string savedName(const std::string& path);

// Why a save failed, grouped as a user is told it; Other takes the system's own text.
enum class SaveFailure {
  FolderMissing,
  PermissionDenied,
  DiskFull,
  NameTooLong,
  ReadOnlyFileSystem,
  IsAFolder,
  NoReader,        // a FIFO that nobody reads
  ReaderWentAway,  // the reader of a FIFO ended during the save
  ReaderStopped,   // the reader of a FIFO took nothing for the reader's patience
  UnsupportedKindOfFile,
  LinkLoop,
  Other,
};
SaveFailure saveFailureOf(int error);

}  // namespace gyrenda
