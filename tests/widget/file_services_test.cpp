// The File menu's dialogs, printer and bitmap, driven as a user would drive them: each modal
// dialog runs its own event loop, so the test acts from a timer that fires inside it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

#include "app/commands.h"
#include "app/startup.h"
#include "app/validation.h"
#include "files/qt_bitmap.h"
#include "files/qt_file_services.h"
#include "widget/bmp_reader.h"

namespace gyrenda {
namespace {

const QString kBitmapFilter = QString::fromUtf8("Bitmap画像データ(*.BMP)");
const QString kDataFilter = QString::fromUtf8("Gyrenda数値データ(*.GYR)");
const std::string kDefaultProposal = "R 18_A 36_B 36_L 31_C 72_D 0";

// Runs `act` on the modal window of type T as soon as it is the active one.
template <typename T>
void whenModal(std::function<void(T*)> act, int triesLeft = 300) {
  QTimer::singleShot(triesLeft == 300 ? 0 : 10, [act, triesLeft] {
    if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()); w && w->isVisible()) {
      act(w);
    } else if (triesLeft > 0) {
      whenModal<T>(act, triesLeft - 1);
    } else {
      ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " was shown";
    }
  });
}

// A dialog that a failed step left open would block the test for ever: close it.
class FileServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    rescue_.setSingleShot(true);
    QObject::connect(&rescue_, &QTimer::timeout, [] {
      while (QWidget* w = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "left open: " << w->metaObject()->className();
        w->close();
      }
    });
    rescue_.start(20000);
  }
  QString path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  QTimer rescue_;
};

QComboBox* fileTypes(QFileDialog* d) { return d->findChild<QComboBox*>("fileTypeCombo"); }
QLineEdit* fileName(QFileDialog* d) { return d->findChild<QLineEdit*>("fileNameEdit"); }

// Picks a file type as a user does with the keyboard, which is how Qt sees a user's choice.
void pickFileType(QFileDialog* d, int index) {
  QComboBox* types = fileTypes(d);
  while (types->currentIndex() < index) QTest::keyClick(types, Qt::Key_Down);
  while (types->currentIndex() > index) QTest::keyClick(types, Qt::Key_Up);
}

// Opens `dir` and puts `name` into the name box, as a user who browsed there and typed it.
void enterName(QFileDialog* d, const QString& dir, const QString& name) {
  d->setDirectory(dir);
  fileName(d)->setText(name);
}

// What the dialog's Save or Open button does.
void pressAccept(QDialog* d) { d->accept(); }

void touch(const QString& file) {
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("\"Gyrenda\"\r\n");
}

// --- Save and open dialogs ---------------------------------------------------------------

TEST_F(FileServicesTest, SaveDialogOffersBothFileTypesAndProposesTheName) {
  whenModal<QFileDialog>([](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(d->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(d->nameFilters(), (QStringList{kBitmapFilter, kDataFilter}));
    EXPECT_EQ(d->selectedNameFilter(), kBitmapFilter);
    EXPECT_EQ(fileName(d)->text().toStdString(), kDefaultProposal);
    EXPECT_TRUE(d->defaultSuffix().isEmpty());
    d->reject();
  });
  EXPECT_EQ(showSaveDialog(nullptr, kDefaultProposal), std::nullopt);
}

TEST_F(FileServicesTest, SaveDialogReturnsThePathAsTypedAndTheTypeOfTheFilter) {
  struct Case {
    const char* name;
    int filter;
    int fileType;
  };
  // The type follows the filter, never the name; the name is typed before the filter is
  // picked, the order in which a filter change could rewrite it.
  const Case cases[] = {
      {"design", 0, 1},      {"design", 1, 2}, {"picture.BMP", 1, 2},
      {"numbers.GYR", 0, 1}, {"a.b.c", 1, 2},
  };
  for (const Case& c : cases) {
    whenModal<QFileDialog>([&](QFileDialog* d) {
      enterName(d, dir_.path(), c.name);
      pickFileType(d, c.filter);
      pressAccept(d);
    });
    const auto choice = showSaveDialog(nullptr, kDefaultProposal);
    ASSERT_TRUE(choice) << c.name;
    EXPECT_EQ(choice->path, path(c.name).toStdString());
    EXPECT_EQ(choice->fileType, c.fileType) << c.name;
  }
}

TEST_F(FileServicesTest, SaveDialogKeepsAProposalWithADecimalPointWhenTheFilterChanges) {
  const std::string proposal = "R 2.5_A 36_B 36_L 31_C 72_D-5";
  whenModal<QFileDialog>([&](QFileDialog* d) {
    d->setDirectory(dir_.path());
    for (int filter : {1, 0, 1}) {
      pickFileType(d, filter);
      EXPECT_EQ(fileName(d)->text().toStdString(), proposal);
    }
    pressAccept(d);
  });
  const auto choice = showSaveDialog(nullptr, proposal);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->path, path(QString::fromStdString(proposal)).toStdString());
  EXPECT_EQ(choice->fileType, 2);
}

