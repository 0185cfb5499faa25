#include "synthesis/target_dxf.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <exception>
#include <sstream>

namespace gyrenda {
namespace {

std::string_view trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The drawing's groups in order, a code and its value each, until `take` returns false or
// the text ends; false where a code is not a whole number.
template <typename Take>
bool forEachGroup(std::string_view text, Take take) {
  text = text.substr(0, text.find_last_not_of(" \t\r\n") + 1);  // npos + 1: none at all
  std::size_t at = 0;
  const auto nextLine = [&] {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = trimmed(text.substr(at, end - at));
    at = end + 1;
    return line;
  };
  while (at < text.size()) {
    const std::string_view codeText = nextLine();
    int code = 0;
    const auto [stop, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (error != std::errc() || stop != codeText.data() + codeText.size()) return false;
    if (!take(code, nextLine())) return true;
  }
  return true;
}

// Whether every count of vertices, knots, control and fit points an entity announces could be
// that entity's in a text of `lines` lines: dxflib makes room for what a count announces
// before it reads one point.
bool countsPlausible(std::string_view text) {
  const auto lines = static_cast<long long>(std::ranges::count(text, '\n')) + 1;
  std::string_view entity;
  bool plausible = true;
  forEachGroup(text, [&](int code, std::string_view value) {
    if (code == 0) entity = value;
    const bool count = (entity == "LWPOLYLINE" && code == 90) ||
                       (entity == "SPLINE" && code >= 72 && code <= 74);
    long long n = 0;
    if (count) std::from_chars(value.data(), value.data() + value.size(), n);
    plausible = !(n > lines || n < 0);
    return plausible;
  });
  return plausible;
}

bool sameLayer(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

struct Entity {
  std::string kind, layer;
  std::vector<Vec2> points, fitPoints;
  bool closed = false;
};

// Every entity of the drawing's own space that may trace a curve, in the drawing's order.
class Collector final : public DL_CreationAdapter {
 public:
  std::vector<Entity> entities;

  void addBlock(const DL_BlockData&) override { inBlock_ = true; }
  void endBlock() override { inBlock_ = false; }
  void addPoint(const DL_PointData& d) override { add("POINT", false, {{d.x, d.y}}); }
  void addLine(const DL_LineData& d) override { add("LINE", false, {{d.x1, d.y1}, {d.x2, d.y2}}); }
  void addPolyline(const DL_PolylineData& d) override {
    if (!(d.flags & (16 | 64))) add("POLYLINE", (d.flags & 1) != 0, {});  // no meshes
  }
  void addVertex(const DL_VertexData& d) override { into({d.x, d.y}, false); }
  void addSpline(const DL_SplineData& d) override { add("SPLINE", (d.flags & 1) != 0, {}); }
  void addControlPoint(const DL_ControlPointData& d) override { into({d.x, d.y}, false); }
  void addFitPoint(const DL_FitPointData& d) override { into({d.x, d.y}, true); }
  void endSequence() override { open_ = false; }

 private:
  void add(const char* kind, bool closed, std::vector<Vec2> points) {
    open_ = !inBlock_;
    if (open_) entities.push_back({kind, getAttributes().getLayer(), std::move(points), {}, closed});
  }
  // A point of the polyline or spline last begun.
  void into(Vec2 p, bool fit) {
    if (open_ && !entities.empty()) (fit ? entities.back().fitPoints : entities.back().points).push_back(p);
  }
  bool inBlock_ = false, open_ = false;
};

// A curve whose last point repeats its first closes, that point once.
TracedCurve closedWhereItMeets(std::vector<Vec2> points, bool closed) {
  if (points.size() > 2 && (points.back() - points.front()).norm() <= 1e-9 * (1 + points.front().norm())) {
    points.pop_back();
    closed = true;
  }
  return {std::move(points), closed};
}

// The chain of the LINEs on `first`'s layer that meet end to end, grown from `first`.
TracedCurve chainFrom(const std::vector<Entity>& all, const Entity& first) {
  std::vector<const Entity*> lines;
  double size = 1;
  for (const Entity& e : all)
    if (e.kind == "LINE" && &e != &first && sameLayer(e.layer, first.layer)) {
      lines.push_back(&e);
      for (const Vec2 p : e.points) size = std::max({size, std::abs(p.x), std::abs(p.y)});
    }
  const double tolerance = 1e-6 * size;
  const auto meet = [tolerance](Vec2 a, Vec2 b) { return (a - b).norm() <= tolerance; };
  std::deque<Vec2> chain(first.points.begin(), first.points.end());
  for (bool grown = true; grown;) {
    grown = false;
    for (const Entity*& line : lines) {
      if (!line || meet(chain.front(), chain.back())) continue;
      const Vec2 a = line->points[0], b = line->points[1];
      if (meet(a, chain.back()) || meet(b, chain.back())) chain.push_back(meet(a, chain.back()) ? b : a);
      else if (meet(a, chain.front()) || meet(b, chain.front())) chain.push_front(meet(a, chain.front()) ? b : a);
      else continue;
      line = nullptr;
      grown = true;
    }
  }
  return closedWhereItMeets({chain.begin(), chain.end()}, false);
}

// The curve of the first entity (on `layer`, where one is named) that traces one.
DxfTrace firstCurve(const std::vector<Entity>& all, std::string_view layer) {
  for (const Entity& e : all) {
    if (!layer.empty() && !sameLayer(e.layer, layer)) continue;
    DxfTrace trace{DxfTraceProblem::None, {}, e.kind, e.layer};
    if (e.kind == "POINT") {
      for (const Entity& p : all)
        if (p.kind == "POINT" && sameLayer(p.layer, e.layer)) trace.curve.points.push_back(p.points[0]);
    } else if (e.kind == "LINE") {
      trace.curve = chainFrom(all, e);
    } else {
      const std::vector<Vec2>& points = e.fitPoints.empty() ? e.points : e.fitPoints;
      if (points.size() < 2) continue;
      trace.curve = closedWhereItMeets(points, e.closed);
    }
    return trace;
  }
  return {DxfTraceProblem::NoCurve, {}, {}, {}};
}

}  // namespace

bool looksLikeDxf(std::string_view bytes) {
  bool section = false;
  const bool groups = forEachGroup(bytes, [&](int code, std::string_view value) {
    section = code == 0 && value == "SECTION";
    return code == 999;  // comments may stand first
  });
  return groups && section;
}

DxfTrace readDxfTrace(std::string_view bytes, std::string_view layer) {
  if (!looksLikeDxf(bytes) || !countsPlausible(bytes)) return {DxfTraceProblem::NotDxf, {}, {}, {}};
  Collector collector;
  try {
    std::istringstream stream{std::string(bytes)};
    DL_Dxf dxf;
    if (!dxf.in(stream, &collector)) return {DxfTraceProblem::NotDxf, {}, {}, {}};
  } catch (const std::exception&) {
    return {DxfTraceProblem::NotDxf, {}, {}, {}};
  }
  return firstCurve(collector.entities, layer);
}

}  // namespace gyrenda
