// Saving onto every kind of target through the core's save function, the headless program and
// the window's save command: what is on disk afterwards and what the caller is told. Loading
// refuses what is not a regular file without waiting.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>

#include "app/cli.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

// An entry as a listing shows it: kind and permission bits, owner, group, links, and the
// content of a file or the target of a link.
using Entry = std::tuple<mode_t, uid_t, gid_t, nlink_t, std::string>;

// A folder of its own for one case, removed at the end with everything in it (a tmpfs mounted
// inside included), and the read end of a FIFO closed.
struct Scratch {
  Scratch() : dir(::mkdtemp((fs::temp_directory_path() / "gyrenda-save-XXXXXX").string().data())) {}
  ~Scratch() {
    if (reader >= 0) ::close(reader);
    ::umount((dir / "tiny").c_str());
    fs::remove_all(dir, ignored);
  }
  std::string operator/(const std::string& name) const { return (dir / name).string(); }
  std::string file(const std::string& name, mode_t mode) const {
    std::ofstream(dir / name) << "\"Gyrenda\"\r\nthe design saved yesterday\r\n";
    return ::chmod((dir / name).c_str(), mode), *this / name;
  }
  std::string fifo() const { return ::mkfifo((*this / "fifo").c_str(), 0600), *this / "fifo"; }
  // tiny/design.GYR on a 64 KiB tmpfs filled to fewer than 4 KiB free, or remounted
  // read-only; empty where the test may not mount one.
  std::string tiny(bool full) const {
    fs::create_directory(dir / "tiny");
    if (::mount("tmpfs", (*this / "tiny").c_str(), "tmpfs", 0, "size=64k") != 0) return {};
    const std::string target = file("tiny/design.GYR", 0644);
    for (std::ofstream filler(dir / "tiny/filler"); full && filler && fs::space(dir / "tiny").available > 4096;)
      filler << std::string(512, 'x') << std::flush;
    const auto readOnly = MS_REMOUNT | MS_RDONLY;
    return full || ::mount(nullptr, (*this / "tiny").c_str(), nullptr, readOnly, nullptr) == 0 ? target : "";
  }
  std::map<std::string, Entry> listing() const {
    std::map<std::string, Entry> entries;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
      struct stat st{};
      ::lstat(e.path().c_str(), &st);
      std::ifstream in(S_ISREG(st.st_mode) ? e.path() : fs::path(), std::ios::binary);
      std::string content{std::istreambuf_iterator<char>(in), {}};
      if (S_ISLNK(st.st_mode)) content = fs::read_symlink(e.path());
      entries[e.path().lexically_relative(dir)] = {st.st_mode, st.st_uid, st.st_gid, st.st_nlink, content};
    }
    return entries;
  }
  fs::path dir;
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

// What the save fails with (0: success), the names that hold the new content afterwards, and
// how the case is made: the path to save to, or empty where it cannot be made (not root).
struct Target {
  const char* what;
  int error;
  std::vector<std::string> changed;
  std::function<std::string(Scratch&)> make;
};

