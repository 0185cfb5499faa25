// The run report: textbook linkages whose figures are known in closed form, and the raster's
// accuracy checked against the poses of the exact kinematics, which the report does not use.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "kinematics/exact_linkage.h"
#include "test_support.h"

namespace gyrenda {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// The report of poses given to it. The exact poses of a crank-rocker: its transmission angle is
// extreme where crank and fixed link are collinear. Poses at the edge of reach: the crank tip
// lies 31 − 18 = 13 from the lever pivot at θ = 0 and 31 + 18 = 49 at 180°, where coupler 18 and
// lever 31 fold and stretch, the lever tip (0, 0) at both; a slider 50 (the link) off its
// driving point lies at its foot. Both have an exact pose.
TEST(RunReport, FiguresOfGivenPoses) {
  const Linkage rocker = makeLinkage({18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55});
  const ExactLinkage exact = makeExactLinkage(rocker.parameters);
  RunResult f;
  for (int i = 0; i < kAngleSteps; ++i) {
    const Vec2 tip = fourBarPose(exact, i / 2.0, 60).value().leverTip;
    f.hits.leverTipX[i] = f.outputX[i] = static_cast<float>(tip.x);
    f.hits.leverTipY[i] = f.outputY[i] = static_cast<float>(tip.y);
  }
  RunReport r = makeRunReport(rocker, f);
  const Extremes mu = r.transmissionAngle.value();
  const auto muAt = [](double d) { return std::acos(1 - d * d / (2 * 36 * 36)) / kDeg; };
  EXPECT_NEAR(mu.min, muAt(31 - 18), 1e-3);
  EXPECT_NEAR(mu.max, muAt(31 + 18), 1e-3);
  EXPECT_EQ(std::pair(std::fmod(mu.minAtCrankAngle, 360), mu.maxAtCrankAngle), std::pair(0., 180.));
  EXPECT_LT(r.fourBar.accuracy->max, 1e-4);

  clearRunTables(f);
  for (const int i : {0, 360}) f.hits.leverTipX[i] = f.hits.leverTipY[i] = 0;
  std::tie(f.outputX[0], f.outputY[0], f.hits.sliderX[0], f.hits.sliderY[0]) =
      std::tuple(60, 5, 60, 55);
  f.hits.sixBarSearched = true;
  r = makeRunReport(makeLinkage({18, 31, 18, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55}), f);
  for (const Accuracy& a : {*r.fourBar.accuracy, *r.sixBar->accuracy})
    EXPECT_TRUE(a.withoutExactPose == 0 && a.max < 1e-9) << a.withoutExactPose << " " << a.max;
  // Two sliders 1 above that foot, at 1° and 2°: the largest is reported where it comes first,
  // as the smallest is.
  for (const int i : {2, 4})
    std::tie(f.outputX[i], f.outputY[i], f.hits.sliderX[i], f.hits.sliderY[i]) =
        std::tuple(60, 5, 60, 56);
  r = makeRunReport(makeLinkage({18, 31, 18, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55}), f);
  EXPECT_EQ(std::pair(r.sixBar->accuracy->max, r.sixBar->accuracy->maxAtCrankAngle),
            std::pair(1.0, 1.0));
}

// A slider-crank (the output point on the crank tip, a horizontal slide through the crank
// pivot) stopped at 270°: the slider runs from link − crank to link + crank.
TEST(RunReport, SliderCrankStrokeAndAReportOfTheLastAnalysisOnly) {
  test::OpenWindow w;
  Workbench& bench = w.bench;
  bench.selectSpeed(2);
  bench.controls().analyseSixBar = 1;
  for (auto [k, text] : {std::pair{outputOffsetX, "0"}, {sixLinkLength, "30"}, {slideStartX, "5"},
                         {slideStartY, "0"}, {slideEndY, "0"}})
    test::leaveBox(bench, k, text);
  EXPECT_FALSE(bench.result().report);
  w.platform.onYield = [&] {
    if (bench.loopCrankAngle() == 270 && !bench.result().hits.sixBarSearched) bench.stop();
  };
  bench.execute();
  const RunReport r = bench.result().report.value();
  const SliderStroke stroke = r.sixBar->sliderStroke.value();
  EXPECT_NEAR(stroke.start, 30 - 18 - 5, 0.3);
  EXPECT_NEAR(stroke.end, 30 + 18 - 5, 0.3);
  EXPECT_NEAR(stroke.length, 36, 0.5);
  EXPECT_EQ(std::tuple(r.fourBar.stopped, r.fourBar.anglesExamined, r.sixBar->stopped),
            std::tuple(true, 540, false));
  // An animation and later edits leave the report as the analysis left it.
  w.platform.onPause = [&] { bench.stop(); };
  bench.animate(Direction::Forwards);
  test::leaveBox(bench, crankRadius, "20");
  EXPECT_EQ(bench.result().report, r);
}

// Median, 99th percentile by nearest rank, maximum and the crank angle of its first occurrence.
std::array<double, 4> figures(std::vector<std::pair<double, int>> d) {
  const auto value = &std::pair<double, int>::first;
  std::ranges::stable_sort(d, {}, value);
  const std::size_t n = d.size(), rank = (99 * n + 99) / 100;
  return {n % 2 ? d[n / 2].first : (d[n / 2 - 1].first + d[n / 2].first) / 2, d[rank - 1].first,
          d.back().first, std::ranges::find(d, d.back().first, value)->second / 2.0};
}

TEST(RunReport, AccuracyAgreesWithExactPosesAndGrowsWithTheZoom) {
  const struct { int zoom; const char* fixedLink; } designs[] = {{2, "31"}, {4, "31"}, {3, "52"}};
  std::vector<double> medians;
  for (const auto& design : designs) {
    test::OpenWindow w;
    Workbench& bench = w.bench;
    bench.selectSpeed(2);
    bench.controls().analyseSixBar = 1;
    bench.setView({design.zoom, bench.view().left, bench.view().top});
    test::leaveBox(bench, fixedLinkLength, design.fixedLink);
    bench.execute();
    const RunResult& f = bench.result();
    const ExactLinkage exact = makeExactLinkage(bench.linkage().parameters);
    std::vector<std::pair<double, int>> lever, slider;
    for (int i = 0; i < kAngleSteps; ++i) {
      const double x = f.hits.leverTipX[i], y = f.hits.leverTipY[i], sx = f.hits.sliderX[i];
      if (const auto pose = fourBarPose(exact, i / 2.0, 60); x != kNoPose && pose)
        lever.emplace_back((Vec2{x, y} - pose->leverTip).norm(), i);
      // The default slide is the line y = 55.
      const double px = f.outputX[i], half = std::sqrt(2500 - std::pow(55.0 - f.outputY[i], 2));
      const double sy = f.hits.sliderY[i], x0 = sx >= px ? px + half : px - half;
      if (sx != kNoPose) slider.emplace_back(std::hypot(sx - x0, sy - 55), i);
    }
    const RunReport& r = *f.report;
    SCOPED_TRACE(design.fixedLink);
    EXPECT_EQ(r.fourBar.accuracy->withoutExactPose + lever.size(), r.fourBar.posesFound);
    for (auto [a, d] : {std::pair{*r.fourBar.accuracy, lever}, {*r.sixBar->accuracy, slider}}) {
      const auto [median, p99, max, maxAt] = figures(d);
      for (auto [got, want] : {std::pair{a.median, median}, {a.p99, p99}, {a.max, max}})
        EXPECT_NEAR(got, want, 1e-9);
      EXPECT_EQ(a.maxAtCrankAngle, maxAt);
    }
    medians.push_back(r.fourBar.accuracy->median);
  }
  EXPECT_GT(medians[1], medians[0]);
}

}  // namespace
}  // namespace gyrenda
