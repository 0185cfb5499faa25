// The view of the canvas: the zoom level and where the pan bars put its top-left corner.
#pragma once

namespace gyrenda {

struct View {
  int zoomLevel = 0;  // 2 (closest) … 4; the visible window is 100·z by 60·z canvas units
  int left = -60;     // the horizontal pan bar: the canvas x of the left edge
  int top = -140;     // the vertical pan bar: the canvas y of the top edge
  int right() const { return left + 100 * zoomLevel; }
  int bottom() const { return top + 60 * zoomLevel; }
  friend bool operator==(const View&, const View&) = default;
};

// The view the window opens with.
inline constexpr View kStartView{3, -60, -140};

}  // namespace gyrenda
