// The tolerance analysis against figures derived by hand: no tolerance, a crank-only tolerance
// at a pose where the motion is known, the sensitivities of a long-coupler design, and the
// share of samples losing the full turn near the change point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "kinematics/kinematics_analysis.h"
#include "tolerance/tolerance_analysis.h"

namespace gyrenda {
namespace {

// crank, lever, coupler, fixed link, output offsets, six-bar link and offsets, slide ends.
const ParameterSet kDefault{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};

ToleranceResult analyse(const ParameterSet& p, const ToleranceOptions& o) {
  WorkProgress progress;
  ToleranceResult r = analyseTolerance(p, o, progress);
  EXPECT_EQ(progress.share(), r.problem == ToleranceProblem::None ? 1 : 0) << "all done, or nothing";
  return r;
}

// No clearance, and tolerance t on the values `off` only.
ToleranceOptions only(std::initializer_list<int> off, double t) {
  ToleranceOptions o;
  o.tolerance.fill(0);
  for (int k : off) o.tolerance[k] = t;
  o.clearance = 0;
  return o;
}

TEST(Tolerance, WithoutToleranceTheBandIsZeroAndEveryPercentileTheNominalFigure) {
  const KinematicsAnalysis exact = analyseKinematics(kDefault, 60);
  for (const auto& [distribution, samples] :
       {std::pair(ToleranceDistribution::Uniform, 50), std::pair(ToleranceDistribution::Normal, 1)}) {
    ToleranceOptions o = only({}, 0);
    o.samples = samples;
    o.distribution = distribution;
    const ToleranceResult r = analyse(kDefault, o);
    ASSERT_EQ(r.problem, ToleranceProblem::None);
    ASSERT_EQ(r.band.slider.size(), exact.curves.samples.size());
    for (std::size_t a = 0; a < r.band.slider.size(); ++a) {
      const ExactPose& pose = exact.curves.samples[a];
      for (const auto& [band, exists] : {std::pair(&r.band.fourBarOutput, pose.fourBar.has_value()),
           std::pair(&r.band.sixBarOutput, pose.sixBar.has_value()), std::pair(&r.band.slider, pose.sixBar.has_value())}) {
        ASSERT_EQ((*band)[a].p95.has_value(), exists) << a;
        EXPECT_TRUE(!exists || *(*band)[a].max == 0.0) << a;
      }
      // The band is drawn across each output point's direction of travel.
      const auto along = [](const auto& part) -> std::optional<Vec2> {
        if (!part || !part->rates) return std::nullopt;
        return part->rates->output.velocity * (1 / part->rates->output.velocity.norm());
      };
      for (const auto& [got, want] : {std::pair(r.nominal[a].fourBarDirection, along(pose.fourBar)),
                                      std::pair(r.nominal[a].sixBarDirection, along(pose.sixBar))})
        EXPECT_TRUE(got.has_value() == want.has_value() && (!got || (*got - *want).norm() < 1e-12)) << a;
    }
    for (const auto& [spread, nominal] : {std::pair(&r.sliderStroke, exact.figures.slider->travel),
                                          std::pair(&r.rockingAngle, exact.figures.lever->travel),
                                          std::pair(&r.minTransmissionAngle, exact.figures.minTransmissionAngle->value)}) {
      EXPECT_EQ(spread->samples, samples);
      for (const auto& p : {spread->nominal, spread->p5, spread->p50, spread->p95}) EXPECT_EQ(p, nominal);
    }
    EXPECT_EQ(std::pair(r.notFullyTurning, r.sixBarOpen), std::pair(0.0, 0.0));
  }
}

// a = 14, b = 40, c = 30, L = 48, the output point the lever tip E (offset b along the
// coupler), no slide. At θ = 90° the crank tip is C = (0, 14) and |D − C| = √(48² + 14²) = 50,
// so the triangle C, D, E is 40-30-50: the coupler stands square to the lever (μ = 90°). E
// lies left of C → D (the branch above the axis); with (D − C)/50 = (0.96, −0.28) turned by
// the angle α at C (cos α = 0.8, sin α = 0.6) the coupler's direction is u = (0.936, 0.352).
// Lengthening the crank by δ moves C by δ·(0, 1); E stays on its circle about D, so it moves
// across the lever, along u (μ = 90°), and |E − C| = b keeps u·dE = u·dC: |dE| = 0.352·|δ|.
// With δ uniform in ±t the greatest move is 0.352·t, and 95 % of them are at most 0.95 of it.
TEST(Tolerance, CrankOnlyToleranceMovesTheLeverTipAsDerivedAtRightAngle) {
  const ToleranceResult r = analyse({14, 30, 40, 48, 40, 0, 50, 0, 0, 20, 55, 20, 55}, only({crankRadius}, 0.01));
  ASSERT_TRUE(r.problem == ToleranceProblem::None && r.crankAngles[180] == 90);
  const BandPoint& at90 = r.band.fourBarOutput[180];
  EXPECT_NEAR(*at90.max, 0.352 * 0.01, 0.005 * 0.00352);
  EXPECT_NEAR(*at90.p95, 0.95 * 0.352 * 0.01, 0.025 * 0.00352);
  EXPECT_EQ(ToleranceResult::largestP95(r.band.fourBarOutput),
            *std::ranges::max(r.band.fourBarOutput, {}, [](const BandPoint& b) { return *b.p95; }).p95);
}

// The six-bar's link made to reach the slide line with m = 0.05 to spare where the four-bar's
// output point is farthest from it: with only the link's length off, uniform in ±t (t = 0.1),
// the link misses the slide there when its error is below −m, in (t − m)/2t = 1/4 of the
// samples; the crank still turns in all of them.
TEST(Tolerance, ShareWhoseSliderIsOutOfReachFollowsTheLinksMargin) {
  ParameterSet p = kDefault;
  double farthest = 0;
  for (const ExactPose& pose : analyseKinematics(p, 60).curves.samples)
    farthest = std::max(farthest, std::abs(55 - pose.fourBar->output.y));  // the slide: y = 55
  p[sixLinkLength] = static_cast<float>(farthest + 0.05);
  const ToleranceResult r = analyse(p, only({sixLinkLength}, 0.1));
  ASSERT_TRUE(r.problem == ToleranceProblem::None && r.notFullyTurning == 0);
  EXPECT_NEAR(r.sixBarOpen, 0.25, 0.04);  // four standard errors over 2 000 samples
}

// A long coupler and a short crank: a = 5, b = 200, c = 40, L = 200, the output point Q at
// the coupler's middle (x = b/2 along it), no slide. With u the coupler's direction, w the
// lever's, Δ the angle between them (μ = |Δ|) and Q = C + x·u, the loop |E − C| = b gives per
// unit change of
//   the offsets along and across: u and its normal, so exactly 1 each;
//   the lever:   |dQ| = (x/b)/sin μ,     largest 1/(2 sin μmin);
//   the coupler: |dQ| = (x/b)·|cot μ|,   largest cot(μmin)/2, below the lever's;
//   the crank:   dQ = r̂ + (x/b)·(…)·u⊥ with r̂ the crank's direction, more than 1 where r̂ = u
//                 (there |dQ|² = 1 + cot²μ/4), so first;
//   the fixed link: (x/b)·|u⊥·x̂ − u_x·cot Δ| ≤ (|u_y| + cot μmin)/2 with |u_y| ≤ 45/200.
// The crank tip's distance d to the lever pivot runs from 195 to 205: cos μ = (b² + c² − d²)/2bc
// is greatest at d = 195, so μmin = acos(3575/16000) ≈ 77.1°. The six-bar's values move nothing.
TEST(Tolerance, SensitivitiesOfALongCouplerRankAsDerived) {
  const std::vector<Sensitivity> ranked = toleranceSensitivity({5, 40, 200, 200, 100, 0, 50, 0, 0, 20, 55, 20, 55});
  ASSERT_EQ(ranked.size(), static_cast<std::size_t>(kParamCount));
  const double muMin = std::acos(3575.0 / 16000);
  std::vector<int> order;
  for (const Sensitivity& s : ranked) order.push_back(s.parameter);
  EXPECT_EQ(std::tuple(order[0], std::min(order[1], order[2]), std::max(order[1], order[2]), order[3],
                       std::min(order[4], order[5]), std::max(order[4], order[5])),
            std::tuple(crankRadius, outputOffsetX, outputOffsetY, leverRadius, couplerLength, fixedLinkLength));
  EXPECT_GT(ranked[0].fourBarOutput, 1.0);
  for (int i : {1, 2}) EXPECT_NEAR(ranked[i].fourBarOutput, 1, 1e-8);
  EXPECT_NEAR(ranked[3].fourBarOutput, 1 / (2 * std::sin(muMin)), 1e-7);
  EXPECT_NEAR(ranked[order[4] == couplerLength ? 4 : 5].fourBarOutput, 1 / std::tan(muMin) / 2, 1e-7);
  for (std::size_t i = 6; i < ranked.size(); ++i) EXPECT_EQ(ranked[i].largest(), 0) << order[i];
}

// a = 10, b = 40, c = 30, L = 59.9: the crank turns fully while a + L ≤ b + c, here by a
// margin m = 0.1 (the inner limit L − a ≥ |b − c| holds by 39.9 and stays). With independent
// errors on the four lengths the turn is lost where δa + δL − δb − δc > m.
// Uniform in ±t with t = m: the sum is t·(2·S − 4) with S the sum of four uniforms on [0, 1]
// (Irwin–Hall), so the share is P(S > 2.5) = P(S < 1.5) = (1.5⁴ − 4·0.5⁴)/24 = 0.20052.
// Normal with σ = t/3: the sum is normal with σ = 2t/3, so P(sum > t) = 1 − Φ(1.5) = 0.06681.
// A clearance of 0.1 alone: each of the four lengths takes two errors uniform in ±0.05, so the
// sum is 0.1·(S₈ − 4) with S₈ the sum of eight uniforms on [0, 1], and the share is
// P(S₈ > 5) = P(S₈ < 3) = (3⁸ − 8·2⁸ + 28·1⁸)/8! = 4541/40320 = 0.11262.
TEST(Tolerance, ShareLosingTheFullTurnNearTheChangePointFollowsTheGrashofMargin) {
  const ParameterSet p{10, 30, 40, 59.9f, 0, 0, 50, 0, 0, 20, 55, 20, 55};
  const std::tuple<ToleranceDistribution, double, double, double> cases[] = {
      {ToleranceDistribution::Uniform, 0.1, 0, 0.20052},
      {ToleranceDistribution::Normal, 0.1, 0, 0.06681},
      {ToleranceDistribution::Uniform, 0, 0.1, 0.11262}};
  for (const auto& [distribution, tolerance, clearance, share] : cases) {
    ToleranceOptions o = only({crankRadius, leverRadius, couplerLength, fixedLinkLength}, tolerance);
    std::tie(o.clearance, o.samples, o.step, o.distribution) = std::tuple(clearance, 20000, 90.0, distribution);
    const ToleranceResult r = analyse(p, o);
    ASSERT_EQ(r.problem, ToleranceProblem::None);
    EXPECT_NEAR(r.notFullyTurning, share, 0.012);  // four standard errors of a share near 0.2
    EXPECT_EQ(r.notAssemblable, 0);
  }
}

TEST(Tolerance, BadInputAndStopGiveAProblemAndNothingElse) {
  const auto with = [](auto change) { ToleranceOptions o; o.samples = 20; change(o); return o; };
  const std::tuple<ParameterSet, ToleranceOptions, ToleranceProblem> cases[] = {
      {kDefault, with([](auto& o) { o.tolerance[3] = -0.1; }), ToleranceProblem::BadTolerance},
      {kDefault, with([](auto& o) { o.tolerance[0] = NAN; }), ToleranceProblem::BadTolerance},
      {kDefault, with([](auto& o) { o.clearance = INFINITY; }), ToleranceProblem::BadTolerance},
      {kDefault, with([](auto& o) { o.samples = 0; }), ToleranceProblem::BadSamples},
      {kDefault, with([](auto& o) { o.step = 0.03; o.samples = 1000; }), ToleranceProblem::BadSamples},
      {kDefault, with([](auto& o) { o.step = NAN; }), ToleranceProblem::BadStep},
      {{200, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55}, with([](auto&) {}), ToleranceProblem::NotAssemblable}};
  for (const auto& [p, o, problem] : cases) {
    const ToleranceResult r = analyse(p, o);
    EXPECT_EQ(r.problem, problem);
    EXPECT_TRUE(r.band.fourBarOutput.empty() && r.sensitivity.empty());
  }
  WorkProgress stopped;
  stopped.stop = true;
  EXPECT_EQ(analyseTolerance(kDefault, ToleranceOptions{}, stopped).problem, ToleranceProblem::Stopped);
}

}  // namespace
}  // namespace gyrenda
