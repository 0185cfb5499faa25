// 歩行脚: the walking-leg page of the synthesis dialog: its search in its thread, the selected
// leg's stance over the canvas and never in the raster, and 適用 as one undoable step.
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>

#include "core/test_support.h"
#include "desktop/canvas_widget.h"
#include "desktop/gait_page.h"
#include "desktop/synthesis_dialog.h"
#include "kinematics/exact_linkage.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

class GaitPageTest : public MainWindowTest {};

TEST_F(GaitPageTest, AFoundLegsStanceIsOverlaidAndItsApplyIsOneStep) {
  click("execute");
  settle();
  const ParameterSet before = bench().linkage().parameters;
  SynthesisDialog* dialog = open<SynthesisDialog>("synthesis");
  GaitPage* page = dialog->gaitPage();
  // Small targets on the path page narrow its ranges, not the leg's.
  QGuiApplication::clipboard()->setText("0\t0\n4\t1\n2\t3\n");
  dialog->pasteTargets();
  ASSERT_LT(dialog->options().crank.high, 50);
  const SynthesisOptions defaults;
  EXPECT_EQ(page->options().search.crank.high, defaults.crank.high);
  EXPECT_EQ(page->options().search.outputAcross.low, defaults.outputAcross.low);
  page->findChild<QDoubleSpinBox*>(QStringLiteral("stride"))->setValue(40);
  page->findChild<QDoubleSpinBox*>(QStringLiteral("lift"))->setValue(10);
  QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("gaitStart")), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !page->searching(); }, 60000));
  ASSERT_TRUE(page->selected()) << static_cast<int>(page->result().problem);
  const GaitCandidate leg = *page->selected();
  EXPECT_TRUE(leg.meetsAll);
  // The stance drawn is the selected leg's: from its first point to its last along its path.
  const std::vector<Vec2>& stance = window->canvasWidget()->stance();
  ASSERT_GT(stance.size(), 100u);
  const ExactLinkage exact = makeExactLinkage(leg.parameters);
  EXPECT_LT((stance.front() - fourBarPose(exact, leg.figures.stanceBegin, 0)->output).norm(), 1e-9);
  EXPECT_LT((stance.back() - fourBarPose(exact, leg.figures.stanceEnd, 0)->output).norm(), 1e-6);
  const Raster raster = bench().canvas();
  window->canvasWidget()->grab();
  EXPECT_TRUE(test::samePixels(raster, bench().canvas()));

  QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("gaitApply")), Qt::LeftButton);
  settle();
  for (int k = 0; k < sixLinkLength; ++k) EXPECT_EQ(bench().linkage().parameters[k], leg.parameters[k]) << k;
  EXPECT_EQ(bench().linkage()[sixLinkLength], before[sixLinkLength]);
  action("undo")->trigger();
  EXPECT_EQ(bench().linkage().parameters, before);
}

}  // namespace
}  // namespace gyrenda::testing
