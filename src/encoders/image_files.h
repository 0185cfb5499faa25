// The canvas as a Windows bitmap or PNG file, and the vector drawing as SVG.
#pragma once

#include <optional>
#include <string>

#include "canvas/raster.h"
#include "files/drawing.h"

namespace gyrenda {

// The bytes of a BMP file of the whole canvas, 769 × 449 pixels, top-left corner first;
// empty if the encoder failed.
std::optional<std::string> bitmapBytes(const Raster& canvas);

// The same indexed picture as a PNG file, pixel for pixel.
std::optional<std::string> pngBytes(const Raster& canvas);

// The drawing as an SVG file in world units (1 unit = 1 mm), y up, on the canvas's black
// background: one group per layer, its id the layer's name, in the palette's colours.
std::string svgBytes(const Drawing& d);

// The picture of an export file type: PNG from the canvas, SVG or DXF from the drawing.
std::optional<std::string> exportBytes(ExportFormat format, const Raster& canvas,
                                       const Drawing& d);

}  // namespace gyrenda
