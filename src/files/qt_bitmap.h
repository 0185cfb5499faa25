// The canvas as a Windows bitmap file.
#pragma once

#include <optional>
#include <string>

#include "canvas/raster.h"

namespace gyrenda {

// The bytes of a BMP file of the whole canvas, 769 × 449 pixels, top-left corner first;
// empty if the encoder failed.
std::optional<std::string> bitmapBytes(const Raster& canvas);

}  // namespace gyrenda
