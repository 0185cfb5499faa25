#include "kinematics/kinematic_curves.h"

#include <cmath>

namespace gyrenda {

KinematicCurves kinematicCurves(const ExactLinkage& linkage, double rpm, double step) {
  KinematicCurves curves{rpm, step, {}};
  if (!(step >= 1e-3 && step <= 360)) return curves;
  // A hair off 360 / step keeps a step that divides 360 but for rounding from adding a sample
  // just short of 360.
  const auto steps = static_cast<int>(std::ceil(360 / step - 1e-9));
  curves.samples.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i < steps; ++i) curves.samples.push_back(exactPose(linkage, i * step, rpm));
  curves.samples.push_back(exactPose(linkage, 360, rpm));
  return curves;
}

}  // namespace gyrenda
