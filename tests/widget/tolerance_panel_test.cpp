// The 公差 tab: the core's analysis of the inputs' options shown and saved, 停止 and a new
// design ending a run without a result.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include "core/test_support.h"
#include "desktop/tolerance_panel.h"

namespace gyrenda {
namespace {

const ParameterSet kDefault{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};

TEST(TolerancePanel, ShowsAndSavesTheCoreAnalysisOfItsInputs) {
  TolerancePanel panel;
  panel.show();
  auto* compute = panel.findChild<QPushButton*>("computeTolerance");
  EXPECT_FALSE(compute->isEnabled());  // no design yet
  panel.showDesign(kDefault);
  panel.findChild<QSpinBox*>("samples")->setValue(150);
  panel.findChild<QDoubleSpinBox*>("tolerance")->setValue(0.2);
  QSignalSpy finished(&panel, &TolerancePanel::finished);
  compute->click();
  ASSERT_TRUE(finished.wait(20000));
  ASSERT_TRUE(panel.result());

  ToleranceOptions o;
  o.samples = 150;
  o.tolerance.fill(0.2);
  ToleranceProgress progress;
  const ToleranceResult want = analyseTolerance(kDefault, o, progress);
  const QTableWidget* percentiles = panel.percentileTable();
  ASSERT_EQ(percentiles->rowCount(), 3);
  EXPECT_EQ(percentiles->item(0, 4)->text(), QString::number(*want.sliderStroke.p95, 'f', 3));
  ASSERT_EQ(panel.sensitivityTable()->rowCount(), kParamCount);

  const QTemporaryDir dir;
  const std::string base = dir.path().toStdString() + "/t";
  const std::pair<int, std::string> tables[] = {{0, toleranceBandCsv(want)},
                                                {1, tolerancePercentilesCsv(want)},
                                                {2, toleranceSensitivityCsv(want)}};
  for (const auto& [table, csv] : tables) {
    ASSERT_EQ(panel.saveCsv(table, base + ".csv"), 0);
    EXPECT_EQ(test::readFile(base + ".csv"), csv);
  }
  for (const char* ext : {".png", ".svg"}) {
    ASSERT_EQ(panel.saveChart(0, base + ext), 0);
    EXPECT_GT(test::readFile(base + ext).size(), 1000u);
  }
}

TEST(TolerancePanel, StopAndANewDesignEndARunWithoutAResult) {
  TolerancePanel panel;
  panel.show();
  panel.showDesign(kDefault);
  panel.findChild<QSpinBox*>("samples")->setValue(16000);
  QSignalSpy finished(&panel, &TolerancePanel::finished);
  panel.compute();
  EXPECT_TRUE(panel.running());
  EXPECT_FALSE(panel.findChild<QPushButton*>("computeTolerance")->isEnabled());
  panel.findChild<QPushButton*>("stopTolerance")->click();
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_FALSE(panel.running());
  EXPECT_FALSE(panel.result());
  EXPECT_TRUE(panel.findChild<QPushButton*>("computeTolerance")->isEnabled());

  panel.compute();
  ParameterSet other = kDefault;
  other[crankRadius] = 17;
  panel.showDesign(other);
  EXPECT_FALSE(panel.running());
  EXPECT_FALSE(panel.result());
  EXPECT_EQ(panel.saveCsv(0, "unused.csv"), -1);
}

}  // namespace
}  // namespace gyrenda
