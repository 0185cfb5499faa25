// The File menu's dialogs, printer and bitmap, driven as a user would drive them.
#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <regex>

#include "app/commands.h"
#include "app/startup.h"
#include "app/validation.h"
#include "files/qt_bitmap.h"
#include "files/qt_file_services.h"
#include "widget/bmp_reader.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

const std::string kProposal = "R 18_A 36_B 36_L 31_C 72_D 0";

// What the dialog's Save or Open button does (QFileDialog hides accept()).
void pressAccept(QDialog* d) { d->accept(); }

class FileServicesTest : public ::testing::Test {
 protected:
  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
  // Browses to the test's folder and types `name`, then picks file type `filter` if given.
  void enterName(QFileDialog* d, const char* name, int filter = 0) const {
    d->setDirectory(dir.path());
    d->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    auto* types = d->findChild<QComboBox*>("fileTypeCombo");
    while (types->currentIndex() < filter) QTest::keyClick(types, Qt::Key_Down);
  }
  QTemporaryDir dir;
};

TEST_F(FileServicesTest, SaveDialogReturnsThePathWithTheTypeOfTheFilterAndAsksBeforeReplacing) {
  ASSERT_TRUE(QFile(dir.filePath("old.GYR")).open(QIODevice::WriteOnly));
  // The type follows the filter, never the name; filter -1 cancels, type 0 means cancelled.
  const std::tuple<const char*, int, int, QMessageBox::StandardButton> cases[] = {
      {"design", 0, 1, QMessageBox::NoButton},   {"design", 1, 2, QMessageBox::NoButton},
      {"picture.BMP", 1, 2, QMessageBox::NoButton}, {"a.b.GYR", 0, 1, QMessageBox::NoButton},
      {"old.GYR", 1, 0, QMessageBox::No},        {"old.GYR", 1, 2, QMessageBox::Yes},
      {"", -1, 0, QMessageBox::NoButton}};
  for (const auto& [name, filter, fileType, answer] : cases) {
    SCOPED_TRACE(name);
    whenModal<QFileDialog>([&, name = name, filter = filter, answer = answer](QFileDialog* d) {
      EXPECT_EQ(d->nameFilters().join('|'), "Bitmap画像データ(*.BMP)|Gyrenda数値データ(*.GYR)");
      EXPECT_EQ(d->findChild<QLineEdit*>("fileNameEdit")->text().toStdString(), kProposal);
      if (filter < 0) return d->reject();
      enterName(d, name, filter);
      if (answer != QMessageBox::NoButton)
        whenModal<QMessageBox>([answer](QMessageBox* box) { box->button(answer)->click(); });
      pressAccept(d);
    });
    const auto choice = showSaveDialog(nullptr, kProposal).value_or(SaveChoice{});
    EXPECT_EQ(choice.path, fileType ? path(name) : "");
    EXPECT_EQ(choice.fileType, fileType);
  }
}

TEST_F(FileServicesTest, OpenDialogTakesAnExistingDataFile) {
  ASSERT_TRUE(QFile(dir.filePath("saved.GYR")).open(QIODevice::WriteOnly));
  whenModal<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->nameFilters(), QStringList{"Gyrenda数値データ(*.GYR)"});
    enterName(d, "saved.GYR");
    pressAccept(d);
  });
  EXPECT_EQ(showOpenDialog(nullptr), path("saved.GYR"));
  whenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(showOpenDialog(nullptr), std::nullopt);
}

TEST_F(FileServicesTest, PrintDialogReturnsTheCopiesOfOnePageAndLeavesThePrinterAtOneCopy) {
  for (const int copies : {3, 0}) {  // 0: the user cancels
    CanvasPrinter printer;
    whenModal<QPrintDialog>([copies](QPrintDialog* d) {
      auto* pages = d->findChild<QWidget*>("pagesRadioButton");
      EXPECT_TRUE(pages && !pages->isEnabled());
      if (copies == 0) return d->reject();
      d->findChild<QSpinBox*>("copies")->setValue(copies);
      pressAccept(d);
    });
    EXPECT_EQ(printer.showPrintDialog(nullptr), copies ? std::optional(copies) : std::nullopt);
    EXPECT_EQ(printer.printer().copyCount(), 1);
  }
}

// The window right after start-up and one Execute: grid, construction and loci drawn.
void analyse(Form& f) {
  Form_Load(f);
  parameter_LostFocus(f, 0);
  Command1_Click(f);
}

TEST_F(FileServicesTest, EachPrintIsADocumentOfOnePageHoldingTheCanvasImage) {
  Form f;
  analyse(f);
  CanvasPrinter printer;
  printer.printer().setOutputFormat(QPrinter::PdfFormat);
  for (const char* name : {"1.pdf", "2.pdf", "3.pdf"}) {
    printer.printer().setOutputFileName(QString::fromStdString(path(name)));
    EXPECT_EQ(printer.print(f.canvas), "");
    QFile in(QString::fromStdString(path(name)));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << name;
    const std::string pdf = in.readAll().toStdString();
    for (const char* entry :
         {R"(/Type\s*/Page\b)", R"(/Subtype\s*/Image\b)", R"(/Width\s+769\b)"}) {
      const std::regex re(entry);
      EXPECT_EQ(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), re), {}), 1)
          << name << " " << entry;
    }
  }
}

TEST(BitmapExport, IsTheCanvasAt769By449InThePaletteColours) {
  Form f;
  analyse(f);
  const auto bmp = test::readBmp(bitmapBytes(f.canvas).value_or(""));
  ASSERT_TRUE(bmp);
  ASSERT_EQ(bmp->width, 769);
  ASSERT_EQ(bmp->height, 449);
  const int quarter = angleIndex(45.0f);
  const std::tuple<const char*, float, float, Colour, test::BmpRgb> spots[] = {
      {"x axis", -50, 0, kGrid, {192, 192, 192}},
      {"lever half-circle", f.param(fixedLinkLength), f.param(leverRadius), kFourBarMarker,
       {0, 128, 0}},
      {"slide line", 100, 55, kSixBarMarker, {128, 0, 0}},
      {"locus at 45°", f.outputX[quarter], f.outputY[quarter], 11, {0, 255, 255}},
  };
  for (const auto& [what, x, y, role, rgb] : spots) {
    const auto p = f.canvas.toPixel(x, -y);
    ASSERT_TRUE(p && f.canvas.at(p->x, p->y) == role) << what;
    EXPECT_EQ(bmp->at(p->x, p->y), rgb) << what;
  }
}

}  // namespace
}  // namespace gyrenda::testing
