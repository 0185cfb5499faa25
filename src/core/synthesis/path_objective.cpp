#include "synthesis/path_objective.h"

#include <algorithm>
#include <stdexcept>

#include "synthesis/compact_fit.h"

namespace gyrenda {
namespace {

constexpr double kRadian = std::numbers::pi / 180;

// cos and sin of the grid's angles, computed once.
const std::array<Vec2, PathObjective::kGrid>& gridDirections() {
  static const auto table = [] {
    std::array<Vec2, PathObjective::kGrid> t{};
    for (int i = 0; i < PathObjective::kGrid; ++i) {
      const double a = 2 * std::numbers::pi * i / PathObjective::kGrid;
      t[i] = {std::cos(a), std::sin(a)};
    }
    return t;
  }();
  return table;
}

double cosineAt(double coupler, double lever, double tipToPivot) {
  return (coupler * coupler + lever * lever - tipToPivot * tipToPivot) / (2 * coupler * lever);
}

// The output point for a crank tip in direction `radial`, as the program's exact kinematics
// places it on branch +1.
Vec2 outputPointFor(const SynthesisDesign& x, Vec2 radial) {
  const double b = x[uCoupler], c = x[uLever];
  const Vec2 tip = radial * x[uCrank], toPivot = Vec2{x[uFixedLink], 0} - tip;
  const double d = std::sqrt(toPivot.dot(toPivot));  // not hypot: this is the inner loop
  const Vec2 along = toPivot * (1 / d);
  const double foot = (b * b - c * c + d * d) / (2 * d);
  const double half = std::sqrt(std::max(0.0, b * b - foot * foot));
  const Vec2 u = along * (foot / b) + along.left() * (half / b);  // along the coupler
  return tip + u * x[uOutputAlong] + u.left() * x[uOutputAcross];
}

}  // namespace

Vec2 intoProgramFrame(Vec2 target, Vec2 pivot, double degrees) {
  const Vec2 r = target - pivot;
  const double c = std::cos(degrees * kRadian), s = std::sin(degrees * kRadian);
  return {c * r.x + s * r.y, -s * r.x + c * r.y};
}

double transmissionAngleAt(double coupler, double lever, double tipToPivot) {
  return std::acos(std::clamp(cosineAt(coupler, lever, tipToPivot), -1.0, 1.0)) / kRadian;
}

double constraintViolation(const SynthesisDesign& x, double minTransmissionAngle) {
  const double a = x[uCrank], c = x[uLever], b = x[uCoupler], l = x[uFixedLink];
  const double size = std::abs(a) + std::abs(b) + std::abs(c) + std::abs(l);
  if (!(a > 0 && b > 0 && c > 0 && l > 0)) return 1 + size;
  // A margin that the lengths' rounding to what a box shows cannot cross.
  const double margin = 1e-5 * size, limit = std::cos(minTransmissionAngle * kRadian);
  const auto over = [](double v) { return std::max(0.0, v); };
  return over(a - c) / size + over(std::abs(b - c) + margin - (l - a)) / size +
         over(l + a + margin - (b + c)) / size + over(cosineAt(b, c, l - a) - limit + 1e-5) +
         over(-limit - cosineAt(b, c, l + a) + 1e-5);
}

double worstTransmissionAngle(const SynthesisDesign& x) {
  const double b = x[uCoupler], c = x[uLever];
  return std::min(transmissionAngleAt(b, c, std::abs(x[uFixedLink] - x[uCrank])),
                  180 - transmissionAngleAt(b, c, x[uFixedLink] + x[uCrank]));
}

Vec2 outputPointAt(const SynthesisDesign& x, double radians) {
  return outputPointFor(x, {std::cos(radians), std::sin(radians)});
}

SearchSpace::SearchSpace(const SynthesisDesign& low, const SynthesisDesign& high,
                         double minTransmissionAngle, bool freeFrame, Vec2 centre)
    : low_(low),
      high_(high),
      limit_(std::cos(minTransmissionAngle * kRadian) - 2e-5),
      freeFrame_(freeFrame),
      centre_(centre) {}

std::pair<double, double> SearchSpace::tipReach(double b, double c) const {
  const double margin = 1e-4 * (b + c);
  return {std::max(std::sqrt(b * b + c * c - 2 * b * c * limit_), std::abs(b - c) + margin),
          std::min(std::sqrt(b * b + c * c + 2 * b * c * limit_), b + c - margin)};
}

SynthesisDesign SearchSpace::at(std::span<const double> u, double& shortfall) const {
  SynthesisDesign x = low_;
  const auto take = [&](int k, double lowest, double highest) {
    x[k] = lowest + std::clamp(u[k], 0.0, 1.0) * (highest - lowest);
    return std::max(0.0, lowest - highest);
  };
  for (const int k : {uCoupler, uLever, uOutputAlong, uOutputAcross}) take(k, low_[k], high_[k]);
  // Where the crank tip may lie from the lever pivot: μ within bounds, and a margin from the
  // toggles that the lengths' rounding to what a box shows cannot cross.
  const double b = x[uCoupler], c = x[uLever];
  const auto [nearest, farthest] = tipReach(b, c);
  double gap = take(uCrank, low_[uCrank],
                    std::min({high_[uCrank], c, (farthest - nearest) / 2}));
  const double a = x[uCrank];
  gap += take(uFixedLink, std::max(low_[uFixedLink], nearest + a),
              std::min(high_[uFixedLink], farthest - a));
  shortfall = gap / (b + c);
  if (freeFrame_) {
    const double reach = (a + std::hypot(x[uOutputAlong], x[uOutputAcross])) *
                         std::clamp(u[uPivotX], 0.0, 1.0);
    // Two turns for each angle, so that the search never meets a bound at an angle it needs.
    const double direction = (4 * std::clamp(u[uPivotY], 0.0, 1.0) - 2) * std::numbers::pi;
    x[uPivotX] = centre_.x + reach * std::cos(direction);
    x[uPivotY] = centre_.y + reach * std::sin(direction);
    take(uFrameAngle, low_[uFrameAngle], high_[uFrameAngle]);
  }
  return x;
}

std::vector<double> SearchSpace::pointOf(const SynthesisDesign& x) const {
  std::vector<double> u(dimensions(), 0.5);
  const auto share = [&](int k, double lowest, double highest) {
    u[k] = highest > lowest ? std::clamp((x[k] - lowest) / (highest - lowest), 0.0, 1.0) : 0;
  };
  for (const int k : {uCoupler, uLever, uOutputAlong, uOutputAcross}) share(k, low_[k], high_[k]);
  const double b = std::clamp(x[uCoupler], low_[uCoupler], high_[uCoupler]);
  const double c = std::clamp(x[uLever], low_[uLever], high_[uLever]);
  const auto [nearest, farthest] = tipReach(b, c);
  const double highestCrank = std::min({high_[uCrank], c, (farthest - nearest) / 2});
  share(uCrank, low_[uCrank], highestCrank);
  const double a = low_[uCrank] + u[uCrank] * (highestCrank - low_[uCrank]);
  share(uFixedLink, std::max(low_[uFixedLink], nearest + a), std::min(high_[uFixedLink], farthest - a));
  return u;
}

int extraTurns(std::span<const double> radians, bool backwards) {
  double total = 0;
  for (std::size_t i = 0; i < radians.size(); ++i) {
    const double gap = (radians[(i + 1) % radians.size()] - radians[i]) * (backwards ? -1 : 1);
    total += gap < 0 ? gap + 2 * std::numbers::pi : gap;
  }
  // The gaps add up to whole turns; one for targets in order.
  return std::max(0, static_cast<int>(std::lround(total / (2 * std::numbers::pi))) - 1);
}

int orderTurns(std::span<const double> radians, int& direction) {
  const int forwards = extraTurns(radians, false), backwards = extraTurns(radians, true);
  direction = backwards < forwards ? -1 : 1;
  return std::min(forwards, backwards);
}

PathObjective::PathObjective(std::vector<Vec2> targets, double minTransmissionAngle,
                             bool keepOrder, bool freeFrame, double farthest, bool largest,
                             std::vector<double> timing)
    : targets_(std::move(targets)),
      timing_(std::move(timing)),
      minAngle_(minTransmissionAngle),
      keepOrder_(keepOrder),
      freeFrame_(freeFrame),
      largest_(largest) {
  if (targets_.size() > kMostTargets) throw std::invalid_argument("too many targets");
  if (!timing_.empty() && timing_.size() != targets_.size())
    throw std::invalid_argument("a crank angle for some targets only");
  Vec2 centroid;
  for (const Vec2 t : targets_) centroid = centroid + t * (1.0 / static_cast<double>(targets_.size()));
  double square = 0;
  for (const Vec2 t : targets_) square += (t - centroid).dot(t - centroid);
  scale_ = std::max(1e-3, std::sqrt(square / static_cast<double>(targets_.size())));
  infeasible_ = (farthest / scale_) * (farthest / scale_) + 4.0 * static_cast<double>(targets_.size()) + 1;
}

double PathObjective::operator()(const SynthesisDesign& x) const {
  if (const double v = constraintViolation(x, minAngle_); v > 0) return infeasible_ * (1 + v);
  const std::array<Vec2, kGrid> samples = pathGrid(x);
  if (fitView_ || maxSize_ > 0)
    if (const double v = extentViolation(designExtent(x, samples), fitView_, maxSize_); v > 0)
      return infeasible_ * (1 + v);
  const auto path = [&x](double t) { return outputPointAt(x, t); };
  const Vec2 pivot{x[uPivotX], x[uPivotY]};
  if (!timing_.empty()) {
    std::array<Vec2, kMostTargets> moved;
    for (std::size_t i = 0; i < targets_.size(); ++i)
      moved[i] = freeFrame_ ? intoProgramFrame(targets_[i], pivot, x[uFrameAngle]) : targets_[i];
    const TimedFit fit = timedFit(path, samples, std::span(moved.data(), targets_.size()), timing_);
    const double value =
        (largest_ ? fit.largest : fit.sum / static_cast<double>(targets_.size())) / (scale_ * scale_);
    return std::isfinite(value) ? value : infeasible_;
  }
  std::array<double, kMostTargets> angles{};
  double sum = 0, most = 0;
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    const Vec2 t = freeFrame_ ? intoProgramFrame(targets_[i], pivot, x[uFrameAngle]) : targets_[i];
    const NearestPoint near = nearestPoint(path, samples, t);
    sum += near.distance * near.distance;
    most = std::max(most, near.distance * near.distance);
    angles[i] = near.radians;
  }
  double value = (largest_ ? most : sum / static_cast<double>(targets_.size())) / (scale_ * scale_);
  int direction = 0;
  if (keepOrder_) value += 4.0 * orderTurns(std::span(angles.data(), targets_.size()), direction);
  return std::isfinite(value) ? value : infeasible_;
}

std::array<Vec2, PathObjective::kGrid> pathGrid(const SynthesisDesign& x) {
  const auto& directions = gridDirections();
  std::array<Vec2, PathObjective::kGrid> samples;
  for (int i = 0; i < PathObjective::kGrid; ++i) samples[i] = outputPointFor(x, directions[i]);
  return samples;
}

}  // namespace gyrenda
