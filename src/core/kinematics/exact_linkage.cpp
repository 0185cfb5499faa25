#include "kinematics/exact_linkage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>
#include <utility>

#include "linkage/angle_table.h"

namespace gyrenda {
namespace {

constexpr double kRadian = std::numbers::pi / 180;

Vec2 unit(Vec2 v) { return v * (1 / v.norm()); }
Vec2 direction(double degrees) {
  return {std::cos(degrees * kRadian), std::sin(degrees * kRadian)};
}

double degreesOf(Vec2 v) {
  const double a = std::atan2(v.y, v.x) / kRadian;
  const double turned = a < 0 ? a + 360 : a + 0.0;  // + 0.0 turns −0 into 0
  return turned < 360 ? turned : 0;                 // a tiny negative angle rounds up to 360
}

// x·p + y·q = r; none where p and q are (all but) parallel: the loop at a toggle.
std::optional<std::pair<double, double>> solve(Vec2 p, Vec2 q, Vec2 r) {
  const double det = p.cross(q);
  if (!(std::abs(det) > 1e-12 * p.norm() * q.norm())) return std::nullopt;
  return std::pair{r.cross(q) / det, p.cross(r) / det};
}

// The lever tip on side `branch` of the line from the crank tip to the lever pivot.
std::optional<Vec2> leverTip(const ExactLinkage& k, Vec2 crankTip, int branch) {
  const Vec2 toPivot = Vec2{k.fixedLink, 0} - crankTip;
  const double d = toPivot.norm(), b = k.coupler, c = k.lever;
  if (d == 0 || d > b + c + k.closingTolerance || d < std::abs(b - c) - k.closingTolerance)
    return std::nullopt;
  const Vec2 along = toPivot * (1 / d);
  const double foot = (b * b - c * c + d * d) / (2 * d);
  const double half = std::sqrt(std::max(0.0, b * b - foot * foot));
  return crankTip + along * foot + along.left() * (branch * half);
}

// The slider's position on root `branch`, where the link's circle about p meets the slide.
std::optional<double> sliderPosition(const ExactLinkage& k, Vec2 p, int branch) {
  const Vec2 fromStart = p - k.slideStart;
  const double foot = fromStart.dot(k.slideDirection), off = k.slideDirection.cross(fromStart);
  // As for the four-bar: the float inputs' rounding, here on the scale of the positions too.
  const double tolerance =
      std::numeric_limits<float>::epsilon() * (k.sixLink + fromStart.norm());
  if (std::abs(off) > k.sixLink + tolerance) return std::nullopt;
  return foot + branch * std::sqrt(std::max(0.0, k.sixLink * k.sixLink - off * off));
}

// Of two candidate far ends of a link from `from` (branch +1 and −1), the branch whose link
// direction in [0°, 360°) is the smaller; 0 for neither.
int smallerDirection(Vec2 from, std::optional<Vec2> plus, std::optional<Vec2> minus) {
  if (!plus || !minus) return plus ? 1 : minus ? -1 : 0;
  return degreesOf(*minus - from) < degreesOf(*plus - from) ? -1 : 1;
}

bool allFinite(std::initializer_list<double> values) {
  return std::ranges::all_of(values, [](double v) { return std::isfinite(v); });
}

// Rates below are derivatives by the crank angle in radians (a crank at 1 rad/s); atSpeed
// scales them to the real speed, which, with no crank acceleration, multiplies each first
// derivative by ω and each second by ω².
std::optional<FourBarPose> fourBarAtUnitSpeed(const ExactLinkage& k, double crankAngle) {
  if (k.fourBarBranch == 0 || !std::isfinite(crankAngle)) return std::nullopt;
  const Vec2 radial = direction(crankAngle), crankTip = radial * k.crank;
  const std::optional<Vec2> tip = leverTip(k, crankTip, k.fourBarBranch);
  if (!tip) return std::nullopt;
  const Vec2 u = unit(*tip - crankTip), w = unit(*tip - Vec2{k.fixedLink, 0});
  const Vec2 across = u.left() * k.outputOffset.x - u * k.outputOffset.y;  // d(Q − C)/dφ
  const Vec2 offset = u * k.outputOffset.x + u.left() * k.outputOffset.y;
  FourBarPose pose{crankTip, *tip, crankTip + offset, degreesOf(w), degreesOf(u),
                   std::acos(std::clamp(u.dot(w), -1.0, 1.0)) / kRadian, std::nullopt};
  // Lengths too small to square in double precision leave no direction to take.
  if (!allFinite({pose.leverTip.x, pose.leverTip.y, pose.output.x, pose.output.y,
                  pose.leverAngle, pose.couplerAngle, pose.transmissionAngle}))
    return std::nullopt;
  // The loop C + b·u(φ) = D + c·w(ψ) differentiated once and twice: the same 2×2 matrix in
  // (φ', ψ') and in (φ'', ψ'').
  const Vec2 tipVelocity = radial.left() * k.crank, tipAcceleration = radial * -k.crank;
  const Vec2 p = u.left() * k.coupler, q = w.left() * -k.lever;
  const auto first = solve(p, q, tipVelocity * -1);
  if (!first) return pose;
  const auto [dPhi, dPsi] = *first;
  const auto second = solve(
      p, q, u * (k.coupler * dPhi * dPhi) - w * (k.lever * dPsi * dPsi) - tipAcceleration);
  if (!second) return pose;
  const auto [ddPhi, ddPsi] = *second;
  pose.rates = FourBarRates{
      {dPsi, ddPsi},
      {dPhi, ddPhi},
      {tipVelocity + across * dPhi, tipAcceleration + across * ddPhi - offset * (dPhi * dPhi)}};
  return pose;
}

std::optional<SixBarPose> sixBarAtUnitSpeed(const ExactLinkage& k, const FourBarPose& driving) {
  if (k.sixBarBranch == 0) return std::nullopt;
  const Vec2 p = driving.output, e = k.slideDirection;
  const std::optional<double> s = sliderPosition(k, p, k.sixBarBranch);
  if (!s) return std::nullopt;
  const Vec2 slider = k.slideStart + e * *s, v = unit(slider - p);
  const Vec2 across = v.left() * k.sixOutputOffset.x - v * k.sixOutputOffset.y;
  const Vec2 offset = v * k.sixOutputOffset.x + v.left() * k.sixOutputOffset.y;
  SixBarPose pose{slider, p + offset, *s, degreesOf(v), std::nullopt};
  if (!allFinite({slider.x, slider.y, pose.output.x, pose.output.y, pose.linkAngle}))
    return std::nullopt;
  if (!driving.rates) return pose;
  // S − P = d·v(β) with S = start + s·e, differentiated once and twice: in (s', β') and in
  // (s'', β'').
  const PointRates& in = driving.rates->output;
  const Vec2 q = v.left() * -k.sixLink;
  const auto first = solve(e, q, in.velocity);
  if (!first) return pose;
  const auto [ds, dBeta] = *first;
  const auto second = solve(e, q, in.acceleration - v * (k.sixLink * dBeta * dBeta));
  if (!second) return pose;
  const auto [dds, ddBeta] = *second;
  pose.rates = SixBarRates{{dBeta, ddBeta},
                           ds,
                           dds,
                           {in.velocity + across * dBeta,
                            in.acceleration + across * ddBeta - offset * (dBeta * dBeta)},
                           ds};
  return pose;
}

AngularRates atSpeed(AngularRates r, double w) { return {r.velocity * w, r.acceleration * w * w}; }
PointRates atSpeed(PointRates r, double w) { return {r.velocity * w, r.acceleration * w * w}; }
bool finite(const PointRates& r) {
  return allFinite({r.velocity.x, r.velocity.y, r.acceleration.x, r.acceleration.y});
}

void atSpeed(std::optional<FourBarRates>& r, double w) {
  if (!r) return;
  r = FourBarRates{atSpeed(r->lever, w), atSpeed(r->coupler, w), atSpeed(r->output, w)};
  if (!allFinite({r->lever.velocity, r->lever.acceleration, r->coupler.velocity,
                  r->coupler.acceleration}) ||
      !finite(r->output))
    r.reset();
}

void atSpeed(std::optional<SixBarRates>& r, double w) {
  if (!r) return;
  r = SixBarRates{atSpeed(r->link, w), r->sliderVelocity * w, r->sliderAcceleration * w * w,
                  atSpeed(r->output, w), r->torquePerNewton};
  if (!allFinite({r->link.velocity, r->link.acceleration, r->sliderVelocity,
                  r->sliderAcceleration, r->torquePerNewton}) ||
      !finite(r->output))
    r.reset();
}

// The branch rule's choice, given for each table angle the link's fixed end and its two
// candidate far ends (branch +1 and −1), either of all or only of those the search can see.
template <typename Candidates>
int branchOfTheRun(Candidates candidates) {
  std::optional<int> firstClosing;
  for (int i = 0; i < kAngleSteps; ++i) {
    const auto [from, plus, minus] = candidates(i / 2.0, false);
    if (!plus) continue;  // the two exist together or not at all
    if (!firstClosing) firstClosing = smallerDirection(from, plus, minus);
    const auto [_, seenPlus, seenMinus] = candidates(i / 2.0, true);
    if (const int b = smallerDirection(from, seenPlus, seenMinus)) return b;
  }
  return firstClosing.value_or(0);
}

using Candidates = std::tuple<Vec2, std::optional<Vec2>, std::optional<Vec2>>;

int fourBarBranchOfTheRun(const ExactLinkage& k) {
  return branchOfTheRun([&](double crankAngle, bool seenOnly) {
    const Vec2 crankTip = direction(crankAngle) * k.crank;
    const auto tip = [&](int branch) -> std::optional<Vec2> {
      const std::optional<Vec2> e = leverTip(k, crankTip, branch);
      return e && (!seenOnly || e->y >= 0) ? e : std::nullopt;
    };
    return Candidates{crankTip, tip(1), tip(-1)};
  });
}

int sixBarBranchOfTheRun(const ExactLinkage& k) {
  return branchOfTheRun([&](double crankAngle, bool seenOnly) {
    const std::optional<FourBarPose> driving = fourBarAtUnitSpeed(k, crankAngle);
    if (!driving) return Candidates{};
    const auto slider = [&](int branch) -> std::optional<Vec2> {
      const std::optional<double> s = sliderPosition(k, driving->output, branch);
      if (!s || (seenOnly && (*s < 0 || *s > k.slideLength))) return std::nullopt;
      return k.slideStart + k.slideDirection * *s;
    };
    return Candidates{driving->output, slider(1), slider(-1)};
  });
}

// Everything of the linkage but its branches.
ExactLinkage geometryOf(const DesignValues& p) {
  ExactLinkage k;
  k.crank = p[crankRadius];
  k.coupler = p[couplerLength];
  k.lever = p[leverRadius];
  k.fixedLink = p[fixedLinkLength];
  k.sixLink = p[sixLinkLength];
  k.outputOffset = {p[outputOffsetX], p[outputOffsetY]};
  k.sixOutputOffset = {p[sixOutputOffsetX], p[sixOutputOffsetY]};
  k.slideStart = {p[slideStartX], p[slideStartY]};
  const Vec2 slide = Vec2{p[slideEndX], p[slideEndY]} - k.slideStart;
  k.slideLength = slide.norm();
  if (k.slideLength > 0) k.slideDirection = unit(slide);
  k.closingTolerance = std::numeric_limits<float>::epsilon() *
                       (k.crank + k.coupler + k.lever + std::abs(k.fixedLink));
  return k;
}

bool fourBarCanClose(const ExactLinkage& k) { return k.crank > 0 && k.coupler > 0 && k.lever > 0; }
bool sixBarCanClose(const ExactLinkage& k) {
  return k.fourBarBranch != 0 && k.sixLink > 0 && k.slideLength > 0;
}

}  // namespace

ExactLinkage makeExactLinkage(const ParameterSet& p) {
  if (!std::ranges::all_of(p, [](float v) { return std::isfinite(v); })) return {};
  DesignValues values;
  std::ranges::copy(p, values.begin());
  ExactLinkage k = geometryOf(values);
  if (fourBarCanClose(k)) k.fourBarBranch = fourBarBranchOfTheRun(k);
  if (sixBarCanClose(k)) k.sixBarBranch = sixBarBranchOfTheRun(k);
  return k;
}

ExactLinkage exactLinkageOnBranches(const DesignValues& values, int fourBarBranch,
                                    int sixBarBranch) {
  ExactLinkage k = geometryOf(values);
  if (fourBarCanClose(k)) k.fourBarBranch = fourBarBranch;
  if (sixBarCanClose(k)) k.sixBarBranch = sixBarBranch;
  return k;
}

double crankSpeed(double rpm) { return 2 * std::numbers::pi * rpm / 60; }

ExactPose exactPose(const ExactLinkage& k, double crankAngle, double rpm) {
  ExactPose pose{crankAngle, fourBarAtUnitSpeed(k, crankAngle), std::nullopt};
  if (!pose.fourBar) return pose;
  pose.sixBar = sixBarAtUnitSpeed(k, *pose.fourBar);
  const double w = crankSpeed(rpm);
  atSpeed(pose.fourBar->rates, w);
  if (pose.sixBar) atSpeed(pose.sixBar->rates, w);
  return pose;
}

std::optional<FourBarPose> fourBarPose(const ExactLinkage& k, double crankAngle, double rpm) {
  std::optional<FourBarPose> pose = fourBarAtUnitSpeed(k, crankAngle);
  if (pose) atSpeed(pose->rates, crankSpeed(rpm));
  return pose;
}

std::optional<SixBarPose> sixBarPose(const ExactLinkage& k, double crankAngle, double rpm) {
  return exactPose(k, crankAngle, rpm).sixBar;
}

}  // namespace gyrenda
