// The exact kinematics: rates against differences of the exact positions, textbook linkages
// whose figures follow from their lengths by hand, and the class verdict against where the loop
// closes. The assembly branch meets the poses the raster search finds in the run hits tests.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <tuple>

#include "kinematics/kinematics_analysis.h"
#include "test_support.h"

namespace gyrenda {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// Value, velocity, acceleration and a size for the tolerance (1 for angles in radians, 100 for
// positions in mm) of each thing that moves; the six-bar's only where it has rates.
std::vector<std::array<double, 4>> moving(const ExactPose& p) {
  if (!p.fourBar || !p.fourBar->rates) return {};
  const auto& [f, r] = std::tie(*p.fourBar, *p.fourBar->rates);
  std::vector<std::array<double, 4>> v{
      {f.leverAngle * kDeg, r.lever.velocity, r.lever.acceleration, 1},
      {f.couplerAngle * kDeg, r.coupler.velocity, r.coupler.acceleration, 1},
      {f.output.x, r.output.velocity.x, r.output.acceleration.x, 100},
      {f.output.y, r.output.velocity.y, r.output.acceleration.y, 100}};
  if (!p.sixBar || !p.sixBar->rates) return v;
  const auto& [s, q] = std::tie(*p.sixBar, *p.sixBar->rates);
  v.insert(v.end(), {{s.sliderPosition, q.sliderVelocity, q.sliderAcceleration, 100},
                     {s.linkAngle * kDeg, q.link.velocity, q.link.acceleration, 1},
                     {s.output.x, q.output.velocity.x, q.output.acceleration.x, 100},
                     {s.output.y, q.output.velocity.y, q.output.acceleration.y, 100}});
  return v;
}

// The velocities against central differences of the positions, the accelerations against
// central differences of the velocities (which avoids the rounding of a second difference),
// over h = 1e-6 rad of crank: these err by h²/6 of the third derivative, at most 1e-8 of the
// size or the rate over these designs (whose sharpest accelerations reach 700 ω² · 100 mm),
// and by rounding of 1e-16 / h = 1e-10. A wrong sign or term in either solve is off by the
// size itself. Poses within 20° of a toggle are skipped.
TEST(Kinematics, RatesAgreeWithCentralDifferencesAndEveryPoseClosesItsLoops) {
  auto in = [random = std::mt19937(1234)](double lo, double hi) mutable {
    return std::uniform_real_distribution(lo, hi)(random);
  };
  constexpr double rpm = 90, h = 1e-6;
  const double w = crankSpeed(rpm), dt = h / w;
  int compared = 0;
  for (int design = 0; design < 50;) {
    ParameterSet p{};  // the lengths 5 … 80, the fixed link and the offsets −80 … 80
    for (int k = 0; k <= sixOutputOffsetY; ++k)
      p[k] = in(k < fixedLinkLength || k == sixLinkLength ? 5 : -80, 80);
    const auto first = fourBarPose(makeExactLinkage(p), 0, rpm);
    if (!first) continue;
    ++design;
    // A slide within reach of the output point at crank angle 0.
    const double r = in(0, 0.9) * p[sixLinkLength], t = in(0, 7), s = in(0, 7);
    const Vec2 mid = first->output + Vec2{std::cos(t), std::sin(t)} * r;
    const Vec2 from = mid - Vec2{std::cos(s), std::sin(s)} * 100, to = mid + (mid - from);
    std::tie(p[slideStartX], p[slideStartY], p[slideEndX], p[slideEndY]) =
        std::tuple(from.x, from.y, to.x, to.y);
    const ExactLinkage k = makeExactLinkage(p);
    for (double a = 1; a < 360; a += 7.3) {
      const ExactPose at = exactPose(k, a, rpm);
      if (!at.fourBar) continue;
      const FourBarPose& f = *at.fourBar;
      const Vec2 link = at.sixBar ? at.sixBar->slider - f.output : Vec2{p[sixLinkLength], 0};
      for (const double miss : {(f.leverTip - f.crankTip).norm() - p[couplerLength],
                                (f.leverTip - Vec2{p[fixedLinkLength], 0}).norm() - p[leverRadius],
                                link.norm() - p[sixLinkLength]})
        EXPECT_LT(std::abs(miss), 80e-9);  // 1e-9 of the longest link
      if (std::abs(std::cos(f.transmissionAngle * kDeg)) > std::cos(20 * kDeg)) continue;
      const bool sixBarClear =
          std::abs(link.dot(k.slideDirection)) > std::sin(20 * kDeg) * p[sixLinkLength];
      const auto m = moving(at), before = moving(exactPose(k, a - h / kDeg, rpm)),
                 after = moving(exactPose(k, a + h / kDeg, rpm));
      const std::size_t n =
          std::min({m.size(), before.size(), after.size(), std::size_t{sixBarClear ? 8u : 4u}});
      for (std::size_t j = 0; j < n; ++j) {
        const auto [value, velocity, acceleration, size] = m[j];
        SCOPED_TRACE(testing::Message() << "design " << design << ", crank " << a << ", " << j);
        const double moved = std::remainder(after[j][0] - before[j][0], 2 * std::numbers::pi);
        EXPECT_NEAR(velocity, moved / (2 * dt), 1e-7 * (std::abs(velocity) + w * size));
        EXPECT_NEAR(acceleration, (after[j][1] - before[j][1]) / (2 * dt),
                    1e-7 * (std::abs(acceleration) + w * w * size));
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 3000);
}

// A crank-rocker (crank 2, lever 4, coupler 5, fixed link 5) whose output point, on the crank
// tip, drives an offset slider-crank: link 8 to a slide along y = 3. Dead centres, where crank
// and coupler lie in line, by the law of cosines in the triangle O (0, 0), D (5, 0), E, DE = 4:
//   extended, OE = 5 + 2 = 7: cos ∠O = (25 + 49 − 16) / 70 = 58/70, cos ∠D = (25 + 16 − 49) / 40
//   = −0.2; folded, OE = 5 − 2 = 3: cos ∠O = (25 + 9 − 16) / 30 = 0.6, cos ∠D = 32/40 = 0.8.
// With the lever tip above the axis ψ = 180° − ∠D, and the crank stands at ∠O = 34.048°
// (extended) and 180° + ∠O = 233.130° (folded). Rocking angle 101.537° − 36.870° = 64.667°;
// time ratio 199.082° / 160.918° = 1.2372. μ is least at θ = 0 (d = 3, cos μ = 0.8) and
// greatest at 180° (d = 7, cos μ = −0.2). The slider, 20 on from the slide's start at x = −20:
// extended at x = √(10² − 3²) = √91, crank at asin(3/10) = 17.458°; folded at √(6² − 3²) = √27,
// crank at 180° + asin(3/6) = 210°. Stroke √91 − √27 = 4.343; time ratio 192.542 / 167.458.
TEST(Kinematics, TextbookCrankRockerAndOffsetSliderCrankByHand) {
  const KinematicsAnalysis k = analyseKinematics({2, 4, 5, 5, 0, 0, 8, 0, 0, -20, 3, 20, 3}, 60);
  const DesignFigures& f = k.figures;
  const auto deg = [](double cosine) { return std::acos(cosine) / kDeg; };
  const double extended = deg(58.0 / 70), folded = 180 + deg(0.6), top = std::asin(0.3) / kDeg;
  ASSERT_EQ(f.deadCentres.size(), 2u);
  const Stroke lever = f.lever.value(), slider = f.slider.value();
  const std::pair<double, double> figures[] = {
      {f.deadCentres[0], extended}, {f.deadCentres[1], folded},
      {lever.low.position, 180 - deg(-0.2)}, {lever.low.crankAngle, extended},
      {lever.high.position, 180 - deg(0.8)}, {lever.high.crankAngle, folded},
      {lever.travel, deg(-0.2) - deg(0.8)},
      {lever.timeRatio, (folded - extended) / (360 - folded + extended)},
      {f.minTransmissionAngle->value, deg(0.8)}, {f.minTransmissionAngle->crankAngle, 0},
      {f.maxTransmissionAngle->value, deg(-0.2)}, {f.maxTransmissionAngle->crankAngle, 180},
      {slider.low.position, 20 + std::sqrt(27)}, {slider.low.crankAngle, 210},
      {slider.high.position, 20 + std::sqrt(91)}, {slider.high.crankAngle, top},
      {slider.travel, std::sqrt(91) - std::sqrt(27)},
      {slider.timeRatio, (210 - top) / (150 + top)}};
  for (std::size_t i = 0; i < std::size(figures); ++i)
    EXPECT_NEAR(figures[i].first, figures[i].second, 1e-9) << "figure " << i;
  // The slider's peak speed is the fastest of the samples.
  double fastest = 0;
  for (const ExactPose& p : k.curves.samples)
    fastest = std::max(fastest, std::abs(p.sixBar->rates->sliderVelocity));
  EXPECT_EQ(f.peakSliderSpeed->value, fastest);
  // At 60 rpm the crank turns 2π rad/s: the output point on the crank tip 2 from its pivot
  // moves at 4π mm/s.
  EXPECT_NEAR(k.curves.samples[100].fourBar->rates->output.velocity.norm(), 4 * std::numbers::pi, 1e-9);
}

// Grashof's class and whether the crank turns fully, against where the exact loop closes: at
// every sample of a crank that turns, at none of a design that cannot be assembled, at some of
// any other. Sums equal in decimal count as equal in floats (12.7 + 40.9 = 30.3 + 23.3, and
// 8.6 + 38.4 = 34.1 + 12.9 with the coupler the longest link), so the flat triple rocker
// (0.3 = 0.1 + 0.1 + 0.1) can be assembled. The fixed link at its lower bound (19) brings the
// crank tip 1 from the lever pivot; a crank of 0.5 turns as well, and so does any crank about
// a lever pivot of its own (fixed link 0). The least and greatest transmission angle are those
// of the exact poses at the first crank angles where they occur: 0° and 180° where the loop
// opens before its extreme distance.
TEST(Kinematics, ClassVerdictAndBranchFollowWhereTheLoopCloses) {
  using enum LinkageClass;
  const struct { float crank, coupler, lever, fixed; LinkageClass c; bool turns; } cases[] = {
      {18, 36, 36, 31, CrankRocker, true},    {30, 40, 35, 10, DoubleCrank, true},
      {30, 10, 35, 40, DoubleRocker, false},  {30, 40, 10, 35, RockerCrank, false},
      {20, 30, 25, 60, TripleRocker, false},  {20, 40, 30, 30, ChangePoint, true},
      {30, 20, 40, 30, ChangePoint, false},   {18, 36, 36, -31, CrankRocker, true},
      {18, 36, 36, 19, CrankRocker, true},    {0.5f, 36, 36, 31, CrankRocker, true},
      {18, 36, 36, 0, DoubleCrank, true},
      {12.7f, 30.3f, 40.9f, 23.3f, ChangePoint, true}, {10, 20, 30, 20, ChangePoint, true},
      {8.6f, 38.4f, 34.1f, 12.9f, ChangePoint, true},
      {1, 10, 100, 10, CannotBeAssembled, false}, {0.1f, 0.1f, 0.3f, 0.1f, TripleRocker, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.crank << " " << c.coupler << " " << c.lever << " "
                                    << c.fixed);
    EXPECT_EQ(classifyLinkage(c.crank, c.coupler, c.lever, c.fixed), (LinkageKind{c.c, c.turns}));
    const KinematicsAnalysis a = analyseKinematics(
        {c.crank, c.lever, c.coupler, c.fixed, 0, 0, 50, 0, 0, 20, 55, 150, 55}, 60);
    const int closing = a.fourBarSamples;
    EXPECT_TRUE(c.turns ? closing == 721 : c.c == CannotBeAssembled ? closing == 0
                : closing > 0 && closing < 721) << closing;
    if (closing == 0) continue;
    const AtCrankAngle least = a.figures.minTransmissionAngle.value();
    for (const AtCrankAngle& m : {least, a.figures.maxTransmissionAngle.value()}) {
      EXPECT_NEAR(fourBarPose(a.linkage, m.crankAngle, 60).value().transmissionAngle, m.value, 1e-4)
          << m.crankAngle;
      for (const ExactPose& p : a.curves.samples) {  // where it occurs first
        if (!p.fourBar || p.crankAngle >= m.crankAngle) continue;
        EXPECT_GT(std::abs(p.fourBar->transmissionAngle - m.value), 1e-9) << p.crankAngle;
      }
    }
    // A change-point whose crank turns toggles at θ = 0, where the crank tip lies lever −
    // coupler from the lever pivot: coupler and lever fold onto one line, and the two lever tips
    // the branch rule chooses from there coincide, which makes the branch +1.
    if (c.c == ChangePoint && c.turns) {
      EXPECT_EQ(std::tuple(least.value, least.crankAngle, a.linkage.fourBarBranch),
                std::tuple(0.0, 0.0, 1));
    }
  }
  // Designs the window would not take follow the tip the search sees first, above the axis:
  // one loop first closes at 42°, where the tip below has the smaller coupler direction, the
  // other at 9.5° with both tips below the axis until 40.5°.
  for (const auto& [late, seen] :
       {std::pair(ParameterSet{7, 7, 54, 52, 0, 0, 50, 0, 0, 20, 55, 150, 55}, 42.0),
        {ParameterSet{45, 38, 49, 36, 0, 0, 50, 0, 0, 20, 55, 150, 55}, 40.5}})
    EXPECT_GT(fourBarPose(makeExactLinkage(late), seen, 60).value().leverTip.y, 0) << seen;
  // Where the link 5 from the output point (3, 0) meets the slide twice at 0°, the slider with
  // the smaller link direction: (6, 4) exactly at the slide's start, which counts as on it, at
  // 53° rather than (0, 4) at 127°; on a slide through (3, 0) falling to the right, (-1, 3) at
  // 143° rather than (7, -3) at 323°.
  for (const auto& [p, slider] :
       {std::pair(ParameterSet{3, 5, 5, 9, 0, 0, 5, 0, 0, 6, 4, -94, 4}, Vec2{6, 4}),
        {ParameterSet{3, 5, 5, 9, 0, 0, 5, 0, 0, -5, 6, 11, -6}, Vec2{-1, 3}}})
    EXPECT_LT((sixBarPose(makeExactLinkage(p), 0, 60).value().slider - slider).norm(), 1e-9);
}

// Where a length is 0, the slide has no length (one of 0.5 has), or a parameter or the speed
// is not finite, poses or rates are missing, and every figure there is finite. Samples lie at 0, step, 2·step,
// … and 360 (53 at 7°); there are none for a step outside 0.001° … 360°.
TEST(Kinematics, NoPoseOrRatesRatherThanValuesThatAreNotFinite) {
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    int k; float value; double rpm, step; std::size_t samples; bool fourBar, sixBar, rates;
  } cases[] = {
      {crankRadius, 0, 60, .5, 721, 0, 0, 0},   {couplerLength, 0, 60, .5, 721, 0, 0, 0},
      {sixLinkLength, 0, 60, .5, 721, 1, 0, 1}, {slideEndX, 20, 60, .5, 721, 1, 0, 1},
      {slideEndX, 20.5f, 60, .5, 721, 1, 1, 1},
      {outputOffsetY, nan, 60, .5, 721, 0, 0, 0}, {crankRadius, 18, nan, .5, 721, 1, 1, 0},
      {crankRadius, 18, 1e300, .5, 721, 1, 1, 0}, {crankRadius, 18, 0, .5, 721, 1, 1, 1},
      {crankRadius, 18, 60, 7, 53, 1, 1, 1},      {crankRadius, 18, 60, 360, 2, 1, 1, 1},
      {crankRadius, 18, 60, 360.5, 0, 1, 1, 1},   {crankRadius, 18, 60, 9e-4, 0, 1, 1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.k << " " << c.value << " " << c.rpm << " " << c.step);
    ParameterSet p{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
    p[c.k] = c.value;
    const KinematicsAnalysis a = analyseKinematics(p, c.rpm, c.step);
    ASSERT_EQ(a.curves.samples.size(), c.samples);
    EXPECT_TRUE(!c.samples || std::pair(a.curves.samples[1].crankAngle, a.curves.samples.back().crankAngle) ==
                                  std::pair(std::min(c.step, 360.0), 360.0));
    for (const ExactPose& s : a.curves.samples)
      EXPECT_EQ(std::tuple(s.fourBar.has_value(), s.sixBar.has_value(), s.fourBar && s.fourBar->rates.has_value()),
                std::tuple(c.fourBar, c.sixBar, c.rates));
    const DesignFigures& f = a.figures;
    for (const auto& figure : {f.minTransmissionAngle, f.maxTransmissionAngle, f.peakOutputSpeed,
                               f.peakOutputAcceleration, f.peakSliderSpeed,
                               f.peakSliderAcceleration, f.peakTorquePerNewton})
      EXPECT_TRUE(!figure || std::isfinite(figure->value + figure->crankAngle));
  }
}

}  // namespace
}  // namespace gyrenda
