// The 公差 tab: the core's analysis of the inputs' options shown and saved, 停止 and a new
// design ending a run without a result, the sample count's limit.
#include <gtest/gtest.h>

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QDoubleSpinBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/test_support.h"
#include "desktop/tolerance_panel.h"

namespace gyrenda {
namespace {

const ParameterSet kDefault{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};

// Every text the chart shows, as drawn (an axis title the room did not take is cut short).
QStringList shownTexts(QChartView* view) {
  QStringList texts;
  for (QGraphicsItem* item : view->scene()->items())
    if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
      texts << text->toPlainText();
  return texts;
}

// The panel shows and saves the core's analysis. A stopped run shows no result, not even the
// one before it, which nothing would tell apart; so does a run a new design ends; a panel
// closed during a run ends it first.
TEST(TolerancePanel, ShowsAndSavesTheCoreAnalysisAndARunEndedEarlyShowsNone) {
  TolerancePanel panel;
  panel.show();
  auto* compute = panel.findChild<QPushButton*>("computeTolerance");
  EXPECT_FALSE(compute->isEnabled());  // no design yet
  panel.showDesign(kDefault);
  auto* samples = panel.findChild<QSpinBox*>("samples");
  samples->setValue(150);
  panel.findChild<QDoubleSpinBox*>("tolerance")->setValue(0.2);
  QSignalSpy finished(&panel, &TolerancePanel::finished);
  compute->click();
  ASSERT_TRUE(finished.wait(20000) && panel.result());
  ToleranceOptions o;
  o.samples = 150;
  o.tolerance.fill(0.2);
  WorkProgress progress;
  const ToleranceResult want = analyseTolerance(kDefault, o, progress);
  ASSERT_EQ(panel.percentileTable()->rowCount(), 3);
  EXPECT_EQ(panel.percentileTable()->item(0, 4)->text(), QString::number(*want.sliderStroke.p95, 'f', 3));
  EXPECT_EQ(panel.sensitivityTable()->rowCount(), kParamCount);
  const QTemporaryDir dir;
  const std::string base = dir.path().toStdString() + "/t";
  for (const auto& [table, csv] : {std::pair(0, toleranceBandCsv(want)), std::pair(1, tolerancePercentilesCsv(want)),
                                   std::pair(2, toleranceSensitivityCsv(want))})
    EXPECT_TRUE(panel.saveCsv(table, base + ".csv") == 0 && test::readFile(base + ".csv") == csv) << table;
  for (const char* ext : {".png", ".svg"})
    EXPECT_TRUE(panel.saveChart(0, base + ext) == 0 && test::readFile(base + ext).size() > 1000) << ext;
  // The distances here run to between 2 and 3 mm: ticks 0, 1, 2, 3 alone left no room for the
  // distance axis's title.
  for (int k = 0; k < TolerancePanel::kChartCount; ++k) {
    panel.findChild<QTabWidget*>("toleranceTabs")->setCurrentIndex(k);
    QTest::qWait(50);
    for (const QAbstractAxis* axis : panel.chartView(k)->chart()->axes())
      EXPECT_TRUE(shownTexts(panel.chartView(k)).contains(axis->titleText())) << axis->titleText().toStdString();
  }
  samples->setValue(samples->maximum());
  panel.compute();
  EXPECT_TRUE(panel.running() && !compute->isEnabled());
  panel.findChild<QPushButton*>("stopTolerance")->click();
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_TRUE(!panel.running() && !panel.result() && compute->isEnabled());
  EXPECT_EQ(panel.percentileTable()->rowCount() + panel.sensitivityTable()->rowCount(), 0);
  for (int k = 0; k < TolerancePanel::kChartCount; ++k)
    EXPECT_TRUE(panel.chartView(k)->chart()->series().isEmpty()) << k;
  panel.compute();
  ParameterSet other = kDefault;
  other[crankRadius] = 17;
  panel.showDesign(other);
  EXPECT_TRUE(!panel.running() && !panel.result());
  const test::TempFolder folder;
  EXPECT_EQ(panel.saveCsv(0, folder.file("unused.csv")), -1);
  panel.compute();
  EXPECT_TRUE(panel.running()) << "and the panel goes while it runs";
}

// The count goes as far as the core takes it at the step; a larger one typed is made the most
// and said so, never dropped unseen (a spin box refuses the digit that passes its maximum).
TEST(TolerancePanel, TheSampleCountGoesToTheCoresLimitAndAnExcessIsTold) {
  TolerancePanel panel;
  panel.show();
  panel.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
  auto* samples = panel.findChild<QSpinBox*>("samples");
  const int most = maxToleranceSamples(ToleranceOptions{}.step);
  EXPECT_EQ(samples->maximum(), most);
  for (const auto& [typed, value, told] : {std::tuple{"20000", most, true}, {"500", 500, false},
                                           {"123456789012345678901", most, true}}) {
    samples->setFocus();
    samples->selectAll();
    QTest::keyClicks(samples, QString::fromLatin1(typed));
    QTest::keyClick(samples, Qt::Key_Return);
    EXPECT_EQ(samples->value(), value) << typed;
    const QLabel* note = panel.findChild<QLabel*>("samplesNote");
    EXPECT_EQ(note->isVisible() && note->text().contains(QString::number(most)), told) << typed;
  }
}

}  // namespace
}  // namespace gyrenda
