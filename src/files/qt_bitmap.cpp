#include "files/qt_bitmap.h"

#include <QBuffer>
#include <QByteArray>

#include "canvas/qt_canvas_image.h"

namespace gyrenda {

std::optional<std::string> bitmapBytes(const Raster& canvas) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!canvasImageView(canvas).save(&buffer, "BMP")) return std::nullopt;
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace gyrenda
