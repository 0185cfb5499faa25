#include "files/drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace gyrenda {
namespace {

// Half the lever-pivot mark: a vertical stroke 10 units long through the pivot.
constexpr float kPivotMarkHalf = 5.0f;

// The points of one locus in crank order, one polyline per run of equal quadrant colour, as
// the search drew them: the segment that ends at a hit has the colour of that hit's crank
// angle, so a polyline of a new colour begins where the one before ended.
void addLocus(Drawing& d, DrawingLayer layer, const AngleTable& xs, const AngleTable& ys) {
  Polyline* current = nullptr;
  Colour colour = 0;
  for (int i = 0; i < kAngleSteps; ++i) {
    if (xs[i] == kNoPose || !isFinite(WorldPoint{xs[i], ys[i]})) continue;
    const Colour c = quadrantColour(static_cast<float>(i) / 2.0f);
    if (!current || c != colour) {
      std::vector<WorldPoint> start;
      if (current) start.push_back(current->vertices.back());
      d.items.push_back({layer, c, Polyline{std::move(start)}});
      current = &std::get<Polyline>(d.items.back().shape);
      colour = c;
    }
    current->vertices.push_back({xs[i], ys[i]});
  }
}

// A point that is not finite has no place in a picture; it widens nothing.
void include(Bounds& b, WorldPoint p) {
  if (!isFinite(p)) return;
  b.left = std::min(b.left, p.x);
  b.right = std::max(b.right, p.x);
  b.bottom = std::min(b.bottom, p.y);
  b.top = std::max(b.top, p.y);
}

struct Includer {
  Bounds& b;
  void operator()(const Circle& c) const {
    include(b, {c.centre.x - c.radius, c.centre.y - c.radius});
    include(b, {c.centre.x + c.radius, c.centre.y + c.radius});
  }
  // The ends, and every quarter point that the arc passes.
  void operator()(const Arc& a) const {
    const double to = a.toDegrees >= a.fromDegrees ? a.toDegrees : a.toDegrees + 360.0;
    include(b, pointOnCircle(a.centre, a.radius, a.fromDegrees));
    include(b, pointOnCircle(a.centre, a.radius, to));
    for (double q = std::ceil(a.fromDegrees / 90.0) * 90.0; q < to; q += 90.0)
      include(b, pointOnCircle(a.centre, a.radius, q));
  }
  void operator()(const Segment& s) const {
    include(b, s.from);
    include(b, s.to);
  }
  void operator()(const Pivot& p) const { include(b, p.at); }
  void operator()(const Polyline& p) const {
    for (const WorldPoint& v : p.vertices) include(b, v);
  }
};

}  // namespace

WorldPoint pointOnCircle(WorldPoint centre, float radius, double degrees) {
  const double r = degrees * std::numbers::pi / 180.0;
  return {static_cast<float>(centre.x + radius * std::cos(r)),
          static_cast<float>(centre.y + radius * std::sin(r))};
}

Drawing buildDrawing(const Linkage& l, const View& view, const RunResult& f) {
  Drawing d;
  const auto z = static_cast<float>(view.zoomLevel);
  const auto h = static_cast<float>(view.left), v = static_cast<float>(view.top);
  d.view = {h, -(v + 60.0f * z), h + 100.0f * z, -v};

  const WorldPoint origin{0.0f, 0.0f}, leverPivot{l[fixedLinkLength], 0.0f};
  const float crank = std::abs(l[crankRadius]), lever = std::abs(l[leverRadius]);
  d.items.push_back({DrawingLayer::Crank, kGrid, Circle{origin, crank}});
  d.items.push_back({DrawingLayer::Crank, kGrid, Pivot{origin}});
  d.items.push_back({DrawingLayer::Lever, kFourBarMarker, Arc{leverPivot, lever, 0.0f, 180.0f}});
  d.items.push_back({DrawingLayer::Lever, kGrid, Pivot{leverPivot}});
  d.items.push_back({DrawingLayer::Lever, kGrid,
                     Segment{{leverPivot.x, -kPivotMarkHalf}, {leverPivot.x, kPivotMarkHalf}}});
  d.items.push_back({DrawingLayer::Slide, kSixBarMarker,
                     Segment{{l[slideStartX], l[slideStartY]},
                             {l[slideEndX], l[slideEndY]}}});
  addLocus(d, DrawingLayer::Path4Axis, f.hits.axisX, f.hits.axisY);
  addLocus(d, DrawingLayer::Path4Output, f.outputX, f.outputY);
  addLocus(d, DrawingLayer::Path6Axis, f.hits.sixAxisX, f.hits.sixAxisY);
  addLocus(d, DrawingLayer::Path6Output, f.hits.sixOutputX, f.hits.sixOutputY);
  return d;
}

Bounds extent(const Drawing& d) {
  Bounds b = d.view;
  for (const DrawingItem& item : d.items) std::visit(Includer{b}, item.shape);
  return b;
}

Bounds itemsExtent(const Drawing& d) {
  constexpr float kFar = std::numeric_limits<float>::infinity();
  Bounds b{kFar, kFar, -kFar, -kFar};
  for (const DrawingItem& item : d.items) std::visit(Includer{b}, item.shape);
  return b;
}

}  // namespace gyrenda
