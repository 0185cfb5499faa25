#include "canvas/grid.h"

#include <cmath>

#include "canvas/palette.h"

namespace gyrenda {
namespace {

float gridFloor(float v) { return std::floor(v / 10.0f) * 10.0f; }

bool isHundred(float v) { return std::fmod(v, 100.0f) == 0.0f; }

}  // namespace

void drawGrid(const View& view, Raster& canvas) {
  const int h = view.left, v = view.top;
  const int right = view.right(), bottom = view.bottom();
  canvas.setView(h, v, right, bottom);
  canvas.clear(kBlack);
  canvas.setDotted(false);
  canvas.line(-300, 0, 300, 0, kGrid);
  canvas.line(0, -300, 0, 300, kGrid);

  const float x0 = gridFloor(static_cast<float>(h)), x1 = gridFloor(static_cast<float>(right));
  const float y0 = gridFloor(static_cast<float>(v)), y1 = gridFloor(static_cast<float>(bottom));
  for (float y = y0; y <= y1; y += 10.0f) {
    canvas.setDotted(!isHundred(y));
    canvas.line(x0, y, x1, y, kGrid);
  }
  for (float x = x0; x <= x1; x += 10.0f) {
    canvas.setDotted(!isHundred(x));
    canvas.line(x, y0, x, y1, kGrid);
  }
  canvas.setDotted(false);
}

}  // namespace gyrenda
