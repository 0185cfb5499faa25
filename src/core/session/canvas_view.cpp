#include "session/canvas_view.h"

#include <algorithm>

#include "canvas/construction.h"
#include "canvas/grid.h"
#include "kinematics/mechanism_extent.h"

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

namespace {

Extent extentOf(const Linkage& linkage, bool withSixBar) {
  return mechanismExtent(makeExactLinkage(linkage.parameters), withSixBar);
}

}  // namespace

ViewFit CanvasView::fit(const Linkage& linkage, bool withSixBar) {
  const ViewFit fit = fitView(extentOf(linkage, withSixBar));
  if (fit.view) {
    view_ = *fit.view;
    redraw(linkage);
  }
  return fit;
}

bool CanvasView::showsWhole(const Linkage& linkage, bool withSixBar) const {
  return holds(view_, extentOf(linkage, withSixBar));
}

void CanvasView::drawGrid() { gyrenda::drawGrid(view_, canvas_); }

void CanvasView::redraw(const Linkage& linkage) { drawConstruction(linkage, view_, canvas_); }

}  // namespace gyrenda
