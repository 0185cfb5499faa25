// The figures a mechanism designer decides by, from the exact kinematics in double precision.
#pragma once

#include <optional>
#include <vector>

#include "kinematics/kinematic_curves.h"

namespace gyrenda {

struct AtCrankAngle {
  double value, crankAngle;  // crankAngle in degrees
};

// One end of a to-and-fro motion: where the driven link turns back.
struct StrokeEnd {
  double crankAngle, position;
};

// The motion between its least and greatest position over one crank turn. For the lever the
// positions are lever angles in [0°, 360°) and `low` is the end the lever reaches turning
// clockwise; for the slider they are mm along the slide.
struct Stroke {
  StrokeEnd low, high;
  double travel;      // the rocking angle (degrees) or the slider's stroke (mm)
  double riseAngle;   // the crank angle turned from low to high, degrees
  // The crank angle of the longer stroke over that of the shorter one, so never below 1: at a
  // constant crank speed, how much longer the slow stroke takes than the quick one.
  double timeRatio;
};

struct DesignFigures {
  // Exact, and first occurrence in crank angle: μ depends only on the distance from the crank
  // tip to the lever pivot, whose extremes and the loop's limits are known in closed form.
  std::optional<AtCrankAngle> minTransmissionAngle, maxTransmissionAngle;
  // Crank angles in [0°, 360°), ascending, where crank and coupler lie in line: the lever
  // stands still there (dψ/dθ = 0). Refined to 1e-10°.
  std::vector<double> deadCentres;
  // Only where every sample's loop closes (and, for the slider, has rates) and the motion
  // turns back at least twice; the ends refined to 1e-10° in crank angle.
  std::optional<Stroke> lever, slider;
  // The largest over the samples, at the curves' speed: mm/s, mm/s²; the torque in N·mm per
  // N, by magnitude (see SixBarRates::torquePerNewton).
  std::optional<AtCrankAngle> peakOutputSpeed, peakOutputAcceleration;
  std::optional<AtCrankAngle> peakSliderSpeed, peakSliderAcceleration, peakTorquePerNewton;
};

DesignFigures designFigures(const ExactLinkage& linkage, const KinematicCurves& curves);

}  // namespace gyrenda
