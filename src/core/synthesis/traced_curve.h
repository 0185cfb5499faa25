// A curve traced in a drawing: its points in their order along it, and whether it closes on
// itself; and targets spaced evenly along it.
#pragma once

#include <vector>

#include "kinematics/vec2.h"

namespace gyrenda {

struct TracedCurve {
  std::vector<Vec2> points;
  bool closed = false;  // the last point joins the first
};

// `count` points spaced evenly along the straight pieces between the curve's points, the
// first of them at its first point: a closed curve's around it (the piece from the last
// point back to the first included, the first point once), an open one's from its first point
// to its last. A curve of fewer than two points, or a count below 2, gives its points as
// they are.
std::vector<Vec2> sampleAlong(const TracedCurve& curve, int count);

}  // namespace gyrenda
