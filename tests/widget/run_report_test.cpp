// The report window on the main window, and the JSON report that gyrenda-cli writes.
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/commands.h"
#include "app/number_text.h"
#include "app/startup.h"
#include "app/validation.h"
#include "ui/qt_report_window.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using ReportWindowTest = MainWindowTest;

TEST_F(ReportWindowTest, SaysThereIsNoneBeforeTheFirstAnalysisThenFollowsEachAnalysis) {
  action("File_Report")->trigger();
  auto* report = window->findChild<ReportWindow*>();
  ASSERT_TRUE(report && report->isVisible());
  auto* table = report->findChild<QTableWidget*>("table");
  EXPECT_TRUE(report->text().startsWith(QString::fromUtf8("まだ解析していません")));
  EXPECT_EQ(table->rowCount(), 0);
  click("Check3");
  QString before;
  for (const char* crank : {"18", "20"}) {
    typeInto(0, crank);
    click("Command1");
    const RunReport core = makeRunReport(form());
    ReportRows rows;
    QString shown = report->findChild<QLabel*>("heading")->text() + '\n';
    for (int r = 0; r < table->rowCount(); ++r) {
      const QString caption = table->item(r, 0)->text(), value = table->item(r, 1)->text();
      rows.emplace_back(caption.toStdString(), value.toStdString());
      shown += caption + '\t' + value + '\n';
    }
    EXPECT_EQ(rows, reportRows(core));
    EXPECT_EQ(rows.at(5).first, "4節リンク：精度 中央値");
    EXPECT_EQ(readNumber(rows.at(5).second),
              static_cast<float>(std::round(core.fourBar.accuracy->median * 100) / 100));
    QTest::mouseClick(report->findChild<QPushButton*>("copy"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    EXPECT_NE(shown, std::exchange(before, shown));
    action("File_Report")->trigger();
    EXPECT_EQ(window->findChildren<ReportWindow*>().size(), 1);
  }
}

double at(const QJsonObject& o, const std::string& path) {
  QJsonValue v = o;
  for (const QString& key : QString::fromStdString(path).split('.')) v = v.toObject().value(key);
  EXPECT_TRUE(v.isDouble()) << path;
  return v.toDouble();
}

TEST(CliReport, WritesTheCoresReportAsJsonToStandardOutputOrAFile) {
  QTemporaryDir dir;
  const QString file = dir.filePath("report.json");
  for (bool six : {false, true}) {
    QProcess cli;
    cli.start(GYRENDA_CLI, six ? QStringList{"--six", "--zoom", "4", "--report", file}
                               : QStringList{"--speed", "kame", "--report", "-"});
    ASSERT_TRUE(cli.waitForFinished(60000) && cli.exitCode() == 0);
    QFile written(file);
    const QJsonObject json = QJsonDocument::fromJson(
        six && written.open(QIODevice::ReadOnly) ? written.readAll() : cli.readAllStandardOutput())
                                 .object();
    Form f;
    Form_Load(f);
    parameter_LostFocus(f, 0);
    f.Check3 = six;
    f.zoomLevel = six ? 4 : 3;
    selectSpeed(f, six ? 1 : 2);
    Command1_Click(f);
    const RunReport& r = *f.lastReport;
    EXPECT_EQ(json["linkageClass"].toString(), "crank-rocker");
    EXPECT_TRUE(json["crankTurnsFully"].toBool());
    EXPECT_EQ(json.contains("sixBar"), six);
    const SearchReport& s = six ? *r.sixBar : r.fourBar;
    const std::string p = six ? "sixBar." : "fourBar.";
    const std::pair<std::string, double> figures[] = {
        {"transmissionAngle.min", r.transmissionAngle->min},
        {"transmissionAngle.maxAtCrankAngle", r.transmissionAngle->maxAtCrankAngle},
        {p + "posesFound", s.posesFound}, {p + "anglesExamined", s.anglesExamined},
        {p + "accuracy.median", s.accuracy->median}, {p + "accuracy.p99", s.accuracy->p99},
        {p + "accuracy.max", s.accuracy->max},
        {p + "accuracy.maxAtCrankAngle", s.accuracy->maxAtCrankAngle},
        {p + "axisPath.width", s.axisPath->width()}, {p + "outputPath.minY", s.outputPath->minY},
        {"sixBar.sliderStroke.length", six ? s.sliderStroke->length : 0.0}};
    for (auto [path, value] : figures) {
      if (six || !path.starts_with("sixBar")) {
        EXPECT_EQ(at(json, path), value) << path;
      }
    }
  }
}

}  // namespace
}  // namespace gyrenda::testing
