// A point in world coordinates: x to the right, y upwards, the crank pivot at the origin.
#pragma once

namespace gyrenda {

struct WorldPoint {
  float x, y;
  friend bool operator==(WorldPoint, WorldPoint) = default;
};

}  // namespace gyrenda
