// The static construction: what the searches look for and what the user designs against.
#pragma once

#include "canvas/raster.h"
#include "canvas/view.h"
#include "linkage/linkage.h"

namespace gyrenda {

// The crank-tip circle: one dot per degree in the colour of its quadrant.
void drawCrankDots(const Linkage& linkage, Raster& canvas);

// The upper half of the lever circle in the four-bar marker colour, as 0.5° chords from
// (L + r, 0) over the top to (L − r, 0): the target of the four-bar searches.
void drawLeverArc(const Linkage& linkage, Raster& canvas);

// The slide line from its start to its end point in the six-bar marker colour: the target of
// the six-bar searches.
void drawSlideLine(const Linkage& linkage, Raster& canvas);

// Clears the canvas and draws grid, slide line, crank dots, lever half-circle and the
// lever-pivot mark, in this order.
void drawConstruction(const Linkage& linkage, const View& view, Raster& canvas);

}  // namespace gyrenda
