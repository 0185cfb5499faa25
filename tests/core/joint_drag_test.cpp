// Joints dragged on the canvas: each handle moves the values it stands for so that the joint
// follows the pointer, the canvas stays as it was until the drag ends, a drag is one step of
// the history, and a design that would not turn fully or not close is refused.
#include <gtest/gtest.h>

#include "session/workbench.h"
#include "test_support.h"

namespace gyrenda {
namespace {

constexpr double kPixel = 300.0 / Raster::kWidth;  // a pixel's size at zoom 3

Vec2 placeOf(const ParameterSet& design, Handle h, double crankAngle, bool six = true) {
  return handlePlaces(makeExactLinkage(design), crankAngle, six)[static_cast<int>(h)].value();
}

// Each handle dragged 3 right and 2 up (4 down for the lever pivot, which only slides): after
// the release, the joint of the new design stands at the pointer within a pixel, at the crank
// angle shown (the crank tip's own direction sets that angle); the lever tip, which the coupler
// holds, keeps the pointer's distance from its pivot. The canvas does not change while the
// joint moves; the drag is one step that one undo takes back whole.
TEST(JointDrag, TheJointFollowsThePointerAndTheDragIsOneStep) {
  for (int k = 0; k < kHandleCount; ++k) {
    const Handle h = static_cast<Handle>(k);
    SCOPED_TRACE(k);
    test::OpenWindow w;
    w.bench.controls().analyseSixBar = 1;
    const ParameterSet before = w.bench.linkage().parameters;
    const Raster canvas = w.bench.canvas();
    const double angle = w.bench.jointDrag().crankAngle();
    const Vec2 from = placeOf(before, h, angle);
    ASSERT_EQ(w.bench.handleNear(from + Vec2{0.5, 0.5}, 2.0), h);
    const Vec2 to = from + (h == Handle::LeverPivot ? Vec2{-4, 0} : Vec2{3, 2});
    ASSERT_TRUE(w.bench.beginDrag(h));
    w.bench.dragTo(to, false, 0.01);
    EXPECT_TRUE(test::samePixels(w.bench.canvas(), canvas));
    EXPECT_EQ(w.bench.linkage().parameters, before);
    EXPECT_EQ(w.bench.endDrag(), DragProblem::None);
    const ParameterSet& after = w.bench.linkage().parameters;
    ASSERT_NE(after, before);
    const double shown = w.bench.jointDrag().crankAngle();
    if (h == Handle::LeverTip)
      EXPECT_NEAR(after[leverRadius], (to - Vec2{after[fixedLinkLength], 0}).norm(), kPixel);
    else
      EXPECT_LT((placeOf(after, h, shown) - to).norm(), kPixel);
    EXPECT_TRUE(w.bench.history().canUndo());
    w.bench.undo();
    EXPECT_EQ(w.bench.linkage().parameters, before);
    EXPECT_FALSE(w.bench.history().canUndo());
  }
}

// Refused and cancelled drags leave the design, the boxes, the caption and the history as they
// were; scrubbing with Shift turns the shown crank angle only.
TEST(JointDrag, RefusedCancelledAndScrubbedDragsLeaveTheDesign) {
  struct Row {
    const char* what;
    Handle handle;
    Vec2 to;
    DragProblem problem;
  } rows[] = {
      {"crank past the lever", Handle::CrankTip, {40, 30}, DragProblem::CrankLongerThanLever},
      {"fixed link too long", Handle::LeverPivot, {150, 0}, DragProblem::FixedLinkOutOfRange},
      {"lever pivot behind the crank", Handle::LeverPivot, {-20, 0}, DragProblem::NotPositive},
      {"slide out of the link's reach", Handle::SlideStart, {20, 200}, DragProblem::SixBarOpen},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    test::OpenWindow w;
    w.bench.controls().analyseSixBar = 1;
    const ControlState shown = w.bench.controls();
    const ParameterSet before = w.bench.linkage().parameters;
    ASSERT_TRUE(w.bench.beginDrag(row.handle));
    w.bench.dragTo(row.to, false, 0.1);
    EXPECT_EQ(w.bench.jointDrag().preview().problem, row.problem);
    EXPECT_NE(w.bench.controls().boxText, shown.boxText);
    EXPECT_EQ(w.bench.endDrag(), row.problem);
    EXPECT_EQ(w.bench.linkage().parameters, before);
    EXPECT_EQ(w.bench.controls().boxText, shown.boxText);
    EXPECT_EQ(w.bench.controls().fixedLinkCaption, shown.fixedLinkCaption);
    EXPECT_FALSE(w.bench.history().canUndo());
  }
  test::OpenWindow w;
  const ControlState shown = w.bench.controls();
  ASSERT_TRUE(w.bench.beginDrag(Handle::FourBarOutput));
  w.bench.dragTo({10, 10}, false, 0.1);
  w.bench.cancelDrag();
  EXPECT_FALSE(w.bench.jointDrag().active());
  EXPECT_EQ(w.bench.controls().boxText, shown.boxText);
  ASSERT_TRUE(w.bench.beginDrag(Handle::CrankTip));
  w.bench.dragTo({0, -50}, true, 0.1);
  EXPECT_EQ(w.bench.jointDrag().crankAngle(), 270.0);
  EXPECT_EQ(w.bench.endDrag(), DragProblem::None);
  EXPECT_FALSE(w.bench.history().canUndo());
  EXPECT_EQ(w.bench.controls().boxText, shown.boxText);
  // None is taken while a run goes on.
  w.platform.onYield = [&] { EXPECT_FALSE(w.bench.beginDrag(Handle::CrankTip)); };
  w.bench.execute();
}

}  // namespace
}  // namespace gyrenda
