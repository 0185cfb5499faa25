// The search's local stage: a Levenberg–Marquardt polish of a design in the search's unit
// cube. Each target's residual is its signed distance from the path along the path's normal at
// the crank angle of its nearest point, which is the distance itself near the path and smooth
// through zero, so that a design whose path passes through the targets is reached at the
// quadratic rate of Gauss–Newton instead of the linear one of a method that sees only the
// objective's values. The objective judges every step: a step is taken only where it lowers
// the objective, so the order penalty and the constraints hold as for every other stage.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "synthesis/path_objective.h"

namespace gyrenda {

struct LocalFitProblem {
  const SearchSpace& space;
  std::span<const Vec2> targets;  // in the targets' frame
  bool freeFrame = false;
  // The objective at a point of the unit cube; each call is one evaluation of the budget.
  std::function<double(std::span<const double>)> objective;
  const std::atomic<bool>& stop;
  std::span<const double> timing = {};  // the objective's, radians; empty without
};

// Moves `u` (whose objective is `value`) downhill while steps gain, no stop is asked and the
// evaluations spent, `spent`, stay below `budget`: the objective counts its own calls into
// `spent`, and the fit adds one per unknown for each Jacobian. Returns the objective at the
// final `u`.
double levenbergMarquardt(const LocalFitProblem& problem, std::vector<double>& u, double value,
                          std::int64_t budget, std::int64_t& spent);

}  // namespace gyrenda
