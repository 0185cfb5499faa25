// The numeric data file (written against its golden file, read from any stream) and the File
// menu through a fake platform: saving onto every kind of target through the core's save
// function, the headless program and the save command (what is on disk afterwards and what the
// caller is told), the bitmap export, load and print, with their cancelled dialogs.
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
#include "app/commands.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

const fs::path kData = GYRENDA_TEST_DATA_DIR;

std::string contents(const fs::path& path) { return test::readFile(path.string()); }

TEST(DataFile, MatchesTheGoldenFileWritesMissingCoordinatesAsZeroAndProposesAName) {
  test::OpenWindow w;  // the first validation pass leaves the result tables alone
  EXPECT_EQ(dataFileText(w.form), contents(kData / "default_after_start.GYR"));
  std::tie(w.form.outputX[2], w.form.outputY[2]) = std::pair(kNoPose, 9998.0f);  // 9999: none
  std::tie(w.form.outputX[3], w.form.outputY[3]) = std::pair(-0.25f, kNoPose);
  const auto rows = test::splitLines(dataFileText(w.form), "\r\n");
  EXPECT_EQ(rows.at(4) + " " + rows.at(5), "1,0,9998 1.5,-.25,0");
  EXPECT_EQ(proposedFileName(w.form), "R 18_A 36_B 36_L 31_C 72_D 0");
  for (const auto& [k, v] : {std::pair(0, 2.5f), {3, -0.25f}, {4, -72.0f}, {5, -0.0f}})
    w.form.param(k) = v;
  EXPECT_EQ(proposedFileName(w.form), "R 2.5_A 36_B 36_L-.25_C-72_D 0");
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
      {"\"Gyrenda\"\r\n" + std::string(1000, '\n') + "18,36,36" + tail, 36},  // 1000 at most
      {"\"Gyrenda\"\r\n" + std::string(1001, '\n') + "18,36,36" + tail, no},
      {"Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55", 36},
      {third("1e-400"), 0}, {third("1e39"), 30000}, {third("-1e39"), -30000},
      {third("-4E+999999"), -30000}, {third("1e38"), 1e38f}, {"\xEF\xBB" + third("36"), no},
      {"\"GYRENDA\"\r\n18,36,36" + tail, no}, {"\"Gyrenda\"x\r\n18,36,36" + tail, no},
      {"\"Gyrenda\r\n18,36,36" + tail, no}, {third("36x"), no}, {third("inf"), no},
      {third("nan"), no}, {third("  "), no}, {third("\"36\""), no},
      {"\"Gyrenda\"\r\n18,36,36,31,7", no}, {third(mb('7')), no}, {third(mb(' ')), no},
      {"\"Gyrenda\"" + mb(' '), no}, {third(mb('\n')), no}, {"\"" + mb('G'), no}};
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text.substr(0, 60));
    std::istringstream in(text);
    const ParamSet design{18, 36, value.value_or(0), 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
    EXPECT_EQ(readDataFileParams(in), value ? std::optional(design) : std::nullopt);
    in.clear();
    EXPECT_LE(in.tellg(), value ? 1100 : 64 << 10);
  }
}

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
                                  : S_ISREG(st.st_mode) ? contents(p) : "";
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

// Dialogs answer what the test set, the save dialog only when it proposes the name of the
// opening design; the encoder and the printer record each picture.
class FilePlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string& name) override {
    return name == proposal ? saveChoice : std::nullopt;
  }
  std::optional<int> askPrintCopies() override { return copies; }
  std::optional<std::string> encodeBitmap(const Raster& r) override { return record(r, "BM\xff"); }
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

// Saves the data file of an analysis (`written`, the headless program's output too) to `path`
// through the core's function (way 0), the headless program (1) or the window's save command
// (2); returns what the caller is told.
std::string saveVia(int way, const std::string& path, std::string& written) {
  FileWindow w;
  Command1_Click(w.form);
  written = dataFileText(w.form);
  std::ostringstream out, err;
  if (way == 0) return std::to_string(saveFile(path, written));
  const int status = way == 1 ? runCli({"--gyr", path}, out, err) : 0;
  if (way == 1) return std::to_string(status) + err.str() + out.str();
  w.platform.saveChoice = SaveChoice{path, 2};
  File_Save_Click(w.form);
  return w.platform.messages.empty() ? "" : w.platform.messages.back();
}

