#include "canvas/qt_canvas_image.h"

#include <QList>

namespace gyrenda {
namespace {

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
  return image;
}

QImage canvasImage(const Raster& canvas) { return canvasImageView(canvas).copy(); }

}  // namespace gyrenda
