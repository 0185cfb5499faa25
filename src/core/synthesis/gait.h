// What a walking leg does: the figures of a foot's closed path over one crank turn, measured
// against the ground.
//
// The ground line is the lowest line in the ground direction that touches the path. The stance
// is the longest cyclic run of crank angles during which the foot stays within the flatness ε
// of the ground line; its share of the turn is the stance share. The stride is the foot's
// travel along the ground between the stance's two ends, the lift the path's greatest height
// above the ground line, and the stance speed ratio the foot's fastest over its slowest speed
// along the ground during the stance at constant crank speed.
#pragma once

#include <functional>

#include "kinematics/vec2.h"

namespace gyrenda {

struct GaitFigures {
  double groundLevel = 0;  // the ground line's height along the ground's normal
  double stanceShare = 0;  // of the turn, 0 … 1
  double stride = 0;       // mm, along the ground, at least 0
  // 1 where the foot moves along the ground direction during the stance, −1 against it.
  int direction = 1;
  double lift = 0;      // mm above the ground line
  double flatness = 0;  // the greatest height above the ground line during the stance
  // Fastest over slowest; infinite where the foot stops or turns back during the stance.
  double stanceSpeedRatio = 1;
  // Crank angles (degrees, [0, 360)) where the stance begins and ends as the crank turns.
  double stanceBegin = 0, stanceEnd = 0;
};

// The figures of the closed path `path` (the foot at crank angle t radians, periodic in 2π)
// against a ground in direction `groundDegrees` (counterclockwise from +x; its normal, "up",
// a quarter turn further) for a flatness `epsilon`. The path is sampled at `samples` angles and
// refined between them: the ground line and lift by Brent's method, the stance's ends by
// bisection to their inner side, each peak inside the stance checked, so that the share and
// flatness hold of the path itself. Figures that are not finite where the path is not.
GaitFigures measureGait(const std::function<Vec2(double)>& path, double groundDegrees,
                        double epsilon, int samples = 2048);

}  // namespace gyrenda
