// The スライダ page of 軌跡合成: a search for the four-bar in the boxes, and its 適用 as one step of
// the design's history with the six-bar ticked and analysed.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QTableWidget>

#include "desktop/slider_page.h"
#include "desktop/synthesis_dialog.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

TEST_F(MainWindowTest, SliderCandidateAppliedAsOneStepWithTheSixBarAnalysed) {
  auto* dialog = open<SynthesisDialog>("synthesis");
  SliderPage* page = dialog->sliderPage();
  const ParameterSet before = bench().linkage().parameters;
  page->findChild<QDoubleSpinBox*>(QStringLiteral("stroke"))->setValue(100);
  page->findChild<QCheckBox*>(QStringLiteral("ratioAsked"))->setChecked(true);
  page->findChild<QDoubleSpinBox*>(QStringLiteral("timeRatio"))->setValue(3);
  QTest::mouseClick(page->findChild<QWidget*>(QStringLiteral("sliderStart")), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !page->searching(); }, 60000));
  ASSERT_TRUE(page->selected() && page->selected()->meets) << static_cast<int>(page->result().problem);
  const ParameterSet chosen = page->selected()->parameters;
  QTest::mouseClick(page->findChild<QWidget*>(QStringLiteral("sliderApply")), Qt::LeftButton);
  settle();
  ParameterSet want = before;
  std::copy(chosen.begin() + sixLinkLength, chosen.end(), want.begin() + sixLinkLength);
  EXPECT_EQ(bench().linkage().parameters, want);
  EXPECT_TRUE(child<QCheckBox>(QStringLiteral("analyseSixBar"))->isChecked());
  ASSERT_TRUE(bench().report() && bench().report()->sixBar);
  EXPECT_GT(bench().report()->sixBar->posesFound, 0);
  action("undo")->trigger();
  EXPECT_EQ(bench().linkage().parameters, before);
}

}  // namespace
}  // namespace gyrenda::testing
