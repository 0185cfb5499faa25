// Save targets of every kind in a folder of their own, and the check that one way of saving
// (the core's function, the save command, the headless program) leaves each as it should. Shared
// by the core and the headless program's tests, so every way meets the same targets.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/test_support.h"

namespace gyrenda::test {

namespace fs = std::filesystem;

// A folder of its own for one case, holding a save target of each kind; removed at the end with
// everything in it (the file systems mounted inside included), and the FIFO's reader closed.
struct Scratch {
  Scratch() {
    const std::string old = file("old.GYR", 0640);  // another owner, then setuid and setgid,
    if (::chown(old.c_str(), 1234, 1234) != 0 && ::geteuid() == 0) unmade.push_back("old.GYR");
    fs::permissions(old, fs::perms(06640));  // which a change of owner would clear
    fs::create_symlink(fs::path(file("real.GYR", 0644)).filename(), dir / "link");
    fs::create_hard_link(file("a.GYR", 0644), dir / "b.GYR");
    for (const char* fifo : {"fifo", "piped"}) ::mkfifo((*this / fifo).c_str(), 0600);
    reader = ::open((*this / "piped").c_str(), O_RDONLY | O_NONBLOCK);
    const bool device = ::mknod((*this / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    if (!device) unmade.push_back("null");
    file("protected.GYR", 0444);
    ::mkdir((*this / "ro").c_str(), 0555);
    if (!tmpfs("full", true)) unmade.push_back("full/design.GYR");
    if (!tmpfs("rofs", false)) unmade.push_back("rofs/design.GYR");
  }
  ~Scratch() {
    ::close(reader);
    for (const char* mounted : {"full", "rofs"}) ::umount((dir / mounted).c_str());
    fs::remove_all(dir, ignored);
  }
  std::string operator/(const std::string& name) const { return (dir / name).string(); }
  std::string file(const std::string& name, mode_t mode) const {
    std::ofstream(dir / name) << "\"Gyrenda\"\r\nthe design saved yesterday\r\n";
    fs::permissions(dir / name, fs::perms(mode));
    return *this / name;
  }
  // A tmpfs holding design.GYR: one page, which the file fills, or 1 MiB remounted read-only;
  // false where the test may not mount one.
  bool tmpfs(const std::string& name, bool full) const {
    fs::create_directory(dir / name);
    const std::string at = *this / name;
    if (::mount("tmpfs", at.c_str(), "tmpfs", 0, full ? "size=4k" : "size=1m") != 0) return false;
    file(name + "/design.GYR", 0644);
    return full || ::mount(nullptr, at.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  // Each entry as a listing shows it: kind and permission bits, owner, group, links, and the
  // content of a file or the target of a link.
  auto listing() const {
    std::map<std::string, std::tuple<mode_t, uid_t, gid_t, nlink_t, std::string>> entries;
    for (const fs::path& p : fs::recursive_directory_iterator(dir)) {
      struct stat st{};
      ::lstat(p.c_str(), &st);
      const std::string content = S_ISLNK(st.st_mode) ? fs::read_symlink(p).string()
                                  : S_ISREG(st.st_mode) ? readFile(p) : "";
      entries[p.lexically_relative(dir)] = {st.st_mode, st.st_uid, st.st_gid, st.st_nlink, content};
    }
    return entries;
  }
  fs::path dir = ::mkdtemp((fs::temp_directory_path() / "gyrenda-save-XXXXXX").string().data());
  std::vector<std::string> unmade;  // what the test may not make here (not root)
  int reader = -1;
  std::error_code ignored;
};

// Runs `call`, which must never wait on the FIFO at `path`. Should it, the FIFO is opened and
// closed after a few seconds, which releases it, and the test fails instead of hanging.
template <typename Call>
auto guarded(const std::string& path, Call call) {
  auto result = std::async(std::launch::async, call);
  if (result.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return result.get();
  ADD_FAILURE() << "waited on " << path;
  ::close(::open(path.c_str(), O_RDWR | O_NONBLOCK));
  return result.get();
}

// Each target (named by its kind: a FIFO "piped" with a reader, "null" a character device, "ro"
// a read-only folder, "no" missing, "full" and "rofs" file systems), what the save fails with
// (0: success) and the names that hold the new content afterwards: a regular file keeps its
// owner, group and mode (setuid and setgid dropped), a link is followed, a hard link kept.
// `save(path)` saves `written` there and returns what the caller is told, which must be
// `told(path, error)`.
template <typename Save, typename Told>
void expectEachSaveTargetEndsAsItShould(const std::string& written, Save save, Told told) {
  const struct { std::string name; int error; std::vector<std::string> changed; } targets[] = {
      {"new.GYR", 0, {"new.GYR"}}, {"old.GYR", 0, {"old.GYR"}}, {"link", 0, {"real.GYR"}},
      {"b.GYR", 0, {"a.GYR", "b.GYR"}}, {"piped", 0, {}}, {"fifo", ENXIO, {}}, {"null", 0, {}},
      {"protected.GYR", EACCES, {}}, {"ro/new.GYR", EACCES, {}}, {"no/new.GYR", ENOENT, {}},
      {"ro", EISDIR, {}}, {std::string(254, 'n'), 0, {std::string(254, 'n')}},
      {"full/design.GYR", ENOSPC, {}}, {"rofs/design.GYR", EROFS, {}}};
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (const auto& [name, error, changed] : targets) {
    SCOPED_TRACE(name);
    Scratch s;
    if (std::ranges::count(s.unmade, name)) continue;
    auto expected = s.listing();
    const std::string path = s / name;
    EXPECT_EQ(guarded(path, [&] { return save(path); }), told(path, error));
    for (const std::string& holder : changed) {
      auto& [mode, uid, gid, links, content] = expected[holder];
      if (links == 0)  // a new file
        std::tie(mode, uid, gid, links) = std::tuple(0666 & ~umask, ::geteuid(), ::getegid(), 1);
      std::tie(mode, content) = std::pair(S_IFREG | (mode & 0777), written);
    }
    EXPECT_EQ(s.listing(), expected) << "and no temporary file is left";
    std::string piped(written.size() + 1, '\0');
    const ssize_t n = ::read(s.reader, piped.data(), piped.size());
    EXPECT_EQ(piped.substr(0, std::max<ssize_t>(0, n)), name == "piped" ? written : "");
  }
}

}  // namespace gyrenda::test
