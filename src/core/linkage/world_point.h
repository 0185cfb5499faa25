// A point in world coordinates: x to the right, y upwards, the crank pivot at the origin; in
// single precision, as the raster's construction and searches compute and keep it.
#pragma once

#include "linkage/angle_table.h"
#include "numeric/point2.h"

namespace gyrenda {

using WorldPoint = Point2<float>;

// Puts `p` into entry `i` of a pair of tables of x and y.
inline void storeAt(AngleTable& x, AngleTable& y, int i, WorldPoint p) {
  x[i] = p.x;
  y[i] = p.y;
}

}  // namespace gyrenda
