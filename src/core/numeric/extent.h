// The smallest axis-parallel box around some points of the plane.
#pragma once

#include <algorithm>
#include <optional>

namespace gyrenda {

struct Extent {
  double minX, maxX, minY, maxY;
  double width() const { return maxX - minX; }
  double height() const { return maxY - minY; }
  friend bool operator==(const Extent&, const Extent&) = default;
};

// Grows an extent, empty at first, to take in one point after another.
inline void include(std::optional<Extent>& e, double x, double y) {
  if (!e) {
    e = Extent{x, x, y, y};
    return;
  }
  e->minX = std::min(e->minX, x);
  e->maxX = std::max(e->maxX, x);
  e->minY = std::min(e->minY, y);
  e->maxY = std::max(e->maxY, y);
}

}  // namespace gyrenda
