// The output point of the four-bar and the pen that draws a pair of loci hit by hit.
#pragma once

#include "canvas/palette.h"
#include "canvas/raster.h"
#include "linkage/linkage.h"
#include "linkage/world_point.h"

namespace gyrenda {

// The axis point A (foot of the output point on the coupler line) and the output point Q
// of the pose with crank tip C and lever tip E, in single precision.
struct CouplerPoints {
  WorldPoint axis, output;
};
CouplerPoints couplerPoints(const Linkage& linkage, WorldPoint crankTip, WorldPoint leverTip);

// Draws a line between two world points (canvas y is world y negated).
inline void drawWorldLine(Raster& canvas, WorldPoint a, WorldPoint b, Colour colour) {
  canvas.line(a.x, -a.y, b.x, -b.y, colour);
}

// Joins the hits of one search into two loci, the axis point's and the output point's: each
// step draws two segments from where the pen stands to the new points, then moves the pen
// there. A pen standing at the origin with both points is taken as not yet set (as at the
// start of every search): it first moves to the new points, drawing two zero-length segments.
class LocusPen {
 public:
  void drawTo(Raster& canvas, WorldPoint axis, WorldPoint output, Colour colour);

 private:
  WorldPoint axis_{0.0f, 0.0f}, output_{0.0f, 0.0f};
};

}  // namespace gyrenda
