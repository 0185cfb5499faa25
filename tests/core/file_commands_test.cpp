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

#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>

#include "app/cli.h"
#include "app/commands.h"
#include "canvas/locus.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/data_file_reader.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

const fs::path kData = GYRENDA_TEST_DATA_DIR;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// On a mismatch the actual text is written beside the golden file for a look at the difference.
TEST(DataFile, MatchesTheGoldenFileWritesMissingCoordinatesAsZeroAndProposesAName) {
  const fs::path golden = kData / "default_after_start.GYR";
  test::OpenWindow w;  // the first validation pass leaves the result tables alone
  if (dataFileText(w.form) != contents(golden)) {
    std::ofstream(golden.string() + ".actual", std::ios::binary) << dataFileText(w.form);
    ADD_FAILURE() << "differs from default_after_start.GYR; see default_after_start.GYR.actual";
  }
  const struct { int index; float x, y; const char* row; } cases[] = {{2, kNoPose, 5, "1,0,5"},
      {3, -0.25f, kNoPose, "1.5,-.25,0"}, {720, kNoPose, kNoPose, "360,0,0"}, {719, 12345.67f, 9998, "359.5,12345.67,9998"}};
  mXmYcls(w.form);
  for (const auto& c : cases) std::tie(w.form.outputX[c.index], w.form.outputY[c.index]) = std::pair(c.x, c.y);
  for (const auto& c : cases) EXPECT_EQ(test::splitLines(dataFileText(w.form), "\r\n").at(c.index + 2), c.row);
  EXPECT_EQ(proposedFileName(w.form), "R 18_A 36_B 36_L 31_C 72_D 0");
  for (const auto& [k, v] : {std::pair(0, 2.5f), {3, -0.25f}, {4, -72.0f}, {5, -0.0f}}) w.form.param(k) = v;
  EXPECT_EQ(proposedFileName(w.form), "R 2.5_A 36_B 36_L-.25_C-72_D 0");
}

TEST(DataFileReader, TakesTheFirstThirteenNumbersInAnyDecimalFormAndReadsABoundedAmount) {
  const std::string tail = ",31,72,0,50,100,30,20,55,150,55\r\n";
  const auto third = [&](const std::string& field) { return "\"Gyrenda\"\r\n18,36," + field + tail; };
  const auto mb = [](char c) { return std::string(1 << 20, c); };
  const float no = NAN;  // refused; an accepted case gives the defaults with the third value shown
  const std::pair<std::string, float> cases[] = {
      {"\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,0,0,0,.5", 36}, {"\xEF\xBB\xBF" + third("36"), 36},
      {"\"Gyrenda\"\n18,36,36\n31,72,0,50\r\n100,30\r20,55,150\n55", 36}, {"  \"Gyrenda\" \r\n\r\n 18 ,\t36, 36" + tail, 36},
      {"Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55", 36}, {third("36") + mb('0'), 36},
      {third("1e-400"), 0}, {third("-1e-400"), 0}, {third(".25E-1"), 0.025f}, {third("1e39"), 30000},
      {third("-1e39"), -30000}, {third("1E400"), 30000}, {third("-4e+999999"), -30000}, {third("1e38"), 1e38f},
      {"", no}, {"\xEF\xBB" + third("36"), no}, {"\"GYRENDA\"\r\n18,36,36" + tail, no}, {third("36x"), no},
      {"\"Gyrenda\"x\r\n18,36,36" + tail, no}, {"\"Gyrenda\r\n18,36,36" + tail, no}, {third("inf"), no},
      {third("nan"), no}, {third("1e"), no}, {third("0x10"), no}, {third("  "), no}, {third("\"36\""), no},
      {"\"Gyrenda\"\r\n18,36,36,31,7", no}, {third(mb('7')), no}, {third(mb(' ')), no}, {"\"Gyrenda\"" + mb(' '), no},
      {third(mb('\n')), no}, {third(mb(',')), no}, {"\"" + mb('G'), no}};
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(text.substr(0, 60));
    std::istringstream in(text);
    const ParamSet design{18, 36, value, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
    EXPECT_EQ(readDataFileParams(in), std::isnan(value) ? std::nullopt : std::optional(design));
    in.clear();
    EXPECT_LE(in.tellg(), std::isnan(value) ? 64 << 10 : 80);
  }
}

// An entry as a listing shows it: kind and permission bits, owner, group, links, and the
// content of a file or the target of a link.
using Entry = std::tuple<mode_t, uid_t, gid_t, nlink_t, std::string>;

