// The report window on the main window, and the JSON report that gyrenda-cli writes.
#include <QChart>
#include <QClipboard>
#include <QDir>
#include <QTemporaryDir>
#include <QXYSeries>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "core/test_support.h"
#include "desktop/kinematics_panel.h"
#include "encoders/report_rows.h"
#include "desktop/report_window.h"
#include "desktop/secondary_windows.h"
#include "kinematics/kinematic_columns.h"
#include "linkage/number_text.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

using ReportWindowTest = MainWindowTest;

// The window's table shows the core's report of each analysis under the design it was made of
// (as the JSON of gyrenda-cli does: kinematics_cli_test), its plots the exact curves and the
// raster's values, and it copies and saves what it shows.
TEST_F(ReportWindowTest, FollowsEachAnalysisWithTheCoresReport) {
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
    const RunReport core = makeRunReport(bench().linkage(), bench().result(), bench().view());
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
      {"", "最後の解析の結果です。長さはmm、角度は度で示します。精度は見つけた姿勢と厳密な姿勢との距離です。|設計：クランク半径\t18"},
      {"type 15", "この結果は入力欄の値と違う設計のものです。「実行」で解析し直してください。|設計：クランク半径\t18（入力欄は 15）"},
      {"execute", "最後の解析の結果です。長さはmm、角度は度で示します。精度は見つけた姿勢と厳密な姿勢との距離です。|設計：クランク半径\t15"},
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

// A window beside the main window (its frame 816 × 730 at `left`, 100), which never moves for
// it: right of it, else left, else below, at the size wanted (600 × 660) or narrowed to the
// room, never narrower than 440 × 400, and never over it while the screen has room for that;
// where it has none, against the screen's edge where it covers least of the buttons, then of
// the canvas.
TEST_F(ReportWindowTest, SecondaryWindowsGoBesideTheMainWindowNeverOverIt) {
  const QSize wanted(600, 660), smallest(440, 400);
  const std::tuple<QSize, QPoint, QRect> cases[] = {  // screen, main window's top left: place
      {{1920, 1080}, {0, 100}, QRect(824, 100, 600, 660)},       // right
      {{1920, 1080}, {0, 400}, QRect(824, 400, 600, 660)},       // level with it
      {{1920, 1080}, {0, 600}, QRect(824, 420, 600, 660)},       // as near as the screen allows
      {{2560, 1024}, {872, 100}, QRect(1696, 100, 600, 660)},
      {{1920, 1080}, {1104, 100}, QRect(496, 100, 600, 660)},    // left: no room right
      {{1920, 1080}, {700, 100}, QRect(92, 100, 600, 660)},     // left before narrowed right
      {{1920, 1080}, {552, 100}, QRect(1376, 100, 544, 660)},    // narrowed to the room
      {{1280, 1024}, {0, 100}, QRect(824, 100, 456, 660)},
      {{1080, 1920}, {0, 0}, QRect(0, 738, 600, 660)},            // below
      {{1280, 1024}, {232, 100}, QRect(0, 100, 440, 660)},       // no room: off the buttons
      {{1024, 1024}, {104, 100}, QRect(104, 624, 600, 400)}};    // and the least of the canvas
  for (const auto& [screen, at, place] : cases) {
    const QRect main(at, QSize(816, 730));
    const KeptInView kept{QRect(at + QPoint(705, 60), QSize(97, 170)),
                          QRect(at + QPoint(16, 250), QSize(785, 470))};
    EXPECT_EQ(secondaryWindowPlace(main, kept, wanted, smallest, QRect({0, 0}, screen)), place)
        << screen.width() << "x" << screen.height() << " " << at.x();
  }
}

// On the tests' screen (the offscreen platform's, 1920 × 1080 as CTest sets it), the help,
// the report and the synthesis dialog open beside the main window and off it, which stays
// where it was; closed and opened again, each goes beside the main window where it is then.
// One that was minimised comes back when its menu item is chosen again.
TEST_F(ReportWindowTest, SecondaryWindowsOpenBesideTheMainWindowWhereverItIs) {
  const QRect screen(0, 0, 1920, 1080);
  ASSERT_EQ(window->screen()->availableGeometry(), screen) << "run through CTest";
  const std::pair<QPoint, bool> cases[] = {  // the main window's top left: right of it
      {{0, 0}, true}, {{1100, 150}, false}, {{552, 170}, true}, {{1000, 0}, false}};
  const std::pair<const char*, const char*> opened[] = {  // menu item, window
      {"help", "helpWindow"}, {"report", "ReportWindow"}, {"synthesis", "synthesisDialog"}};
  for (const auto& [at, right] : cases) {
    window->move(at);
    QTest::qWait(20);
    const QRect main = window->frameGeometry();
    for (const auto& [name, windowName] : opened) {
      const auto open = [this, item = std::string(name)] {  // the test platform shows no help
        if (item == "help") showHelpWindow(window.get());
        else action(item.c_str())->trigger();
        QTest::qWait(20);
      };
      open();
      auto* w = window->findChild<QWidget*>(QString::fromLatin1(windowName));
      ASSERT_TRUE(w && w->isVisible()) << name;
      const QRect place = w->frameGeometry();
      EXPECT_EQ(window->frameGeometry(), main) << name << " moved the main window";
      EXPECT_TRUE(screen.contains(place) && !place.intersects(main) &&
                  (right ? place.left() > main.right() : place.right() < main.left()))
          << name << " at " << at.x();
      w->showMinimized();
      open();
      EXPECT_FALSE(w->isMinimized()) << name;
      w->close();
    }
  }
}

}  // namespace
}  // namespace gyrenda::testing
