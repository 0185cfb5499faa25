// The standard 16-colour palette; the canvas stores palette indices.
#pragma once

#include <array>
#include <cstdint>

namespace gyrenda {

using Colour = std::uint8_t;

struct Rgb {
  std::uint8_t r, g, b;
};

inline constexpr std::array<Rgb, 16> kPalette{{
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
    {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
}};

// Roles of palette colours on the canvas.
inline constexpr Colour kBlack = 0;
inline constexpr Colour kFourBarMarker = 2;  // lever half-circle, looked for by the four-bar searches
inline constexpr Colour kSixBarMarker = 4;   // slide line, looked for by the six-bar searches
inline constexpr Colour kGrid = 7;           // axes, grid, lever-pivot mark

// Crank dots and loci are coloured by the quadrant of the crank angle: 11 from 0°,
// 12 from 90°, 13 from 180°, 14 from 270°, 15 at 360°.
inline Colour quadrantColour(float crankAngle) {
  const int quadrant = static_cast<int>(crankAngle / 90.0f);
  return static_cast<Colour>(quadrant < 0 ? 11 : (quadrant > 4 ? 15 : 11 + quadrant));
}

}  // namespace gyrenda