// A folder of its own for one case, removed at the end with everything in it (a tmpfs mounted
// inside included), and the read end of a FIFO closed.
struct Scratch {
  Scratch() : dir(::mkdtemp((fs::temp_directory_path() / "gyrenda-save-XXXXXX").string().data())) {}
  ~Scratch() { ::close(reader), ::umount((dir / "tiny").c_str()), fs::remove_all(dir, ignored); }
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
      const std::string content = S_ISLNK(st.st_mode) ? fs::read_symlink(e.path()).string()
                                  : S_ISREG(st.st_mode) ? contents(e.path()) : "";
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
struct Target { const char* what; int error; std::vector<std::string> changed; std::function<std::string(Scratch&)> make; };

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

// Dialogs answer what the test set; the encoder and the printer record each picture with the
// yields before it.
class FilePlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string& name) override { proposal = name; return saveChoice; }
  std::optional<std::string> askOpenPath() override { return openPath; }
  std::optional<int> askPrintCopies() override { return copies; }
  std::optional<std::string> encodeBitmap(const Raster& r) override { record(r); return "BM\xff"; }
  std::string printCanvas(const Raster& r) override { record(r); return printFailure; }
  void record(const Raster& r) { pictures.emplace_back(r, yields); }
  std::optional<SaveChoice> saveChoice;
  std::optional<std::string> openPath;
  std::optional<int> copies;
  std::string printFailure, proposal;
  std::vector<std::pair<Raster, int>> pictures;
};
using FileWindow = test::OpenWindowWith<FilePlatform>;

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
    written = (runCli({}, analysed, err), analysed.str());
    const int status = runCli({"--gyr", path}, out, err);
    return {std::to_string(status) + err.str() + out.str(), error ? "1gyrenda-cli: " + path + ": " + saveFailureEnglish(error) + "\n" : "0"};
  }
  FileWindow w;
  w.platform.saveChoice = SaveChoice{path, 2};
  written = dataFileText(w.form);
  File_Save_Click(w.form);
  return {w.platform.messages.empty() ? "" : w.platform.messages.back(), error ? "「" + path + "」を保存できませんでした。\n" + saveFailureJapanese(error) : ""};
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
      EXPECT_EQ(piped.substr(0, std::max<ssize_t>(0, ::read(s.reader, piped.data(), piped.size()))), s.reader >= 0 ? written : "");
    }
  }
}

// Save and print draw the canvas afresh, and hand it over, only when their dialog gave a
// choice: a cancelled dialog (or print with neither printer nor file) redraws nothing.
TEST(FileCommands, SaveAndPrintHandOverAFreshDrawingOfWhatWasChosen) {
  const std::string data = contents(kData / "load_clean.GYR");
  const struct { bool print; std::optional<int> choice; std::string failure; std::size_t pictures; std::string written; } cases[] = {
      {false, {}, "", 0, ""}, {false, 0, "", 0, ""}, {false, 1, "", 1, "BM\xff"}, {false, 2, "", 0, data},
      {false, 3, "", 0, ""}, {true, {}, "", 0, ""}, {true, 0, "", 0, ""}, {true, 3, "", 3, ""}, {true, 3, "紙切れ", 1, ""}};
  for (const auto& [print, choice, failure, pictures, written] : cases) {
    FileWindow w;
    Scratch s;
    w.platform.openPath = kData / "load_clean.GYR";
    File_Load_Click(w.form);
    w.form.canvas.clear(9);  // what is on the screen must not reach a picture
    if (choice && !print) w.platform.saveChoice = SaveChoice{s / "picture.BMP", *choice};
    std::tie(w.platform.copies, w.platform.printFailure) = std::pair(print ? choice : std::nullopt, failure);
    const int yields = w.platform.yields;
    (print ? File_Print_Click : File_Save_Click)(w.form);
    EXPECT_EQ(w.platform.proposal, print ? "" : "R 18_A 36_B 36_L 31_C 72_D .5");
    EXPECT_EQ(contents(s / "picture.BMP"), written);
    EXPECT_EQ(w.platform.pictures.size(), pictures);
    EXPECT_EQ(w.platform.yields > yields, print ? choice.has_value() : choice == 1) << "redrawn and analysed";
    for (const auto& [pixels, yieldsThen] : w.platform.pictures)
      EXPECT_TRUE(test::samePixels(pixels, w.form.canvas) && yieldsThen == w.platform.yields);
    EXPECT_EQ(w.platform.messages, failure.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{"印刷できませんでした。\n" + failure});
  }
}

// A path that is not a regular file is refused at once, a FIFO without a writer included.
TEST(FileLoad, UnticksDrawImmediatelyThenLoadsOnceOrChangesNothing) {
  const std::array<std::string, kParamCount> loaded{"18", "36", "36", "31", "72", "0.5", "50", "100", "-30",
                                                    "20", "55", "150", "55"};
  const Scratch s;
  const auto at = [](const char* name) { return (kData / name).string(); };
  for (const auto& [path, accepted] : {std::pair(std::string(), false), {s.fifo(), false}, {s.dir.string(), false},
           {at("load_lowercase_header.GYR"), false}, {at("load_number_first.GYR"), false},
           {at("load_twelve_numbers.GYR"), false}, {at("missing.GYR"), false}, {at("load_clean.GYR"), true},
           {at("load_unquoted_header.GYR"), true}, {at("load_hand_edited.GYR"), true}}) {  // 0.50, blanks, lines
    FileWindow w;
    Command1_Click(w.form);
    w.form.RealTimeSW = 1;  // unticked first, so that the thirteen passes analyse nothing
    const auto boxes = w.form.parameterText;
    const Raster canvas = w.form.canvas;
    if (!path.empty()) w.platform.openPath = path;
    int analyses = 0;
    w.platform.onYield = [&] { analyses += w.form.fourBarPhase != 0 && w.form.crankAngle == 0; };
    guarded(path, [&] { return File_Load_Click(w.form), 0; });
    EXPECT_EQ(std::tuple(w.form.RealTimeSW == 0, analyses, w.form.parameterText),
              std::tuple(true, accepted ? 1 : 0, accepted ? loaded : boxes)) << path;
    EXPECT_TRUE((accepted || test::samePixels(w.form.canvas, canvas)) && w.platform.messages.empty());
  }
}

}  // namespace
}  // namespace gyrenda
