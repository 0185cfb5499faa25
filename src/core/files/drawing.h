// The construction and the loci of the last analysis as a vector drawing in world units
// (y up): what the SVG and DXF exports encode. Built from the core's values alone, so both programs
// export the same drawing.
#pragma once

#include <array>
#include <string_view>
#include <variant>
#include <vector>

#include "canvas/palette.h"
#include "canvas/view.h"
#include "linkage/linkage.h"
#include "linkage/world_point.h"
#include "canvas/run_result.h"

namespace gyrenda {

// The file types of the save dialog beyond the bitmap (1) and the numeric data file (2).
enum class ExportFormat : int { Png = 3, Svg = 4, Dxf = 5 };

enum class DrawingLayer : int {
  Crank,
  Lever,
  Slide,
  Path4Axis,
  Path4Output,
  Path6Axis,
  Path6Output,
};
inline constexpr std::array<std::string_view, 7> kLayerNames{
    "CRANK", "LEVER", "SLIDE", "PATH4_AXIS", "PATH4_OUTPUT", "PATH6_AXIS", "PATH6_OUTPUT"};
inline std::string_view layerName(DrawingLayer layer) {
  return kLayerNames[static_cast<std::size_t>(layer)];
}

struct Circle {
  WorldPoint centre;
  float radius;
  friend bool operator==(const Circle&, const Circle&) = default;
};
// Counterclockwise from one angle to the other, in degrees.
struct Arc {
  WorldPoint centre;
  float radius, fromDegrees, toDegrees;
  friend bool operator==(const Arc&, const Arc&) = default;
};
struct Segment {
  WorldPoint from, to;
  friend bool operator==(const Segment&, const Segment&) = default;
};
// A pivot: a point that a CAD program can snap to.
struct Pivot {
  WorldPoint at;
  friend bool operator==(const Pivot&, const Pivot&) = default;
};
struct Polyline {
  std::vector<WorldPoint> vertices;
  friend bool operator==(const Polyline&, const Polyline&) = default;
};
using Shape = std::variant<Circle, Arc, Segment, Pivot, Polyline>;

struct DrawingItem {
  DrawingLayer layer;
  Colour colour;  // palette index
  Shape shape;
  friend bool operator==(const DrawingItem&, const DrawingItem&) = default;
};

struct Bounds {
  float left, bottom, right, top;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Drawing {
  std::vector<DrawingItem> items;  // in drawing order, layer by layer
  Bounds view;                     // the canvas's visible window, in world coordinates
};

// The drawing of what the canvas shows after a run: crank circle and pivot, lever half-circle,
// lever pivot and its mark, slide line, and the loci of the run's hits split into polylines
// where the quadrant colour changes. Each new polyline starts at the last vertex of the one
// before, so a path stays joined as on the canvas. Loci are not clipped to the view.
Drawing buildDrawing(const Linkage& linkage, const View& view, const RunResult& result);

// The point of a circle at an angle in degrees, counterclockwise from the x axis.
WorldPoint pointOnCircle(WorldPoint centre, float radius, double degrees);

// What a picture of the drawing must show: its view, widened to every item.
Bounds extent(const Drawing& d);
// The items alone, without the view; left > right where no item has a finite point.
Bounds itemsExtent(const Drawing& d);

}  // namespace gyrenda