const Target kTargets[] = {
    {"new name", 0, {"new.GYR"}, [](Scratch& s) { return s / "new.GYR"; }},
    {"regular file", 0, {"old.GYR"}, [](Scratch& s) {  // setuid and setgid dropped, owner kept
       const auto p = s.file("old.GYR", 06640);
       return ::chown(p.c_str(), 1234, 1234) == 0 || ::geteuid() != 0 ? p : ""; }},
    {"symbolic link", 0, {"real.GYR"}, [](Scratch& s) {
       return fs::create_symlink(fs::path(s.file("real.GYR", 0644)).filename(), s / "link"), s / "link"; }},
    {"hard link", 0, {"a.GYR", "b.GYR"}, [](Scratch& s) {
       return fs::create_hard_link(s.file("a.GYR", 0644), s / "b.GYR"), s / "b.GYR"; }},
    {"FIFO with a reader", 0, {}, [](Scratch& s) {
       return s.reader = ::open(s.fifo().c_str(), O_RDONLY | O_NONBLOCK), s / "fifo"; }},
    {"FIFO with no reader", ENXIO, {}, [](Scratch& s) { return s.fifo(); }},
    {"character device", 0, {}, [](Scratch& s) {  // the null device, made here by root
       return ::mknod((s / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 ? s / "null" : ""; }},
    {"write-protected file", EACCES, {}, [](Scratch& s) { return s.file("old.GYR", 0444); }},
    {"read-only folder", EACCES, {}, [](Scratch& s) {
       return fs::create_directory(s.dir / "ro"), ::chmod((s / "ro").c_str(), 0555), s / "ro/new.GYR"; }},
    {"missing folder", ENOENT, {}, [](Scratch& s) { return s / "no/new.GYR"; }},
    {"folder", EISDIR, {}, [](Scratch& s) { return s.dir.string(); }},
    {"254-character name", 0, {std::string(254, 'n')}, [](Scratch& s) { return s / std::string(254, 'n'); }},
    {"full file system", ENOSPC, {}, [](Scratch& s) { return s.tiny(true); }},
    {"read-only file system", EROFS, {}, [](Scratch& s) { return s.tiny(false); }},
};

class SavingPlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string&) override { return choice; }
  SaveChoice choice;
};

// Saves to `path` through the core's function (way 0), the headless program (1) or the
// window's save command (2). Returns what the caller was told and what it must be told of
// `error`; sets what was to be written.
std::pair<std::string, std::string> saveVia(int way, const std::string& path, int error, std::string& written) {
  if (way == 0) {
    written = std::string(16 * 1024, 'd');  // more than the full file system takes
    return {std::to_string(saveFile(path, written)), std::to_string(error)};
  }
  if (way == 1) {
    std::ostringstream analysed, out, err;
    runCli({}, analysed, err);
    written = analysed.str();
    const int status = runCli({"--gyr", path}, out, err);
    return {std::to_string(status) + err.str() + out.str(),
            error ? "1gyrenda-cli: " + path + ": " + saveFailureEnglish(error) + "\n" : "0"};
  }
  test::OpenWindowWith<SavingPlatform> w;
  w.platform.choice = {path, 2};
  written = dataFileText(w.form);
  File_Save_Click(w.form);
  return {w.platform.messages.empty() ? "" : w.platform.messages.back(),
          error ? "「" + path + "」を保存できませんでした。\n" + saveFailureJapanese(error) : ""};
}

TEST(SaveTargets, EachKindOfTargetEndsAsItShouldAndTheCallerIsToldWhy) {
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (const int way : {0, 1, 2}) {
    for (const Target& t : kTargets) {
      SCOPED_TRACE(testing::Message() << "way " << way << ", " << t.what);
      Scratch s;
      const std::string path = t.make(s);
      if (path.empty()) continue;
      auto expected = s.listing();
      std::string written;
      const auto [told, mustTell] = guarded(path, [&] { return saveVia(way, path, t.error, written); });
      EXPECT_EQ(told, mustTell);
      for (const std::string& name : t.changed) {
        auto& [mode, uid, gid, links, content] = expected[name];
        if (links == 0) std::tie(mode, uid, gid, links) = std::tuple(0666 & ~umask, ::geteuid(), ::getegid(), 1);
        std::tie(mode, content) = std::pair(S_IFREG | (mode & 0777), written);
      }
      EXPECT_EQ(s.listing(), expected) << "and no temporary file is left";
      std::string piped(written.size() + 1, '\0');
      piped.resize(std::max<ssize_t>(0, ::read(s.reader, piped.data(), piped.size())));
      EXPECT_EQ(piped, s.reader >= 0 ? written : "");
    }
  }
}

TEST(LoadTargets, WhatIsNotARegularFileIsRefusedAtOnce) {
  Scratch s;
  for (const std::string& path : {s.fifo(), s.dir.string()}) {
    test::OpenWindow w;
    const auto boxes = w.form.parameterText;
    EXPECT_EQ(guarded(path, [&] { return loadDesignFile(w.form, path); }), "not a regular file");
    EXPECT_EQ(w.form.parameterText, boxes);
  }
}

}  // namespace
}  // namespace gyrenda
