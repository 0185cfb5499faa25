// Six-bar slider synthesis: every candidate's stroke, time ratio, link angle, slide margins and
// view recomputed from the exact six-bar pose at a finer step than the search measures; bad
// requests refused with the obstacle named; the same seed giving the same candidates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "canvas/view_fit.h"
#include "core/test_support.h"
#include "kinematics/mechanism_extent.h"
#include "synthesis/slider_synthesis.h"

namespace gyrenda {
namespace {

}
ParameterSet defaults() {
  test::OpenWindow w;
  return w.bench.linkage().parameters;
}

namespace {
SliderResult synthesize(const SliderOptions& o, const ParameterSet& base = defaults()) {
  WorkProgress progress;
  return synthesizeSlider(o, base, progress);
}

// The slider's motion as the exact six-bar pose gives it every twentieth of a degree, with the
// slide's direction and length taken from the values themselves.
struct Recomputed {
  bool everywhere = true;
  double least = INFINITY, greatest = -INFINITY, leastAt = 0, greatestAt = 0;
  double minLinkAngle = 90, maxLinkAngle = 0, slideLength = 0;
};

Recomputed recompute(const ParameterSet& p) {
  const ExactLinkage exact = makeExactLinkage(p);
  const Vec2 slide{p[slideEndX] - p[slideStartX], p[slideEndY] - p[slideStartY]};
  Recomputed r;
  r.slideLength = slide.norm();
  for (int i = 0; i < 7200; ++i) {
    const ExactPose pose = exactPose(exact, i * 0.05, 0);
    if (!pose.sixBar) {
      r.everywhere = false;
      continue;
    }
    const Vec2 start{p[slideStartX], p[slideStartY]};
    const double s = (pose.sixBar->slider - start).dot(slide) / r.slideLength;
    if (s < r.least) r.least = s, r.leastAt = i * 0.05;
    if (s > r.greatest) r.greatest = s, r.greatestAt = i * 0.05;
    // The acute angle between the link and the slide: 90° where the link stands square to it.
    const Vec2 link = pose.sixBar->slider - pose.fourBar->output;
    const double along = std::abs(link.dot(slide)) / (link.norm() * r.slideLength);
    const double angle = std::acos(std::min(1.0, along)) * 180 / std::numbers::pi;
    r.minLinkAngle = std::min(r.minLinkAngle, angle);
    r.maxLinkAngle = std::max(r.maxLinkAngle, angle);
  }
  return r;
}

// The definitions on the textbook offset slider-crank: with the output point at the crank tip
// (offsets 0, 0) the four-bar drives the link from a circle of radius a = 18 about the origin,
// and a level slide at height e takes the slider ahead of the link's foot (the root the run
// takes at 0°). The slider is furthest out where crank and link lie in one line,
// x = √((L + a)² − e²), at crank angle asin(e / (L + a)); nearest in where they fold,
// x = √((L − a)² − e²), at 180° + asin(e / (L − a)). The forward stroke (rising x) takes
// 180° − β of the turn, β = asin(e / (L − a)) − asin(e / (L + a)), the return 180° + β. The link
// lies along the slide where the crank tip is at height e (|e| < a), and cannot reach it at all
// where |e| > L + a at some angle. It stands steepest where the crank tip is furthest from the
// slide's height, asin((|e| + a) / L). Below the axis the run takes the root behind the foot (its link
// direction, near 187° at 0°, is the smaller), the mirror image: x = −√(…), least −√((L + a)² − e²).
TEST(SliderSynthesisTest, MotionOfTheOffsetSliderCrank) {
  ParameterSet p = defaults();
  p[outputOffsetX] = 0, p[outputOffsetY] = 0;
  const double a = 18;
  const struct { double e, link; bool regular; double leastAngle; } rows[] = {
      {0, 50, true, 0}, {10, 50, true, 0}, {-10, 80, true, 0}, {25, 50, true, 8.05}, {60, 40, false, 0}};
  const auto degrees = [](double sine) { return std::asin(sine) * 180 / std::numbers::pi; };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.e);
    p[sixLinkLength] = static_cast<float>(row.link);
    p[slideStartX] = -200, p[slideEndX] = 200;
    p[slideStartY] = p[slideEndY] = static_cast<float>(row.e);
    const SliderMotion m = measureSliderMotion(makeExactLinkage(p));
    ASSERT_EQ(m.regular, row.regular);
    if (!row.regular) continue;
    const double in = std::sqrt(std::pow(row.link - a, 2) - row.e * row.e);
    const double far = std::sqrt(std::pow(row.link + a, 2) - row.e * row.e);
    const double beta = (std::asin(row.e / (row.link - a)) - std::asin(row.e / (row.link + a))) * 180 / std::numbers::pi;
    EXPECT_NEAR(m.stroke, far - in, 1e-6);
    EXPECT_NEAR(m.least, row.e >= 0 ? 200 + in : 200 - far, 1e-6);
    EXPECT_NEAR(m.timeRatio, (180 - beta) / (180 + beta), 1e-6);
    if (row.e >= 0) {
      EXPECT_NEAR(m.forwardTo, std::asin(row.e / (row.link + a)) * 180 / std::numbers::pi, 1e-4);
    }
    EXPECT_NEAR(m.minLinkAngle, row.leastAngle, 0.3);
    EXPECT_NEAR(m.maxLinkAngle, degrees((std::abs(row.e) + a) / row.link), 1e-6);
  }
}

