#include "encoders/canvas_image.h"

#include <QList>

namespace gyrenda {
namespace {

// The canvas is drawn for a 96 dpi screen; every image of it says so, whatever the screen or
// the absence of one, so the window and the headless program write the same bitmap.
constexpr int kDotsPerMetre = 3780;

QList<QRgb> paletteTable() {
  QList<QRgb> table;
  table.reserve(static_cast<qsizetype>(kPalette.size()));
  for (const Rgb& c : kPalette) table.push_back(qRgb(c.r, c.g, c.b));
  return table;
}

}  // namespace

QImage canvasImageView(const Raster& canvas) {
  QImage image(canvas.data(), Raster::kWidth, Raster::kHeight, Raster::kStride,
               QImage::Format_Indexed8);
  image.setColorTable(paletteTable());
  image.setDotsPerMeterX(kDotsPerMetre);
  image.setDotsPerMeterY(kDotsPerMetre);
  return image;
}

QImage canvasImage(const Raster& canvas) { return canvasImageView(canvas).copy(); }

}  // namespace gyrenda
