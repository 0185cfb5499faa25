// The canvas raster seen as a Qt image: the same bytes, the standard palette as colour table.
#pragma once

#include <QImage>

#include "canvas/raster.h"

namespace gyrenda {

// An Indexed8 image at 96 dots per inch (3780 per metre) that shares the raster's memory: valid while the raster lives, and it
// shows every later change of the raster without a copy.
QImage canvasImageView(const Raster& canvas);

// A deep copy of the canvas as an Indexed8 image of 769 × 449 pixels.
QImage canvasImage(const Raster& canvas);

}  // namespace gyrenda