// Every candidate of five requests, the time ratio free in one, checked against the exact
// pose: the figures it reports, the request where it says it meets it, and each constraint.
// Without the one view, 80 mm at a ratio of 1.5 (out of reach in one view, below) is met, and
// of those meeting a request the ones that fit one view come first.
TEST(SliderSynthesisTest, CandidatesMoveAsTheyReport) {
  const ParameterSet base = defaults();
  const struct { double stroke; std::optional<double> ratio; bool fitView = true; } requests[] = {
      {60, 1.5}, {100, 3}, {70, std::nullopt}, {80, 1.5, false}, {60, 1.5, false}};
  for (const auto& [stroke, ratio, fitView] : requests) {
    SCOPED_TRACE(stroke);
    SliderOptions o;
    o.stroke = stroke, o.timeRatio = ratio, o.fitView = fitView;
    const SliderResult result = synthesize(o, base);
    ASSERT_EQ(result.problem, SliderProblem::None);
    ASSERT_TRUE(result.candidates.front().meets);
    bool meetingOutside = false;
    for (const SliderCandidate& c : result.candidates) {
      for (int k = 0; k < sixLinkLength; ++k) EXPECT_EQ(c.parameters[k], base[k]);
      EXPECT_EQ(c.parameters[sixOutputOffsetX], base[sixOutputOffsetX]);
      const Recomputed r = recompute(c.parameters);
      ASSERT_TRUE(r.everywhere);
      const double measured = r.greatest - r.least;
      const double forward = std::fmod(r.greatestAt - r.leastAt + 360, 360);
      EXPECT_NEAR(measured, c.motion.stroke, 0.01);
      EXPECT_NEAR(forward / (360 - forward), c.motion.timeRatio, 2e-3 * c.motion.timeRatio);
      EXPECT_NEAR(r.minLinkAngle, c.motion.minLinkAngle, 0.1);
      EXPECT_GE(r.minLinkAngle, o.minLinkAngle - 0.05);
      EXPECT_NEAR(r.maxLinkAngle, c.motion.maxLinkAngle, 0.1);
      EXPECT_LE(r.maxLinkAngle, kSteepestLinkAngle + 0.05);
      EXPECT_GE(r.least, kSlideMargin * measured);
      EXPECT_GE(r.slideLength - r.greatest, kSlideMargin * measured);
      const bool fits = gyrenda::fitView(mechanismExtent(makeExactLinkage(c.parameters), true)).view.has_value();
      EXPECT_EQ(fits, c.fitsView);
      EXPECT_TRUE(fits || !fitView);
      EXPECT_FALSE(c.meets && fits && meetingOutside);
      meetingOutside |= c.meets && !fits;
      if (!c.meets) continue;
      EXPECT_NEAR(measured, stroke, kStrokeTolerance * stroke);
      if (ratio) {
        EXPECT_NEAR(forward / (360 - forward), *ratio, kTimeRatioTolerance * *ratio);
      }
    }
  }
}

