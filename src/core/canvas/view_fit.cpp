#include "canvas/view_fit.h"

#include <algorithm>
#include <cmath>

namespace gyrenda {
namespace {

// A span of the canvas along one axis, and the window's width along it at a zoom level.
struct Span {
  double low, high;
};

// The pan (the window's low edge) that holds `span` with `margin` in a window of `size`, as
// close to centring it as the bars allow; none where no pan does.
std::optional<int> panFor(Span span, double margin, int size) {
  const double lowest = std::max<double>(kPanMin, std::ceil(span.high + margin - size));
  const double highest = std::min<double>(kPanMax, std::floor(span.low - margin));
  if (!(lowest <= highest)) return std::nullopt;
  const double centred = std::round((span.low + span.high - size) / 2.0);
  return static_cast<int>(std::clamp(centred, lowest, highest));
}

// The pan that cuts the least off `span` in a window of `size`: centred where the bars allow.
int leastCutPan(Span span, int size) {
  return static_cast<int>(std::clamp(std::round((span.low + span.high - size) / 2.0),
                                     static_cast<double>(kPanMin), static_cast<double>(kPanMax)));
}

// How far `span` reaches beyond the window of `size` at the pan that cuts the least off it.
double cutOff(Span span, int size) {
  const int pan = leastCutPan(span, size);
  return std::max(0.0, pan - span.low) + std::max(0.0, span.high - (pan + size));
}

// The margin where only the farthest zoom comes near: a few pixels at that zoom.
constexpr double kLeastMargin = 2.0;

std::optional<View> viewWithMargin(Span across, Span down, double margin, int zoom) {
  const std::optional<int> left = panFor(across, margin, viewWidth(zoom));
  const std::optional<int> top = panFor(down, margin, viewHeight(zoom));
  if (!left || !top) return std::nullopt;
  return View{zoom, *left, *top};
}

}  // namespace

ViewFit fitView(const Extent& world) {
  // The canvas's y runs downwards.
  const Span across{world.minX, world.maxX}, down{-world.maxY, -world.minY};
  if (!(std::isfinite(across.low) && std::isfinite(across.high) && std::isfinite(down.low) &&
        std::isfinite(down.high)))
    return {std::nullopt, 0.0};
  constexpr double kCell = 10.0;
  for (int zoom = kClosestZoom; zoom <= kFarthestZoom; ++zoom)
    if (auto view = viewWithMargin(across, down, 2 * kCell, zoom)) return {view, 0.0};
  for (double margin : {kCell, kLeastMargin})
    if (auto view = viewWithMargin(across, down, margin, kFarthestZoom)) return {view, 0.0};
  const auto widened = [](Span s) { return Span{s.low - kLeastMargin, s.high + kLeastMargin}; };
  return {std::nullopt, std::max(cutOff(widened(across), viewWidth(kFarthestZoom)),
                                 cutOff(widened(down), viewHeight(kFarthestZoom)))};
}

bool inView(const View& view, double x, double y) {
  return x >= view.left && x < view.right() && -y >= view.top && -y < view.bottom();
}

View leastCutView(const Extent& world) {
  return {kFarthestZoom, leastCutPan({world.minX, world.maxX}, viewWidth(kFarthestZoom)),
          leastCutPan({-world.maxY, -world.minY}, viewHeight(kFarthestZoom))};
}

bool holds(const View& view, const Extent& world) {
  return inView(view, world.minX, world.maxY) && inView(view, world.maxX, world.minY);
}

}  // namespace gyrenda
