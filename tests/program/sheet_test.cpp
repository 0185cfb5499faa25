// The design sheet that gyrenda-cli --sheet writes, read back by poppler's tools as a reader
// of the file would: its pages, their size, the words and figures of its text, and that its
// drawings are vectors. Each test writes only into a folder of its own.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <string>

#include "run_without_display.h"

namespace {

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages", "pdftocairo"})
      if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
        GTEST_SKIP() << tool << " (poppler-utils) is missing";
    ASSERT_TRUE(dir.isValid());
  }
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  // Runs gyrenda-cli and expects it to succeed.
  void cli(const QStringList& args) const {
    const auto [status, out, err] = run(QStringLiteral(GYRENDA_CLI_PROGRAM), args);
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(err, "") << "nothing to say on standard error";
  }
  static QString tool(const char* name, const QStringList& args) {
    const auto [status, out, err] = run(QString::fromLatin1(name), args);
    EXPECT_EQ(status, 0) << name << ": " << err;
    return QString::fromStdString(out);
  }
  static QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static QString text(const QString& pdf) { return tool("pdftotext", {QStringLiteral("-layout"), pdf, QStringLiteral("-")}); }
  QTemporaryDir dir;
};

// A4 portrait, two pages, or three with the tolerance page. The drawing and the plots are
// vector paths, not a picture: no image at all, and each page holds many paths (the pivots,
// circles, loci, curves and grids).
TEST_F(SheetTest, PagesAreA4OfVectorDrawingsAndTheToleranceAnalysisAddsOne) {
  const QString pdf = path("sheet.pdf");
  const std::pair<QStringList, int> cases[] = {
      {{}, 2}, {{"--six"}, 2}, {{"--six", "--sheet-tolerance", "--samples", "100"}, 3}};
  for (const auto& [options, pages] : cases) {
    cli(QStringList{"--sheet", pdf} + options);
    const QString info = tool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595\\.\\d* x 841\\.\\d*|"
                                                                "Page size:\\s+595 x 842"))))
        << info.toStdString();
  }
  const QStringList images = tool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(images.size(), 2) << "only the heading of the list: " << images.join('\n').toStdString();
  for (int page = 1; page <= 3; ++page) {
    const QString svg = dir.filePath(QStringLiteral("page%1.svg").arg(page));
    tool("pdftocairo", {"-svg", "-f", QString::number(page), "-l", QString::number(page), pdf, svg});
    const QString content = QString::fromUtf8(contents(svg));
    // Glyphs become paths in SVG too; the strokes drawn are paths with a stroke of their own.
    EXPECT_GE(content.count(QStringLiteral("stroke-width")), 20) << page;
    EXPECT_FALSE(content.contains(QStringLiteral("<image"))) << page;
  }
}

// The rounding of the figures on the sheet: hundredths, without trailing zeros.
QString hundredths(double v) { return QString::number(std::round(v * 100.0) / 100.0, 'g', 15); }

// The sheet states what the report says of the same analysis, at the crank speed asked for.
TEST_F(SheetTest, TheTextHoldsTheValuesAndTheReportsFigures) {
  const QString pdf = path("sheet.pdf"), json = path("report.json");
  cli({"--six", "--set", "crankRadius=17.5", "--rpm", "90", "--sheet", pdf, "--report", json});
  const QJsonObject report = QJsonDocument::fromJson(contents(json)).object();
  ASSERT_FALSE(report.isEmpty());
  const QJsonObject exact = report[QStringLiteral("kinematics")].toObject();
  const QString sheet = text(pdf).simplified();
  for (const char* words :
       {"Design sheet", "Scale 1:2 (mm)", "Crank radius", "17.5", "Crank-rocker", "90 rpm",
        "Kinematics", "Transmission angle", "Lever angle and slider position",
        "Input torque (per 1 N of slider force)"})
    EXPECT_TRUE(sheet.contains(QString::fromUtf8(words))) << words;
  const double least = report[QStringLiteral("transmissionAngle")].toObject()[QStringLiteral("min")].toDouble();
  EXPECT_TRUE(sheet.contains(QStringLiteral("Transmission angle, least ") + hundredths(least) + QStringLiteral("°")))
      << least;
  for (const QJsonValue& angle : exact[QStringLiteral("deadCentreCrankAngles")].toArray())
    EXPECT_TRUE(sheet.contains(hundredths(angle.toDouble()) + QStringLiteral("°"))) << angle.toDouble();
  const double rocking = exact[QStringLiteral("lever")].toObject()[QStringLiteral("rockingAngle")].toDouble();
  EXPECT_TRUE(sheet.contains(QStringLiteral("Lever rocking angle ") + hundredths(rocking))) << rocking;
  const double speed = exact[QStringLiteral("peakOutputSpeed")].toObject()[QStringLiteral("value")].toDouble();
  EXPECT_TRUE(sheet.contains(hundredths(speed) + QStringLiteral(" mm/s"))) << speed;
}

// Japanese where asked; the tolerance page at the tolerances, clearance and samples given.
TEST_F(SheetTest, LanguageAndTolerancesAreThoseAsked) {
  const QString pdf = path("sheet.pdf");
  cli({"--six", "--sheet", pdf, "--language", "ja"});
  const QString japanese = text(pdf).simplified();
  for (const char* words : {"設計シート", "尺度 1:2（単位 mm）", "クランク半径", "運動学"})
    EXPECT_TRUE(japanese.contains(QString::fromUtf8(words))) << words;
  EXPECT_FALSE(japanese.contains(QStringLiteral("Design sheet")));
  cli({"--six", "--sheet", pdf, "--sheet-tolerance", "--tol", "0.25", "--clearance", "0.125",
       "--samples", "300", "--distribution", "normal", "--seed", "7"});
  const QString english = text(pdf).simplified();
  for (const char* words :
       {"Tolerance analysis", "300 samples", "Tolerance of every value ± 0.250 mm",
        "pin clearance 0.125 mm", "normal distribution", "seed 7", "Lever radius 0.250"})
    EXPECT_TRUE(english.contains(QString::fromUtf8(words))) << words;
}

}  // namespace
