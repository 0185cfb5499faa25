// A joint of the mechanism taken by the hand: the drag in progress, its exact preview, and the
// crank angle whose pose the handles show. While a joint moves, nothing is drawn into the
// canvas: the design in place stays as it is until the drag ends, and then it changes as one
// edit, or not at all.
#pragma once

#include <optional>

#include "kinematics/joint_handles.h"
#include "linkage/parameters.h"
#include "numeric/point2.h"

namespace gyrenda {

class JointDrag {
 public:
  // The crank angle (degrees, 0 … 360) whose pose the handles and the preview show.
  double crankAngle() const { return crankAngle_; }
  void setCrankAngle(double degrees);

  // The handle nearest `point` (world mm) within `reach`, among those standing at `places`.
  static std::optional<Handle> handleNear(Vec2 point, double reach, const HandlePlaces& places);

  // Takes `handle` of `design`; the preview starts as the design stands.
  void begin(Handle handle, const ParameterSet& design, bool withSixBar);
  bool active() const { return handle_.has_value(); }
  std::optional<Handle> handle() const { return handle_; }
  // The pointer at `point`: the design with the handle there, each value changed rounded to
  // `resolution`. With `scrub`, the crank tip turns the crank to the pointer's direction and
  // no length changes.
  void moveTo(Vec2 point, bool scrub, double resolution);
  // The design as the drag has it now, and its preview.
  const ParameterSet& design() const { return moved_; }
  const DragPreview& preview() const { return preview_; }
  // Whether the drag changed anything.
  bool changed() const { return moved_ != start_; }
  // Ends the drag (taken or cancelled): the handles show the design in place again.
  void end() { handle_.reset(); }

 private:
  double crankAngle_ = 45.0;
  std::optional<Handle> handle_;
  bool withSixBar_ = false;
  ParameterSet start_{}, moved_{};
  DragPreview preview_;
};

}  // namespace gyrenda
