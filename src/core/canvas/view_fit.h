// The view that fits: the closest zoom level and a pan whose view holds a given part of the
// plane, as 全体表示 chooses it.
#pragma once

#include <optional>

#include "canvas/view.h"
#include "numeric/extent.h"

namespace gyrenda {

// The pan bars' range: the canvas point of a view's top-left corner lies within it.
inline constexpr int kPanMin = -300, kPanMax = 300;
inline constexpr int kClosestZoom = 2, kFarthestZoom = 4;

struct ViewFit {
  // The view, none where no zoom level and pan holds the extent.
  std::optional<View> view;
  // Where none does: how far (mm) the extent, with the smallest margin, reaches beyond the view
  // at the farthest zoom that comes closest to holding it, along the axis where it reaches
  // farthest. Zero otherwise.
  double shortfall = 0;
};

// The closest zoom level (2 … 4) whose view, at a pan within the bars' range, holds `world`
// (mm, y upwards) with a margin of two grid cells, the extent centred where the pan allows.
// Where only the farthest zoom could hold it, and not with that margin, the margin shrinks to
// one cell and then to two canvas units before the answer is none.
ViewFit fitView(const Extent& world);

// The farthest zoom's view at the pans that cut the least off `world`, centred where the bars
// allow: the view nearest holding an extent that no view holds.
View leastCutView(const Extent& world);

// Whether a world point (mm, y upwards) lies inside a view: on the raster that shows it.
bool inView(const View& view, double x, double y);
// Whether a view holds the whole of a world extent.
bool holds(const View& view, const Extent& world);

}  // namespace gyrenda
