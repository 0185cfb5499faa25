// The six-bar extension's geometry and its slide line.
#pragma once

#include "app/form.h"
#include "canvas/locus.h"

namespace gyrenda {

// One six-bar pose: the link runs from the four-bar output point P to the slider S. The axis
// point A lies on the link's line, the offset vector w across it; the output point is A − w.
struct SixBarPoints {
  WorldPoint axis, offset;
  WorldPoint output() const { return {axis.x - offset.x, axis.y - offset.y}; }
};
SixBarPoints sixBarPoints(const Form& f, WorldPoint driving, WorldPoint slider);

// Draws the slide line from the start to the end point in the six-bar marker colour.
void Teko2(Form& f);

}  // namespace gyrenda
