// The File menu's dialogs, printer and bitmap, driven as a user would drive them.
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/cli.h"
#include "app/startup.h"
#include "app/validation.h"
#include "files/qt_bitmap.h"
#include "files/qt_file_services.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

const std::string kProposal = "R 2.5_A 36_B 36_L 31_C 72_D-5";

class FileServicesTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  // Browses to the test's folder, types `name`, picks file type `filter` and presses the
  // dialog's Save or Open button (QFileDialog hides accept()).
  void enter(QFileDialog* d, const char* name, int filter = 0) const {
    d->setDirectory(dir.path());
    d->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    auto* types = d->findChild<QComboBox*>("fileTypeCombo");
    while (types->currentIndex() < filter) QTest::keyClick(types, Qt::Key_Down);
    static_cast<QDialog*>(d)->accept();
  }
  QTemporaryDir dir;
};

// The type follows the filter, never the name; the type's extension is added unless the name
// ends in one of the program's own. Filter -1 cancels; type 0 means cancelled.
TEST_F(FileServicesTest, SaveDialogAddsTheExtensionOfTheTypeAndAsksBeforeReplacing) {
  std::ofstream(path("old.GYR")) << "old";
  const std::tuple<const char*, int, const char*, int, QMessageBox::StandardButton> cases[] = {
      {"design", 0, "design.BMP", 1, QMessageBox::NoButton},
      {kProposal.c_str(), 1, "R 2.5_A 36_B 36_L 31_C 72_D-5.GYR", 2, QMessageBox::NoButton},
      {"picture.BMP", 1, "picture.BMP", 2, QMessageBox::NoButton},
      {"a.b.gyr", 0, "a.b.gyr", 1, QMessageBox::NoButton},
      {"old", 1, "", 0, QMessageBox::No}, {"old", 1, "old.GYR", 2, QMessageBox::Yes},
      {"", -1, "", 0, QMessageBox::NoButton}};
  for (const auto& [name, filter, saved, fileType, answer] : cases) {
    SCOPED_TRACE(name);
    whenModal<QFileDialog>([&, name = name, filter = filter, answer = answer](QFileDialog* d) {
      EXPECT_EQ(d->nameFilters().join('|'), "Bitmap画像データ(*.BMP)|Gyrenda数値データ(*.GYR)");
      EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text().toStdString(), kProposal);
      if (filter < 0) return d->reject();
      if (answer != QMessageBox::NoButton)
        whenModal<QMessageBox>([answer](QMessageBox* box) { box->button(answer)->click(); });
      enter(d, name, filter);
    });
    const auto choice = showSaveDialog(nullptr, kProposal).value_or(SaveChoice{});
    EXPECT_EQ(choice.path, fileType ? path(saved) : "");
    EXPECT_EQ(choice.fileType, fileType);
  }
  whenModal<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->nameFilters(), QStringList({"Gyrenda数値データ(*.GYR)", "すべてのファイル (*)"}));
    enter(d, "old.GYR");
  });
  EXPECT_EQ(showOpenDialog(nullptr), path("old.GYR"));
}

// Printing to a PDF file is offered whatever printers there are; each copy is a document of
// one page holding the canvas image.
TEST_F(FileServicesTest, PrintDialogOffersAPdfFileAndReturnsTheCopiesOfOnePage) {
  for (const int copies : {3, 0}) {  // 0: the user cancels
    CanvasPrinter printer;
    whenModal<QPrintDialog>([&](QPrintDialog* d) {
      EXPECT_FALSE(d->findChild<QWidget*>("pagesRadioButton")->isEnabled());
      if (copies == 0) return d->reject();
      auto* printers = d->findChild<QComboBox*>("printers");
      printers->setCurrentIndex(printers->findText("PDF", Qt::MatchContains));
      d->findChild<QLineEdit*>("filename")->setText(QString::fromStdString(path("copy.pdf")));
      d->findChild<QSpinBox*>("copies")->setValue(copies);
      static_cast<QDialog*>(d)->accept();
    });
    EXPECT_EQ(printer.showPrintDialog(nullptr), copies ? std::optional(copies) : std::nullopt);
    EXPECT_EQ(printer.printer().copyCount(), 1);
    if (copies == 0) continue;
    Form f;
    EXPECT_EQ(printer.print(f.canvas), "");
    std::ifstream in(path("copy.pdf"), std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(in), {}};
    for (const char* entry : {R"(/Type\s*/Page\b)", R"(/Subtype\s*/Image\b)", R"(/Width\s+769\b)"}) {
      const std::regex re(entry);
      EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), re), {}), 1) << entry;
    }
  }
}

class SavingPlatform : public QtPlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string&) override { return choice; }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  SaveChoice choice;
  std::vector<std::string> messages;
};

// The window's export goes through the same save as the headless program, which writes the
// same bytes: the canvas in the palette's colours at 96 dpi (3780 pixels per metre).
TEST_F(FileServicesTest, WindowSavesTheBitmapOfTheHeadlessProgramAndTellsWhyNotInJapanese) {
  std::ostringstream cli, err;
  ASSERT_EQ(runCli({"--bmp", "-"}, cli, err, CliServices{bitmapBytes}), 0);
  std::filesystem::create_symlink("real.BMP", path("link"));
  for (const std::string& target : {path("link"), path("no/picture.BMP")}) {
    auto platform = std::make_unique<SavingPlatform>();
    SavingPlatform* p = platform.get();
    p->choice = {target, 1};
    MainWindow window(std::move(platform));
    window.findChild<QAction*>("File_Save")->trigger();
    std::ifstream in(path("real.BMP"), std::ios::binary);
    const std::string bmp{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bmp, cli.str());
    EXPECT_TRUE(std::filesystem::is_symlink(path("link")));
    EXPECT_EQ(p->messages, target == path("link") ? std::vector<std::string>{}
              : std::vector<std::string>{"「" + target + "」を保存できませんでした。\nフォルダがありません。"});
  }
  const QImage image = QImage::fromData(QByteArray::fromStdString(cli.str()), "BMP");
  EXPECT_EQ(image.size(), QSize(769, 449));
  EXPECT_EQ(image.dotsPerMeterX(), 3780);
  EXPECT_EQ(image.dotsPerMeterY(), 3780);
  Form f;
  Form_Load(f);
  parameter_LostFocus(f, 0);
  for (const auto& [x, y, rgb] : {std::tuple(-50.0f, 0.0f, qRgb(192, 192, 192)), {100.0f, 55.0f, qRgb(128, 0, 0)}}) {
    const auto px = f.canvas.toPixel(x, -y);
    EXPECT_EQ(image.pixel(px->x, px->y), rgb) << x << "," << y;
  }
}

}  // namespace
}  // namespace gyrenda::testing
