// The view of the canvas and the canvas itself: the zoom level and pan the window shows, the
// raster the searches read and draw on, and the commands that move the view. Moving the view
// redraws the static construction, as the window always has; what a run drew is gone then.
#pragma once

#include "canvas/raster.h"
#include "canvas/view.h"
#include "canvas/view_fit.h"
#include "linkage/linkage.h"

namespace gyrenda {

class CanvasView {
 public:
  const View& view() const { return view_; }
  const Raster& canvas() const { return canvas_; }
  Raster& canvas() { return canvas_; }

  // 拡大 and 縮小: one zoom level closer or farther, within 2…4, then the construction redrawn.
  void zoomIn(const Linkage& linkage);
  void zoomOut(const Linkage& linkage);
  // The pan bars moved: the view's top-left corner, then the construction redrawn.
  void panTo(int left, int top, const Linkage& linkage);
  // 全体表示: the closest view that holds the whole of `linkage` (with the six-bar, if asked),
  // then the construction redrawn; where none does, the view stays and the answer says by
  // how much.
  ViewFit fit(const Linkage& linkage, bool withSixBar);
  // Whether the view holds the whole of `linkage` as it stands.
  bool showsWhole(const Linkage& linkage, bool withSixBar) const;
  // Zoom and pan as a caller sets them before anything is drawn: nothing is redrawn.
  void setView(const View& view) { view_ = view; }

  // The grid alone, as the canvas shows it when the window opens.
  void drawGrid();
  // Clears the canvas and draws the grid and the whole static construction of `linkage`.
  void redraw(const Linkage& linkage);

 private:
  View view_;
  Raster canvas_;
};

}  // namespace gyrenda
