#include "synthesis/local_fit.h"

#include <algorithm>
#include <cmath>

namespace gyrenda {
namespace {

constexpr double kStep = 1e-7;  // of the unit cube, for the Jacobian's differences

// A target in the program's frame of design `x`.
Vec2 inFrame(const LocalFitProblem& p, const SynthesisDesign& x, Vec2 target) {
  return p.freeFrame ? intoProgramFrame(target, {x[uPivotX], x[uPivotY]}, x[uFrameAngle])
                     : target;
}

bool allFinite(const std::vector<double>& values) {
  return std::ranges::all_of(values, [](double v) { return std::isfinite(v); });
}

// The design at `u` with each unknown j in turn nudged by a step h (forward, or backward at
// the cube's upper face), handed to `column(j, h, design)` for a forward difference.
template <typename Column>
void forEachNudge(const LocalFitProblem& p, std::span<const double> u, Column column) {
  std::vector<double> nudged(u.begin(), u.end());
  double shortfall = 0;
  for (std::size_t j = 0; j < u.size(); ++j) {
    const double h = u[j] + kStep <= 1 ? kStep : -kStep;
    nudged[j] = u[j] + h;
    const SynthesisDesign y = p.space.at(nudged, shortfall);
    nudged[j] = u[j];
    column(j, h, y);
  }
}

// With timing: the residuals at `u` are each target's offset (x, then y) from the output point
// at its crank angle, at the phase and direction that fit best there; the Jacobian has a
// column per unknown and a last one for the phase.
bool lineariseTimed(const LocalFitProblem& p, std::span<const double> u, std::vector<double>& r,
                    std::vector<double>& jacobian) {
  const std::size_t n = p.targets.size(), d = u.size(), columns = d + 1;
  double shortfall = 0;
  const SynthesisDesign x = p.space.at(u, shortfall);
  if (shortfall > 0) return false;
  const auto samples = pathGrid(x);
  std::vector<Vec2> moved(n);
  for (std::size_t i = 0; i < n; ++i) moved[i] = inFrame(p, x, p.targets[i]);
  const TimedFit fit = timedFit([&x](double t) { return outputPointAt(x, t); }, samples, moved,
                                p.timing);
  const auto angle = [&](std::size_t i) { return fit.phase + fit.direction * p.timing[i]; };
  r.assign(2 * n, 0);
  jacobian.assign(2 * n * columns, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2 off = outputPointAt(x, angle(i)) - moved[i];
    const Vec2 turn = (outputPointAt(x, angle(i) + 1e-6) - outputPointAt(x, angle(i) - 1e-6)) * 5e5;
    r[2 * i] = off.x, r[2 * i + 1] = off.y;
    jacobian[2 * i * columns + d] = turn.x, jacobian[(2 * i + 1) * columns + d] = turn.y;
  }
  forEachNudge(p, u, [&](std::size_t j, double h, const SynthesisDesign& y) {
    for (std::size_t i = 0; i < n; ++i) {
      const Vec2 off = outputPointAt(y, angle(i)) - inFrame(p, y, p.targets[i]);
      jacobian[2 * i * columns + j] = (off.x - r[2 * i]) / h;
      jacobian[(2 * i + 1) * columns + j] = (off.y - r[2 * i + 1]) / h;
    }
  });
  return allFinite(jacobian) && allFinite(r);
}

// The residuals at `u` and their Jacobian (row-major, a row per target), each residual the
// target's offset from its nearest path point along the path's normal there, the crank
// angles held; false where `u` maps onto no admissible design or a value is not finite.
bool linearise(const LocalFitProblem& p, std::span<const double> u, std::vector<double>& r,
               std::vector<double>& jacobian) {
  if (!p.timing.empty()) return lineariseTimed(p, u, r, jacobian);
  const std::size_t n = p.targets.size(), d = u.size();
  double shortfall = 0;
  const SynthesisDesign x = p.space.at(u, shortfall);
  if (shortfall > 0) return false;
  const auto samples = pathGrid(x);
  const auto path = [&x](double t) { return outputPointAt(x, t); };
  std::vector<double> angles(n);
  std::vector<Vec2> normals(n);
  r.assign(n, 0);
  jacobian.assign(n * d, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2 t = inFrame(p, x, p.targets[i]);
    angles[i] = nearestPoint(path, samples, t).radians;
    const Vec2 at = outputPointAt(x, angles[i]);
    const Vec2 tangent = outputPointAt(x, angles[i] + 1e-6) - outputPointAt(x, angles[i] - 1e-6);
    const Vec2 off = at - t;
    const double length = tangent.norm(), gap = off.norm();
    normals[i] = length > 0 ? tangent.left() * (1 / length) : gap > 0 ? off * (1 / gap) : Vec2{};
    r[i] = normals[i].dot(off);
  }
  forEachNudge(p, u, [&](std::size_t j, double h, const SynthesisDesign& y) {
    for (std::size_t i = 0; i < n; ++i)
      jacobian[i * d + j] =
          (normals[i].dot(outputPointAt(y, angles[i]) - inFrame(p, y, p.targets[i])) - r[i]) / h;
  });
  return allFinite(jacobian) && allFinite(r);
}

// Solves the d × d system `a` x = `b` in place by elimination with partial pivoting; false
// where it is singular.
bool solve(std::vector<double>& a, std::vector<double>& b) {
  const std::size_t d = b.size();
  for (std::size_t k = 0; k < d; ++k) {
    std::size_t pivot = k;
    for (std::size_t i = k + 1; i < d; ++i)
      if (std::abs(a[i * d + k]) > std::abs(a[pivot * d + k])) pivot = i;
    if (!(std::abs(a[pivot * d + k]) > 0)) return false;
    for (std::size_t j = 0; j < d; ++j) std::swap(a[k * d + j], a[pivot * d + j]);
    std::swap(b[k], b[pivot]);
    for (std::size_t i = k + 1; i < d; ++i) {
      const double f = a[i * d + k] / a[k * d + k];
      for (std::size_t j = k; j < d; ++j) a[i * d + j] -= f * a[k * d + j];
      b[i] -= f * b[k];
    }
  }
  for (std::size_t k = d; k-- > 0;) {
    for (std::size_t j = k + 1; j < d; ++j) b[k] -= a[k * d + j] * b[j];
    b[k] /= a[k * d + k];
  }
  return true;
}

// The normal equations JᵀJ and Jᵀr.
void normalEquations(const std::vector<double>& r, const std::vector<double>& jacobian,
                     std::size_t d, std::vector<double>& a, std::vector<double>& g) {
  a.assign(d * d, 0);
  g.assign(d, 0);
  for (std::size_t i = 0; i < r.size(); ++i) {
    const double* row = &jacobian[i * d];
    for (std::size_t j = 0; j < d; ++j) {
      g[j] += row[j] * r[i];
      for (std::size_t k = 0; k < d; ++k) a[j * d + k] += row[j] * row[k];
    }
  }
}

}  // namespace

double levenbergMarquardt(const LocalFitProblem& problem, std::vector<double>& u, double value,
                          std::int64_t budget, std::int64_t& spent) {
  // The system's unknowns: the cube's, and with timing the phase.
  const std::size_t d = u.size() + (problem.timing.empty() ? 0 : 1);
  const auto sd = static_cast<std::int64_t>(u.size());
  std::vector<double> r, jacobian, a, g, system, step, trial(u.size());
  double damping = 1e-3;
  while (!problem.stop && spent + sd + 1 <= budget && value > 1e-24) {
    if (!linearise(problem, u, r, jacobian)) break;
    spent += sd;
    normalEquations(r, jacobian, d, a, g);
    double largest = 0;
    for (std::size_t j = 0; j < d; ++j) largest = std::max(largest, a[j * d + j]);
    bool gained = false;
    double before = value;
    while (!gained && !problem.stop && spent < budget && damping < 1e12) {
      system = a;
      step = g;
      for (std::size_t j = 0; j < d; ++j)
        system[j * d + j] += damping * (a[j * d + j] + 1e-9 * largest) + 1e-300;
      if (!solve(system, step)) {
        damping *= 8;
        continue;
      }
      for (std::size_t j = 0; j < u.size(); ++j) trial[j] = std::clamp(u[j] - step[j], 0.0, 1.0);
      const double v = problem.objective(trial);
      if (v < value) {
        u = trial, value = v, gained = true;
        damping = std::max(damping / 4, 1e-12);
      } else {
        damping *= 8;
      }
    }
    if (!gained || before - value <= 1e-12 * before) break;
  }
  return value;
}

}  // namespace gyrenda
