// The six-bar raster search against the slide line, and its animation-frame twin. Both start
// from the four-bar output points that a search before them left in the result.
#pragma once

#include "canvas/raster.h"
#include "canvas/raster_search.h"
#include "linkage/linkage.h"
#include "canvas/run_result.h"

namespace gyrenda {

// Finds the six-bar pose for every crank angle that has a four-bar pose, draws the six-bar
// axis-point and output-point loci, and keeps the hits in `result`. Every argument must
// outlive the search.
RasterSearch sixBarSearch(const Linkage& linkage, Raster& canvas, bool optimise,
                          RunResult& result);
// The same search storing one frame per hit, advancing 1° after each hit whatever the speed.
RasterSearch sixBarFrameSearch(const Linkage& linkage, const Raster& canvas, bool optimise,
                               RunResult& result);

}  // namespace gyrenda
