// What the path synthesis minimises: how far the targets lie from a four-bar's exact output
// path, and how far a design is from meeting the hard constraints.
#pragma once

#include <array>
#include <cmath>
#include <numbers>
#include <span>
#include <tuple>
#include <vector>

#include "kinematics/vec2.h"

namespace gyrenda {

// The unknowns in one vector. The first six are the four-bar's, in the program's frame; the
// last three place that frame in the targets' frame (the crank pivot, and the fixed link's
// angle in degrees counterclockwise), and stay 0 for a fixed frame.
enum SynthesisUnknown : int {
  uCrank,
  uLever,
  uCoupler,
  uFixedLink,
  uOutputAlong,
  uOutputAcross,
  uPivotX,
  uPivotY,
  uFrameAngle,
  kSynthesisUnknowns,
};
using SynthesisDesign = std::array<double, kSynthesisUnknowns>;

// A target's point in the program's frame, for a design whose frame lies at `pivot`, turned by
// `degrees`, in the targets' frame.
Vec2 intoProgramFrame(Vec2 target, Vec2 pivot, double degrees);

// The transmission angle μ (degrees) where the crank tip lies `tipToPivot` from the lever
// pivot; μ grows with that distance, so its extremes over a turn lie at crank angles 0° and
// 180°, where the distance is |fixed link − crank| and fixed link + crank.
double transmissionAngleAt(double coupler, double lever, double tipToPivot);

// How far a design is from what a synthesis may answer (0 when it meets all of it): the crank
// no longer than the lever, the crank turning fully with the lever pivot beyond its circle
// (so a crank-rocker whose lever tip starts above the axis), μ within [min, 180° − min] at both
// extremes. Dimensionless: cosines and lengths over the design's size.
double constraintViolation(const SynthesisDesign& x, double minTransmissionAngle);

// The smaller of μ and 180° − μ at its worst over a turn (degrees).
double worstTransmissionAngle(const SynthesisDesign& x);

// The output point at crank angle `radians` on the lever branch above the axis at 0°, which
// the program's analysis follows for every design that meets the constraints.
Vec2 outputPointAt(const SynthesisDesign& x, double radians);

// The least of g over [low, high] near `start` (whose value is `atStart`), by Brent's method:
// the argument and the value.
template <typename G>
std::pair<double, double> brentMinimum(G g, double low, double high, double start,
                                       double atStart) {
  constexpr double kGolden = 0.3819660112501051, kRelative = 1.5e-8, kAbsolute = 1e-11;
  double a = low, b = high, x = start, w = start, v = start;
  double fx = atStart, fw = atStart, fv = atStart, d = 0, e = 0;
  for (int step = 0; step < 60; ++step) {
    const double m = (a + b) / 2, tol = kRelative * std::abs(x) + kAbsolute, tol2 = 2 * tol;
    if (std::abs(x - m) <= tol2 - (b - a) / 2) break;
    double p = 0, q = 0, r = 0;
    if (std::abs(e) > tol) {  // a parabola through x, w and v
      r = (x - w) * (fx - fv);
      q = (x - v) * (fx - fw);
      p = (x - v) * q - (x - w) * r;
      q = 2 * (q - r);
      if (q > 0) p = -p;
      else q = -q;
      r = e;
      e = d;
    }
    if (std::abs(p) < std::abs(q * r / 2) && p > q * (a - x) && p < q * (b - x)) {
      d = p / q;
      if (x + d - a < tol2 || b - x - d < tol2) d = x < m ? tol : -tol;
    } else {  // a golden-section step into the larger part
      e = (x < m ? b : a) - x;
      d = kGolden * e;
    }
    const double u = std::abs(d) >= tol ? x + d : x + (d > 0 ? tol : -tol);
    const double fu = g(u);
    if (fu <= fx) {
      (u < x ? b : a) = x;
      v = w, fv = fw, w = x, fw = fx, x = u, fx = fu;
    } else {
      (u < x ? a : b) = u;
      if (fu <= fw || w == x) v = w, fv = fw, w = u, fw = fu;
      else if (fu <= fv || v == x || v == w) v = u, fv = fu;
    }
  }
  return {x, fx};
}

// The point of a closed path nearest `target`: the nearest of `grid` points evenly spaced over
// a turn, then refined between that point's two neighbours. `path` gives the point at an angle
// in radians; `samples` holds its points at the grid's angles 2π·i/grid.
struct NearestPoint {
  double distance, radians;  // radians in [0, 2π)
};
template <typename Path>
NearestPoint nearestPoint(Path path, std::span<const Vec2> samples, Vec2 target) {
  const double step = 2 * std::numbers::pi / static_cast<double>(samples.size());
  std::size_t best = 0;
  double bestSquare = INFINITY;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const Vec2 r = samples[i] - target;
    if (const double s = r.dot(r); s < bestSquare) best = i, bestSquare = s;
  }
  const double at = step * static_cast<double>(best);
  const auto square = [&](double t) {
    const Vec2 r = path(t) - target;
    return r.dot(r);
  };
  auto [t, s] = brentMinimum(square, at - step, at + step, at, bestSquare);
  t = std::fmod(t, 2 * std::numbers::pi);
  if (t < 0) t += 2 * std::numbers::pi;
  return {std::sqrt(s), t};
}

