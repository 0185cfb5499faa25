// What the canvas shows over the raster while the hand is on the mechanism: the linkage at the
// crank angle shown, its handles, and during a drag the exact output paths of the design under
// the pointer, in a warning style where that design cannot be taken. Painted on the widget
// only: the raster, which the searches read, never holds it.
#pragma once

#include <QPainter>
#include <optional>

#include "canvas/view.h"
#include "kinematics/joint_handles.h"

namespace gyrenda {

struct JointOverlay {
  HandlePlaces joints;                  // where the handles stand
  std::optional<Handle> selected;       // the one the keyboard moves
  const DragPreview* preview = nullptr;  // the drag in progress, if any
};

// The widget's pixel coordinates of world point `p` in `view` (the raster's own mapping,
// without rounding to a pixel).
QPointF pixelOf(const View& view, Vec2 p);

// Paints `overlay` as the canvas shows it in `view`.
void paintJointOverlay(QPainter& painter, const View& view, const JointOverlay& overlay);

}  // namespace gyrenda
