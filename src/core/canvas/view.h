// The view of the canvas: the zoom level and where the pan bars put its top-left corner.
#pragma once

namespace gyrenda {

// The visible window's size in canvas units at a zoom level.
inline constexpr int viewWidth(int zoomLevel) { return 100 * zoomLevel; }
inline constexpr int viewHeight(int zoomLevel) { return 60 * zoomLevel; }

struct View {
  int zoomLevel = 0;  // 2 (closest) … 4; the visible window is 100·z by 60·z canvas units
  int left = -60;     // the horizontal pan bar: the canvas x of the left edge
  int top = -140;     // the vertical pan bar: the canvas y of the top edge
  int right() const { return left + viewWidth(zoomLevel); }
  int bottom() const { return top + viewHeight(zoomLevel); }
  friend bool operator==(const View&, const View&) = default;
};

// The view the window opens with.
inline constexpr View kStartView{3, -60, -140};

}  // namespace gyrenda
