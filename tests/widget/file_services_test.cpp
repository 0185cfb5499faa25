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
#include <sstream>

#include "app/cli.h"
#include "canvas/qt_canvas_image.h"
#include "files/qt_bitmap.h"
#include "files/qt_file_services.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

class FileServicesTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
  std::string contents(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  QTemporaryDir dir;
};

// The type follows the filter, never the name; the type's extension is added unless the name
// ends in one of the program's own. Filter -1 cancels; type 0 means cancelled.
TEST_F(FileServicesTest, SaveDialogAddsTheExtensionOfTheTypeAndAsksBeforeReplacing) {
  const std::string proposal = "R 2.5_A 36_B 36_L 31_C 72_D-5";
  std::ofstream(path("old.GYR")) << "old";
  const std::tuple<std::string, int, std::string, int, QMessageBox::StandardButton> cases[] = {
      {"design", 0, "design.BMP", 1, QMessageBox::NoButton}, {"a.b.gyr", 0, "a.b.gyr", 1, {}},
      {proposal, 1, proposal + ".GYR", 2, {}}, {"picture.BMP", 1, "picture.BMP", 2, {}},
      {"old", 1, "", 0, QMessageBox::No}, {"old", 1, "old.GYR", 2, QMessageBox::Yes},
      {"", -1, "", 0, {}}};
  for (const auto& [name, filter, saved, fileType, answer] : cases) {
    whenModal<QFileDialog>([&](QFileDialog* d) {
      EXPECT_EQ(d->nameFilters().join('|'), "Bitmap画像データ(*.BMP)|Gyrenda数値データ(*.GYR)");
      EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text().toStdString(), proposal);
      if (filter < 0) return d->reject();
      if (answer) whenModal<QMessageBox>([=](QMessageBox* box) { box->button(answer)->click(); });
      d->setDirectory(dir.path());
      d->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
      auto* types = d->findChild<QComboBox*>("fileTypeCombo");
      while (types->currentIndex() < filter) QTest::keyClick(types, Qt::Key_Down);
      static_cast<QDialog*>(d)->accept();  // QFileDialog hides accept()
    });
    const auto choice = showSaveDialog(nullptr, proposal).value_or(SaveChoice{});
    EXPECT_EQ(std::tuple(choice.path, choice.fileType),
              std::tuple(fileType ? path(saved) : "", fileType)) << name;
  }
  whenModal<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->nameFilters(), QStringList({"Gyrenda数値データ(*.GYR)", "すべてのファイル (*)"}));
    d->reject();
  });
  EXPECT_EQ(showOpenDialog(nullptr), std::nullopt);
}

// Printing to a PDF file is offered whatever printers there are.
TEST_F(FileServicesTest, PrintDialogOffersAPdfFileAndReturnsTheCopiesOfOnePage) {
  CanvasPrinter printer;
  whenModal<QPrintDialog>([&](QPrintDialog* d) {
    EXPECT_FALSE(d->findChild<QWidget*>("pagesRadioButton")->isEnabled());
    auto* printers = d->findChild<QComboBox*>("printers");
    printers->setCurrentIndex(printers->findText("PDF", Qt::MatchContains));
    d->findChild<QLineEdit*>("filename")->setText(QString::fromStdString(path("copy.pdf")));
    d->findChild<QSpinBox*>("copies")->setValue(3);
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(printer.showPrintDialog(nullptr), 3);
  EXPECT_EQ(printer.printer().copyCount(), 1);
  EXPECT_EQ(printer.print(Form().canvas), "");
  EXPECT_TRUE(contents("copy.pdf").starts_with("%PDF"));
}

// The window's export goes through the same save as the headless program and writes the same
// bytes: the canvas in the palette's colours at 96 dpi (3780 pixels per metre).
TEST_F(FileServicesTest, WindowSavesTheBitmapOfTheHeadlessProgramAndTellsWhyNotInJapanese) {
  std::ostringstream cli, err;
  ASSERT_EQ(runCli({"--bmp", "-"}, cli, err, CliServices{bitmapBytes, exportBytes}), 0);
  std::filesystem::create_symlink("real.BMP", path("link"));
  auto recording = std::make_unique<RecordingPlatform>();
  RecordingPlatform& platform = *recording;
  MainWindow window(std::move(recording));
  for (const std::string& target : {path("link"), path("no/picture.BMP")}) {
    platform.saveAs = SaveChoice{target, 1};
    window.findChild<QAction*>("File_Save")->trigger();
  }
  EXPECT_EQ(contents("real.BMP"), cli.str());
  EXPECT_TRUE(std::filesystem::is_symlink(path("link")));
  const std::string missing = "「" + path("no/picture.BMP") + "」を保存できませんでした。\n";
  EXPECT_EQ(platform.messages, std::vector<std::string>{missing + "フォルダがありません。"});
  const QImage image = QImage::fromData(QByteArray::fromStdString(cli.str()), "BMP");
  EXPECT_EQ(std::tuple(image.width(), image.height(), image.dotsPerMeterX(), image.dotsPerMeterY()),
            std::tuple(769, 449, 3780, 3780));
  const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
  EXPECT_TRUE(rgb(image) == rgb(canvasImage(window.form().canvas)));
}

}  // namespace
}  // namespace gyrenda::testing
