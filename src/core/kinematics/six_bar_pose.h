// The six-bar's exact pose at one crank angle: the link from the four-bar output point P to
// the slider S on the slide line, and the six-bar output point R on the link.
#pragma once

#include <optional>

#include "kinematics/four_bar_pose.h"

namespace gyrenda {

struct SixBarRates {
  AngularRates link;  // the direction of S − P
  double sliderVelocity, sliderAcceleration;  // mm/s, mm/s² along the slide
  PointRates output;
  // ds/dθ in mm per radian. By virtual work (T·ω = F·ds/dt) this is the crank torque in N·mm
  // that each newton pushing the slider back towards the slide's start asks for; negative
  // where that force drives the crank. It does not depend on the crank's speed.
  double torquePerNewton;
};

struct SixBarPose {
  Vec2 slider, output;
  double sliderPosition;  // mm from the slide's start towards its end, also beyond either end
  double linkAngle;       // degrees in [0, 360): the direction of S − P
  // None where the link stands square to the slide (the slider's rates are unbounded there)
  // or where the four-bar has none.
  std::optional<SixBarRates> rates;
};

}  // namespace gyrenda
