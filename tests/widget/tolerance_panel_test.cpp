// The 公差 tab: the core's analysis of the inputs' options shown and saved, 停止 and a new
// design ending a run without a result.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
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
  ASSERT_TRUE(finished.wait(20000) && panel.result());
  ToleranceOptions o;
  o.samples = 150;
  o.tolerance.fill(0.2);
  ToleranceProgress progress;
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
}

TEST(TolerancePanel, StopAndANewDesignEndARunWithoutAResult) {
  TolerancePanel panel;
  panel.show();
  panel.showDesign(kDefault);
  panel.findChild<QSpinBox*>("samples")->setValue(16000);
  auto* compute = panel.findChild<QPushButton*>("computeTolerance");
  QSignalSpy finished(&panel, &TolerancePanel::finished);
  panel.compute();
  EXPECT_TRUE(panel.running() && !compute->isEnabled());
  panel.findChild<QPushButton*>("stopTolerance")->click();
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_TRUE(!panel.running() && !panel.result() && compute->isEnabled());
  panel.compute();
  ParameterSet other = kDefault;
  other[crankRadius] = 17;
  panel.showDesign(other);
  EXPECT_TRUE(!panel.running() && !panel.result());
  EXPECT_EQ(panel.saveCsv(0, "unused.csv"), -1);
}

}  // namespace
}  // namespace gyrenda
