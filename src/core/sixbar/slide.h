// The six-bar extension's geometry.
#pragma once

#include "linkage/linkage.h"
#include "linkage/world_point.h"

namespace gyrenda {

// One six-bar pose: the link runs from the four-bar output point P to the slider S. The axis
// point A lies on the link's line, the offset vector w across it; the output point is A − w.
struct SixBarPoints {
  WorldPoint axis, offset;
  WorldPoint output() const { return {axis.x - offset.x, axis.y - offset.y}; }
};
SixBarPoints sixBarPoints(const Linkage& linkage, WorldPoint driving, WorldPoint slider);

}  // namespace gyrenda
