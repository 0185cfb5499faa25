// The pointer readout beside the canvas, point entry by double-click, the Help menu and the
// assistant corner.
#pragma once

#include "app/form.h"

namespace gyrenda {

// The pointer moved over the canvas to canvas point (x, y).
void Picture1_MouseMove(Form& f, float x, float y);
// A double-click on the canvas: the last shown point becomes a slide end point.
void Picture1_DblClick(Form& f);

// A double-click on the corner between the pan bars switches the assistant on or off.
void multi_DblClick(Form& f);

void hlp_Click(Form& f);
void ver_Click(Form& f);

}  // namespace gyrenda
