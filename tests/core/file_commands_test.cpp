// The numeric data file (written against its golden file, read from any stream) and the File
// menu through a fake platform: saving onto every kind of target in all three ways a design is
// saved (the core's save function, the save command and the headless program: what is on disk
// afterwards and what the caller is told), the bitmap export, load and print, with their
// cancelled dialogs.
#include <fcntl.h>
#include <poll.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <atomic>
#include <future>
#include <thread>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/file_head.h"
#include "files/data_file_reader.h"
#include "files/drawing.h"
#include "files/file_head.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

const fs::path kData = GYRENDA_TEST_DATA_DIR;

std::string contents(const fs::path& path) { return test::readFile(path.string()); }

// A folder of its own for one case, holding a save target of each kind; removed at the end with
// everything in it (the file systems mounted inside included), and the FIFOs' readers closed.
struct Scratch {
  Scratch() {
    const std::string old = file("old.GYR", 0640);  // another owner, then setuid and setgid,
    if (::chown(old.c_str(), 1234, 1234) != 0 && ::geteuid() == 0) unmade.push_back("old.GYR");
    fs::permissions(old, fs::perms(06640));  // which a change of owner would clear
    fs::create_symlink(fs::path(file("real.GYR", 0644)).filename(), dir / "link");
    fs::create_hard_link(file("a.GYR", 0644), dir / "b.GYR");
    for (const char* fifo : {"fifo", "piped", "stalled", "gone"})
      ::mkfifo((*this / fifo).c_str(), 0600);
    reader = ::open((*this / "piped").c_str(), O_RDONLY | O_NONBLOCK);
    stalled = ::open((*this / "stalled").c_str(), O_RDONLY | O_NONBLOCK);  // never reads
    gone = ::open((*this / "gone").c_str(), O_RDONLY | O_NONBLOCK);  // closed once written to
    for (const int fd : {reader, stalled, gone})
      ::fcntl(fd, F_SETPIPE_SZ, 4096);  // a page, which a data file overflows
    if (::mknod((*this / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
      unmade.push_back("null");
    file("protected.GYR", 0444);
    ::mkdir((*this / "ro").c_str(), 0555);
    for (const std::string name : {"full", "rofs"})
      if (!tmpfs(name)) unmade.push_back(name + "/design.GYR");
  }
  ~Scratch() {
    for (const int fd : {reader, stalled, gone}) ::close(fd);
    for (const char* mounted : {"full", "rofs"}) ::umount((dir / mounted).c_str());
    fs::remove_all(dir, ignored);
  }
  std::string operator/(const std::string& name) const { return (dir / name).string(); }
  std::string file(const std::string& name, mode_t mode) const {
    std::ofstream(dir / name) << "\"Gyrenda\"\r\nthe design saved yesterday\r\n";
    fs::permissions(dir / name, fs::perms(mode));
    return *this / name;
  }
  // A tmpfs holding design.GYR: "full" of two pages, one of them the file's, so that a data
  // file (over 4 KiB) fills the other part way through a write; "rofs" remounted read-only.
  // False where the test may not mount one.
  bool tmpfs(const std::string& name) const {
    fs::create_directory(dir / name);
    const std::string at = *this / name;
    if (::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=8k") != 0) return false;
    file(name + "/design.GYR", 0644);
    return name == "full" || ::mount({}, at.c_str(), {}, MS_REMOUNT | MS_RDONLY, {}) == 0;
  }
  // Each entry as a listing shows it: kind and permission bits, owner, group, links, and the
  // content of a file or the target of a link.
  auto listing() const {
    std::map<std::string, std::tuple<mode_t, uid_t, gid_t, nlink_t, std::string>> entries;
    for (const fs::path& p : fs::recursive_directory_iterator(dir)) {
      struct stat st{};
      ::lstat(p.c_str(), &st);
      const std::string content = S_ISLNK(st.st_mode) ? fs::read_symlink(p).string()
                                  : S_ISREG(st.st_mode) ? contents(p) : "";
      entries[p.lexically_relative(dir)] = {st.st_mode, st.st_uid, st.st_gid, st.st_nlink, content};
    }
    return entries;
  }
  fs::path dir = ::mkdtemp((fs::temp_directory_path() / "gyrenda-save-XXXXXX").string().data());
  std::vector<std::string> unmade;  // what the test may not make here (not root)
  int reader = -1, stalled = -1, gone = -1;
  std::error_code ignored;
};

// Runs `call` on a thread of its own, which must never wait on the FIFO at `path`. Should it,
// the FIFO is opened and drained after a few seconds, which releases it (from waiting for a
// reader or for room), and the test fails instead of hanging. The call finds errno as an
// interrupted call left it: a file command reports the errors of its own calls, never one
// left over.
template <typename Call>
auto guarded(const std::string& path, Call call) {
  auto result = std::async(std::launch::async, [&] {
    errno = EINTR;
    return call();
  });
  if (result.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return result.get();
  ADD_FAILURE() << "waited on " << path;
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
  using namespace std::chrono_literals;
  for (char page[4096]; result.wait_for(10ms) != std::future_status::ready;)
    if (::read(fd, page, sizeof page) < 0) continue;
  ::close(fd);
  return result.get();
}

TEST(DataFile, MatchesTheGoldenFileWritesMissingCoordinatesAsZeroAndProposesAName) {
  test::OpenWindow w;  // the first validation pass leaves the result tables alone
  ParameterSet p = w.bench.linkage().parameters;
  RunResult r = w.bench.result();
  EXPECT_EQ(dataFileText(p, r), contents(kData / "default_after_start.GYR"));
  std::tie(r.outputX[2], r.outputY[2]) = std::pair(kNoPose, 9998.0f);  // 9999: none
  std::tie(r.outputX[3], r.outputY[3]) = std::pair(-0.25f, kNoPose);
  const auto rows = test::splitLines(dataFileText(p, r), "\r\n");
  EXPECT_EQ(rows.at(4) + " " + rows.at(5), "1,0,9998 1.5,-.25,0");
  EXPECT_EQ(proposedFileName(p), "R 18_A 36_B 36_L 31_C 72_D 0");
  for (const auto& [k, v] : {std::pair(0, 2.5f), {3, -0.25f}, {4, -72.0f}, {5, -0.0f}}) p[k] = v;
  EXPECT_EQ(proposedFileName(p), "R 2.5_A 36_B 36_L-.25_C-72_D 0");
}

// One row per rule; the bounded read is measured by where the stream stands afterwards.
TEST(DataFileReader, TakesTheFirstThirteenNumbersInAnyDecimalFormAndReadsABoundedAmount) {
  const std::string tail = ",31,72,0,50,100,30,20,55,150,55\r\n";
  const auto third = [&](const std::string& f) { return "\"Gyrenda\"\r\n18,36," + f + tail; };
  const auto mb = [](char c) { return std::string(1 << 20, c); };
  const std::optional<float> no;  // refused; else the defaults with the third value shown
  const std::pair<std::string, std::optional<float>> cases[] = {
      {"\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,0,.5" + mb('0'), 36},
      {"\xEF\xBB\xBF" + third("36"), 36}, {"  \"Gyrenda\" \r\n\r\n 18 ,\t36, 36" + tail, 36},
      {"\"Gyrenda\"\n18,36,36\n31,72,0,50\r\n100,30\r20,55,150\n55", 36},
      // a blank line between records is passed over; an empty value at a line's end is not
      {"\"Gyrenda\"\r\n18,36,36\r\n\r\n31,72,0,50,100,30,20,55,150,55", 36},
      {"\"Gyrenda\"\r\n18,36,36,\r\n31,72,0,50,100,30,20,55,150,55", no},
      {"\"Gyrenda\"\r\n" + std::string(1000, '\n') + "18,36,36" + tail, 36},  // 1000 at most
      {"\"Gyrenda\"\r\n" + std::string(1001, '\n') + "18,36,36" + tail, no},
      {"Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55", 36},
      {third("1e-400"), 0}, {third("1e39"), 30000}, {third("-1e39"), -30000},
      {third("-4E+999999"), -30000}, {third("1e38"), 1e38f}, {"\xEF\xBB" + third("36"), no},
      // rounded once, as the box rounds it: just above half-way, so not to the even 8
      {third("8.00000047683715820312500001"), 8.00000095f}, {third("+-55"), no},
      {"\"GYRENDA\"\r\n18,36,36" + tail, no}, {"\"Gyrenda\"x\r\n18,36,36" + tail, no},
      {"\"Gyrenda\r\n18,36,36" + tail, no}, {third("36x"), no}, {third("inf"), no},
      {third("nan"), no}, {third("  "), no}, {third("\"36\""), no},
      {"\"Gyrenda\"\r\n18,36,36,31,7", no}, {third(mb('7')), no}, {third(mb(' ')), no},
      {third(std::string(254, '0') + "36"), 36}, {third(std::string(255, '0') + "36"), no},
      {"\"Gyrenda\"" + mb(' '), no}, {third(mb('\n')), no}, {"\"" + mb('G'), no}};
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text.substr(0, 60));
    std::istringstream in(text);
    const ParameterSet design{18, 36, value.value_or(0), 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
    EXPECT_EQ(readDataFileParams(in), value ? std::optional(design) : std::nullopt);
    in.clear();
    EXPECT_LE(in.tellg(), value ? 1100 : 64 << 10);
  }
}

// A file's head: whole up to the limit, and a file longer than the limit said to be so, with
// its start; a folder is not read.
TEST(FileHead, ReadsUpToItsLimitAndSaysWhetherMoreWasThere) {
  const test::TempFolder folder;
  for (const std::size_t size : {0u, 9u, 10u, 11u, 5000u}) {
    const FileHead head = readFileHead(folder.file("f", std::string(size, 'x')), 10);
    EXPECT_EQ(std::tie(head.error, head.larger, head.bytes),
              std::make_tuple(0, size > 10, std::string(std::min<std::size_t>(size, 10), 'x')))
        << size;
  }
  EXPECT_EQ(readFileHead(folder.path, 10).error, kNotARegularFile);
}

// Dialogs answer what the test set, the save dialog only when it proposes the name of the
// opening design; the encoders and the printer record each picture.
class FilePlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string& name) override {
    return name == proposal ? saveChoice : std::nullopt;
  }
  std::optional<int> askPrintCopies() override { return copies; }
  std::optional<std::string> encodeBitmap(const Raster& r) override { return record(r, "BM\xff"); }
  std::optional<std::string> encodeExport(ExportFormat f, const Raster& r,
                                          const Drawing&) override {
    return record(r, "export " + std::to_string(static_cast<int>(f)));
  }
  std::string printCanvas(const Raster& r) override { return record(r, printFailure); }
  std::string record(const Raster& r, const std::string& result) {
    pictures.push_back(r);
    return result;
  }
  std::optional<SaveChoice> saveChoice;
  std::optional<int> copies;
  std::string printFailure, proposal = "R 18_A 36_B 36_L 31_C 72_D 0";
  std::vector<Raster> pictures;
};
using FileWindow = test::OpenWindowWith<FilePlatform>;

// The data file of an analysis saved onto each target in each way, each way checking what its
// caller is told of `error`. Each target is named by its kind (a FIFO "piped" whose reader
// drains it while the save runs, "stalled" whose reader takes nothing, "gone" whose reader
// leaves once the save has filled its page, which must not end the program, "null" a character
// device, "ro" a read-only folder, "no" missing, "full" and "rofs" file systems) with what the
// save fails with (0: success) and the names that hold the new content afterwards: a regular
// file keeps its owner, group and mode (setuid and setgid dropped), a link is followed, a hard
// link kept, and a write that stops part way is no success. The save function waits 250 ms for
// a stalled reader; the other ways pass that target over, as each would wait the program's
// full 5 s in the same function.
TEST(SaveTargets, EachKindOfTargetEndsAsItShouldAndTheCallerIsToldWhy) {
  FileWindow w;
  w.bench.execute();
  const std::string written = dataFileText(w.bench.linkage().parameters, w.bench.result());
  const std::pair<const char*, std::function<void(const std::string&, int)>> ways[] = {
      {"save function",
       [&](const std::string& path, int error) {
         EXPECT_EQ(saveFile(path, written, std::chrono::milliseconds(250)), error);
       }},
      {"save command",
       [&](const std::string& path, int error) {
         w.platform.messages.clear();
         w.platform.saveChoice = SaveChoice{path, SaveFormat::DataFile};
         w.bench.save();
         EXPECT_EQ(w.platform.messages,
                   std::vector<Message>(error != 0, {MessageId::SaveFailed, path, error, {}}));
       }},
      {"headless program", [&](const std::string& path, int error) {
         std::ostringstream out, err;
         EXPECT_EQ(runCli({"--gyr", path}, out, err, {}), error ? 1 : 0);
         EXPECT_EQ(out.str() + err.str(),
                   error ? "gyrenda-cli: " + path + ": " + saveFailureInWords(error) + "\n" : "");
       }}};
  const struct { std::string name; int error; std::vector<std::string> changed; } targets[] = {
      {"new.GYR", 0, {"new.GYR"}}, {"old.GYR", 0, {"old.GYR"}}, {"link", 0, {"real.GYR"}},
      {"b.GYR", 0, {"a.GYR", "b.GYR"}}, {"piped", 0, {}}, {"fifo", ENXIO, {}},
      {"stalled", ETIMEDOUT, {}}, {"gone", EPIPE, {}}, {"null", 0, {}},
      {"protected.GYR", EACCES, {}}, {"ro/new.GYR", EACCES, {}}, {"no/new.GYR", ENOENT, {}},
      {"ro", EISDIR, {}}, {std::string(254, 'n'), 0, {std::string(254, 'n')}},
      {"full/design.GYR", ENOSPC, {}}, {"rofs/design.GYR", EROFS, {}}};
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (const auto& [way, save] : ways)
    for (const auto& [name, error, changed] : targets) {
      const std::string where = std::string(way) + ": " + name;
      SCOPED_TRACE(where);
      Scratch s;
      if (std::ranges::count(s.unmade, name) || (name == "stalled" && way != ways[0].first))
        continue;
      auto expected = s.listing();
      const std::string path = s / name;
      std::string piped;
      std::atomic<bool> saved = false;
      std::thread drain([&] {  // until a last look after the save
        for (bool done = false; !done;) {
          done = saved;
          pollfd in[] = {{s.reader, POLLIN, 0}, {s.gone, POLLIN, 0}};
          char page[4096];
          ::poll(in, 2, 1);
          const ssize_t n = in[0].revents & POLLIN ? ::read(s.reader, page, sizeof page) : 0;
          piped.append(page, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
          if (in[1].revents & POLLIN) ::close(std::exchange(s.gone, -1));
        }
      });
      guarded(path, [&] {
        SCOPED_TRACE(where);  // on the thread the way runs on
        save(path, error);
      });
      saved = true;
      drain.join();
      for (const std::string& holder : changed) {
        auto& [mode, uid, gid, links, content] = expected[holder];
        if (links == 0)  // a new file
          std::tie(mode, uid, gid, links) = std::tuple(0666 & ~umask, ::geteuid(), ::getegid(), 1);
        std::tie(mode, content) = std::pair(S_IFREG | (mode & 0777), written);
      }
      EXPECT_EQ(s.listing(), expected) << "and no temporary file is left";
      EXPECT_EQ(piped, name == "piped" ? written : "");
    }
}

// The File menu after its dialogs. Save and print draw the canvas afresh (one analysis) and
// hand it over only when their dialog gave a choice: a cancelled dialog, a cancelled file type
// (0), a data file (2) or a type beyond the exports (6) redraws nothing, print with neither
// printer nor file (0 copies) hands nothing over. Load unticks すぐに描画する first, then
// loads once (one analysis: the thirteen passes analyse nothing) or changes nothing; a path
// that is not a regular file (a FIFO without a writer included) is refused at once. No command
// tells the user anything but a print failure and a load that loaded nothing, which names the
// file and the reason, as the headless program reports it.
TEST(FileCommands, SaveAndPrintHandOverAFreshDrawingAndLoadLoadsOnceOrChangesNothing) {
  const std::array<std::string, kParamCount> loaded{"18", "36",  "36", "31", "72",  "0.5", "50",
                                                    "100", "-30", "20", "55", "150", "55"};
  const Scratch s;
  const auto at = [](const std::string& name) { return kData.string() + "/load_" + name + ".GYR"; };
  const auto save = &Workbench::save, print = &Workbench::print, load = &Workbench::load;
  // The dialog's answer (the kind of file saved, 1 to 5 in the dialog's order; copies; or any),
  // the printer's failure or the path to load,
  // the pictures handed over and whether the window was redrawn.
  const std::tuple<void (Workbench::*)(), std::optional<int>, std::string, unsigned, bool> cases[] = {
      {save, {}, "", 0, false}, {save, 1, "", 1, true}, {save, 2, "", 0, false},
      {save, 3, "", 1, true}, {save, 5, "", 1, true}, {print, {}, "", 0, false},
      {print, 0, "", 0, true},
      {print, 3, "", 3, true}, {print, 3, "紙切れ", 1, true}, {load, {}, "", 0, false},
      {load, 0, s / "fifo", 0, false}, {load, 0, s / "ro", 0, false},
      {load, 0, at("missing"), 0, false}, {load, 0, at("lowercase_header"), 0, false},
      {load, 0, at("number_first"), 0, false}, {load, 0, at("twelve_numbers"), 0, false},
      {load, 0, at("clean"), 0, true}, {load, 0, at("unquoted_header"), 0, true},
      {load, 0, at("hand_edited"), 0, true}};  // 0.50, blanks, lines split
  for (const auto& [click, answer, text, pictures, redrawn] : cases) {
    SCOPED_TRACE(text + " " + std::to_string(answer.value_or(-1)));
    FileWindow w;
    Workbench& bench = w.bench;
    bench.execute();
    bench.controls().drawImmediately = 1;
    bench.drawGrid();  // what is on the screen must not reach a picture
    const auto [boxes, canvas] = std::pair(bench.controls().boxText, bench.canvas());
    if (click == save && answer) w.platform.saveChoice = SaveChoice{s / "out", test::kSaveFormats[*answer - 1]};
    w.platform.openPath = answer ? std::optional(text) : std::nullopt;
    std::tie(w.platform.copies, w.platform.printFailure) = std::pair(answer, text);
    int analyses = 0;  // the six-bar is not analysed: the only yield at 0° starts an analysis
    w.platform.onYield = [&] { analyses += bench.loopCrankAngle() == 0; };
    guarded(text, [&] { (bench.*click)(); });
    const int type = click == save ? answer.value_or(0) : 0;
    const std::string data = dataFileText(bench.linkage().parameters, bench.result());
    EXPECT_EQ(contents(s / "out"), type == 1                ? "BM\xff"
                                   : type == 2              ? data
                                   : type > 2 && pictures   ? "export " + std::to_string(type) : "");
    fs::remove(s / "out");
    EXPECT_EQ(std::pair(bench.controls().drawImmediately == 0, analyses),
              std::pair(click == load, int{redrawn}));
    EXPECT_EQ(bench.controls().boxText, redrawn && click == load ? loaded : boxes);
    EXPECT_EQ(test::samePixels(bench.canvas(), canvas), !redrawn);
    EXPECT_EQ(w.platform.pictures.size(), pictures);
    for (const Raster& picture : w.platform.pictures)
      EXPECT_TRUE(test::samePixels(picture, bench.canvas()));
    const bool failed = click == print && !text.empty();
    const bool refused = click == load && answer && !redrawn;
    using Why = std::pair<int, std::string>;
    const auto [error, why] =
        text == s / "fifo" || text == s / "ro" ? Why(kNotARegularFile, "not a regular file")
        : text == at("missing")                ? Why(ENOENT, std::strerror(ENOENT))
        : Why(0, "not a Gyrenda data file, or its parameter line is incomplete or invalid");
    const Message told = failed ? Message{MessageId::PrintFailed, {}, 0, text}
                                : Message{MessageId::LoadFailed, text, error, why};
    EXPECT_EQ(w.platform.messages, std::vector<Message>(failed || refused, told));
    std::ostringstream out, err;
    const int status =
        refused ? guarded(text, [&] { return runCli({"--load", text}, out, err, {}); }) : 1;
    EXPECT_EQ(std::pair(status, err.str()),
              std::pair(1, refused ? "gyrenda-cli: " + text + ": " + why + "\n" : ""));
  }
}

}  // namespace
}  // namespace gyrenda
