// The File menu through a fake platform: saving the data file and the bitmap, loading a
// design, printing, and what each does when a dialog is cancelled or the file system fails.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/commands.h"
#include "app/number_text.h"
#include "files/data_file.h"
#include "files/file_commands.h"
#include "test_support.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

// The platform's dialogs answer what the test has set; the bitmap encoder and the printer
// record what they were given.
class FilePlatform : public test::FakePlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string& proposedName) override {
    proposals.push_back(proposedName);
    return saveChoice;
  }
  std::optional<std::string> askOpenPath() override {
    ++openDialogs;
    return openPath;
  }
  std::optional<int> askPrintCopies() override {
    ++printDialogs;
    return copies;
  }
  std::optional<std::string> encodeBitmap(const Raster& canvas) override {
    handedOver.push_back({&canvas, canvas, yields});
    return bitmap;
  }
  std::string printCanvas(const Raster& canvas) override {
    handedOver.push_back({&canvas, canvas, yields});
    return printFailure;
  }

  std::optional<SaveChoice> saveChoice;
  std::optional<std::string> openPath;
  std::optional<int> copies;
  std::optional<std::string> bitmap = std::string("BM\0fake bitmap\x01\xff", 17);
  std::string printFailure;

  std::vector<std::string> proposals;
  int openDialogs = 0;
  int printDialogs = 0;
  struct Picture {
    const Raster* canvas;
    Raster pixels;
    int yieldsBefore;  // yields of the analysis that drew it
  };
  std::vector<Picture> handedOver;
};

// A directory of its own for each test, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "gyrenda-files-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::set<std::string> names() const {
    std::set<std::string> result;
    for (const auto& e : fs::directory_iterator(path_)) result.insert(e.path().filename().string());
    return result;
  }

 private:
  fs::path path_;
};

struct FileWindow {
  FileWindow() {
    Form_Load(form);
    parameter_LostFocus(form, 0);
  }
  FilePlatform platform;
  Form form{&platform};
  TempDir dir;
};

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string fixturePath(const std::string& name) {
  return std::string(GYRENDA_TEST_DATA_DIR) + "/" + name;
}

// Counts the analyses a run of the core starts: each four-bar search yields first at 0°.
int analysesIn(FileWindow& w, void (*command)(Form&)) {
  int analyses = 0;
  w.platform.onYield = [&] {
    if (w.form.fourBarPhase != 0 && w.form.crankAngle == 0.0f) ++analyses;
  };
  command(w.form);
  w.platform.onYield = nullptr;
  return analyses;
}

// The canvas after one Execute of the same design, drawn in a window of its own.
Raster executedPicture(const std::array<std::string, kParamCount>& boxes) {
  test::OpenWindow w;
  for (int k = 0; k < kParamCount; ++k)
    if (w.form.parameterText[k] != boxes[k]) test::leaveBox(w.form, k, boxes[k]);
  Command1_Click(w.form);
  return w.form.canvas;
}

