#include "sixbar/slide.h"

namespace gyrenda {

SixBarPoints sixBarPoints(const Linkage& l, WorldPoint p, WorldPoint s) {
  const float ux = s.x - p.x, uy = s.y - p.y;
  return {{p.x - ux * l.sixRatioX, p.y - uy * l.sixRatioX}, {-uy * l.sixRatioY, ux * l.sixRatioY}};
}

}  // namespace gyrenda
