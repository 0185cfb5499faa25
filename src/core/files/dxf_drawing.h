// The vector drawing as a DXF file (AutoCAD 2000, ASCII), written through dxflib.
#pragma once

#include <array>
#include <string>

#include "files/drawing.h"

namespace gyrenda {

// The AutoCAD Colour Index nearest to each palette colour; white is index 7, which a CAD
// program shows white on a dark background and black on a light one.
inline constexpr std::array<int, 16> kAutoCadColour{250, 174, 94, 134, 14, 214, 54, 9,
                                                    8,   5,   3,  4,   1,  6,   2,  7};

// One layer per element, each item in the colour of its palette index, 1 unit = 1 mm
// ($INSUNITS 4); polylines as LWPOLYLINE, pivots as POINT.
std::string dxfBytes(const Drawing& d);

}  // namespace gyrenda
