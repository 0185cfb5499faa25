#include "kinematics/design_figures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

namespace gyrenda {
namespace {

constexpr double kRadian = std::numbers::pi / 180;

// cos μ = (b² + c² − d²) / 2bc, so μ grows with the distance d from the crank tip to the lever
// pivot; d² = a² + L² − 2aL·cos θ runs from ||L| − a| to |L| + a. The least μ is therefore at
// the shortest distance or, where the loop opens before that, at its inner limit |b − c|
// (μ = 0°); the greatest at the longest distance or the outer limit b + c (μ = 180°). The
// first crank angle with a given d lies in 0° … 180°.
std::pair<std::optional<AtCrankAngle>, std::optional<AtCrankAngle>> transmissionExtremes(
    const ExactLinkage& k) {
  if (k.fourBarBranch == 0) return {};
  const double a = k.crank, b = k.coupler, c = k.lever, l = k.fixedLink;
  const double tolerance = k.closingTolerance;
  const auto mu = [&](double d) {
    return std::acos(std::clamp((b * b + c * c - d * d) / (2 * b * c), -1.0, 1.0)) / kRadian;
  };
  const auto crankAngleAt = [&](double d) {
    return std::acos(std::clamp((a * a + l * l - d * d) / (2 * a * l), -1.0, 1.0)) / kRadian;
  };
  const double nearest = std::abs(std::abs(l) - a), farthest = std::abs(l) + a;
  const AtCrankAngle least = nearest >= std::abs(b - c) - tolerance
                                 ? AtCrankAngle{mu(nearest), l >= 0 ? 0.0 : 180.0}
                                 : AtCrankAngle{0, crankAngleAt(std::abs(b - c))};
  const AtCrankAngle greatest = farthest <= b + c + tolerance
                                    ? AtCrankAngle{mu(farthest), l > 0 ? 180.0 : 0.0}
                                    : AtCrankAngle{180, crankAngleAt(b + c)};
  return {least, greatest};
}

// Halves [from, to], where `value` changes sign, down to 1e-10°; none where the loop opens on
// the way.
template <typename Value>
std::optional<double> bisect(Value value, double from, double to, double atFrom) {
  while (to - from > 1e-10) {
    const double mid = (from + to) / 2;
    const std::optional<double> v = value(mid);
    if (!v) return std::nullopt;
    if (*v == 0) return mid;
    if ((*v < 0) == (atFrom < 0)) {
      from = mid;
      atFrom = *v;
    } else {
      to = mid;
    }
  }
  return (from + to) / 2;
}

// The crank angles in [0°, 360°) where `value` of the pose is 0: samples where it is, and sign
// changes between neighbouring samples that both have a value, refined by bisection.
template <typename Value>
std::vector<double> zerosOf(const ExactLinkage& k, const KinematicCurves& curves, Value value) {
  const auto at = [&](double crankAngle) { return value(exactPose(k, crankAngle, curves.rpm)); };
  std::vector<double> zeros;
  const std::vector<ExactPose>& s = curves.samples;
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    const std::optional<double> v = value(s[i]), next = value(s[i + 1]);
    if (!v || !next) continue;
    if (*v == 0) {
      zeros.push_back(s[i].crankAngle);
    } else if (*next != 0 && (*v < 0) != (*next < 0)) {
      if (const auto zero = bisect(at, s[i].crankAngle, s[i + 1].crankAngle, *v))
        zeros.push_back(*zero);
    }
  }
  return zeros;
}

std::optional<Stroke> strokeBetween(const std::vector<StrokeEnd>& ends) {
  if (ends.size() < 2) return std::nullopt;
  const auto [low, high] = std::ranges::minmax_element(ends, {}, &StrokeEnd::position);
  const double rise = std::fmod(high->crankAngle - low->crankAngle + 360, 360);
  const double fall = 360 - rise;
  if (!(std::min(rise, fall) > 0)) return std::nullopt;
  return Stroke{*low, *high, high->position - low->position, rise,
                std::max(rise, fall) / std::min(rise, fall)};
}

template <typename Holds>
bool everySample(const KinematicCurves& curves, Holds holds) {
  return !curves.samples.empty() && std::ranges::all_of(curves.samples, holds);
}

// The lever's angles are taken relative to its angle at the first dead centre, so that a lever
// rocking across 0° is not torn apart; a rocker swings less than half a turn.
std::optional<Stroke> leverStroke(const ExactLinkage& k, const KinematicCurves& curves,
                                  const std::vector<double>& deadCentres) {
  if (!everySample(curves, [](const ExactPose& p) { return p.fourBar.has_value(); }))
    return std::nullopt;
  std::vector<StrokeEnd> ends;
  std::optional<double> reference;
  for (const double crankAngle : deadCentres) {
    const std::optional<FourBarPose> pose = fourBarPose(k, crankAngle, curves.rpm);
    if (!pose) return std::nullopt;
    if (!reference) reference = pose->leverAngle;
    ends.push_back({crankAngle, *reference + std::remainder(pose->leverAngle - *reference, 360)});
  }
  std::optional<Stroke> stroke = strokeBetween(ends);
  if (stroke)
    for (StrokeEnd* end : {&stroke->low, &stroke->high})
      end->position = std::fmod(end->position + 360, 360);
  return stroke;
}

const FourBarRates* fourBarRates(const ExactPose& p) {
  return p.fourBar && p.fourBar->rates ? &*p.fourBar->rates : nullptr;
}
const SixBarRates* sixBarRates(const ExactPose& p) {
  return p.sixBar && p.sixBar->rates ? &*p.sixBar->rates : nullptr;
}

std::optional<double> torquePerNewton(const ExactPose& p) {
  if (const SixBarRates* r = sixBarRates(p)) return r->torquePerNewton;
  return std::nullopt;
}

std::optional<Stroke> sliderStroke(const ExactLinkage& k, const KinematicCurves& curves) {
  if (!everySample(curves, sixBarRates)) return std::nullopt;
  std::vector<StrokeEnd> ends;
  for (const double crankAngle : zerosOf(k, curves, torquePerNewton)) {
    const std::optional<SixBarPose> pose = sixBarPose(k, crankAngle, curves.rpm);
    if (!pose) return std::nullopt;
    ends.push_back({crankAngle, pose->sliderPosition});
  }
  return strokeBetween(ends);
}

// The largest `value` over the samples, at its first occurrence; the sample at 360° repeats
// the one at 0° but for rounding, and is left out.
template <typename Rates, typename Value>
std::optional<AtCrankAngle> peakOf(const KinematicCurves& curves, Rates rates, Value value) {
  std::optional<AtCrankAngle> peak;
  for (const ExactPose& p : curves.samples)
    if (const auto* r = rates(p); r && p.crankAngle < 360 && (!peak || value(*r) > peak->value))
      peak = AtCrankAngle{value(*r), p.crankAngle};
  return peak;
}

}  // namespace

