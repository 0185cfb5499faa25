// The File menu's dialogs, printer, bitmap and exports, driven as a user would drive them.
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/cli.h"
#include "app/commands.h"
#include "app/startup.h"
#include "app/validation.h"
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
  // What the headless program writes to standard output for `args`.
  static std::string cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    EXPECT_EQ(runCli(args, out, err, CliServices{bitmapBytes, nullptr, exportBytes}), 0) << err.str();
    return out.str();
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

// The window's bitmap and exports go through the same save as the headless program and hold the
// same bytes: the bitmap is the canvas in the palette's colours at 96 dpi (3780 pixels per metre).
TEST_F(FileServicesTest, WindowSavesWhatTheHeadlessProgramWritesAndTellsWhyNotInJapanese) {
  std::filesystem::create_symlink("real.BMP", path("link"));
  auto recording = std::make_unique<RecordingPlatform>();
  RecordingPlatform& platform = *recording;
  MainWindow window(std::move(recording));
  for (const auto& [target, type] : {std::pair(path("link"), 1), {path("no/picture.BMP"), 1},
                                     {path("--png"), 3}, {path("--svg"), 4}, {path("--dxf"), 5}}) {
    platform.saveAs = SaveChoice{target, type};
    window.findChild<QAction*>("File_Save")->trigger();
  }
  const std::string bitmap = cli({"--bmp", "-"});
  EXPECT_EQ(contents("real.BMP"), bitmap);
  for (const char* option : {"--png", "--svg", "--dxf"})
    EXPECT_EQ(contents(option), cli({option, "-"})) << option;
  EXPECT_TRUE(std::filesystem::is_symlink(path("link")));
  const std::string missing = "「" + path("no/picture.BMP") + "」を保存できませんでした。\n";
  EXPECT_EQ(platform.messages, std::vector<std::string>{missing + "フォルダがありません。"});
  const QImage image = QImage::fromData(QByteArray::fromStdString(bitmap), "BMP");
  EXPECT_EQ(std::tuple(image.width(), image.height(), image.dotsPerMeterX(), image.dotsPerMeterY()),
            std::tuple(769, 449, 3780, 3780));
  const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
  EXPECT_TRUE(rgb(image) == rgb(canvasImage(window.form().canvas)));
}

// An SVG file's groups by id: the names of the elements in each, every polyline as its colour
// and coordinates, and every path's data.
struct SvgGroup {
  QStringList tags, paths;
  std::vector<std::pair<QString, std::vector<float>>> polylines;
};

std::map<QString, SvgGroup> readSvg(const std::string& bytes, QString& viewBox) {
  std::map<QString, SvgGroup> groups;
  QXmlStreamReader xml(QByteArray::fromStdString(bytes));
  QString id;
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (!xml.isStartElement()) continue;
    const auto a = xml.attributes();
    if (xml.name() == u"svg") viewBox = a.value("viewBox").toString();
    else if (xml.name() == u"g") groups[id = a.value("id").toString()];
    else groups[id].tags << xml.name().toString();
    if (xml.name() == u"path") groups[id].paths << a.value("d").toString();
    if (xml.name() != u"polyline") continue;
    std::vector<float> coordinates;
    for (const QString& n : a.value("points").toString().split(QRegularExpression("[ ,]")))
      coordinates.push_back(n.toFloat());
    groups[id].polylines.emplace_back(a.value("stroke").toString(), coordinates);
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return groups;
}

// The headless program's exports read back by Qt's own readers: the PNG has the bitmap's
// pixels, the SVG one group per layer holding the drawing of the same run, in world units with
// y turned up.
TEST_F(FileServicesTest, ExportsReadBackAsTheBitmapAndTheDrawingOfTheRun) {
  const auto image = [](const std::string& bytes, const char* format) {
    return QImage::fromData(QByteArray::fromStdString(bytes), format);
  };
  const QImage png = image(cli({"--six", "--png", "-"}), "PNG");
  EXPECT_EQ(std::pair(png.format(), png.size()),
            std::pair(QImage::Format_Indexed8, QSize(769, 449)));
  const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
  EXPECT_TRUE(rgb(png) == rgb(image(cli({"--six", "--bmp", "-"}), "BMP")));

  Form f;
  Form_Load(f);
  parameter_LostFocus(f, 0);
  f.Check3 = 1;
  Command1_Click(f);
  const Drawing d = buildDrawing(f);
  QString viewBox;
  const auto groups = readSvg(cli({"--six", "--svg", "-"}), viewBox);
  const Bounds b = extent(d);
  EXPECT_EQ(viewBox, QString("%1 %2 %3 %4").arg(b.left).arg(-b.top).arg(b.right - b.left)
                        .arg(b.top - b.bottom));
  ASSERT_EQ(groups.size(), kLayerNames.size() + 1);  // and the one that turns y up
  const QRegularExpression leverArc("^M 67 0 A 36 36 0 0 1 -5 ");  // counterclockwise, y up
  EXPECT_TRUE(groups.at("LEVER").paths.at(0).contains(leverArc));
  for (std::string_view name : kLayerNames) {
    SvgGroup expected;
    for (const DrawingItem& item : d.items) {
      if (layerName(item.layer) != name) continue;
      const QStringList tags{"circle", "path", "line", "circle", "polyline"};
      expected.tags << tags[static_cast<int>(item.shape.index())];
      if (const auto* p = std::get_if<Polyline>(&item.shape)) {
        const Rgb c = kPalette[item.colour];
        auto& [colour, coordinates] = expected.polylines.emplace_back();
        colour = QString::asprintf("#%02x%02x%02x", c.r, c.g, c.b);
        for (const WorldPoint& v : p->vertices) coordinates.insert(coordinates.end(), {v.x, v.y});
      }
    }
    const SvgGroup& shown = groups.at(QString::fromUtf8(name));
    EXPECT_EQ(shown.tags, expected.tags) << name;
    EXPECT_EQ(shown.polylines, expected.polylines) << name;
  }
}

}  // namespace
}  // namespace gyrenda::testing