// Each target (named by its kind: a FIFO "piped" with a reader, "null" a character device, "ro"
// a read-only folder, "no" missing, "full" and "rofs" file systems), what the save fails with
// (0: success) and the names that hold the new content afterwards: a regular file keeps its
// owner, group and mode (setuid and setgid dropped), a link is followed, a hard link kept.
TEST(SaveTargets, EachKindOfTargetEndsAsItShouldAndTheCallerIsToldWhy) {
  const struct { std::string name; int error; std::vector<std::string> changed; } targets[] = {
      {"new.GYR", 0, {"new.GYR"}}, {"old.GYR", 0, {"old.GYR"}}, {"link", 0, {"real.GYR"}},
      {"b.GYR", 0, {"a.GYR", "b.GYR"}}, {"piped", 0, {}}, {"fifo", ENXIO, {}}, {"null", 0, {}},
      {"protected.GYR", EACCES, {}}, {"ro/new.GYR", EACCES, {}}, {"no/new.GYR", ENOENT, {}},
      {"ro", EISDIR, {}}, {std::string(254, 'n'), 0, {std::string(254, 'n')}},
      {"full/design.GYR", ENOSPC, {}}, {"rofs/design.GYR", EROFS, {}}};
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (const int way : {0, 1, 2}) {
    for (const auto& [name, error, changed] : targets) {
      SCOPED_TRACE(testing::Message() << "way " << way << ", " << name);
      Scratch s;
      if (std::ranges::count(s.unmade, name)) continue;
      auto expected = s.listing();
      const std::string path = s / name;
      const std::string mustTell[] = {std::to_string(error),
          error ? "1gyrenda-cli: " + path + ": " + saveFailureEnglish(error) + "\n" : "0",
          error ? "「" + path + "」を保存できませんでした。\n" + saveFailureJapanese(error) : ""};
      std::string written;
      EXPECT_EQ(guarded(path, [&] { return saveVia(way, path, written); }), mustTell[way]);
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
}

// The File menu after its dialogs. Save and print draw the canvas afresh (one analysis) and
// hand it over only when their dialog gave a choice: a cancelled dialog, a cancelled file type
// (0) or a data file (2) redraws nothing, print with neither printer nor file (0 copies) hands
// nothing over. Load unticks すぐに描画する first, then loads once (one analysis: the thirteen
// passes analyse nothing) or changes nothing; a path that is not a regular file (a FIFO without
// a writer included) is refused at once. No command tells the user anything but a print failure.
TEST(FileCommands, SaveAndPrintHandOverAFreshDrawingAndLoadLoadsOnceOrChangesNothing) {
  const std::array<std::string, kParamCount> loaded{"18", "36",  "36", "31", "72",  "0.5", "50",
                                                    "100", "-30", "20", "55", "150", "55"};
  const Scratch s;
  const auto at = [](const std::string& name) { return kData.string() + "/load_" + name + ".GYR"; };
  const auto save = File_Save_Click, print = File_Print_Click, load = File_Load_Click;
  // The dialog's answer (file type, copies or any), the printer's failure or the path to load,
  // the pictures handed over and whether the window was redrawn.
  const std::tuple<void (*)(Form&), std::optional<int>, std::string, unsigned, bool> cases[] = {
      {save, {}, "", 0, false}, {save, 0, "", 0, false}, {save, 1, "", 1, true},
      {save, 2, "", 0, false}, {print, {}, "", 0, false}, {print, 0, "", 0, true},
      {print, 3, "", 3, true}, {print, 3, "紙切れ", 1, true}, {load, {}, "", 0, false},
      {load, 0, s / "fifo", 0, false}, {load, 0, s / "ro", 0, false},
      {load, 0, at("missing"), 0, false}, {load, 0, at("lowercase_header"), 0, false},
      {load, 0, at("number_first"), 0, false}, {load, 0, at("twelve_numbers"), 0, false},
      {load, 0, at("clean"), 0, true}, {load, 0, at("unquoted_header"), 0, true},
      {load, 0, at("hand_edited"), 0, true}};  // 0.50, blanks, lines split
  for (const auto& [click, answer, text, pictures, redrawn] : cases) {
    SCOPED_TRACE(text);
    FileWindow w;
    Command1_Click(w.form);
    w.form.RealTimeSW = 1;
    w.form.canvas.clear(9);  // what is on the screen must not reach a picture
    const auto [boxes, canvas] = std::pair(w.form.parameterText, w.form.canvas);
    if (answer) w.platform.saveChoice = SaveChoice{s / "out", *answer};
    w.platform.openPath = answer ? std::optional(text) : std::nullopt;
    std::tie(w.platform.copies, w.platform.printFailure) = std::pair(answer, text);
    int analyses = 0;
    w.platform.onYield = [&] { analyses += w.form.fourBarPhase != 0 && w.form.crankAngle == 0; };
    guarded(text, [&] { click(w.form); });
    const std::string data = click == save && answer == 2 ? dataFileText(w.form) : "";
    EXPECT_EQ(contents(s / "out"), click == save && answer == 1 ? "BM\xff" : data);
    fs::remove(s / "out");
    EXPECT_EQ(std::pair(w.form.RealTimeSW == 0, analyses), std::pair(click == load, int{redrawn}));
    EXPECT_EQ(w.form.parameterText, redrawn && click == load ? loaded : boxes);
    EXPECT_EQ(test::samePixels(w.form.canvas, canvas), !redrawn);
    EXPECT_EQ(w.platform.pictures.size(), pictures);
    for (const Raster& picture : w.platform.pictures)
      EXPECT_TRUE(test::samePixels(picture, w.form.canvas));
    const bool failed = click == print && !text.empty();
    EXPECT_EQ(w.platform.messages, std::vector<std::string>(failed, "印刷できませんでした。\n" + text));
  }
}

}  // namespace
}  // namespace gyrenda
