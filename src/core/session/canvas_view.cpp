#include "session/canvas_view.h"

#include <algorithm>

#include "canvas/construction.h"
#include "canvas/grid.h"

namespace gyrenda {

void CanvasView::zoomIn(const Linkage& linkage) {
  view_.zoomLevel = std::max(view_.zoomLevel - 1, 2);
  redraw(linkage);
}

void CanvasView::zoomOut(const Linkage& linkage) {
  view_.zoomLevel = std::min(view_.zoomLevel + 1, 4);
  redraw(linkage);
}

void CanvasView::panTo(int left, int top, const Linkage& linkage) {
  view_.left = left;
  view_.top = top;
  redraw(linkage);
}

void CanvasView::drawGrid() { gyrenda::drawGrid(view_, canvas_); }

void CanvasView::redraw(const Linkage& linkage) { drawConstruction(linkage, view_, canvas_); }

}  // namespace gyrenda