// Prescribed timing: each target's crank angle `radians` after the first target's, at a phase
// (the first target's crank angle) left free. The phase (radians, [0, 2π)) and direction (1: the
// angles run with the program's crank angle, −1 against it, as a crank driven the other way
// turns) that bring the output point at each target's angle closest to it, with the squares'
// sum and largest there. The phase minimises the sum: first over 64 phases in either direction
// on the path between the `samples` (the path's points evenly spaced over a turn, from crank
// angle 0), then refined on `path` between the best one's neighbours.
struct TimedFit {
  double phase = 0;
  int direction = 1;
  double sum = INFINITY, largest = INFINITY;
};
template <typename Path>
TimedFit timedFit(Path path, std::span<const Vec2> samples, std::span<const Vec2> targets,
                  std::span<const double> radians) {
  constexpr int kPhases = 64;
  const double turn = 2 * std::numbers::pi, perSample = static_cast<double>(samples.size()) / turn;
  const auto between = [&](double t) {  // the path between its samples, t in any turn
    double at = std::fmod(t * perSample, static_cast<double>(samples.size()));
    if (at < 0) at += static_cast<double>(samples.size());
    const auto k = std::min(static_cast<std::size_t>(at), samples.size() - 1);
    const double f = at - static_cast<double>(k);
    return samples[k] * (1 - f) + samples[(k + 1) % samples.size()] * f;
  };
  const auto squares = [&](auto point, double phase, int direction) {
    double sum = 0;
    for (std::size_t i = 0; i < targets.size(); ++i) {
      const Vec2 r = point(phase + direction * radians[i]) - targets[i];
      sum += r.dot(r);
    }
    return sum;
  };
  TimedFit fit;
  for (const int direction : {1, -1})
    for (int k = 0; k < kPhases; ++k)
      if (const double s = squares(between, turn * k / kPhases, direction); s < fit.sum)
        fit = {turn * k / kPhases, direction, s, 0};
  const auto exact = [&](double phase) { return squares(path, phase, fit.direction); };
  const double step = turn / kPhases;
  std::tie(fit.phase, fit.sum) = brentMinimum(exact, fit.phase - step, fit.phase + step,
                                              fit.phase, exact(fit.phase));
  fit.phase = std::fmod(fit.phase + turn, turn);
  fit.largest = 0;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Vec2 r = path(fit.phase + fit.direction * radians[i]) - targets[i];
    fit.largest = std::max(fit.largest, r.dot(r));
  }
  return fit;
}

// How many turns beyond one the crank makes when it meets the targets in their order, each at
// its angle (radians in [0, 2π)): 0 when the angles are in cyclic order. `backwards`: in the
// reverse order, the path travelled against the crank's turn as the list runs.
int extraTurns(std::span<const double> radians, bool backwards = false);
// The fewer extra turns of the two directions, and which: 1 for the targets met in their
// order, −1 in the reverse order (1 where both need as many).
int orderTurns(std::span<const double> radians, int& direction);

