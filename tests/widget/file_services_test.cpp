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

// A shape as an SVG reader sees it: element, colour and the numbers of its geometry.
struct Shown {
  QString tag, colour;
  std::vector<float> numbers;
  friend bool operator==(const Shown&, const Shown&) = default;
};

std::map<QString, std::vector<Shown>> readSvg(const std::string& bytes, QString& viewBox) {
  std::map<QString, std::vector<Shown>> groups;
  QXmlStreamReader xml(QByteArray::fromStdString(bytes));
  QString group;
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (!xml.isStartElement()) continue;
    const auto a = xml.attributes();
    if (xml.name() == u"svg") viewBox = a.value("viewBox").toString();
    if (xml.name() == u"g" && a.hasAttribute("id")) group = a.value("id").toString();
    if (xml.name() == u"g") groups[group];
    QStringList numbers;
    for (const char* n : {"cx", "cy", "r", "x1", "y1", "x2", "y2"})
      if (a.hasAttribute(n)) numbers << a.value(n).toString();
    numbers << a.value("points").toString().split(QRegularExpression("[ ,]"), Qt::SkipEmptyParts);
    numbers << a.value("d").toString().split(' ').filter(QRegularExpression("\\d"));
    Shown shown{xml.name().toString(), a.value(a.hasAttribute("stroke") ? "stroke" : "fill")
                                           .toString(), {}};
    for (const QString& n : numbers) shown.numbers.push_back(n.toFloat());
    if (shown.tag != u"g" && shown.tag != u"svg" && !group.isEmpty())
      groups[group].push_back(shown);
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return groups;
}

// What the shapes of the drawing must read back as (an arc by its numbers alone: the lever
// half-circle of the defaults from (67, 0) to (-5, 0), radius 36, counterclockwise).
Shown expectedShown(const DrawingItem& item) {
  const Rgb c = kPalette[item.colour];
  Shown s{"", QString::asprintf("#%02x%02x%02x", c.r, c.g, c.b), {}};
  std::visit([&s](const auto& shape) {
    using T = std::decay_t<decltype(shape)>;
    if constexpr (std::is_same_v<T, Circle>)
      s = {"circle", s.colour, {shape.centre.x, shape.centre.y, shape.radius}};
    if constexpr (std::is_same_v<T, Pivot>) s = {"circle", s.colour, {shape.at.x, shape.at.y}};
    if constexpr (std::is_same_v<T, Segment>)
      s = {"line", s.colour, {shape.from.x, shape.from.y, shape.to.x, shape.to.y}};
    if constexpr (std::is_same_v<T, Arc>) s = {"path", s.colour, {67, 0, 36, 36, 0, 0, 1, -5, 0}};
    if constexpr (std::is_same_v<T, Polyline>) {
      s.tag = "polyline";
      for (const WorldPoint& v : shape.vertices) s.numbers.insert(s.numbers.end(), {v.x, v.y});
    }
  }, item.shape);
  return s;
}

// The headless program's exports read back by Qt's own readers: the PNG has the bitmap's
// pixels, the SVG one group per layer holding the drawing of the same run, in world units with
// y turned up. The window's save writes the same bytes.
TEST_F(FileServicesTest, ExportsReadBackAsTheBitmapAndTheDrawingAndTheWindowSavesTheSame) {
  const auto cli = [](std::vector<std::string> args) {
    std::ostringstream out, err;
    EXPECT_EQ(runCli(args, out, err, CliServices{bitmapBytes, exportBytes}), 0) << err.str();
    return out.str();
  };
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
  EXPECT_EQ(viewBox.toStdString(), QString("%1 %2 %3 %4").arg(b.left).arg(-b.top)
                                       .arg(b.right - b.left).arg(b.top - b.bottom).toStdString());
  ASSERT_EQ(groups.size(), kLayerNames.size() + 1);  // and the one that turns y up
  for (std::string_view name : kLayerNames) {
    std::vector<Shown> expected;
    for (const DrawingItem& item : d.items)
      if (layerName(item.layer) == name) expected.push_back(expectedShown(item));
    std::vector<Shown> shown = groups.at(QString::fromUtf8(name));
    ASSERT_EQ(shown.size(), expected.size()) << name;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      Shown& s = shown[i];
      const std::vector<float>& e = expected[i].numbers;
      for (std::size_t k = 0; s.tag == u"path" && k < s.numbers.size(); ++k)
        if (std::abs(s.numbers[k] - e.at(k)) < 1e-4f) s.numbers[k] = e[k];
      s.numbers.resize(e.size());  // a pivot's mark has a radius of its own
      EXPECT_EQ(s, expected[i]) << name << " " << i;
    }
  }

  auto recording = std::make_unique<RecordingPlatform>();
  RecordingPlatform& platform = *recording;
  MainWindow window(std::move(recording));
  for (const auto& [type, option] : {std::pair(3, "--png"), {4, "--svg"}, {5, "--dxf"}}) {
    platform.saveAs = SaveChoice{path(option), type};
    window.findChild<QAction*>("File_Save")->trigger();
    EXPECT_EQ(contents(option), cli({option, "-"})) << option;
  }
  EXPECT_EQ(platform.messages, std::vector<std::string>{});
}

}  // namespace
}  // namespace gyrenda::testing
