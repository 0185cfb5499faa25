#include "app/form.h"

#include <cmath>

namespace gyrenda {

int angleIndex(float angle) {
  const double i = std::nearbyint(2.0 * static_cast<double>(angle));
  if (!(i >= 0.0)) return 0;
  if (i > kAngleSteps - 1) return kAngleSteps - 1;
  return static_cast<int>(i);
}

bool yieldAndTestStop(Form& f) {
  f.platform->processEvents();
  if (f.quitRequested) return true;
  if (f.stopRequested != 0) {
    f.stopRequested = 0;
    return true;
  }
  return false;
}

}  // namespace gyrenda
