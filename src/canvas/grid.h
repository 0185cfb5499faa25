// The canvas view (zoom and pan), its background, axes and grid, and the redraw of the
// whole static construction.
#pragma once

#include "app/form.h"

namespace gyrenda {

// Sets the target's coordinate system from the zoom level and the pan bars, clears it to
// black and draws axes and grid.
void Masume(Form& f, Raster& target);

// Clears the canvas and draws grid, slide line, crank dots, lever half-circle and the
// lever-pivot mark, in this order.
void BackScreen(Form& f);

}  // namespace gyrenda
