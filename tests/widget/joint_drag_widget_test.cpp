// The hand on the mechanism in the window: a joint dragged with the mouse, its live boxes, Esc,
// the arrow keys, and undo from the other windows.
#include <QTest>

#include "desktop/canvas_widget.h"
#include "desktop/report_window.h"
#include "linkage/number_text.h"
#include "main_window_fixture.h"

namespace gyrenda::testing {
namespace {

QPoint widgetPointOf(const View& view, Vec2 world) { return pixelOf(view, world).toPoint(); }

Vec2 handleAt(Workbench& bench, Handle h) {
  return bench.handles()[static_cast<int>(h)].value();
}

// The output point dragged: the boxes follow while the raster stays as it was; on release the
// joint stands under the pointer within a pixel and the design is one step that Ctrl+Z takes
// back, also from the report window. Esc during a drag leaves everything as it was.
TEST_F(MainWindowTest, AJointDraggedWithTheMouseFollowsThePointerAsOneStep) {
  auto* canvas = child<CanvasWidget>(QStringLiteral("canvas"));
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(5, 5));  // the first pass runs
  const ParameterSet before = bench().linkage().parameters;
  const QString offsetBox = box(outputOffsetX)->text();
  const Raster raster = bench().canvas();
  const View view = bench().view();
  const QPoint from = widgetPointOf(view, handleAt(bench(), Handle::FourBarOutput));
  const QPoint to = from + QPoint(30, -20);
  QTest::mousePress(canvas, Qt::LeftButton, {}, from);
  QTest::mouseMove(canvas, from + QPoint(10, -5));
  QTest::mouseMove(canvas, to);
  EXPECT_NE(box(outputOffsetX)->text(), offsetBox);
  EXPECT_TRUE(canvas->showsJointOverlay());
  EXPECT_TRUE(std::equal(raster.data(), raster.data() + Raster::kStride * Raster::kHeight,
                         bench().canvas().data()));
  EXPECT_EQ(bench().linkage().parameters, before);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
  ASSERT_NE(bench().linkage().parameters, before);
  const double pixel = 100.0 * view.zoomLevel / Raster::kWidth;
  EXPECT_LT((handleAt(bench(), Handle::FourBarOutput) - canvas->worldPointAt(to)).norm(),
            1.5 * pixel);
  EXPECT_EQ(box(outputOffsetX)->text().toStdString(),
            formatBoxNumber(bench().linkage()[outputOffsetX]));

  auto* report = open<ReportWindow>("report");
  report->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(report));
  QTest::keyClick(report, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(bench().linkage().parameters, before);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

  QTest::mousePress(canvas, Qt::LeftButton, {}, from);
  QTest::mouseMove(canvas, to);
  QTest::keyClick(canvas, Qt::Key_Escape);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
  EXPECT_EQ(bench().linkage().parameters, before);
  EXPECT_EQ(box(outputOffsetX)->text(), offsetBox);
}

// With the canvas focused, the arrow keys move the chosen handle by a millimetre, ten with
// Shift, each move one step; Page Down chooses the next handle.
TEST_F(MainWindowTest, TheArrowKeysMoveTheChosenHandle) {
  auto* canvas = child<CanvasWidget>(QStringLiteral("canvas"));
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(canvas->hasFocus());
  const Vec2 tip = handleAt(bench(), Handle::CrankTip);
  QTest::keyClick(canvas, Qt::Key_Right);
  const double moved = std::round((tip + Vec2{1, 0}).norm() * 10) / 10;
  EXPECT_FLOAT_EQ(bench().linkage()[crankRadius], static_cast<float>(moved));
  QTest::keyClick(canvas, Qt::Key_PageDown);  // the lever tip
  QTest::keyClick(canvas, Qt::Key_PageDown);  // the output point
  const Vec2 output = handleAt(bench(), Handle::FourBarOutput);
  QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_LT((handleAt(bench(), Handle::FourBarOutput) - (output - Vec2{0, 10})).norm(), 0.2);
  bench().undo();
  bench().undo();
  EXPECT_FALSE(bench().history().canUndo());
}

}  // namespace
}  // namespace gyrenda::testing
