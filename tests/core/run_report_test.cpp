// The run report: textbook linkages whose figures are known in closed form, and the accuracy
// figures of poses at known distances from the exact kinematics' (which the report does not
// use).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "kinematics/exact_linkage.h"
#include "test_support.h"

namespace gyrenda {
namespace {

constexpr double kDeg = std::numbers::pi / 180;
// A view that holds every pose of the designs below.
const View kWideView{4, -100, -150};

// The report of poses given to it: the default crank-rocker's own exact poses, then found
// poses off the exact ones by known distances, then poses at the edge of reach.
//
// The exact poses: the transmission angle is extreme where crank and fixed link are collinear.
// Found poses off them: 199 lever tips moved i/1000 along the lever (median 0.099, 99th
// percentile by nearest rank 0.197, the greatest 0.198 at 99°), and sliders beside the exact
// ones on either side of the foot (the link 50 from (60, 25) meets the slide y = 55 at x = 20
// and 100) 0.25, 1, 0.5 and 2 away (an even count: median 0.75, greatest 2 at 2°); a slider out
// of the link's reach has no exact pose. The sliders lie 0.25, -1, 80.5, 40 and 82 along the
// slide: its stroke runs from -1 to 82. At the edge of reach: the crank tip lies 31 − 18 = 13 from the lever
// pivot at θ = 0 and 31 + 18 = 49 at 180°, where coupler 18 and lever 31 fold and stretch, the
// lever tip (0, 0) at both; a slider 50 (the link) off its driving point lies at its foot.
// Both have an exact pose.
TEST(RunReport, FiguresOfGivenPoses) {
  const Linkage rocker = makeLinkage({18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55});
  const ExactLinkage exact = makeExactLinkage(rocker.parameters);
  RunResult f;
  for (int i = 0; i < kAngleSteps; ++i) {
    const Vec2 tip = fourBarPose(exact, i / 2.0, 60).value().leverTip;
    f.hits.leverTipX[i] = f.outputX[i] = static_cast<float>(tip.x);
    f.hits.leverTipY[i] = f.outputY[i] = static_cast<float>(tip.y);
  }
  RunReport r = makeRunReport(rocker, f, kWideView);
  const Extremes mu = r.transmissionAngle.value();
  const auto muAt = [](double d) { return std::acos(1 - d * d / (2 * 36 * 36)) / kDeg; };
  EXPECT_NEAR(mu.min, muAt(31 - 18), 1e-3);
  EXPECT_NEAR(mu.max, muAt(31 + 18), 1e-3);
  EXPECT_EQ(std::pair(std::fmod(mu.minAtCrankAngle, 360), mu.maxAtCrankAngle), std::pair(0., 180.));
  EXPECT_LT(r.fourBar.accuracy->max, 1e-4);

  clearRunTables(f);
  for (int i = 0; i < 199; ++i) {
    const Vec2 tip = fourBarPose(exact, i / 2.0, 60).value().leverTip, lever = tip - Vec2{31, 0};
    const Vec2 found = tip + lever * (i / 1000.0 / lever.norm());
    std::tie(f.hits.leverTipX[i], f.hits.leverTipY[i]) = std::pair(found.x, found.y);
  }
  const Vec2 sliders[][2] = {{{60, 25}, {20.25, 55}}, {{60, 25}, {19, 55}},
                             {{60, 25}, {100.5, 55}}, {{60, 0}, {60, 55}}, {{60, 25}, {102, 55}}};
  for (int i = 0; i < 5; ++i)
    std::tie(f.outputX[i], f.outputY[i], f.hits.sliderX[i], f.hits.sliderY[i]) =
        std::tuple(sliders[i][0].x, sliders[i][0].y, sliders[i][1].x, sliders[i][1].y);
  f.hits.sixBarSearched = true;
  r = makeRunReport(rocker, f, kWideView);
  const std::pair<Accuracy, Accuracy> figures[] = {
      {r.fourBar.accuracy.value(), {0.099, 0.197, 0.198, 99, 0}},
      {r.sixBar->accuracy.value(), {0.75, 2, 2, 2, 1}}};
  for (const auto& [got, want] : figures) {
    for (auto [g, w] :
         {std::pair(got.median, want.median), {got.p99, want.p99}, {got.max, want.max}})
      EXPECT_NEAR(g, w, 1e-5);
    EXPECT_EQ(std::pair(got.maxAtCrankAngle, got.withoutExactPose),
              std::pair(want.maxAtCrankAngle, want.withoutExactPose));
  }
  EXPECT_EQ(r.sixBar->sliderStroke, (SliderStroke{-1, 82, 83}));

  clearRunTables(f);
  for (const int i : {0, 360}) f.hits.leverTipX[i] = f.hits.leverTipY[i] = 0;
  std::tie(f.outputX[0], f.outputY[0], f.hits.sliderX[0], f.hits.sliderY[0]) =
      std::tuple(60, 5, 60, 55);
  f.hits.sixBarSearched = true;
  const Linkage reach = makeLinkage({18, 31, 18, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55});
  r = makeRunReport(reach, f, kWideView);
  for (const Accuracy& a : {*r.fourBar.accuracy, *r.sixBar->accuracy})
    EXPECT_TRUE(a.withoutExactPose == 0 && a.max < 1e-9) << a.withoutExactPose << " " << a.max;
  // Two sliders 1 above that foot, at 1° and 2°: the largest is reported where it comes first,
  // as the smallest is.
  for (const int i : {2, 4})
    std::tie(f.outputX[i], f.outputY[i], f.hits.sliderX[i], f.hits.sliderY[i]) =
        std::tuple(60, 5, 60, 56);
  r = makeRunReport(reach, f, kWideView);
  EXPECT_EQ(std::pair(r.sixBar->accuracy->max, r.sixBar->accuracy->maxAtCrankAngle),
            std::pair(1.0, 1.0));
}

// The report of an analysis stopped at 270° (かめ: 540 crank steps examined), the six-bar's
// search run in full after it; an animation and later edits leave it as the analysis left it.
// The lever tips of the rocker all lie on the upper half-circle (y ≥ 18). In a view far from
// it, every crank step without a found pose is one the raster could not see; where 停止 ended
// the search, only those before its last pose; in a view that holds it, none.
TEST(RunReport, CountsThePosesThatLieOutsideTheView) {
  const Linkage rocker = makeLinkage({18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55});
  const View far{2, 300, 300};
  RunResult f;
  clearRunTables(f);
  for (const int i : {0, 100})
    std::tie(f.hits.leverTipX[i], f.hits.leverTipY[i], f.outputX[i], f.outputY[i]) =
        std::tuple(30 - i, 7 + i, 30 - i, 7 + i);
  struct Row {
    bool stopped;
    View view;
    int outOfView;
  } rows[] = {{false, far, kAngleSteps - 2}, {true, far, 99}, {false, kWideView, 0}};
  for (const Row& row : rows) {
    f.hits.fourBarStopped = row.stopped;
    const RunReport r = makeRunReport(rocker, f, row.view);
    EXPECT_EQ(r.fourBar.posesOutOfView, row.outOfView) << row.stopped;
    EXPECT_EQ(r.fourBar.outputPath, (PathExtent{-70, 30, 7, 107}));
  }
}

TEST(RunReport, AReportOfTheLastAnalysisOnly) {
  test::OpenWindow w;
  Workbench& bench = w.bench;
  bench.selectSpeed(2);
  bench.controls().analyseSixBar = 1;
  EXPECT_FALSE(bench.report());
  w.platform.onYield = [&] {
    if (bench.loopCrankAngle() == 270 && !bench.result().hits.sixBarSearched) bench.stop();
  };
  bench.execute();
  const RunReport r = bench.report().value();
  EXPECT_EQ(std::tuple(r.fourBar.stopped, r.fourBar.anglesExamined, r.sixBar->stopped),
            std::tuple(true, 540, false));
  EXPECT_EQ(bench.controls().status, StatusCaption::Finished);  // 終了, as after a whole run
  w.platform.onPause = [&] { bench.stop(); };
  bench.animate(Direction::Forwards);
  test::leaveBox(bench, crankRadius, "20");
  EXPECT_EQ(bench.report(), r);
}

}  // namespace
}  // namespace gyrenda
