// Parameter editing: the validation pass that every change of a parameter ends in.
#pragma once

#include <string>

#include "app/form.h"

namespace gyrenda {

// A spin bar changed: copy its value into its box and, unless a pass is already running,
// run the validation pass for that box.
void VScroll2_Change(Form& f, int index);

// The validation pass: read box `index`, repair the whole parameter set, write the repaired
// values back, show the fixed-link range, rebuild the derived tables, redraw, and analyse at
// once when "すぐに描画する" is ticked.
void parameter_LostFocus(Form& f, int index);

// Sets spin bar k as the program or a click does: the value is clamped to the bar's range,
// and a value that differs from the bar's current one raises its change event.
void setSpinBar(Form& f, int k, int value);

// Rebuilds the eight angle tables from the parameters.
void fillAngleTables(Form& f);

}  // namespace gyrenda
