// Walking-leg synthesis: the gait's definitions on a foot path whose figures follow by hand,
// every candidate's figures measured again from its values on the exact path, the quality
// request met, bad requests refused before any search, and the same seed giving the same legs.
#include <gtest/gtest.h>

#include <chrono>
#include <numbers>
#include <thread>

#include "canvas/view_fit.h"
#include "core/test_support.h"
#include "kinematics/exact_linkage.h"
#include "kinematics/mechanism_extent.h"
#include "numeric/split_mix.h"
#include "synthesis/gait_synthesis.h"
#include "synthesis/path_objective.h"

namespace gyrenda {
namespace {

constexpr double kPi = std::numbers::pi;

// A foot path drawn in the ground's own frame and turned onto a ground at `degrees`: along the
// ground a(t) = R sin t (times `way`), above it u(t) = G + H max(0, (1 − 2 cos t) / 3), plus a
// tent `bump` high and 2w wide at t0.
//
// By hand: u is G for |t| ≤ π/3 and rises to G + H at t = π, so the ground line is u = G and
// the lift H. u − G ≤ ε where cos t ≥ c = (1 − 3ε/H) / 2, the one run |t| ≤ β = acos c: the
// share β/π, the stance from −β to β, the stride 2R sin β, the flatness ε at the ends. The
// speed along the ground R cos t is fastest at 0 and slowest at ±β: the ratio 1/c. A tent
// above ε inside the run splits it where the tent crosses ε.
struct HandPath {
  double degrees, R, H, G, way = 1, bump = 0, t0 = 0, w = 0;
  Vec2 operator()(double t) const {
    const double a = way * R * std::sin(t),
                 tent = bump * std::max(0.0, 1 - std::abs(std::remainder(t - t0, 2 * kPi)) / w),
                 u = G + H * std::max(0.0, (1 - 2 * std::cos(t)) / 3) + tent;
    const double g = degrees * kPi / 180;
    return {std::cos(g) * a - std::sin(g) * u, std::sin(g) * a + std::cos(g) * u};
  }
};

TEST(Gait, DefinitionsHoldOnAPathDerivedByHand) {
  // The tent: 1.5ε high, 2w = 0.006 wide, centred between two samples of 2048 so that no
  // sample sees it above ε (its samples reach 0.73ε): only the peak check finds it. It cuts
  // the run at t0 − w/3, leaving −β … t0 − w/3 the longest.
  const double t0 = 2 * kPi * 100.5 / 2048, w = 0.003;
  struct Row {
    HandPath path;
    double epsilon;
    bool tent;
  } rows[] = {
      {{0, 30, 10, 0}, 1, false},           {{0, 30, 10, 0}, 0, false},
      {{37, 25, 8, -40}, 0.5, false},       {{200, 30, 10, 15, -1}, 1, false},
      {{0, 30, 10, 0, 1, 1.5, t0, w}, 1, true},
      {{10, 0.5, 0.2, 0}, 0.01, false},  // a small foot: every speed along the ground below 1
  };
  for (const Row& r : rows) {
    const HandPath& p = r.path;
    const double c = (1 - 3 * r.epsilon / p.H) / 2, beta = std::acos(c);
    const double end = r.tent ? t0 - w / 3 : beta;
    const GaitFigures f = measureGait(p, p.degrees, r.epsilon);
    SCOPED_TRACE(p.degrees);
    EXPECT_NEAR(f.groundLevel, p.G, 1e-9);
    EXPECT_NEAR(f.lift, p.H, 1e-9);
    EXPECT_NEAR(f.stanceShare, (beta + end) / (2 * kPi), 1e-9);
    EXPECT_NEAR(f.stanceBegin, 360 - beta * 180 / kPi, 1e-7);
    EXPECT_NEAR(f.stanceEnd, end * 180 / kPi, 1e-7);
    EXPECT_NEAR(f.stride, p.R * (std::sin(beta) + std::sin(end)), 1e-7);
    EXPECT_EQ(f.direction, p.way > 0 ? 1 : -1);
    EXPECT_NEAR(f.flatness, r.epsilon, 1e-9);
    EXPECT_LE(f.flatness, r.epsilon);
    EXPECT_NEAR(f.stanceSpeedRatio, 1 / std::min(c, std::cos(end)), 1e-6);
  }
  // A path within ε all round: the stance is the whole turn.
  EXPECT_EQ(measureGait(HandPath{0, 30, 0.5, 0}, 0, 1).stanceShare, 1);
}

ParameterSet defaults() {
  test::OpenWindow w;
  return w.bench.linkage().parameters;
}

GaitOptions request(double stride, double lift, double share, int starts = 16) {
  GaitOptions o;
  o.stride = stride, o.lift = lift, o.stanceShare = share;
  o.search.starts = starts;
  return o;
}

// Each candidate's figures from 36000 points of its exact path, found by a walk of its own:
// the ground and lift from the lowest and highest point, the stance's ends on the ground line
// plus ε with every point between them within it, the stride and share from the ends.
void expectMeasuredAgain(const GaitResult& r, const GaitOptions& o) {
  ASSERT_FALSE(r.candidates.empty());
  const double eps = o.epsilon();
  for (std::size_t i = 0; i < r.candidates.size(); ++i) {
    const GaitCandidate& c = r.candidates[i];
    const GaitFigures& f = c.figures;
    const ExactLinkage exact = makeExactLinkage(c.parameters);
    const double g = (o.groundAngle - c.frameAngle) * kPi / 180;
    const Vec2 along{std::cos(g), std::sin(g)}, up = along.left();
    const auto foot = [&](double degrees) { return fourBarPose(exact, degrees, 0)->output; };
    double low = INFINITY, high = -INFINITY;
    for (int k = 0; k < 36000; ++k)
      low = std::min(low, up.dot(foot(k / 100.0))), high = std::max(high, up.dot(foot(k / 100.0)));
    EXPECT_TRUE(f.groundLevel <= low + 1e-9 && f.groundLevel > low - 1e-3);
    EXPECT_NEAR(f.lift, high - f.groundLevel, 1e-3);
    const double span = std::fmod(f.stanceEnd - f.stanceBegin + 360, 360);
    EXPECT_NEAR(f.stanceShare, span / 360, 1e-9);
    for (double d = 0; d <= span; d += 0.01)
      ASSERT_LE(up.dot(foot(f.stanceBegin + d)) - f.groundLevel, eps + 1e-9) << i << ' ' << d;
    for (const double end : {f.stanceBegin, f.stanceEnd})
      EXPECT_NEAR(up.dot(foot(end)) - f.groundLevel, eps, 1e-6);
    EXPECT_NEAR(f.stride, std::abs(along.dot(foot(f.stanceEnd) - foot(f.stanceBegin))), 1e-9);
    // In the world, turned by the frame angle and moved to the pivot, the stance begins at the
    // origin (a fixed frame: the program's own, the pivot at the origin).
    const double turn = c.frameAngle * kPi / 180;
    const Vec2 begin = foot(f.stanceBegin);
    const Vec2 world = Vec2{std::cos(turn) * begin.x - std::sin(turn) * begin.y,
                            std::sin(turn) * begin.x + std::cos(turn) * begin.y} + c.pivot;
    if (o.search.freeFrame) EXPECT_LT(world.norm(), 1e-9) << i;
    else EXPECT_EQ(std::pair(c.pivot, c.frameAngle), std::pair(Vec2{}, 0.0)) << i;
    EXPECT_TRUE(f.stanceSpeedRatio >= 1 && std::isfinite(f.stanceSpeedRatio));
    EXPECT_GE(c.minTransmissionAngle, o.search.minTransmissionAngle);
    EXPECT_TRUE(fitView(mechanismExtent(exact, false)).view) << i;
    test::OpenWindow w;  // the values are those the boxes keep
    w.bench.applyDesign(c.parameters);
    EXPECT_EQ(w.bench.linkage().parameters, c.parameters);
    if (i > 0 && c.meetsStance == r.candidates[i - 1].meetsStance) {
      EXPECT_GE(c.error, r.candidates[i - 1].error);
    }
  }
}

TEST(Gait, TheQualityRequestIsMetAndEveryCandidateMeasuresAgain) {
  for (const bool freeFrame : {false, true}) {
    GaitOptions o = request(60, 12, 0.5, 0);
    o.flatness = 0.6, o.search.freeFrame = freeFrame, o.groundAngle = freeFrame ? 30 : 0;
    o.search.candidates = 4;
    WorkProgress progress;
    const GaitResult r = synthesizeGait(o, defaults(), progress);
    ASSERT_EQ(r.problem, GaitProblem::None);
    expectMeasuredAgain(r, o);
    const GaitFigures& best = r.candidates.front().figures;
    EXPECT_NEAR(best.stride, 60, 0.02 * 60);
    EXPECT_NEAR(best.lift, 12, 0.10 * 12);
    EXPECT_TRUE(best.stanceShare >= 0.5 && best.flatness <= 0.6);
  }
}

TEST(Gait, SameSeedSameLegs) {
  GaitOptions o = request(40, 10, 0.5, 8);
  WorkProgress progress;
  const GaitResult a = synthesizeGait(o, defaults(), progress);
  EXPECT_TRUE(progress.done > 0 && progress.share() == 1);
  const GaitResult b = synthesizeGait(o, defaults(), progress);
  ASSERT_FALSE(a.candidates.empty());
  ASSERT_EQ(a.candidates.size(), b.candidates.size());
  for (std::size_t i = 0; i < a.candidates.size(); ++i)
    EXPECT_EQ(a.candidates[i].parameters, b.candidates[i].parameters);
  o.search.seed = 2;
  EXPECT_NE(synthesizeGait(o, defaults(), progress).candidates.front().parameters,
            a.candidates.front().parameters);
}

TEST(Gait, BadRequestsAreRefusedBeforeAnySearch) {
  struct Row {
    void (*change)(GaitOptions&);
    GaitProblem problem;
    double limit;  // the longest stride measured, where the refusal names one
  } rows[] = {
      {[](GaitOptions& o) { o.stride = 395; }, GaitProblem::StrideBeyondView, 394.5},
      {[](GaitOptions& o) { o.stride = 235, o.groundAngle = 90; }, GaitProblem::StrideBeyondView, 234.5},
      {[](GaitOptions& o) { o.search.maxSize = 40, o.groundAngle = 45; }, GaitProblem::StrideBeyondSize,
       40 * std::sqrt(2.0)},
      // Not refused: a free frame may lay the stride along the view's diagonal (the search
      // then runs, and its 16 evaluations find no leg that long).
      {[](GaitOptions& o) { o.stride = 397, o.search.freeFrame = true; }, GaitProblem::NoLeg, 0},
      {[](GaitOptions& o) { o.stride = 50, o.search.crank = {1, 5}, o.search.outputAlong = {-10, 10},
                            o.search.outputAcross = {0, 10}; },
       GaitProblem::StrideBeyondBounds, 2 * (5 + std::hypot(10, 10))},
      {[](GaitOptions& o) { o.stride = NAN; }, GaitProblem::BadStride, 0},
      {[](GaitOptions& o) { o.stanceShare = 1; }, GaitProblem::BadStanceShare, 0},
      {[](GaitOptions& o) { o.stanceShare = 0; }, GaitProblem::BadStanceShare, 0},
      {[](GaitOptions& o) { o.lift = -1; }, GaitProblem::BadLift, 0},
      {[](GaitOptions& o) { o.lift = 0.6, o.flatness = 0.6; }, GaitProblem::LiftWithinFlatness, 0},
      {[](GaitOptions& o) { o.flatness = -0.1; }, GaitProblem::BadFlatness, 0},
      {[](GaitOptions& o) { o.search.minTransmissionAngle = 90; }, GaitProblem::BadAngle, 0},
      {[](GaitOptions& o) { o.search.lever = {5, 1}; }, GaitProblem::BadBounds, 0},
      {[](GaitOptions& o) { o.search.candidates = 0; }, GaitProblem::BadBudget, 0},
  };
  for (const Row& row : rows) {
    GaitOptions o = request(60, 12, 0.5, 1);
    o.search.evaluationsPerStart = 10;
    row.change(o);
    WorkProgress progress;
    const GaitResult r = synthesizeGait(o, defaults(), progress);
    EXPECT_EQ(r.problem, row.problem) << static_cast<int>(row.problem);
    EXPECT_NEAR(r.limit, row.limit, 1e-9);
    EXPECT_TRUE(r.candidates.empty());
    EXPECT_EQ(progress.total == 0, row.problem != GaitProblem::NoLeg);
  }
}

}  // namespace
}  // namespace gyrenda

