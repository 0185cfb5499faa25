#include "session/joint_drag.h"

#include <cmath>
#include <numbers>

namespace gyrenda {

void JointDrag::setCrankAngle(double degrees) {
  if (!std::isfinite(degrees)) return;
  crankAngle_ = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
}

std::optional<Handle> JointDrag::handleNear(Vec2 point, double reach,
                                            const HandlePlaces& places) {
  std::optional<Handle> nearest;
  double best = reach;
  for (int k = 0; k < kHandleCount; ++k) {
    if (!places[k]) continue;
    const double d = (*places[k] - point).norm();
    if (d <= best) {
      best = d;
      nearest = static_cast<Handle>(k);
    }
  }
  return nearest;
}

void JointDrag::begin(Handle handle, const ParameterSet& design, bool withSixBar) {
  handle_ = handle;
  withSixBar_ = withSixBar;
  start_ = moved_ = design;
  preview_ = dragPreview(moved_, crankAngle_, withSixBar_);
}

void JointDrag::moveTo(Vec2 point, bool scrub, double resolution) {
  if (!handle_) return;
  if (*handle_ == Handle::CrankTip && point.norm() > 0)
    setCrankAngle(std::atan2(point.y, point.x) * 180.0 / std::numbers::pi);
  if (!scrub) moved_ = movedDesign(*handle_, point, start_, crankAngle_, resolution);
  preview_ = dragPreview(moved_, crankAngle_, withSixBar_);
}

}  // namespace gyrenda