TEST_F(FileServicesTest, SaveDialogAsksBeforeReplacingAFile) {
  const QString existing = path("old.GYR");
  touch(existing);
  for (const bool replace : {false, true}) {
    whenModal<QFileDialog>([&](QFileDialog* d) {
      enterName(d, dir_.path(), "old.GYR");
      whenModal<QMessageBox>([&](QMessageBox* box) {
        box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
      });
      pressAccept(d);
      if (d->isVisible()) d->reject();
    });
    const auto choice = showSaveDialog(nullptr, kDefaultProposal);
    EXPECT_EQ(choice.has_value(), replace);
    if (choice) {
      EXPECT_EQ(choice->path, existing.toStdString());
    }
  }
}

TEST_F(FileServicesTest, OpenDialogTakesOnlyAnExistingDataFile) {
  const QString existing = path("saved.GYR");
  touch(existing);
  whenModal<QFileDialog>([&](QFileDialog* d) {
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(d->nameFilters(), QStringList{kDataFilter});
    EXPECT_TRUE(fileName(d)->text().isEmpty());
    enterName(d, dir_.path(), "saved.GYR");
    pressAccept(d);
  });
  EXPECT_EQ(showOpenDialog(nullptr), existing.toStdString());

  whenModal<QFileDialog>([&](QFileDialog* d) {
    enterName(d, dir_.path(), "missing.GYR");
    whenModal<QMessageBox>([](QMessageBox* box) { box->accept(); });
    pressAccept(d);
    EXPECT_TRUE(d->isVisible());
    d->reject();
  });
  EXPECT_EQ(showOpenDialog(nullptr), std::nullopt);
}

// --- Print dialog and printing -----------------------------------------------------------

TEST_F(FileServicesTest, PrintDialogReturnsTheCopiesAndLeavesThePrinterAtOneCopy) {
  struct Case {
    int copies;  // 0: the user cancels
    std::optional<int> result;
  };
  for (const Case c : {Case{3, 3}, Case{1, 1}, Case{0, std::nullopt}}) {
    CanvasPrinter printer;
    printer.printer().setCopyCount(5);
    whenModal<QPrintDialog>([&](QPrintDialog* d) {
      EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintToFile));
      EXPECT_FALSE(d->testOption(QAbstractPrintDialog::PrintPageRange));
      auto* copies = d->findChild<QSpinBox*>("copies");
      ASSERT_NE(copies, nullptr);
      EXPECT_EQ(copies->value(), 1);
      auto* printers = d->findChild<QComboBox*>("printers");
      ASSERT_NE(printers, nullptr);
      EXPECT_EQ(printers->findText(QPrintDialog::tr("Print to File (PDF)")), -1);
      auto* range = d->findChild<QRadioButton*>("printRange");
      ASSERT_NE(range, nullptr);
      EXPECT_FALSE(range->isEnabled());
      for (const char* name : {"pagesRadioButton", "from", "to"}) {
        auto* w = d->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_FALSE(w->isEnabled()) << name;
      }
      EXPECT_TRUE(d->findChild<QRadioButton*>("printAll")->isChecked());
      EXPECT_TRUE(d->findChild<QWidget*>("filename")->isHidden());
      if (c.copies == 0) {
        d->reject();
      } else {
        copies->setValue(c.copies);
        pressAccept(d);
      }
    });
    EXPECT_EQ(printer.showPrintDialog(nullptr), c.result);
    if (c.result) {
      EXPECT_EQ(printer.printer().copyCount(), 1);
    }
  }
}

TEST(CanvasPrintRect, KeepsTheScreenSizeUnlessThePageIsTooSmall) {
  struct Case {
    QSizeF printable;
    double dpi;
    QSizeF size;
  };
  const Case cases[] = {
      {{1000, 1000}, 96, {769, 449}},                       // screen resolution, room to spare
      {{12000, 9000}, 1200, {9612.5, 5612.5}},               // 8.01 × 4.68 inches at 1200 dpi
      {{9000, 13000}, 1200, {9000, 5612.5 * 9000 / 9612.5}},  // too wide: scaled to the width
      {{10000, 1000}, 600, {4806.25 * 1000 / 2806.25, 1000}},  // too low: scaled to the height
      {{0, 0}, 300, {0, 0}},
  };
  for (const Case& c : cases) {
    const QRectF r = canvasPrintRect(c.printable, c.dpi);
    EXPECT_EQ(r.topLeft(), QPointF(0, 0));
    EXPECT_NEAR(r.width(), c.size.width(), 1e-6) << c.dpi;
    EXPECT_NEAR(r.height(), c.size.height(), 1e-6) << c.dpi;
  }
}

