#include "synthesis/compact_fit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "canvas/view_fit.h"
#include "kinematics/exact_linkage.h"
#include "kinematics/mechanism_extent.h"
#include "session/workbench.h"

namespace gyrenda {
namespace {

// The view at the farthest zoom, in canvas units; the margin the smooth violation keeps from
// its edges: the fit's least margin (2), half a unit on each side for the pan's rounding to
// whole units, and a quarter for the path between its samples.
constexpr double kViewWidth = viewWidth(kFarthestZoom), kViewHeight = viewHeight(kFarthestZoom);
constexpr double kMargin = 2.75;
// The violation's unit of length: a quarter of the view's width.
constexpr double kViolationUnit = kViewWidth / 4;

double over(double v) { return std::max(0.0, v); }

}  // namespace

double mechanismSize(const Extent& extent) { return std::max(extent.width(), extent.height()); }

Extent designExtent(const SynthesisDesign& x, std::span<const Vec2> pathSamples) {
  const double a = std::abs(x[uCrank]), c = std::abs(x[uLever]), l = x[uFixedLink];
  std::optional<Extent> e;
  include(e, -a, -a);
  include(e, a, a);
  include(e, l - c, 0);
  include(e, l + c, c);
  const std::size_t n = pathSamples.size();
  if (n < 3) return *e;
  // The path's extreme along each axis, each way: the extreme sample, refined by the parabola
  // through it and its two neighbours (at most a quarter of the step beyond it).
  const auto extreme = [&](auto coordinate, double sign) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < n; ++i)
      if (sign * coordinate(pathSamples[i]) > sign * coordinate(pathSamples[best])) best = i;
    const double before = sign * coordinate(pathSamples[(best + n - 1) % n]);
    const double at = sign * coordinate(pathSamples[best]);
    const double after = sign * coordinate(pathSamples[(best + 1) % n]);
    const double bend = before - 2 * at + after, step = std::max(at - before, at - after);
    const double rise = bend < 0 ? (after - before) * (after - before) / (-8 * bend) : step;
    return sign * (at + std::min(rise, std::max(step, 0.0) / 4 + 1e-9));
  };
  const auto xOf = [](Vec2 p) { return p.x; };
  const auto yOf = [](Vec2 p) { return p.y; };
  include(e, extreme(xOf, -1), extreme(yOf, -1));
  include(e, extreme(xOf, 1), extreme(yOf, 1));
  return *e;
}

Vec2 viewRoom() { return {kViewWidth - 2 * kMargin, kViewHeight - 2 * kMargin}; }

double viewOverreach(const Extent& e) {
  // The canvas's y runs downwards: the view's top edge (the pan) holds −maxY.
  const Vec2 room = viewRoom();
  const double width = room.x, height = room.y;
  return over(kPanMin + kMargin - e.minX) + over(e.maxX - (kPanMax + kViewWidth - kMargin)) +
         over(e.width() - width) + over(kPanMin + kMargin + e.maxY) +
         over(-e.minY - (kPanMax + kViewHeight - kMargin)) + over(e.height() - height);
}

double extentViolation(const Extent& e, bool fitView, double maxSize) {
  double v = fitView ? viewOverreach(e) / kViolationUnit : 0;
  if (maxSize > 0) v += over(mechanismSize(e) - maxSize) / maxSize;
  return std::isfinite(v) ? v : 1e30;
}

ExtentCheck checkExtent(const ParameterSet& parameters) {
  const Extent extent = mechanismExtent(makeExactLinkage(parameters), false);
  const ViewFit fit = fitView(extent);
  return {extent, mechanismSize(extent), fit.view.has_value(),
          fit.view.value_or(leastCutView(extent))};
}

bool meetsExtentLimits(const ExtentCheck& check, bool fitView, double maxSize) {
  return (!fitView || check.fitsView) && (!(maxSize > 0) || check.size <= maxSize);
}

std::array<LengthRange, 6> scaledBounds(std::span<const Vec2> targets, bool freeFrame,
                                        bool fitView) {
  std::optional<Extent> e;
  if (!freeFrame) include(e, 0, 0);
  for (const Vec2 t : targets) include(e, t.x, t.y);
  // Rounded to a tenth, as the dialog's fields show them; the low end down, the high end up.
  const double side = e ? std::max(mechanismSize(*e), 1.0) : 1.0;
  const double low = std::min(std::max(1.0, std::floor(side / 40 * 10) / 10), kViewWidth / 2);
  const double high = std::min<double>(fitView ? kViewWidth / 2 : kParamLimit,
                                        std::ceil(side * 4 * 10) / 10);
  return {LengthRange{low, high}, {low, high}, {low, high}, {low, high}, {-high, high},
          {-high, high}};
}

RasterCount countRasterPoses(const ParameterSet& parameters, const View& view) {
  Workbench bench;
  bench.start();
  bench.leaveBox(0);
  bench.selectSpeed(kSpeedCount - 1);  // the slowest
  bench.setView(view);
  bench.applyParameters(parameters);  // typed into the boxes, then analysed
  bench.finishRun();
  if (!bench.report()) return {};
  return {bench.report()->fourBar.posesFound, bench.report()->fourBar.anglesExamined};
}

}  // namespace gyrenda