// What cannot be asked for, refused before the search, and what the search measures it cannot
// give; each named.
TEST(SliderSynthesisTest, BadRequestsNameTheObstacle) {
  ParameterSet locked = defaults();
  locked[couplerLength] = 5;  // the loop closes only near the fixed link: no full turn
  const struct Row {
    const char* name;
    double stroke;
    std::optional<double> ratio;
    double minAngle;
    std::optional<double> slideAngle;
    bool lockedFourBar;
    SliderProblem problem;
    double closestAbove = 0;  // the time ratio closest to the asked that was found lies above this
    bool fitView = true;
  } rows[] = {
      {"no stroke", 0, {}, 30, {}, false, SliderProblem::BadStroke},
      {"stroke not a number", NAN, {}, 30, {}, false, SliderProblem::BadStroke},
      {"stroke wider than a view", 500, {}, 30, {}, false, SliderProblem::BadStroke},
      {"negative ratio", 60, -1, 30, {}, false, SliderProblem::BadTimeRatio},
      {"square link angle", 60, {}, 90, {}, false, SliderProblem::BadAngle},
      {"slide angle not a number", 60, {}, 30, NAN, false, SliderProblem::BadSlideAngle},
      {"crank that cannot turn", 60, {}, 30, {}, true, SliderProblem::FourBarDoesNotTurn},
      {"stroke beyond the path", 250, {}, 30, {}, false, SliderProblem::StrokeOutOfReach},
      {"ratio below 1 across a level slide", 100, 0.2, 30, 0.0, false,
       SliderProblem::TimeRatioOutOfReach, 0.2},
      // A scan of every slide direction, place and link of the default four-bar finds no six-bar
      // in one view with a stroke within 0.5 % of 80 whose time ratio lies between 1/2 and 2.
      {"stroke of 80 at ratio 1.5 in one view", 80, 1.5, 30, {}, false,
       SliderProblem::TimeRatioOutOfReach, 2},
      {"stroke beyond what the boxes hold", 20000, {}, 30, {}, false, SliderProblem::BadStroke, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SliderOptions o;
    o.stroke = row.stroke, o.timeRatio = row.ratio, o.minLinkAngle = row.minAngle;
    o.slideAngle = row.slideAngle, o.starts = 32, o.fitView = row.fitView;
    const SliderResult result = synthesize(o, row.lockedFourBar ? locked : defaults());
    EXPECT_EQ(result.problem, row.problem);
    if (row.problem == SliderProblem::StrokeOutOfReach) {
      EXPECT_LT(result.reachedHigh, row.stroke);
    } else if (row.problem == SliderProblem::TimeRatioOutOfReach) {
      EXPECT_GT(result.reachedLow, row.closestAbove);
    }
  }
  for (const auto& [starts, evaluations] : {std::pair(1000001, 0), std::pair(0, 100000001)}) {
    SliderOptions o;
    o.stroke = 60, o.starts = starts, o.evaluationsPerStart = evaluations;
    EXPECT_EQ(synthesize(o).problem, SliderProblem::BadBudget) << starts;
  }
}

TEST(SliderSynthesisTest, SameSeedSameSlidersAndAStopHonoured) {
  SliderOptions o;
  o.stroke = 80, o.starts = 32, o.seed = 7;
  const SliderResult a = synthesize(o), b = synthesize(o);
  ASSERT_EQ(a.candidates.size(), b.candidates.size());
  for (std::size_t k = 0; k < a.candidates.size(); ++k)
    EXPECT_EQ(a.candidates[k].parameters, b.candidates[k].parameters);
  WorkProgress stopped;
  stopped.stop = true;
  EXPECT_EQ(synthesizeSlider(o, defaults(), stopped).problem, SliderProblem::Stopped);
}

}  // namespace
}  // namespace gyrenda
