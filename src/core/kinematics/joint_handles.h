// The joints a designer takes hold of on the canvas, what moving one does to the design, and
// the exact picture shown while it moves: the linkage at one crank angle and its output paths,
// with whether the moved design still turns fully and can be assembled.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "kinematics/exact_linkage.h"

namespace gyrenda {

enum class Handle {
  LeverPivot,     // along the x axis: the fixed link
  CrankTip,       // the crank radius; its direction sets the crank angle shown
  LeverTip,       // the lever radius
  FourBarOutput,  // the two output offsets along and across the coupler
  SixBarOutput,   // the six-bar output offsets along and across the six-bar link
  SlideStart,     // the slide's start point
  SlideEnd,       // the slide's end point
  Count
};
inline constexpr int kHandleCount = static_cast<int>(Handle::Count);

// Where each handle stands with the crank at `crankAngle` (degrees), world mm; none for a joint
// the linkage does not reach there, and for the six-bar's three without `withSixBar`.
using HandlePlaces = std::array<std::optional<Vec2>, kHandleCount>;
HandlePlaces handlePlaces(const ExactLinkage& linkage, double crankAngle, bool withSixBar);

// The design with `handle` moved to `point` (world mm), the other joints held as the linkage
// stands at `crankAngle`: the lever pivot's x, the crank's or lever's distance from its pivot,
// the output point's offsets in the frame of its link at that pose, a slide point itself.
// Each value changed is rounded to `resolution`. The design as it was where the handle has no
// place at that crank angle.
ParameterSet movedDesign(Handle handle, Vec2 point, const ParameterSet& design, double crankAngle,
                         double resolution);

// Why a moved design cannot be taken.
enum class DragProblem {
  None,
  NotPositive,      // a length is not positive, or beyond the parameters' limit
  CrankLongerThanLever,
  FixedLinkOutOfRange,  // the crank no longer turns fully
  FourBarOpen,      // the four-bar cannot be assembled at some crank angle
  SixBarOpen,       // the six-bar link misses the slide at some crank angle
};

// The picture shown while a joint moves: the exact output paths every half degree (none where
// the loop does not close), the joints at the crank angle shown, and what is wrong, if anything.
struct DragPreview {
  std::vector<std::optional<Vec2>> fourBarPath, sixBarPath;
  HandlePlaces joints;
  DragProblem problem = DragProblem::None;
};

DragPreview dragPreview(const ParameterSet& design, double crankAngle, bool withSixBar);

}  // namespace gyrenda