// Where the search moves: its unknowns scaled to [0, 1] and mapped onto designs that meet the
// constraints by construction, so that neither stage of the search meets a wall. Coupler and
// lever within their ranges, the crank within its range but no longer than the lever and short
// enough that some fixed link keeps μ within bounds at both extremes, the fixed link within its
// range and within what keeps μ there; offsets and frame within their ranges.
class SearchSpace {
 public:
  // `low` and `high` bound each unknown; the frame's stay 0 for a fixed frame. With a free
  // frame the crank pivot is not searched in its box but around the targets' `centre`, within
  // what the design's own crank and offset reach (its direction and share of that reach are
  // the two unknowns), so that a small linkage is tried close to the targets as often as a
  // large one further away.
  SearchSpace(const SynthesisDesign& low, const SynthesisDesign& high,
              double minTransmissionAngle, bool freeFrame, Vec2 centre = {});
  std::size_t dimensions() const { return freeFrame_ ? kSynthesisUnknowns : 6; }
  // The design at `u`; `shortfall` is 0, or where the ranges leave no crank or fixed link
  // for this coupler and lever, by how much they miss (over the design's size).
  SynthesisDesign at(std::span<const double> u, double& shortfall) const;
  // The point of the unit cube whose design is the four-bar of `x` (its first six values), or
  // the nearest the ranges allow: the reverse of at() for a design to start from.
  std::vector<double> pointOf(const SynthesisDesign& x) const;
  const SynthesisDesign& low() const { return low_; }
  const SynthesisDesign& high() const { return high_; }

 private:
  // Where the crank tip may lie from the lever pivot for coupler b and lever c, nearest and
  // farthest: μ within bounds, and a margin from the toggles that the lengths' rounding to
  // what a box shows cannot cross.
  std::pair<double, double> tipReach(double b, double c) const;
  SynthesisDesign low_, high_;
  double limit_;  // the cosine of the least μ, a little within it
  bool freeFrame_;
  Vec2 centre_;
};

// The objective of the search for a fixed set of targets.
class PathObjective {
 public:
  // `farthest`: no target lies further than this from any path the search may try.
  // `largest`: the largest distance is minimised instead of the mean square distance.
  // `timing`: each target's crank angle after the first's (radians), or empty; with it each
  // target's distance is from the output point at its crank angle (see timedFit), and the
  // order follows from the angles.
  PathObjective(std::vector<Vec2> targets, double minTransmissionAngle, bool keepOrder,
                bool freeFrame, double farthest, bool largest = false,
                std::vector<double> timing = {});
  // The value to minimise: the mean square distance of the targets from the path (or the
  // largest distance's square) over the square of the targets' spread, with a cyclic order
  // that holds in neither direction counted as a further four for every extra turn; for a design that breaks a constraint, `infeasible`
  // and more, growing with how far it breaks them, so that every design that meets them is
  // better.
  double operator()(const SynthesisDesign& x) const;
  double infeasible() const { return infeasible_; }
  // The spread: the root mean square distance of the targets from their centroid (at least a
  // thousandth of a unit).
  double scale() const { return scale_; }
  std::span<const Vec2> targets() const { return targets_; }
  bool freeFrame() const { return freeFrame_; }
  bool largest() const { return largest_; }
  std::span<const double> timing() const { return timing_; }
  // Added beside the above: a design whose mechanism breaks these limits (see
  // extentViolation) counts as one that breaks a constraint.
  void limitExtent(bool fitView, double maxSize) { fitView_ = fitView, maxSize_ = maxSize; }

  static constexpr int kGrid = 64;
  static constexpr std::size_t kMostTargets = 200;  // more throw std::invalid_argument

 private:
  std::vector<Vec2> targets_;
  std::vector<double> timing_;
  double minAngle_;
  bool keepOrder_, freeFrame_, largest_;
  double scale_ = 1, infeasible_ = 1;
  bool fitView_ = false;
  double maxSize_ = 0;
};

// The output path at the grid's crank angles 2π·i/kGrid, as the objective samples it.
std::array<Vec2, PathObjective::kGrid> pathGrid(const SynthesisDesign& x);

}  // namespace gyrenda
