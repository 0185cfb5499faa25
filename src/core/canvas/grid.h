// The canvas's coordinate system, background, axes and grid.
#pragma once

#include "canvas/raster.h"
#include "canvas/view.h"

namespace gyrenda {

// Sets the canvas's coordinate system from the view, clears it to black and draws the axes
// and the grid (solid every 100 units, dotted every 10).
void drawGrid(const View& view, Raster& canvas);

}  // namespace gyrenda
