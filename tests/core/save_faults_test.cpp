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
#include <thread>

#include "app/cli.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// What a listing shows of one entry: kind and permission bits, owner, links, and the content
// of a file or the target of a link.
struct Entry {
  mode_t mode = 0;
  uid_t uid = 0;
  gid_t gid = 0;
  nlink_t links = 0;
  std::string content;
  bool operator==(const Entry&) const = default;
  friend std::ostream& operator<<(std::ostream& o, const Entry& e) {
    return o << std::oct << e.mode << std::dec << ' ' << e.uid << ':' << e.gid << " n" << e.links
             << " \"" << e.content.substr(0, 24) << "\" (" << e.content.size() << " bytes)";
  }
};

// A folder of its own for one case, removed at the end with everything in it, a 64 KiB tmpfs
// mounted inside included, and the read end of a FIFO closed.
struct Scratch {
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "gyrenda-save-XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
  }
  ~Scratch() {
    if (reader >= 0) ::close(reader);
    if (mounted) ::umount((dir / "tiny").c_str());
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  std::string file(const std::string& name, mode_t mode, const std::string& text = kOld) const {
    std::ofstream(dir / name, std::ios::binary) << text;
    ::chmod((dir / name).c_str(), mode);
    return (dir / name).string();
  }
  // tiny/design.GYR on a tmpfs filled to fewer than 4 KiB free, or remounted read-only; empty
  // where the test may not mount one.
  std::string tinyFileSystem(bool full) {
    fs::create_directory(dir / "tiny");
    mounted = ::mount("tmpfs", (dir / "tiny").c_str(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted) return {};
    const std::string target = file("tiny/design.GYR", 0644);
    std::ofstream filler(dir / "tiny/filler", std::ios::binary);
    while (full && fs::space(dir / "tiny").available > 4 * 1024 && filler) filler << std::string(512, 'x') << std::flush;
    const bool ok = full || ::mount(nullptr, (dir / "tiny").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    return ok ? target : std::string();
  }
  std::map<std::string, Entry> listing() const {
    std::map<std::string, Entry> entries;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
      struct stat st{};
      ::lstat(e.path().c_str(), &st);
      const std::string content = S_ISLNK(st.st_mode) ? fs::read_symlink(e.path()).string()
                                  : S_ISREG(st.st_mode) ? contents(e.path()) : "";
      entries[e.path().lexically_relative(dir)] = {st.st_mode, st.st_uid, st.st_gid, st.st_nlink, content};
    }
    return entries;
  }
  static constexpr const char* kOld = "\"Gyrenda\"\r\nthe design saved yesterday\r\n";
  fs::path dir;
  int reader = -1;
  bool mounted = false;
};

// Runs `call`, which must never wait on a FIFO at `path`. Should it, the FIFO is opened and
// closed after a few seconds, which releases it, and the test fails instead of hanging.
template <typename Call>
auto guarded(const std::string& path, Call call) {
  std::promise<void> done;
  std::thread guard([&path, finished = done.get_future()] {
    if (finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return;
    ADD_FAILURE() << "waited on " << path;
    ::close(::open(path.c_str(), O_RDWR | O_NONBLOCK));
  });
  auto result = call();
  done.set_value();
  guard.join();
  return result;
}

struct Target {
  const char* what;
  int error;                          // what the save fails with; 0 when it succeeds
  std::vector<std::string> changed;   // the names that hold the new content afterwards
  std::function<std::string(Scratch&)> make;  // the path to save to; empty: not here (no root)
};

const Target kTargets[] = {
    {"new name", 0, {"new.GYR"}, [](Scratch& s) { return (s.dir / "new.GYR").string(); }},
    {"regular file", 0, {"old.GYR"}, [](Scratch& s) {
       const auto p = s.file("old.GYR", 06640);  // setuid and setgid dropped, owner kept
       return ::chown(p.c_str(), 1234, 1234) == 0 || ::geteuid() != 0 ? p : std::string();
     }},
    {"symbolic link", 0, {"real.GYR"}, [](Scratch& s) {
       fs::create_symlink(fs::path(s.file("real.GYR", 0644)).filename(), s.dir / "link");
       return (s.dir / "link").string();
     }},
    {"hard link", 0, {"a.GYR", "b.GYR"}, [](Scratch& s) {
       fs::create_hard_link(s.file("a.GYR", 0644), s.dir / "b.GYR");
       return (s.dir / "b.GYR").string();
     }},
    {"FIFO with a reader", 0, {}, [](Scratch& s) {
       ::mkfifo((s.dir / "fifo").c_str(), 0600);
       s.reader = ::open((s.dir / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
       return (s.dir / "fifo").string();
     }},
    {"FIFO with no reader", ENXIO, {}, [](Scratch& s) {
       ::mkfifo((s.dir / "fifo").c_str(), 0600);
       return (s.dir / "fifo").string();
     }},
    {"character device", 0, {}, [](Scratch& s) {  // the null device, made here (root only)
       const auto p = s.dir / "null";
       return ::mknod(p.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 ? p.string() : "";
     }},
    {"write-protected file", EACCES, {}, [](Scratch& s) { return s.file("old.GYR", 0444); }},
    {"read-only folder", EACCES, {}, [](Scratch& s) {
       fs::create_directory(s.dir / "ro");
       ::chmod((s.dir / "ro").c_str(), 0555);
       return (s.dir / "ro/new.GYR").string();
     }},
    {"missing folder", ENOENT, {}, [](Scratch& s) { return (s.dir / "no/new.GYR").string(); }},
    {"folder", EISDIR, {}, [](Scratch& s) { return s.dir.string(); }},
    {"254-character name", 0, {std::string(254, 'n')},
     [](Scratch& s) { return (s.dir / std::string(254, 'n')).string(); }},
    {"full file system", ENOSPC, {}, [](Scratch& s) { return s.tinyFileSystem(true); }},
    {"read-only file system", EROFS, {}, [](Scratch& s) { return s.tinyFileSystem(false); }},
};

class SavingPlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string&) override { return choice; }
  SaveChoice choice;
};

// One way to save: what it writes and what its caller is told, and what it must be told.
struct Way {
  const char* name;
  std::function<std::string(const std::string& path, std::string& written)> save;
  std::function<std::string(int error, const std::string& path)> told;
};

std::string cli(const std::vector<std::string>& args, std::string& out) {
  std::ostringstream o, e;
  const int status = runCli(args, o, e);
  out = o.str();
  return std::to_string(status) + e.str();
}

TEST(SaveTargets, EachKindOfTargetEndsAsItShouldAndTheCallerIsToldWhy) {
  std::string analysed;
  cli({}, analysed);
  const Way ways[] = {
      {"saveFile", [](const std::string& path, std::string& written) {
         written = std::string(16 * 1024, 'd');  // more than the full file system takes
         return std::to_string(saveFile(path, written));
       }, [](int error, const std::string&) { return std::to_string(error); }},
      {"gyrenda-cli", [&](const std::string& path, std::string& written) {
         written = analysed;
         std::string out;
         return cli({"--gyr", path}, out) + out;
       }, [](int error, const std::string& path) {
         return error ? "1gyrenda-cli: " + path + ": " + saveFailureEnglish(error) + "\n" : "0";
       }},
      {"File_Save_Click", [](const std::string& path, std::string& written) {
         test::OpenWindowWith<SavingPlatform> w;
         w.platform.choice = {path, 2};
         written = dataFileText(w.form);
         File_Save_Click(w.form);
         return w.platform.messages.empty() ? "" : w.platform.messages.at(0);
       }, [](int error, const std::string& path) {
         return error ? "「" + path + "」を保存できませんでした。\n" + saveFailureJapanese(error) : "";
       }},
  };
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (const Way& way : ways) {
    for (const Target& t : kTargets) {
      SCOPED_TRACE(std::string(way.name) + ", " + t.what);
      Scratch s;
      const std::string path = t.make(s);
      if (path.empty()) continue;
      auto expected = s.listing();
      std::string written;
      const std::string told = guarded(path, [&] { return way.save(path, written); });
      for (const std::string& name : t.changed) {
        Entry& e = expected[name];
        if (e.links == 0) e = {S_IFREG | (0666 & ~umask), ::geteuid(), ::getegid(), 1, ""};
        e.mode &= ~mode_t{S_ISUID | S_ISGID | S_ISVTX};
        e.content = written;
      }
      EXPECT_EQ(s.listing(), expected) << "and no temporary file is left";
      EXPECT_EQ(told, way.told(t.error, path));
      if (s.reader >= 0) {
        std::string got(written.size() + 1, '\0');
        got.resize(std::max<ssize_t>(0, ::read(s.reader, got.data(), got.size())));
        EXPECT_EQ(got, written);
      }
    }
  }
}

TEST(LoadTargets, WhatIsNotARegularFileIsRefusedAtOnce) {
  Scratch s;
  ::mkfifo((s.dir / "fifo").c_str(), 0600);
  for (const fs::path& path : {s.dir / "fifo", s.dir}) {
    test::OpenWindow w;
    const auto boxes = w.form.parameterText;
    EXPECT_EQ(guarded(path.string(), [&] { return loadDesignFile(w.form, path); }),
              "not a regular file");
    EXPECT_EQ(w.form.parameterText, boxes);
  }
}

}  // namespace
}  // namespace gyrenda
