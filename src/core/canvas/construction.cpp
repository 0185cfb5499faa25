#include "canvas/construction.h"

#include "canvas/grid.h"
#include "canvas/locus.h"
#include "canvas/palette.h"

namespace gyrenda {

void drawCrankDots(const Linkage& l, Raster& canvas) {
  for (float angle = 0.0f; angle <= 360.0f; angle += 1.0f) {
    const int i = angleIndex(angle);
    canvas.pset(l.tables.crankTipX[i], -l.tables.crankTipY[i], quadrantColour(angle));
  }
}

void drawLeverArc(const Linkage& l, Raster& canvas) {
  const float pivot = l[fixedLinkLength];
  const AngleTables& t = l.tables;
  canvas.pset(pivot + t.leverX[0], -t.leverY[0], kFourBarMarker);
  for (float angle = 0.0f; angle <= 180.0f; angle += 0.5f) {
    const int i = angleIndex(angle);
    canvas.lineTo(pivot + t.leverX[i], -t.leverY[i], kFourBarMarker);
  }
}

void drawSlideLine(const Linkage& l, Raster& canvas) {
  drawWorldLine(canvas, {l[slideStartX], l[slideStartY]}, {l[slideEndX], l[slideEndY]},
                kSixBarMarker);
}

void drawConstruction(const Linkage& l, const View& view, Raster& canvas) {
  canvas.clear(kBlack);
  drawGrid(view, canvas);
  drawSlideLine(l, canvas);
  drawCrankDots(l, canvas);
  drawLeverArc(l, canvas);
  const float pivot = l[fixedLinkLength];
  canvas.line(pivot, 5, pivot, -5, kGrid);
}

}  // namespace gyrenda
