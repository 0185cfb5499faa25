#include "canvas/four_bar_drawing.h"

namespace gyrenda {

void Kuranku(Form& f) {
  for (f.crankAngle = 0.0f; f.crankAngle <= 360.0f; f.crankAngle += 1.0f) {
    const int i = angleIndex(f.crankAngle);
    f.canvas.pset(f.crankTipX[i], -f.crankTipY[i], quadrantColour(f.crankAngle));
  }
}

void Teko(Form& f) {
  const float pivot = f.param(fixedLinkLength);
  f.canvas.pset(pivot + f.leverX[0], -f.leverY[0], kFourBarMarker);
  for (f.crankAngle = 0.0f; f.crankAngle <= 180.0f; f.crankAngle += 0.5f) {
    const int i = angleIndex(f.crankAngle);
    f.canvas.lineTo(pivot + f.leverX[i], -f.leverY[i], kFourBarMarker);
  }
}

}  // namespace gyrenda
