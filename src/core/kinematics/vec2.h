// A vector of the plane in double precision: the exact kinematics' points, velocities and
// accelerations, in the world frame (x to the right, y upwards, mm).
#pragma once

#include "numeric/point2.h"

namespace gyrenda {

using Vec2 = Point2<double>;

}  // namespace gyrenda