namespace gyrenda {
namespace {

// The Hoekens starts enter the search space through pointOf, the reverse of at(): every design
// the space holds comes back to its own point, and keeps the space's least transmission angle.
TEST(Gait, EachDesignOfTheSearchSpaceComesBackToItsPoint) {
  const GaitOptions o;
  const SynthesisOptions& s = o.search;
  const SearchSpace space({s.crank.low, s.lever.low, s.coupler.low, s.fixedLink.low, s.outputAlong.low,
                           s.outputAcross.low, 0, 0, 0},
                          {s.crank.high, s.lever.high, s.coupler.high, s.fixedLink.high,
                           s.outputAlong.high, s.outputAcross.high, 0, 0, 0},
                          20, false);
  std::uint64_t stream = 7;
  for (int k = 0; k < 2000; ++k) {
    std::vector<double> u(6);
    for (double& v : u) v = unitFromBits(stream = mixBits(stream + kSplitMixGamma));
    double shortfall = 0;
    const SynthesisDesign x = space.at(u, shortfall);
    if (shortfall > 0) continue;
    ASSERT_EQ(constraintViolation(x, 20), 0) << k;
    const std::vector<double> back = space.pointOf(x);
    for (int i = 0; i < 6; ++i) ASSERT_NEAR(back[i], u[i], 1e-9) << k << ' ' << i;
  }
}

// 停止 ends the search before its budget is spent, and says so.
TEST(Gait, AStopEndsTheSearchAtOnce) {
  GaitOptions o = request(60, 12, 0.5, 0);
  o.lift = 20, o.stanceShare = 0.4;  // a request no round meets: every start would run
  WorkProgress progress;
  std::thread stopper([&progress] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    progress.stop = true;
  });
  const GaitResult r = synthesizeGait(o, defaults(), progress);
  stopper.join();
  EXPECT_EQ(r.problem, GaitProblem::Stopped);
  EXPECT_LT(progress.share(), 1);
}

}  // namespace
}  // namespace gyrenda
