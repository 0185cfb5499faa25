// The report window on the main window, and the JSON report that gyrenda-cli writes.
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>

#include "desktop/report_rows.h"
#include "desktop/report_window.h"
#include "linkage/number_text.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using ReportWindowTest = MainWindowTest;

// The window's table and the JSON of gyrenda-cli, run on the same design, both show the core's
// report of the analysis.
TEST_F(ReportWindowTest, FollowsEachAnalysisAndAgreesWithTheHeadlessProgramsJson) {
  action("report")->trigger();
  auto* report = window->findChild<ReportWindow*>();
  ASSERT_TRUE(report && report->isVisible());
  auto* table = report->findChild<QTableWidget*>("table");
  EXPECT_TRUE(report->text().startsWith(QString::fromUtf8("まだ解析していません")));
  EXPECT_EQ(table->rowCount(), 0);
  for (const bool six : {false, true}) {
    const char* crank = six ? "20" : "18";
    if (six) click("analyseSixBar");
    typeInto(0, crank);
    click("execute");
    const RunReport core = makeRunReport(bench().linkage(), bench().result());
    ReportRows rows;
    QString shown = report->findChild<QLabel*>("heading")->text() + '\n';
    for (int r = 0; r < table->rowCount(); ++r) {
      const QString caption = table->item(r, 0)->text(), value = table->item(r, 1)->text();
      rows.append({caption, value});
      shown += caption + '\t' + value + '\n';
    }
    EXPECT_EQ(rows, reportRows(core));
    EXPECT_EQ(rows.at(5).first, "4節リンク：精度 中央値");
    EXPECT_EQ(readNumber(rows.at(5).second.toStdString()),
              static_cast<float>(std::round(core.fourBar.accuracy->median * 100) / 100));
    QTest::mouseClick(report->findChild<QPushButton*>("copy"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    action("report")->trigger();
    EXPECT_EQ(window->findChildren<ReportWindow*>().size(), 1);

    QProcess cli;
    cli.start(GYRENDA_CLI, QStringList{"--set", QStringLiteral("0=") + crank, "--report", "-"} +
                               (six ? QStringList{"--six"} : QStringList{}));
    ASSERT_TRUE(cli.waitForFinished(60000) && cli.exitCode() == 0);
    const QJsonObject json = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(json["linkageClass"].toString(), "crank-rocker");
    EXPECT_TRUE(json["crankTurnsFully"].toBool());
    EXPECT_EQ(json.contains("sixBar"), six);
    const SearchReport& s = six ? *core.sixBar : core.fourBar;
    const QJsonValue mu = json["transmissionAngle"], search = json[six ? "sixBar" : "fourBar"];
    const QJsonValue a = search["accuracy"];
    std::vector<std::pair<QJsonValue, double>> figures{
        {mu["min"], core.transmissionAngle->min},
        {mu["maxAtCrankAngle"], core.transmissionAngle->maxAtCrankAngle},
        {search["posesFound"], s.posesFound}, {search["anglesExamined"], s.anglesExamined},
        {a["median"], s.accuracy->median}, {a["p99"], s.accuracy->p99}, {a["max"], s.accuracy->max},
        {a["maxAtCrankAngle"], s.accuracy->maxAtCrankAngle},
        {search["axisPath"]["width"], s.axisPath->width()},
        {search["outputPath"]["minY"], s.outputPath->minY}};
    if (six) figures.emplace_back(search["sliderStroke"]["length"], s.sliderStroke->length);
    for (std::size_t i = 0; i < figures.size(); ++i)  // a missing figure reads as NaN
      EXPECT_EQ(figures[i].first.toDouble(std::nan("")), figures[i].second) << "figure " << i;
  }
}

}  // namespace
}  // namespace gyrenda::testing
