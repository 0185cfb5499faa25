// The output point of the four-bar, its locus, and the reset of the result tables.
#pragma once

#include "app/form.h"

namespace gyrenda {

struct WorldPoint {
  float x, y;
  friend bool operator==(WorldPoint, WorldPoint) = default;
};

// The axis point A (foot of the output point on the coupler line) and the output point Q
// of the pose with crank tip C and lever tip E, in single precision.
struct CouplerPoints {
  WorldPoint axis, output;
};
CouplerPoints couplerPoints(const Form& f, WorldPoint crankTip, WorldPoint leverTip);

// One hit of the four-bar search: draws the next segment of the axis-point and output-point
// loci in the quadrant colour and stores the output point.
void Kiseki(Form& f);

// Resets all eight result and frame tables, and the run's hit tables, to kNoPose.
void mXmYcls(Form& f);

// Draws a line between two world points (canvas y is world y negated).
inline void drawWorldLine(Form& f, WorldPoint a, WorldPoint b, Colour colour) {
  f.canvas.line(a.x, -a.y, b.x, -b.y, colour);
}

// Two segments of a locus pair from the pen to (axis, output), then the pen moves there.
// The first call of a run (pen all zero) draws two zero-length segments.
void drawLocusStep(Form& f, WorldPoint axis, WorldPoint output);

}  // namespace gyrenda
