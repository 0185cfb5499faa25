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
// on the canvas, and keeps the output path and the hits in `result`.
SearchOutcome searchFourBar(const Linkage& linkage, Raster& canvas, bool optimise,
                            RunControl& control, RunResult& result);

// The same search storing one animation frame per hit instead of drawing.
void searchFourBarFrames(const Linkage& linkage, const Raster& canvas, bool optimise,
                         RunControl& control, RunResult& result);

}  // namespace gyrenda
