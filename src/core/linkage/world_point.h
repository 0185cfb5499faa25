// A point in world coordinates: x to the right, y upwards, the crank pivot at the origin.
#pragma once

#include <cmath>

#include "linkage/angle_table.h"

namespace gyrenda {

struct WorldPoint {
  float x, y;
  friend bool operator==(WorldPoint, WorldPoint) = default;
};

// A point that can be drawn, saved or measured: a pose computed from degenerate lengths may
// not be, and such a pose is no pose.
inline bool isFinite(WorldPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Puts `p` into entry `i` of a pair of tables of x and y.
inline void storeAt(AngleTable& x, AngleTable& y, int i, WorldPoint p) {
  x[i] = p.x;
  y[i] = p.y;
}

}  // namespace gyrenda
