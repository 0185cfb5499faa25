#pragma once

#include "app/form.h"

namespace gyrenda {

// Start-up of the main window: index table, zoom level, default texts read into the
// parameter vector, speed "いぬ" selected. Leaves the derived state untouched (all zero)
// until the first validation pass.
void Form_Load(Form& f);

}  // namespace gyrenda
