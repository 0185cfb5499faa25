// The four-bar's exact pose at one crank angle, and how fast it moves when the crank turns at
// a constant speed.
#pragma once

#include <optional>

#include "kinematics/vec2.h"

namespace gyrenda {

// The rates of an angle, counterclockwise positive: rad/s and rad/s².
struct AngularRates {
  double velocity, acceleration;
};

// The rates of a point: mm/s and mm/s².
struct PointRates {
  Vec2 velocity, acceleration;
};

struct FourBarRates {
  AngularRates lever, coupler;
  PointRates output;
};

// C the crank tip, E the lever tip, D the lever pivot, Q the output point.
struct FourBarPose {
  Vec2 crankTip, leverTip, output;
  double leverAngle;         // degrees in [0, 360): the direction of E − D
  double couplerAngle;       // degrees in [0, 360): the direction of E − C
  double transmissionAngle;  // degrees, 0 … 180: between E − C and E − D
  // None where coupler and lever lie in line (μ = 0° or 180°): there the lever's rates are
  // unbounded, or undetermined where the crank lies in the same line.
  std::optional<FourBarRates> rates;
};

}  // namespace gyrenda
