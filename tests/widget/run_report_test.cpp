// The report window on the main window, and the JSON report that gyrenda-cli writes.
#include <QChart>
#include <QClipboard>
#include <QDir>
#include <QTemporaryDir>
#include <QXYSeries>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "core/test_support.h"
#include "desktop/help_window.h"
#include "desktop/kinematics_panel.h"
#include "desktop/report_rows.h"
#include "desktop/report_window.h"
#include "desktop/secondary_windows.h"
#include "kinematics/kinematic_columns.h"
#include "linkage/number_text.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using ReportWindowTest = MainWindowTest;

// The window's table and the JSON of gyrenda-cli, run on the same design, both show the core's
// report of the analysis, the window's under the design it was made of.
TEST_F(ReportWindowTest, FollowsEachAnalysisAndAgreesWithTheHeadlessProgramsJson) {
  auto* report = open<ReportWindow>("report");
  ASSERT_TRUE(report);
  auto* table = report->findChild<QTableWidget*>("table");
  EXPECT_TRUE(report->text().startsWith(QString::fromUtf8("まだ解析していません")));
  EXPECT_EQ(table->rowCount(), 0);
  for (const bool six : {false, true}) {
    const char* crank = six ? "20" : "18";
    if (six) click("analyseSixBar");
    typeInto(0, crank);
    click("execute");
    settle();
    const RunReport core = makeRunReport(bench().linkage(), bench().result());
    ReportRows rows;
    QString shown = report->findChild<QLabel*>("heading")->text() + '\n';
    for (int r = 0; r < table->rowCount(); ++r) {
      const QString caption = table->item(r, 0)->text(), value = table->item(r, 1)->text();
      rows.append({caption, value});
      shown += caption + '\t' + value + '\n';
    }
    const KinematicsAnalysis exact = analyseKinematics(core.parameters, KinematicsPanel::kDefaultRpm);
    EXPECT_EQ(rows.mid(kParamCount), reportRows(core, exact));
    const auto row = [&rows](const char* caption) {
      for (const auto& [c, value] : rows)
        if (c == QString::fromUtf8(caption)) return value.toStdString();
      return std::string("missing");
    };
    const auto hundredths = [](double v) { return static_cast<float>(std::round(v * 100) / 100); };
    EXPECT_EQ(readNumber(row("4節リンク：精度 中央値")), hundredths(core.fourBar.accuracy->median));
    EXPECT_EQ(readNumber(row("てこの揺動角")), hundredths(exact.figures.lever->travel));
    EXPECT_EQ(readNumber(row("伝達角（ラスタ） 最小")), hundredths(core.transmissionAngle->min));
    // The plots draw the same exact curve, and the raster's own values beside it.
    KinematicsPanel* plots = report->kinematics();
    const auto named = [plots](const char* name) {
      for (QAbstractSeries* s : plots->chart(0)->series())
        if (s->name() == QString::fromUtf8(name)) return qobject_cast<QXYSeries*>(s);
      return static_cast<QXYSeries*>(nullptr);
    };
    const QXYSeries* curve = named("厳密解");
    ASSERT_TRUE(curve);
    ASSERT_EQ(curve->count(), static_cast<int>(exact.curves.samples.size()));
    for (int i = 0; i < curve->count(); i += 60)
      EXPECT_EQ(curve->at(i).y(), *quantityAt(exact.curves.samples[i], KinematicQuantity::TransmissionAngle));
    EXPECT_EQ(named("ラスタで見つかった姿勢")->count(), core.fourBar.posesFound);
    const QTemporaryDir dir;
    const std::string csv = QDir(dir.path()).filePath("curves.csv").toStdString();
    ASSERT_EQ(plots->saveCsv(csv), 0);
    EXPECT_EQ(test::readFile(csv), kinematicsCsv(exact.curves));
    for (const auto& [name, start] : {std::pair{"plot.svg", "<?xml"}, {"plot.png", "\x89PNG"}}) {
      const std::string path = QDir(dir.path()).filePath(name).toStdString();
      ASSERT_EQ(plots->saveChart(1, path), 0) << name;
      EXPECT_TRUE(test::readFile(path).starts_with(start)) << name;
    }
    QTest::mouseClick(report->findChild<QPushButton*>("copy"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);

    const QJsonObject json = QJsonDocument::fromJson(cli(
        QStringList{"--set", QStringLiteral("0=") + crank, "--report", "-"} +
        (six ? QStringList{"--six"} : QStringList{}))).object();
    EXPECT_EQ(json.contains("sixBar"), six);
    const SearchReport& s = six ? *core.sixBar : core.fourBar;
    const QJsonValue mu = json["rasterTransmissionAngle"], search = json[six ? "sixBar" : "fourBar"];
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

// A six-bar link of 1e-38 reaches the slide nowhere in exact geometry, while the raster finds
// the slider where the output path crosses the slide: the accuracy row counts those poses
// instead of saying that none was found.
TEST(ReportRows, AccuracyCountsTheFoundPosesThatHaveNoExactPose) {
  test::OpenWindow w;
  w.bench.controls().analyseSixBar = 1;
  test::leaveBox(w.bench, sixLinkLength, "1e-38");
  w.bench.execute();
  const RunReport& r = *w.bench.report();
  ASSERT_GT(r.sixBar->posesFound, 0);
  const ReportRows rows = reportRows(r, analyseKinematics(r.parameters, 60));
  const QString counted = QString("見つかった %1 の姿勢のどれにも厳密な姿勢がありません");
  EXPECT_TRUE(rows.contains({"6節リンク：精度", counted.arg(r.sixBar->posesFound)}));
}

// Once the boxes hold another design, the report says so, and which values differ, until 実行
// analyses the design the boxes hold. The menu item takes the edit in progress with it, as
// every menu item does.
TEST_F(ReportWindowTest, SaysWhenTheBoxesHoldAnotherDesign) {
  click("execute");
  settle();
  auto* report = open<ReportWindow>("report");
  const auto shown = [report] {  // the heading's first line and the crank's row
    const QStringList lines = report->text().split('\n');
    return (lines.at(0) + '|' + lines.filter("設計：クランク半径").at(0)).toStdString();
  };
  const std::pair<const char*, std::string> steps[] = {
      {"", "最後の解析の結果です。長さは入力と同じ単位、角度は度で示します。精度は見つけた姿勢と厳密な姿勢との距離です。|設計：クランク半径\t18"},
      {"type 15", "この結果は入力欄の値と違う設計のものです。「実行」で解析し直してください。|設計：クランク半径\t18（入力欄は 15）"},
      {"execute", "最後の解析の結果です。長さは入力と同じ単位、角度は度で示します。精度は見つけた姿勢と厳密な姿勢との距離です。|設計：クランク半径\t15"},
      {"type 18", "この結果は入力欄の値と違う設計のものです。「実行」で解析し直してください。|設計：クランク半径\t15（入力欄は 18）"}};
  for (const auto& [step, expected] : steps) {
    if (step == std::string("execute")) click("execute"), settle();
    if (std::string(step).starts_with("type ")) {
      typeInto(crankRadius, step + 5);
      action("report")->trigger();  // the focus stays in the box
    }
    EXPECT_EQ(shown(), expected) << step;
  }
}

// A window of the program that was minimised comes back when its menu item is chosen again.
// The report window opens beside the main window, the main window moving over if the screen
// has room for both only that way, so that neither covers the other.
TEST_F(ReportWindowTest, SecondaryWindowsComeBackBesideTheMainWindow) {
  for (const bool help : {false, true}) {
    const auto open = [&] { help ? showHelpWindow(window.get()) : action("report")->trigger(); };
    open();
    QWidget* w = help ? static_cast<QWidget*>(window->findChild<HelpWindow*>())
                      : window->findChild<ReportWindow*>();
    w->showMinimized();
    open();
    EXPECT_FALSE(w->isMinimized()) << help;
  }
  const QSize wanted(600, 660);
  const std::tuple<int, int, int, QRect> cases[] = {  // screen width, main window's left: shift, place
      {1280, 232, -232, QRect(824, 100, 456, 660)}, {1920, 552, -56, QRect(1320, 100, 600, 660)},
      {2560, 872, 0, QRect(1696, 100, 600, 660)}, {1280, 0, 0, QRect(824, 100, 456, 660)},
      {1024, 104, 0, QRect(424, 100, 600, 660)}};
  for (const auto& [screenWidth, left, shift, place] : cases) {
    const BesidePlace p = besideWithRoom(QRect(left, 100, 816, 730), wanted,
                                         ReportWindow::kNarrowest, QRect(0, 0, screenWidth, 1024));
    EXPECT_EQ(std::pair(p.mainWindowShift, p.window), std::pair(shift, place)) << screenWidth;
  }
}

}  // namespace
}  // namespace gyrenda::testing