TEST(FileSave, NumericTypeWritesTheDataFileWhateverTheName) {
  for (const char* name : {"design.GYR", "picture.BMP", "no extension"}) {
    SCOPED_TRACE(name);
    FileWindow w;
    Command1_Click(w.form);
    const int yieldsBefore = w.platform.yields;
    w.platform.saveChoice = SaveChoice{w.dir / name, 2};
    File_Save_Click(w.form);

    EXPECT_EQ(contents(w.dir / name), dataFileText(w.form));
    EXPECT_EQ(w.dir.names(), std::set<std::string>{name});
    EXPECT_EQ(w.platform.proposals, std::vector<std::string>{"R 18_A 36_B 36_L 31_C 72_D 0"});
    EXPECT_EQ(w.platform.yields, yieldsBefore);  // saving runs no analysis
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(FileSave, SaveLoadSaveGivesTheSameBytes) {
  FileWindow first;
  test::leaveBox(first.form, crankRadius, "17.5");
  test::leaveBox(first.form, outputOffsetY, "-3.25");
  test::leaveBox(first.form, slideStartY, "40.5");
  Command1_Click(first.form);
  const std::string saved = first.dir / "a.GYR";
  first.platform.saveChoice = SaveChoice{saved, 2};
  File_Save_Click(first.form);

  FileWindow second;
  second.platform.openPath = saved;
  File_Load_Click(second.form);
  EXPECT_EQ(second.form.parameterText, first.form.parameterText);
  second.platform.saveChoice = SaveChoice{second.dir / "b.GYR", 2};
  File_Save_Click(second.form);

  EXPECT_EQ(contents(second.dir / "b.GYR"), contents(saved));
}

TEST(FileSave, BitmapTypeRedrawsAnalysesAndWritesTheEncodedBytes) {
  FileWindow w;
  w.form.canvas.clear(9);  // whatever was on the screen must not reach the file
  w.form.Label5.clear();
  const std::string path = w.dir / "picture.BMP";
  w.platform.saveChoice = SaveChoice{path, 1};
  File_Save_Click(w.form);

  ASSERT_EQ(w.platform.handedOver.size(), 1u);
  const auto& picture = w.platform.handedOver[0];
  EXPECT_EQ(picture.canvas, &w.form.canvas);
  EXPECT_GT(picture.yieldsBefore, 0);
  EXPECT_TRUE(test::samePixels(picture.pixels, executedPicture(w.form.parameterText)));
  EXPECT_EQ(w.form.Label5, "終了");
  EXPECT_EQ(contents(path), *w.platform.bitmap);
  EXPECT_TRUE(w.platform.messages.empty());
}

TEST(FileSave, CancelledDialogOrUnknownTypeDoesNothing) {
  const std::optional<SaveChoice> choices[] = {std::nullopt, SaveChoice{"", 0}, SaveChoice{"", 3}};
  for (std::optional<SaveChoice> choice : choices) {
    SCOPED_TRACE(choice ? choice->fileType : -1);
    FileWindow w;
    if (choice) choice->path = w.dir / "design.GYR";
    w.platform.saveChoice = choice;
    const Raster before = w.form.canvas;
    File_Save_Click(w.form);

    EXPECT_EQ(w.platform.proposals.size(), 1u);
    EXPECT_TRUE(w.dir.names().empty());
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_EQ(w.platform.yields, 0);
    EXPECT_TRUE(test::samePixels(w.form.canvas, before));
  }
}

TEST(FileSave, FailedSaveKeepsWhatWasThereAndNamesTheFile) {
  struct Case {
    const char* what;
    const char* target;  // within the test's directory
    int fileType;
    bool bitmapFails;
  };
  const Case cases[] = {
      {"the target is a folder", "folder", 2, false},
      {"the target's folder is a file", "plain.txt/design.GYR", 2, false},
      {"the bitmap cannot be made", "old.BMP", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileWindow w;
    fs::create_directory(w.dir / "folder");
    writeFile(w.dir / "folder/inside.GYR", "kept inside");
    writeFile(w.dir / "plain.txt", "kept as a file");
    writeFile(w.dir / "old.BMP", std::string("old\0picture", 11));
    const auto namesBefore = w.dir.names();
    if (c.bitmapFails) w.platform.bitmap.reset();
    w.platform.saveChoice = SaveChoice{w.dir / c.target, c.fileType};
    File_Save_Click(w.form);

    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_NE(w.platform.messages[0].find(w.dir / c.target), std::string::npos)
        << w.platform.messages[0];
    EXPECT_EQ(w.dir.names(), namesBefore);
    EXPECT_TRUE(fs::is_directory(w.dir / "folder"));
    EXPECT_EQ(contents(w.dir / "folder/inside.GYR"), "kept inside");
    EXPECT_EQ(contents(w.dir / "plain.txt"), "kept as a file");
    EXPECT_EQ(contents(w.dir / "old.BMP"), std::string("old\0picture", 11));
  }
}

// What a rejected or cancelled load must leave as it was.
struct Snapshot {
  explicit Snapshot(const Form& f)
      : boxes(f.parameterText), values(f.paramValue), outputX(f.outputX), canvas(f.canvas) {}
  bool sameAs(const Form& f) const {
    return boxes == f.parameterText && values == f.paramValue && outputX == f.outputX &&
           test::samePixels(canvas, f.canvas);
  }
  std::array<std::string, kParamCount> boxes;
  std::array<float, kParamSlots> values;
  AngleTable outputX;
  Raster canvas;
};

TEST(FileLoad, RefusedOrCancelledLoadOnlyUnticksDrawImmediately) {
  struct Case {
    const char* what;
    std::optional<std::string> file;  // a fixture, or a name that does not exist
  };
  const Case cases[] = {
      {"dialog cancelled", std::nullopt},
      {"header in lower case", "load_lowercase_header.GYR"},
      {"a number for a header", "load_number_first.GYR"},
      {"only twelve numbers", "load_twelve_numbers.GYR"},
      {"file ends early", "load_ends_early.GYR"},
      {"a word among the numbers", "load_word_in_parameters.GYR"},
      {"no such file", "load_does_not_exist.GYR"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileWindow w;
    Command1_Click(w.form);
    w.form.RealTimeSW = 1;
    w.platform.yields = 0;
    const Snapshot before(w.form);
    if (c.file) w.platform.openPath = fixturePath(*c.file);
    File_Load_Click(w.form);

    EXPECT_EQ(w.platform.openDialogs, 1);
    EXPECT_EQ(w.form.RealTimeSW, 0);
    EXPECT_TRUE(before.sameAs(w.form));
    EXPECT_EQ(w.platform.yields, 0);
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(FileLoad, PutsTheFileValuesIntoTheBoxesAndAnalysesOnce) {
  // The field .5 (outputOffsetY) keeps its text: its bar already holds the rounded value 0.
  const std::array<std::string, kParamCount> expectedBoxes{
      "18", "36", "36", "31", "72", "0.5", "50", "100", "-30", "20", "55", "150", "55"};
  const Raster expectedPicture = executedPicture(expectedBoxes);
  for (const char* file : {"load_clean.GYR", "load_unquoted_header.GYR", "load_hand_edited.GYR"}) {
    SCOPED_TRACE(file);
    FileWindow w;
    w.form.RealTimeSW = 1;  // unticked by the load before its thirteen validation passes
    w.platform.openPath = fixturePath(file);

    EXPECT_EQ(analysesIn(w, &File_Load_Click), 1);
    EXPECT_EQ(w.form.parameterText, expectedBoxes);
    for (int k = 0; k < kParamCount; ++k)
      EXPECT_EQ(w.form.param(k), readNumber(expectedBoxes[k])) << "parameter " << k;
    EXPECT_EQ(w.form.RealTimeSW, 0);
    EXPECT_EQ(w.form.Label5, "終了");
    EXPECT_TRUE(test::samePixels(w.form.canvas, expectedPicture));
  }
}

TEST(FilePrint, PrintsOneDocumentPerCopyOfTheFreshlyDrawnCanvas) {
  struct Case {
    std::optional<int> copies;
    std::size_t documents;
    bool redrawn;
  };
  const Case cases[] = {{std::nullopt, 0, false}, {0, 0, true}, {1, 1, true}, {3, 3, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.copies ? *c.copies : -1);
    FileWindow w;
    w.form.canvas.clear(9);
    w.platform.copies = c.copies;
    File_Print_Click(w.form);

    EXPECT_EQ(w.platform.printDialogs, 1);
    EXPECT_EQ(w.platform.handedOver.size(), c.documents);
    EXPECT_EQ(w.platform.yields > 0, c.redrawn);
    EXPECT_EQ(test::countPixels(w.form.canvas, Colour{9}) == Raster::kWidth * Raster::kHeight,
              !c.redrawn);
    for (const auto& picture : w.platform.handedOver) {
      EXPECT_EQ(picture.canvas, &w.form.canvas);
      EXPECT_EQ(picture.yieldsBefore, w.platform.yields);
      EXPECT_TRUE(test::samePixels(picture.pixels, w.form.canvas));
    }
    EXPECT_TRUE(w.platform.messages.empty());
  }
}

TEST(FilePrint, PrinterFailureShowsOneMessage) {
  FileWindow w;
  w.platform.copies = 3;
  w.platform.printFailure = "プリンタがありません";
  File_Print_Click(w.form);
  ASSERT_EQ(w.platform.messages.size(), 1u);
  EXPECT_NE(w.platform.messages[0].find("プリンタがありません"), std::string::npos);
}

TEST(FileMenu, CommandsAreRefusedDuringARun) {
  for (void (*command)(Form&) : {&File_Save_Click, &File_Load_Click, &File_Print_Click}) {
    FileWindow w;
    w.platform.saveChoice = SaveChoice{w.dir / "design.GYR", 2};
    w.platform.copies = 1;
    w.platform.openPath = fixturePath("load_clean.GYR");
    w.form.RealTimeSW = 1;
    bool tried = false;
    w.platform.onYield = [&] {
      if (tried) return;
      tried = true;
      command(w.form);
    };
    Command1_Click(w.form);
    EXPECT_TRUE(tried);
    EXPECT_TRUE(w.platform.proposals.empty());
    EXPECT_EQ(w.platform.openDialogs + w.platform.printDialogs, 0);
    EXPECT_EQ(w.form.RealTimeSW, 1);
    EXPECT_TRUE(w.dir.names().empty());
  }
}

}  // namespace
}  // namespace gyrenda
