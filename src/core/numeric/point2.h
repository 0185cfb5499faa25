// A point, or a vector, of the plane, with the arithmetic the geometry needs. The coordinate
// type is the caller's: the raster's geometry is single precision and must stay so, since its
// poses and loci are what single-precision arithmetic gives, while the exact kinematics works
// in double. The names of the uses say which: WorldPoint (linkage/world_point.h), Vec2
// (kinematics/vec2.h), CanvasPoint and PixelPos (canvas/raster.h).
#pragma once

#include <cmath>

namespace gyrenda {

template <typename T>
struct Point2 {
  T x = 0, y = 0;

  friend Point2 operator+(Point2 a, Point2 b) { return {a.x + b.x, a.y + b.y}; }
  friend Point2 operator-(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
  friend Point2 operator*(Point2 a, T k) { return {a.x * k, a.y * k}; }
  friend bool operator==(Point2, Point2) = default;
  T dot(Point2 o) const { return x * o.x + y * o.y; }
  T cross(Point2 o) const { return x * o.y - y * o.x; }
  T norm() const { return std::hypot(x, y); }
  // Of the same direction and length 1; not finite for the zero vector.
  Point2 unit() const { return {x / norm(), y / norm()}; }
  // Turned a quarter turn counterclockwise.
  Point2 left() const { return {-y, x}; }
};

// A point that can be drawn, saved or measured: a pose computed from degenerate lengths may
// not be, and such a pose is no pose.
template <typename T>
bool isFinite(Point2<T> p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace gyrenda
