// The File menu's dialogs, printer, bitmap and exports, driven as a user would drive them.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <fstream>
#include <map>

#include "core/test_support.h"
#include "desktop/file_dialogs.h"
#include "encoders/canvas_image.h"
#include "files/drawing.h"
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
      EXPECT_EQ(d->nameFilters().join('|'), "Bitmap画像データ(*.BMP)|Gyrenda数値データ(*.GYR)|"
                                            "PNG画像(*.png)|SVG図面(*.svg)|DXF図面(*.dxf)");
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
    constexpr SaveFormat kFormats[] = {SaveFormat::Bitmap, SaveFormat::DataFile, SaveFormat::Png,
                                       SaveFormat::Svg, SaveFormat::Dxf};
    EXPECT_EQ(showSaveDialog(nullptr, proposal),
              fileType ? std::optional(SaveChoice{path(saved), kFormats[fileType - 1]})
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

// A coordinate as the SVG checks compare it: the float it reads as, in full.
QString coordinate(float v) { return " " + QString::number(v, 'g', 9); }

// An SVG file's view box and its groups by id, each element in a group as its name, a polyline
// as its stroke colour and coordinates.
std::map<QString, QStringList> readSvg(const std::string& bytes, QString& viewBox) {
  std::map<QString, QStringList> groups;
  QXmlStreamReader xml(QByteArray::fromStdString(bytes));
  QString id;
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (!xml.isStartElement()) continue;
    const auto a = xml.attributes();
    QString element = xml.name().toString();
    if (element == "svg") viewBox = a.value("viewBox").toString();
    if (element == "polyline") {
      element = a.value("stroke").toString();
      for (const QString& n : a.value("points").toString().split(QRegularExpression("[ ,]")))
        element += coordinate(n.toFloat());
    }
    if (element == "g") groups[id = a.value("id").toString()];
    else groups[id] << element;
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return groups;
}

// The window's bitmap and exports of a run go through the same save as the headless program
// and hold the same bytes (where the save puts them and what it says when it fails:
// file_commands_test). Read back by Qt's own readers, the bitmap (at 96 dpi: 3780 pixels per
// metre) and the PNG (indexed) have the canvas's pixels in the palette's colours, and the SVG
// one group per layer holding the drawing of the run, in world units with y turned up.
TEST_F(FileServicesTest, WindowSavesWhatTheHeadlessProgramWritesAndItReadsBackAsTheRun) {
  click("analyseSixBar");
  for (auto [option, type] : {std::pair("--bmp", SaveFormat::Bitmap), {"--png", SaveFormat::Png},
                              {"--svg", SaveFormat::Svg}, {"--dxf", SaveFormat::Dxf}}) {
    platform->saveAs = SaveChoice{path(option), type};
    action("save")->trigger();
    EXPECT_EQ(contents(option), cli({"--six", option, "-"}).toStdString()) << option;
  }
  const auto read = [&](const char* name) {
    return QImage::fromData(QByteArray::fromStdString(contents(name)));
  };
  const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
  const QImage bmp = read("--bmp"), png = read("--png");
  EXPECT_EQ(std::tuple(bmp.dotsPerMeterX(), bmp.dotsPerMeterY(), png.format()),
            std::tuple(3780, 3780, QImage::Format_Indexed8));
  const QImage canvas = rgb(canvasImage(bench().canvas()));
  EXPECT_TRUE(rgb(bmp) == canvas && rgb(png) == canvas);

  const Drawing d = buildDrawing(bench().linkage(), bench().view(), bench().result());
  const Bounds b = extent(d);
  QString viewBox;
  const auto groups = readSvg(contents("--svg"), viewBox);
  EXPECT_EQ(viewBox, QString("%1 %2 %3 %4").arg(b.left).arg(-b.top).arg(b.right - b.left)
                        .arg(b.top - b.bottom));
  ASSERT_EQ(groups.size(), kLayerNames.size() + 1);  // and the one that turns y up
  const QString leverArc = R"(d="M 67 0 A 36 36 0 0 1 -5 )";  // counterclockwise, y up
  EXPECT_TRUE(QString::fromStdString(contents("--svg")).contains(leverArc));
  for (std::string_view name : kLayerNames) {
    QStringList expected;
    for (const DrawingItem& item : d.items) {
      if (layerName(item.layer) != name) continue;
      const Rgb c = kPalette[item.colour];
      const auto* p = std::get_if<Polyline>(&item.shape);
      expected << (p ? QString::asprintf("#%02x%02x%02x", c.r, c.g, c.b)
                     : QStringList{"circle", "path", "line", "circle"}.at(item.shape.index()));
      for (const WorldPoint& v : p ? p->vertices : std::vector<WorldPoint>{})
        expected.back() += coordinate(v.x) + coordinate(v.y);
    }
    EXPECT_EQ(groups.at(QString::fromUtf8(name)), expected) << name;
  }
}

}  // namespace
}  // namespace gyrenda::testing
