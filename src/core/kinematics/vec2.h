// A vector of the plane in double precision: the exact kinematics' points, velocities and
// accelerations, in the world frame (x to the right, y upwards, mm).
#pragma once

#include <cmath>

namespace gyrenda {

struct Vec2 {
  double x = 0, y = 0;

  friend Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
  friend Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
  friend Vec2 operator*(Vec2 a, double k) { return {a.x * k, a.y * k}; }
  friend bool operator==(Vec2, Vec2) = default;
  double dot(Vec2 o) const { return x * o.x + y * o.y; }
  double cross(Vec2 o) const { return x * o.y - y * o.x; }
  double norm() const { return std::hypot(x, y); }
  // Turned a quarter turn counterclockwise.
  Vec2 left() const { return {-y, x}; }
};

}  // namespace gyrenda
