// The File menu through a fake platform: save, bitmap export, load and print, with their
// cancelled dialogs and failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <stdlib.h>

#include "app/commands.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

// Dialogs answer what the test set; the encoder and the printer record each picture with
// the yields before it.
class FilePlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string& proposed) override {
    proposals.push_back(proposed);
    return saveChoice;
  }
  std::optional<std::string> askOpenPath() override { return openPath; }
  std::optional<int> askPrintCopies() override { return copies; }
  std::optional<std::string> encodeBitmap(const Raster& r) override { record(r); return bitmap; }
  std::string printCanvas(const Raster& r) override { record(r); return printFailure; }
  void record(const Raster& r) { pictures.emplace_back(r, yields); }

  std::optional<SaveChoice> saveChoice;
  std::optional<std::string> openPath;
  std::optional<int> copies;
  std::optional<std::string> bitmap = std::string("BM\0\xff", 4);
  std::string printFailure;
  std::vector<std::string> proposals;
  std::vector<std::pair<Raster, int>> pictures;
};

// The open window with a directory of its own, removed with everything in it at the end.
struct FileWindow : test::OpenWindowWith<FilePlatform> {
  FileWindow() {
    std::string pattern = (fs::temp_directory_path() / "gyrenda-files-XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
  }
  ~FileWindow() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  std::string operator/(const std::string& name) const { return (dir / name).string(); }
  int files() const { return static_cast<int>(std::distance(fs::directory_iterator(dir), {})); }
  fs::path dir;
};

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fixture(const std::string& name) {
  return std::string(GYRENDA_TEST_DATA_DIR) + "/" + name;
}

TEST(FileSave, TheChosenTypeDecidesWhatIsWrittenWhateverTheNameAndACancelWritesNothing) {
  for (const int type : {-1, 0, 1, 2, 3}) {  // -1: cancelled; 1 bitmap, 2 data file
    SCOPED_TRACE(type);
    FileWindow w;
    w.platform.openPath = fixture("load_clean.GYR");
    File_Load_Click(w.form);
    const Raster executed = w.form.canvas;
    const int yieldsBefore = w.platform.yields;
    w.form.canvas.clear(9);  // what is on the screen must not reach a bitmap
    if (type >= 0) w.platform.saveChoice = SaveChoice{w / "picture.BMP", type};
    File_Save_Click(w.form);
    EXPECT_EQ(w.platform.proposals, std::vector<std::string>{"R 18_A 36_B 36_L 31_C 72_D .5"});
    const auto written = type == 2 ? contents(fixture("load_clean.GYR")) : *w.platform.bitmap;
    EXPECT_EQ(w.files(), type == 1 || type == 2);
    EXPECT_EQ(contents(w / "picture.BMP"), type == 1 || type == 2 ? written : "");
    EXPECT_EQ(w.platform.yields > yieldsBefore, type == 1);  // only the bitmap analyses first
    ASSERT_EQ(w.platform.pictures.size(), type == 1 ? 1u : 0u);
    for (const auto& [pixels, yieldsThen] : w.platform.pictures) {
      EXPECT_TRUE(test::samePixels(pixels, executed));
      EXPECT_EQ(yieldsThen, w.platform.yields);
    }
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(FileSave, FailedSaveKeepsWhatWasThereAndNamesTheFileInOneMessage) {
  const std::pair<const char*, int> cases[] = {{"folder", 2}, {"plain/x.GYR", 2}, {"plain", 1}};
  for (const auto& [target, type] : cases) {
    SCOPED_TRACE(target);
    FileWindow w;
    fs::create_directory(w / "folder");
    std::ofstream(w / "folder/inside") << "kept inside";
    std::ofstream(w / "plain") << "kept";
    w.platform.bitmap.reset();  // the bitmap cannot be made
    w.platform.saveChoice = SaveChoice{w / target, type};
    File_Save_Click(w.form);
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_NE(w.platform.messages[0].find(w / target), std::string::npos) << w.platform.messages[0];
    EXPECT_EQ(w.files(), 2);
    EXPECT_EQ(contents(w / "folder/inside"), "kept inside");
    EXPECT_EQ(contents(w / "plain"), "kept");
  }
}

TEST(FileLoad, UnticksDrawImmediatelyThenLoadsOnceOrChangesNothing) {
  const std::array<std::string, kParamCount> loaded{"18", "36", "36", "31", "72", "0.5", "50",
                                                    "100", "-30", "20", "55", "150", "55"};
  const std::pair<const char*, bool> cases[] = {
      {"", false}, {"load_lowercase_header.GYR", false}, {"load_number_first.GYR", false},
      {"load_twelve_numbers.GYR", false}, {"missing.GYR", false}, {"load_clean.GYR", true},
      {"load_unquoted_header.GYR", true}, {"load_hand_edited.GYR", true},  // 0.50, blanks, lines
  };
  for (const auto& [file, accepted] : cases) {
    SCOPED_TRACE(file);
    FileWindow w;
    Command1_Click(w.form);
    w.form.RealTimeSW = 1;  // unticked first, so that the thirteen passes analyse nothing
    const auto boxes = w.form.parameterText;
    const Raster canvas = w.form.canvas;
    if (*file) w.platform.openPath = fixture(file);
    int analyses = 0;
    w.platform.onYield = [&] { analyses += w.form.fourBarPhase != 0 && w.form.crankAngle == 0; };
    File_Load_Click(w.form);
    EXPECT_EQ(w.form.RealTimeSW, 0);
    EXPECT_EQ(analyses, accepted ? 1 : 0);
    EXPECT_EQ(w.form.parameterText, accepted ? loaded : boxes);
    EXPECT_TRUE(accepted || test::samePixels(w.form.canvas, canvas));
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(FilePrint, PrintsOneDocumentPerCopyOfTheFreshlyDrawnCanvas) {
  struct Case {
    std::optional<int> copies;
    const char* failure;
    std::size_t documents, messages;
  };
  const Case cases[] = {{std::nullopt, "", 0, 0}, {0, "", 0, 0}, {3, "", 3, 0}, {3, "紙切れ", 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.copies.value_or(-1) << " copies, failure " << c.failure);
    FileWindow w;
    w.form.canvas.clear(9);
    w.platform.copies = c.copies;
    w.platform.printFailure = c.failure;
    File_Print_Click(w.form);
    EXPECT_EQ(w.platform.pictures.size(), c.documents);
    const bool redrawn = test::countPixels(w.form.canvas, 9) < Raster::kWidth * Raster::kHeight;
    EXPECT_EQ(redrawn, c.copies.has_value());  // but not after a cancel
    for (const auto& [pixels, yieldsBefore] : w.platform.pictures) {
      EXPECT_TRUE(test::samePixels(pixels, w.form.canvas));
      EXPECT_EQ(yieldsBefore, w.platform.yields);
    }
    EXPECT_EQ(w.platform.messages.size(), c.messages);
    for (const auto& m : w.platform.messages) EXPECT_NE(m.find(c.failure), std::string::npos);
  }
}

}  // namespace
}  // namespace gyrenda