// The window right after start-up and one Execute: grid, construction and loci drawn.
void analyse(Form& f) {
  Form_Load(f);
  parameter_LostFocus(f, 0);
  Command1_Click(f);
}

std::string readAll(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return {};
  return in.readAll().toStdString();
}

// How often the PDF holds the entry "key value" (blanks between them, the value whole).
int countEntries(const std::string& pdf, const std::string& key, const std::string& value) {
  int n = 0;
  for (auto at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + 1)) {
    auto v = pdf.find_first_not_of(" \r\n", at + key.size());
    if (v == std::string::npos || pdf.compare(v, value.size(), value) != 0) continue;
    v += value.size();
    n += v == pdf.size() || !std::isalnum(static_cast<unsigned char>(pdf[v]));
  }
  return n;
}

TEST_F(FileServicesTest, EachPrintIsADocumentOfOnePageHoldingTheCanvasImage) {
  Form f;
  analyse(f);
  CanvasPrinter printer;
  printer.printer().setOutputFormat(QPrinter::PdfFormat);
  const QStringList files{path("1.pdf"), path("2.pdf"), path("3.pdf")};
  for (const QString& file : files) {
    printer.printer().setOutputFileName(file);
    EXPECT_EQ(printer.print(f.canvas), "");
  }
  for (const QString& file : files) {
    const std::string pdf = readAll(file);
    EXPECT_EQ(countEntries(pdf, "/Type", "/Page"), 1) << file.toStdString();
    EXPECT_EQ(countEntries(pdf, "/Subtype", "/Image"), 1) << file.toStdString();
    EXPECT_EQ(countEntries(pdf, "/Width", "769"), 1) << file.toStdString();
    EXPECT_EQ(countEntries(pdf, "/Height", "449"), 1) << file.toStdString();
  }
}

// Where the page content puts the image, in points with y upwards: the unit square of the
// image drawn through the transformation matrix in force at its "Do".
struct Placement {
  double left = 0, top = 0, width = 0, height = 0;
};

struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  // This matrix applied first, then `n`, as the PDF "cm" operator composes them.
  Matrix then(const Matrix& n) const {
    return {a * n.a + b * n.c, a * n.b + b * n.d, c * n.a + d * n.c,
            c * n.b + d * n.d, e * n.a + f * n.c + n.e, e * n.b + f * n.d + n.f};
  }
};

std::optional<Placement> placementIn(const std::string& content) {
  std::vector<Matrix> saved;
  Matrix ctm;
  std::vector<double> operands;
  std::istringstream in(content);
  std::string previous;
  for (std::string token; in >> token; previous = token) {
    char* end = nullptr;
    const double number = std::strtod(token.c_str(), &end);
    if (end != token.c_str() && *end == '\0') {
      operands.push_back(number);
      continue;
    }
    if (token == "q") saved.push_back(ctm);
    if (token == "Q" && !saved.empty()) {
      ctm = saved.back();
      saved.pop_back();
    }
    if (token == "cm" && operands.size() >= 6) {
      const double* m = &operands[operands.size() - 6];
      ctm = Matrix{m[0], m[1], m[2], m[3], m[4], m[5]}.then(ctm);
    }
    if (token == "Do" && previous.rfind("/Im", 0) == 0) {
      const double xs[] = {ctm.e, ctm.a + ctm.e, ctm.c + ctm.e, ctm.a + ctm.c + ctm.e};
      const double ys[] = {ctm.f, ctm.b + ctm.f, ctm.d + ctm.f, ctm.b + ctm.d + ctm.f};
      const auto [x0, x1] = std::minmax_element(std::begin(xs), std::end(xs));
      const auto [y0, y1] = std::minmax_element(std::begin(ys), std::end(ys));
      return Placement{*x0, *y1, *x1 - *x0, *y1 - *y0};
    }
    operands.clear();
  }
  return std::nullopt;
}

// The page content is the compressed stream that draws an image.
std::optional<Placement> imagePlacement(const std::string& pdf) {
  for (auto at = pdf.find("stream"); at != std::string::npos; at = pdf.find("stream", at + 1)) {
    auto body = at + 6;
    if (at >= 3 && pdf.compare(at - 3, 3, "end") == 0) continue;
    if (pdf.compare(body, 1, "\r") == 0) ++body;
    if (pdf.compare(body, 1, "\n") != 0 || pdf.compare(body + 1, 1, "\x78") != 0) continue;  // zlib
    const auto end = pdf.find("endstream", body);
    if (end == std::string::npos) break;
    QByteArray packed("\x00\x10\x00\x00", 4);  // qUncompress wants an expected size first
    packed.append(QByteArray::fromStdString(pdf.substr(body + 1, end - body - 1)));
    if (const auto placed = placementIn(qUncompress(packed).toStdString())) return placed;
  }
  return std::nullopt;
}

