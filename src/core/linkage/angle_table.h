// Tables indexed by crank angle: entry i stands for the angle i / 2 degrees, 0 … 360.
#pragma once

#include <array>

namespace gyrenda {

inline constexpr int kAngleSteps = 721;
using AngleTable = std::array<float, kAngleSteps>;

// The value a result or frame table holds where no pose was found.
inline constexpr float kNoPose = 9999.0f;

// Angle to table index: 2 × angle rounded half to even, kept within 0 … 720.
int angleIndex(float angle);

}  // namespace gyrenda
