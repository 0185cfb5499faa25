// The four-bar raster search and its animation-frame twin.
#pragma once

#include "canvas/raster.h"
#include "canvas/raster_search.h"
#include "linkage/linkage.h"
#include "canvas/run_result.h"

namespace gyrenda {

// The coupler turning about the crank tip towards the lever half-circle.
SearchedLink fourBarLink(const Linkage& linkage);

// Finds the four-bar pose for every crank angle, draws the axis-point and output-point loci
// on the canvas, and keeps the output path and the hits in `result`. Every argument must
// outlive the search.
RasterSearch fourBarSearch(const Linkage& linkage, Raster& canvas, bool optimise,
                           RunResult& result);
// The same search storing one animation frame per hit instead of drawing.
RasterSearch fourBarFrameSearch(const Linkage& linkage, const Raster& canvas, bool optimise,
                                RunResult& result);

}  // namespace gyrenda
