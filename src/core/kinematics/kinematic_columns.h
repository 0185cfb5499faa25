// The quantities of the exact kinematics as named columns: one table serves the CSV file, the
// plots and the tests, so a quantity is read from a pose in one place only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kinematics/kinematic_curves.h"

namespace gyrenda {

enum class KinematicQuantity {
  LeverAngle,                  // degrees
  LeverAngularVelocity,        // rad/s
  LeverAngularAcceleration,    // rad/s²
  TransmissionAngle,           // degrees
  OutputX, OutputY,            // the four-bar output point, mm
  OutputVelocityX, OutputVelocityY, OutputSpeed,                    // mm/s
  OutputAccelerationX, OutputAccelerationY, OutputAccelerationSize,  // mm/s²
  SixOutputX, SixOutputY,      // the six-bar output point
  SixOutputVelocityX, SixOutputVelocityY,
  SixOutputAccelerationX, SixOutputAccelerationY,
  SliderPosition,              // mm along the slide from its start
  SliderVelocity,              // mm/s
  SliderAcceleration,          // mm/s²
  InputTorquePerNewton,        // N·mm per N of force resisting the slider
};

struct KinematicColumn {
  KinematicQuantity quantity;
  std::string_view name;  // the CSV header: a plain identifier
};

// Every column in the order the CSV file writes them, after the crank angle.
const std::vector<KinematicColumn>& kinematicColumns();

// The quantity at one sample; none where its loop does not close or it has no rates there.
std::optional<double> quantityAt(const ExactPose& pose, KinematicQuantity quantity);

// The curves as CSV: a header row, then one row per sample with the crank angle and every
// column; a quantity that does not exist at a sample is an empty field. Twelve significant
// digits, "." as the decimal point whatever the locale.
std::string kinematicsCsv(const KinematicCurves& curves);

}  // namespace gyrenda
