// The two circles of the four-bar construction.
#pragma once

#include "app/form.h"

namespace gyrenda {

// The crank-tip circle: one dot per degree in the colour of its quadrant.
void Kuranku(Form& f);

// The upper half of the lever circle in the marker colour, as 0.5° chords from
// (L + r, 0) over the top to (L − r, 0): the target of the four-bar searches.
void Teko(Form& f);

}  // namespace gyrenda
