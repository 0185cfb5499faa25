#include "sixbar/slide.h"

namespace gyrenda {

SixBarPoints sixBarPoints(const Form& f, WorldPoint p, WorldPoint s) {
  const float ux = s.x - p.x, uy = s.y - p.y;
  return {{p.x - ux * f.sixRatioX, p.y - uy * f.sixRatioX},
          {-uy * f.sixRatioY, ux * f.sixRatioY}};
}

void Teko2(Form& f) {
  drawWorldLine(f, {f.param(slideStartX), f.param(slideStartY)},
                {f.param(slideEndX), f.param(slideEndY)}, kSixBarMarker);
}

}  // namespace gyrenda