TEST_F(FileServicesTest, ThePrintKeepsTheScreenSizeAtTheTopLeftOfThePrintableArea) {
  struct Case {
    QPageSize::PageSizeId page;
    QPageLayout::Orientation orientation;
    int dpi;
    double width;  // points, 0 for the printable width; 769 pixels at 96 dpi are 576.75 points
  };
  const Case cases[] = {
      {QPageSize::A4, QPageLayout::Landscape, 96, 576.75},
      {QPageSize::A4, QPageLayout::Landscape, 300, 576.75},
      {QPageSize::A4, QPageLayout::Landscape, 1200, 576.75},
      {QPageSize::A6, QPageLayout::Portrait, 1200, 0},  // too narrow
  };
  Raster canvas;
  const double margin = 10;
  for (const Case& c : cases) {
    CanvasPrinter printer;
    QPrinter& p = printer.printer();
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setResolution(c.dpi);
    const QMarginsF margins(margin, margin, margin, margin);
    p.setPageLayout(QPageLayout(QPageSize(c.page), c.orientation, margins));
    p.setOutputFileName(path("placed.pdf"));
    ASSERT_EQ(printer.print(canvas), "");
    const auto placed = imagePlacement(readAll(path("placed.pdf")));
    ASSERT_TRUE(placed) << c.dpi;
    const double pageHeight = p.pageLayout().fullRect(QPageLayout::Point).height();
    const double printableWidth = p.pageLayout().paintRect(QPageLayout::Point).width();
    const double pixel = 72.0 / c.dpi;  // the printable area is rounded to device pixels
    EXPECT_NEAR(placed->left, margin, pixel) << c.dpi;
    EXPECT_NEAR(placed->top, pageHeight - margin, pixel) << c.dpi;
    EXPECT_NEAR(placed->width, c.width > 0 ? c.width : printableWidth, pixel) << c.dpi;
    EXPECT_NEAR(placed->height, placed->width * 449 / 769, 1e-3) << c.dpi;
  }
}

TEST(CanvasPrinter, ReportsWhyItCouldNotPrint) {
  Raster canvas;
  struct Case {
    const char* outputFile;
    std::string reason;
  };
  const Case cases[] = {
      {"", "使えるプリンタがありません。"},
      {"/nonexistent-directory/page.pdf", "プリンタに印刷を始められませんでした。"},
  };
  for (const Case& c : cases) {
    CanvasPrinter printer;
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setPrinterName("");
    printer.printer().setOutputFileName(c.outputFile);
    EXPECT_EQ(printer.print(canvas), c.reason) << c.outputFile;
  }
}

// --- Bitmap ------------------------------------------------------------------------------

TEST(BitmapExport, IsTheWholeCanvasInThePaletteColours) {
  Form f;
  analyse(f);
  const auto bytes = bitmapBytes(f.canvas);
  ASSERT_TRUE(bytes);
  const auto bmp = test::readBmp(*bytes);
  ASSERT_TRUE(bmp);
  ASSERT_EQ(bmp->width, 769);
  ASSERT_EQ(bmp->height, 449);

  struct Spot {
    const char* what;
    float x, y;  // world point
    Colour role;
    test::BmpRgb rgb;
  };
  const int quarter = angleIndex(45.0f);
  const Spot spots[] = {
      {"x axis", -50, 0, kGrid, {192, 192, 192}},
      {"y axis", 0, 100, kGrid, {192, 192, 192}},
      {"lever half-circle", f.param(fixedLinkLength), f.param(leverRadius), kFourBarMarker,
       {0, 128, 0}},
      {"slide line", 100, 55, kSixBarMarker, {128, 0, 0}},
      {"locus at 45°", f.outputX[quarter], f.outputY[quarter], 11, {0, 255, 255}},
  };
  for (const Spot& s : spots) {
    const auto p = f.canvas.toPixel(s.x, -s.y);
    ASSERT_TRUE(p) << s.what;
    ASSERT_EQ(f.canvas.at(p->x, p->y), s.role) << s.what;
    EXPECT_EQ(bmp->at(p->x, p->y), s.rgb) << s.what;
  }

  int wrong = 0;
  for (int y = 0; y < Raster::kHeight; ++y) {
    for (int x = 0; x < Raster::kWidth; ++x) {
      const Rgb c = kPalette[f.canvas.at(x, y)];
      wrong += bmp->at(x, y) != test::BmpRgb{c.r, c.g, c.b};
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels whose colour differs from the canvas";
}

}  // namespace
}  // namespace gyrenda