DesignFigures designFigures(const ExactLinkage& k, const KinematicCurves& curves) {
  DesignFigures f;
  std::tie(f.minTransmissionAngle, f.maxTransmissionAngle) = transmissionExtremes(k);
  // dψ/dθ = a·sin(φ − θ) / (c·sin(φ − ψ)): its zeros are those of crank × coupler, which
  // unlike dψ/dθ has no pole where the loop reaches a limit.
  f.deadCentres = zerosOf(k, curves, [](const ExactPose& p) -> std::optional<double> {
    if (!p.fourBar) return std::nullopt;
    return p.fourBar->crankTip.cross(p.fourBar->leverTip - p.fourBar->crankTip);
  });
  f.lever = leverStroke(k, curves, f.deadCentres);
  f.slider = sliderStroke(k, curves);
  f.peakOutputSpeed =
      peakOf(curves, fourBarRates, [](const FourBarRates& r) { return r.output.velocity.norm(); });
  f.peakOutputAcceleration = peakOf(curves, fourBarRates, [](const FourBarRates& r) {
    return r.output.acceleration.norm();
  });
  f.peakSliderSpeed =
      peakOf(curves, sixBarRates, [](const SixBarRates& r) { return std::abs(r.sliderVelocity); });
  f.peakSliderAcceleration = peakOf(curves, sixBarRates, [](const SixBarRates& r) {
    return std::abs(r.sliderAcceleration);
  });
  f.peakTorquePerNewton = peakOf(curves, sixBarRates, [](const SixBarRates& r) {
    return std::abs(r.torquePerNewton);
  });
  return f;
}

}  // namespace gyrenda
