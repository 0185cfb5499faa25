#include "canvas/grid.h"

#include <cmath>

#include "canvas/four_bar_drawing.h"
#include "sixbar/slide.h"

namespace gyrenda {
namespace {

float gridFloor(float v) { return std::floor(v / 10.0f) * 10.0f; }

bool isHundred(float v) { return std::fmod(v, 100.0f) == 0.0f; }

}  // namespace

void Masume(Form& f, Raster& target) {
  const int z = f.zoomLevel;
  const int h = f.HScroll1, v = f.VScroll1;
  const int right = h + 100 * z, bottom = v + 60 * z;
  target.setView(h, v, right, bottom);
  target.clear(kBlack);
  target.setDotted(false);
  target.line(-300, 0, 300, 0, kGrid);
  target.line(0, -300, 0, 300, kGrid);

  const float x0 = gridFloor(static_cast<float>(h)), x1 = gridFloor(static_cast<float>(right));
  const float y0 = gridFloor(static_cast<float>(v)), y1 = gridFloor(static_cast<float>(bottom));
  for (float y = y0; y <= y1; y += 10.0f) {
    target.setDotted(!isHundred(y));
    target.line(x0, y, x1, y, kGrid);
  }
  for (float x = x0; x <= x1; x += 10.0f) {
    target.setDotted(!isHundred(x));
    target.line(x, y0, x, y1, kGrid);
  }
  target.setDotted(false);
}

void BackScreen(Form& f) {
  f.busyPointer = true;
  f.canvas.clear(kBlack);
  Masume(f, f.canvas);
  Teko2(f);
  Kuranku(f);
  Teko(f);
  const float pivot = f.param(fixedLinkLength);
  f.canvas.line(pivot, 5, pivot, -5, kGrid);
  f.busyPointer = false;
}

}  // namespace gyrenda
