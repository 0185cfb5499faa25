// The File menu's dialogs, printer, bitmap and exports, driven as a user would drive them.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <fstream>

#include "core/test_support.h"
#include "desktop/file_dialogs.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

class FileServicesTest : public MainWindowTest {
 protected:
  std::string path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
  std::string contents(const std::string& name) const { return test::readFile(path(name)); }
  QTemporaryDir dir;
};

// The type follows the filter, never the name; the type's extension is added unless the name
// ends in one of the program's own. The filter is stepped to by the keyboard, then picked again
// from the open list. Filter -1 cancels; type 0 means cancelled.
TEST_F(FileServicesTest, SaveDialogAddsTheExtensionOfTheTypeAndAsksBeforeReplacing) {
  const std::string proposal = "R 2.5_A 36_B 36_L 31_C 72_D-5";
  std::ofstream(path("old.GYR")) << "old";
  const std::tuple<std::string, int, std::string, int, QMessageBox::StandardButton> cases[] = {
      {"design", 0, "design.BMP", 1, QMessageBox::NoButton}, {"a.b.gyr", 0, "a.b.gyr", 1, {}},
      {proposal, 0, proposal + ".BMP", 1, {}},
      {proposal, 1, proposal + ".GYR", 2, {}}, {"picture.BMP", 1, "picture.BMP", 2, {}},
      {"old", 1, "", 0, QMessageBox::No}, {"old", 1, "old.GYR", 2, QMessageBox::Yes},
      {"design", 2, "design.png", 3, {}}, {"drawing", 3, "drawing.svg", 4, {}},
      {"plan.DXF", 4, "plan.DXF", 5, {}}, {"x.png", 4, "x.png", 5, {}}, {"", -1, "", 0, {}}};
  for (const auto& [name, filter, saved, fileType, answer] : cases) {
    whenModal<QFileDialog>([&](QFileDialog* d) {
      EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text().toStdString(), proposal);
      if (filter < 0) return d->reject();
      if (answer) whenModal<QMessageBox>([=](QMessageBox* box) { box->button(answer)->click(); });
      d->setDirectory(dir.path());
      d->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
      auto* types = d->findChild<QComboBox*>("fileTypeCombo");
      while (types->currentIndex() < filter) QTest::keyClick(types, Qt::Key_Down);
      types->showPopup();
      QTest::keyClick(types->view(), Qt::Key_Return);
      static_cast<QDialog*>(d)->accept();  // QFileDialog hides accept()
    });
    EXPECT_EQ(showSaveDialog(nullptr, proposal),
              fileType ? std::optional(SaveChoice{path(saved), test::kSaveFormats[fileType - 1]})
                       : std::nullopt) << name;
  }
  whenModal<QFileDialog>([](QFileDialog* d) {  // and closed unanswered
    EXPECT_EQ(d->nameFilters(), QStringList({"Gyrenda数値データ(*.GYR)", "すべてのファイル (*)"}));
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
  EXPECT_EQ(printer.print(Raster()), "");
  EXPECT_TRUE(contents("copy.pdf").starts_with("%PDF"));
}

// The window's bitmap and exports of a run go through the same save as the headless program
// and hold the same bytes (where the save puts them and what it says when it fails:
// file_commands_test; what they hold: cli_test).
TEST_F(FileServicesTest, WindowSavesWhatTheHeadlessProgramWrites) {
  click("analyseSixBar");
  for (auto [option, type] : {std::pair("--bmp", SaveFormat::Bitmap), {"--png", SaveFormat::Png},
                              {"--svg", SaveFormat::Svg}, {"--dxf", SaveFormat::Dxf}}) {
    platform->saveAs = SaveChoice{path(option), type};
    action("save")->trigger();
    EXPECT_EQ(contents(option), cli({"--six", option, "-"}).toStdString()) << option;
  }
}

}  // namespace
}  // namespace gyrenda::testing
