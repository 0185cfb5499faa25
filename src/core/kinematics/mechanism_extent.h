// Where a mechanism lies in the plane: what a view must hold for the raster to see it whole.
#pragma once

#include <optional>

#include "kinematics/exact_linkage.h"
#include "numeric/extent.h"

namespace gyrenda {

// The world extent (mm, y upwards) of what the analysis of `linkage` draws and reads: both
// pivots, the crank circle, the upper half of the lever circle that the four-bar search reads,
// and the exact output path every half degree; with the six-bar, also the slide between its
// two points and the exact six-bar output path. Points that are not finite are left out.
Extent mechanismExtent(const ExactLinkage& linkage, bool withSixBar);

}  // namespace gyrenda
