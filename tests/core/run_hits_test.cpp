// The hit tables that a run keeps beside outputX/outputY: replaying them must draw exactly the
// loci the run drew, and each kept pose must close its loop.
#include <gtest/gtest.h>

#include <cmath>

#include "app/commands.h"
#include "canvas/grid.h"
#include "sixbar/slide.h"
#include "test_support.h"

namespace gyrenda {
namespace {

struct HitsCase {
  const char* name;
  int speed;        // item of the speed list: 0 うま, 1 いぬ, 2 かめ
  bool six;
  std::vector<std::pair<int, const char*>> boxes;
  float stopAt = -1;  // crank angle of a 停止 during the four-bar phase
};

// Replays one pair of loci from the kept points in crank order, as the search plots them.
void replay(Form& into, const AngleTable& ax, const AngleTable& ay, const AngleTable& ox,
            const AngleTable& oy) {
  into.prevAxisX = into.prevAxisY = into.prevOutX = into.prevOutY = 0;
  for (int i = 0; i < kAngleSteps; ++i) {
    if (ax[i] == kNoPose) continue;
    into.crankAngle = static_cast<float>(i) / 2;
    drawLocusStep(into, {ax[i], ay[i]}, {ox[i], oy[i]});
  }
}

int posesIn(const AngleTable& t) {
  return static_cast<int>(std::count_if(t.begin(), t.end(), [](float v) { return v != kNoPose; }));
}

TEST(RunHits, ReplayingTheKeptHitsDrawsTheRunsLociAndEveryKeptPoseClosesItsLoop) {
  const std::vector<HitsCase> cases{
      {"defaults at いぬ with the six-bar", 1, true, {}},
      {"かめ, offsets across both couplers", 2, true,
       {{outputOffsetX, "40"}, {outputOffsetY, "-25"}, {sixOutputOffsetY, "-20"}}},
      {"うま, four-bar only", 0, false, {{outputOffsetX, "10"}, {outputOffsetY, "15"}}},
      {"stopped at 100°", 2, true, {}, 100},
      {"slide out of reach", 1, true, {{slideStartX, "300"}, {slideEndX, "320"}}},
  };
  for (const HitsCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::OpenWindow run, again;
    for (test::OpenWindow* w : {&run, &again}) {
      selectSpeed(w->form, c.speed);
      w->form.Check3 = c.six ? 1 : 0;
      for (auto [k, text] : c.boxes) test::leaveBox(w->form, k, text);
    }
    Form& f = run.form;
    run.platform.onYield = [&f, &c] { if (f.crankAngle == c.stopAt) Command6_Click(f); };
    Command1_Click(f);
    const Form::RunHits& h = f.hits;

    Form& g = again.form;
    BackScreen(g);
    replay(g, h.axisX, h.axisY, f.outputX, f.outputY);
    Teko2(g);
    replay(g, h.sixAxisX, h.sixAxisY, h.sixOutputX, h.sixOutputY);
    EXPECT_TRUE(test::samePixels(f.canvas, g.canvas));

    const int found = posesIn(f.outputX), sixFound = posesIn(h.sliderX);
    for (const AngleTable* t : {&h.axisX, &h.axisY, &h.leverTipX, &h.leverTipY})
      EXPECT_EQ(posesIn(*t), found);
    for (const AngleTable* t : {&h.sixAxisX, &h.sixAxisY, &h.sixOutputX, &h.sixOutputY})
      EXPECT_EQ(posesIn(*t), sixFound);
    EXPECT_EQ(h.sixBarSearched, c.six);
    EXPECT_LE(found, h.fourBarExamined);
    EXPECT_LE(sixFound, h.sixBarExamined);
    EXPECT_LE(h.sixBarExamined, found);
    // At かめ every crank step up to the stop is scanned.
    const int sweep = c.stopAt >= 0 ? static_cast<int>(2 * c.stopAt) : kAngleSteps;
    if (c.speed == 2) {
      EXPECT_EQ(h.fourBarExamined, sweep);
    }

    for (int i = 0; i < kAngleSteps; ++i) {
      if (f.outputX[i] != kNoPose) {
        const float coupler = std::hypot(h.leverTipX[i] - f.crankTipX[i],
                                         h.leverTipY[i] - f.crankTipY[i]);
        EXPECT_NEAR(coupler, f.param(couplerLength), 1e-3f) << "crank step " << i;
      }
      if (h.sliderX[i] != kNoPose) {
        const float link = std::hypot(h.sliderX[i] - f.outputX[i], h.sliderY[i] - f.outputY[i]);
        EXPECT_NEAR(link, f.param(sixLinkLength), 1e-3f) << "crank step " << i;
      }
    }
  }
}

TEST(RunHits, AnAnimationRunLeavesNoHitsOfTheAnalysisBefore) {
  test::OpenWindow w;
  w.form.Check3 = 1;
  Command1_Click(w.form);
  ASSERT_GT(posesIn(w.form.hits.sliderX), 0);
  w.platform.onPause = [&w] { Command6_Click(w.form); };
  AnimeButton_Click(w.form, 0);
  for (const AngleTable* t : {&w.form.hits.axisX, &w.form.hits.leverTipY, &w.form.hits.sliderX})
    EXPECT_EQ(posesIn(*t), 0);
  EXPECT_FALSE(w.form.hits.sixBarSearched);
  EXPECT_EQ(w.form.hits.fourBarExamined + w.form.hits.sixBarExamined, 0);
}

}  // namespace
}  // namespace gyrenda
