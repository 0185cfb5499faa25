// The File menu through a fake platform: the data file against its golden files, save, bitmap
// export, load and print, with their cancelled dialogs and failures (the kinds of target a
// save meets: save_faults_test).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/commands.h"
#include "canvas/locus.h"
#include "files/data_file.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

const fs::path kData = GYRENDA_TEST_DATA_DIR;

// Dialogs answer what the test set; the encoder and the printer record each picture with the
// yields before it. The window has a folder of its own, removed at the end.
class FilePlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string& proposed) override {
    proposals.push_back(proposed);
    return saveChoice;
  }
  std::optional<std::string> askOpenPath() override { return openPath; }
  std::optional<int> askPrintCopies() override { return copies; }
  std::optional<std::string> encodeBitmap(const Raster& r) override { record(r); return "BM\xff"; }
  std::string printCanvas(const Raster& r) override { record(r); return printFailure; }
  void record(const Raster& r) { pictures.emplace_back(r, yields); }
  std::optional<SaveChoice> saveChoice;
  std::optional<std::string> openPath;
  std::optional<int> copies;
  std::string printFailure;
  std::vector<std::string> proposals;
  std::vector<std::pair<Raster, int>> pictures;
};

struct FileWindow : test::OpenWindowWith<FilePlatform> {
  FileWindow() { dir = ::mkdtemp((fs::temp_directory_path() / "gyrenda-files-XXXXXX").string().data()); }
  ~FileWindow() { fs::remove_all(dir, ignored); }
  std::error_code ignored;
  fs::path dir;
};

// On a mismatch the actual text is written beside the golden file for a look at the difference.
TEST(DataFile, MatchesTheGoldenFileWritesMissingCoordinatesAsZeroAndProposesAName) {
  test::OpenWindow w;  // the first validation pass leaves the result tables alone
  if (dataFileText(w.form) != contents(kData / "default_after_start.GYR")) {
    std::ofstream(kData / "default_after_start.GYR.actual", std::ios::binary) << dataFileText(w.form);
    ADD_FAILURE() << "differs from default_after_start.GYR; see default_after_start.GYR.actual";
  }
  const struct { int index; float x, y; const char* row; } cases[] = {
      {2, kNoPose, 5, "1,0,5"}, {3, -0.25f, kNoPose, "1.5,-.25,0"},
      {720, kNoPose, kNoPose, "360,0,0"}, {719, 12345.67f, 9998, "359.5,12345.67,9998"}};
  mXmYcls(w.form);
  for (const auto& c : cases) std::tie(w.form.outputX[c.index], w.form.outputY[c.index]) = std::pair(c.x, c.y);
  const auto lines = test::splitLines(dataFileText(w.form), "\r\n");
  ASSERT_EQ(lines.size(), 723u);
  for (const auto& c : cases) EXPECT_EQ(lines[c.index + 2], c.row);
  EXPECT_EQ(proposedFileName(w.form), "R 18_A 36_B 36_L 31_C 72_D 0");
  for (const auto& [k, v] : {std::pair(0, 2.5f), {3, -0.25f}, {4, -72.0f}, {5, -0.0f}}) w.form.param(k) = v;
  EXPECT_EQ(proposedFileName(w.form), "R 2.5_A 36_B 36_L-.25_C-72_D 0");
}

TEST(FileSave, TheChosenTypeDecidesWhatIsWrittenWhateverTheNameAndACancelWritesNothing) {
  const std::string written[] = {"", "", "BM\xff", contents(kData / "load_clean.GYR"), ""};
  for (const int type : {-1, 0, 1, 2, 3}) {  // -1: cancelled; 1 bitmap, 2 data file
    FileWindow w;
    w.platform.openPath = kData / "load_clean.GYR";
    File_Load_Click(w.form);
    const Raster executed = w.form.canvas;
    const int yieldsBefore = w.platform.yields;
    w.form.canvas.clear(9);  // what is on the screen must not reach a bitmap
    if (type >= 0) w.platform.saveChoice = SaveChoice{w.dir / "picture.BMP", type};
    File_Save_Click(w.form);
    EXPECT_EQ(w.platform.proposals, std::vector<std::string>{"R 18_A 36_B 36_L 31_C 72_D .5"});
    EXPECT_EQ(contents(w.dir / "picture.BMP"), written[type + 1]) << type;
    EXPECT_EQ(w.platform.yields > yieldsBefore, type == 1);  // only the bitmap analyses first
    EXPECT_EQ(w.platform.pictures.size(), type == 1 ? 1u : 0u);
    for (const auto& [pixels, yieldsThen] : w.platform.pictures)
      EXPECT_TRUE(test::samePixels(pixels, executed) && yieldsThen == w.platform.yields);
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(FileLoad, UnticksDrawImmediatelyThenLoadsOnceOrChangesNothing) {
  const std::array<std::string, kParamCount> loaded{"18", "36", "36", "31", "72", "0.5", "50", "100", "-30",
                                                    "20", "55", "150", "55"};
  for (const auto& [file, accepted] : {std::pair("", false), {"load_lowercase_header.GYR", false},
           {"load_number_first.GYR", false}, {"load_twelve_numbers.GYR", false}, {"missing.GYR", false},
           {"load_clean.GYR", true}, {"load_unquoted_header.GYR", true}, {"load_hand_edited.GYR", true}}) {
    FileWindow w;  // hand edited: 0.50 for .5, blanks after commas, lines added
    Command1_Click(w.form);
    w.form.RealTimeSW = 1;  // unticked first, so that the thirteen passes analyse nothing
    const auto boxes = w.form.parameterText;
    const Raster canvas = w.form.canvas;
    if (*file) w.platform.openPath = kData / file;
    int analyses = 0;
    w.platform.onYield = [&] { analyses += w.form.fourBarPhase != 0 && w.form.crankAngle == 0; };
    File_Load_Click(w.form);
    EXPECT_EQ(std::tuple(w.form.RealTimeSW == 0, analyses, w.form.parameterText),
              std::tuple(true, accepted ? 1 : 0, accepted ? loaded : boxes)) << file;
    EXPECT_TRUE((accepted || test::samePixels(w.form.canvas, canvas)) && w.platform.messages.empty());
  }
}

// Nothing is redrawn unless the print dialog gave copies: no printer and no file gives none.
TEST(FilePrint, PrintsOneDocumentPerCopyOfTheFreshlyDrawnCanvas) {
  const struct { std::optional<int> copies; std::string failure; std::size_t documents; } cases[] = {
      {std::nullopt, "", 0}, {0, "", 0}, {3, "", 3}, {3, "紙切れ", 1}};
  for (const auto& c : cases) {
    FileWindow w;
    w.form.canvas.clear(9);
    std::tie(w.platform.copies, w.platform.printFailure) = std::tie(c.copies, c.failure);
    File_Print_Click(w.form);
    EXPECT_EQ(w.platform.pictures.size(), c.documents);
    EXPECT_EQ(test::countPixels(w.form.canvas, 9) < Raster::kWidth * Raster::kHeight, c.copies.has_value());
    for (const auto& [pixels, yieldsBefore] : w.platform.pictures)
      EXPECT_TRUE(test::samePixels(pixels, w.form.canvas) && yieldsBefore == w.platform.yields);
    EXPECT_EQ(w.platform.messages.size(), c.documents == 1 ? 1u : 0u);
    for (const auto& m : w.platform.messages) EXPECT_EQ(m, "印刷できませんでした。\n" + c.failure);
  }
}

}  // namespace
}  // namespace gyrenda
