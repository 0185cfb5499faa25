#include "canvas/locus.h"

namespace gyrenda {

CouplerPoints couplerPoints(const Linkage& l, WorldPoint c, WorldPoint e) {
  const float dx = e.x - c.x, dy = e.y - c.y;
  const WorldPoint axis{c.x - dx * l.outAlongFactor, c.y - dy * l.outAlongFactor};
  const WorldPoint output{axis.x - (-dy * l.outAcrossFactor), axis.y - dx * l.outAcrossFactor};
  return {axis, output};
}

void LocusPen::drawTo(Raster& canvas, WorldPoint axis, WorldPoint output, Colour colour) {
  constexpr WorldPoint origin{0.0f, 0.0f};
  if (axis_ == origin && output_ == origin) {
    axis_ = axis;
    output_ = output;
  }
  drawWorldLine(canvas, axis_, axis, colour);
  drawWorldLine(canvas, output_, output, colour);
  axis_ = axis;
  output_ = output;
}

}  // namespace gyrenda
