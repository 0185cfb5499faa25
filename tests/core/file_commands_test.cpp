// The numeric data file (written against its golden file, read from any stream) and the File
// menu through a fake platform: saving onto every kind of target through the core's save
// function and the save command (what is on disk afterwards and what the caller is told; the
// headless program meets the same targets in its own tests), the bitmap export, load and
// print, with their cancelled dialogs.
#include <gtest/gtest.h>

#include <sstream>

#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/data_file_reader.h"
#include "save_targets.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;
using test::guarded;
using test::Scratch;

const fs::path kData = GYRENDA_TEST_DATA_DIR;

std::string contents(const fs::path& path) { return test::readFile(path.string()); }

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
    const ParameterSet design{18, 36, value.value_or(0), 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
    EXPECT_EQ(readDataFileParams(in), value ? std::optional(design) : std::nullopt);
    in.clear();
    EXPECT_LE(in.tellg(), value ? 1100 : 64 << 10);
  }
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

// The data file of an analysis, saved by the core's function (way 0) and the save command (1).
TEST(SaveTargets, EachKindOfTargetEndsAsItShouldAndTheCallerIsToldWhy) {
  FileWindow w;
  w.bench.execute();
  const std::string written = dataFileText(w.bench.linkage().parameters, w.bench.result());
  {
    SCOPED_TRACE("way 0");
    test::expectEachSaveTargetEndsAsItShould(
        written, [&](const std::string& path) { return saveFile(path, written); },
        [](const std::string&, int error) { return error; });
  }
  SCOPED_TRACE("way 1");
  test::expectEachSaveTargetEndsAsItShould(
      written,
      [&](const std::string& path) {
        w.platform.messages.clear();
        w.platform.saveChoice = SaveChoice{path, 2};
        w.bench.save();
        return w.platform.messages;
      },
      [](const std::string& path, int error) {
        return std::vector<Message>(error != 0, {MessageId::SaveFailed, path, error, {}});
      });
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
  const auto save = &Workbench::save, print = &Workbench::print, load = &Workbench::load;
  // The dialog's answer (file type, copies or any), the printer's failure or the path to load,
  // the pictures handed over and whether the window was redrawn.
  const std::tuple<void (Workbench::*)(), std::optional<int>, std::string, unsigned, bool> cases[] = {
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
    Workbench& bench = w.bench;
    bench.execute();
    bench.controls().drawImmediately = 1;
    bench.drawGrid();  // what is on the screen must not reach a picture
    const auto [boxes, canvas] = std::pair(bench.controls().boxText, bench.canvas());
    if (answer) w.platform.saveChoice = SaveChoice{s / "out", *answer};
    w.platform.openPath = answer ? std::optional(text) : std::nullopt;
    std::tie(w.platform.copies, w.platform.printFailure) = std::pair(answer, text);
    int analyses = 0;  // the six-bar is not analysed: the only yield at 0° starts an analysis
    w.platform.onYield = [&] { analyses += bench.loopCrankAngle() == 0; };
    guarded(text, [&] { (bench.*click)(); });
    const std::string data = click == save && answer == 2
                                 ? dataFileText(bench.linkage().parameters, bench.result()) : "";
    EXPECT_EQ(contents(s / "out"), click == save && answer == 1 ? "BM\xff" : data);
    fs::remove(s / "out");
    EXPECT_EQ(std::pair(bench.controls().drawImmediately == 0, analyses),
              std::pair(click == load, int{redrawn}));
    EXPECT_EQ(bench.controls().boxText, redrawn && click == load ? loaded : boxes);
    EXPECT_EQ(test::samePixels(bench.canvas(), canvas), !redrawn);
    EXPECT_EQ(w.platform.pictures.size(), pictures);
    for (const Raster& picture : w.platform.pictures)
      EXPECT_TRUE(test::samePixels(picture, bench.canvas()));
    const bool failed = click == print && !text.empty();
    EXPECT_EQ(w.platform.messages,
              std::vector<Message>(failed, {MessageId::PrintFailed, {}, 0, text}));
  }
}

}  // namespace
}  // namespace gyrenda
