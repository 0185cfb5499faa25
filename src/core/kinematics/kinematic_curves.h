// The exact poses and rates over one crank turn, sampled at a fixed step.
#pragma once

#include <vector>

#include "kinematics/exact_linkage.h"

namespace gyrenda {

// One sample per crank angle 0, step, 2·step, … and 360 (721 at the default 0.5°). A sample
// whose loop closes holds that loop's pose (its transmission angle in the four-bar pose); one
// whose loop does not close holds none.
struct KinematicCurves {
  double rpm = 0, step = 0;
  std::vector<ExactPose> samples;
};

// No samples for a step outside 0.001° … 360°, which bounds the samples at 360 001.
KinematicCurves kinematicCurves(const ExactLinkage& linkage, double rpm, double step = 0.5);

}  // namespace gyrenda
