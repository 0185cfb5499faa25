#include "report/run_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "canvas/view_fit.h"
#include "kinematics/exact_linkage.h"
#include "kinematics/vec2.h"
#include "linkage/linkage.h"
#include "canvas/run_result.h"

namespace gyrenda {
namespace {

bool found(const AngleTable& t, int i) { return t[i] != kNoPose; }
Vec2 at(const AngleTable& x, const AngleTable& y, int i) { return {x[i], y[i]}; }
double crankAngleOf(int i) { return i / 2.0; }

int posesIn(const AngleTable& t) {
  return static_cast<int>(std::ranges::count_if(t, [](float v) { return v != kNoPose; }));
}

std::optional<PathExtent> extentOf(const AngleTable& x, const AngleTable& y) {
  std::optional<PathExtent> e;
  for (int i = 0; i < kAngleSteps; ++i)
    if (found(x, i)) include(e, x[i], y[i]);
  return e;
}

// Collects a figure per crank step; the extremes are taken at their first occurrence.
class PerCrankStep {
 public:
  void add(int i, double v) { values_.emplace_back(v, i); }
  bool empty() const { return values_.empty(); }

  // min_element and max_element both give the first of equal values; minmax_element would
  // give the last of the largest.
  Extremes extremes() const {
    const auto figure = &std::pair<double, int>::first;
    const auto lo = std::ranges::min_element(values_, {}, figure);
    const auto hi = std::ranges::max_element(values_, {}, figure);
    return {lo->first, crankAngleOf(lo->second), hi->first, crankAngleOf(hi->second)};
  }

  Accuracy accuracy(int withoutExactPose) const {
    std::vector<double> sorted;
    for (const auto& v : values_) sorted.push_back(v.first);
    std::ranges::sort(sorted);
    const std::size_t n = sorted.size();
    const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    const auto rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(n)));
    const Extremes e = extremes();
    return {median, sorted[rank - 1], e.max, e.maxAtCrankAngle, withoutExactPose};
  }

 private:
  std::vector<std::pair<double, int>> values_;  // figure, crank step
};

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// The angle at the lever tip between the coupler and the lever, for every found pose.
std::vector<CrankAngleValue> transmissionAngles(const Linkage& l, const RunResult& f) {
  const Vec2 pivot{l[fixedLinkLength], 0.0};
  std::vector<CrankAngleValue> angles;
  for (int i = 0; i < kAngleSteps; ++i) {
    if (!found(f.hits.leverTipX, i)) continue;
    const Vec2 tip = at(f.hits.leverTipX, f.hits.leverTipY, i);
    const Vec2 coupler = tip - at(l.tables.crankTipX, l.tables.crankTipY, i), lever = tip - pivot;
    const double lengths = coupler.norm() * lever.norm();
    if (!(lengths > 0.0) || !std::isfinite(lengths)) continue;
    angles.push_back({crankAngleOf(i), degrees(std::acos(std::clamp(coupler.dot(lever) / lengths, -1.0, 1.0)))});
  }
  return angles;
}

std::optional<Extremes> extremesOf(const std::vector<CrankAngleValue>& angles) {
  PerCrankStep mu;
  for (const CrankAngleValue& a : angles) mu.add(static_cast<int>(a.crankAngle * 2), a.value);
  if (mu.empty()) return std::nullopt;
  return mu.extremes();
}

// The exact lever tip: where the circle of the coupler about the crank tip meets the lever's
// circle about its pivot. Of the two, the one on the found tip's side of the line from the
// crank tip to the lever pivot: the assembly branch changes only where the two meet, so the
// side names the branch, and near that toggle the two lie close together anyway.
std::optional<Vec2> exactLeverTip(const Linkage& l, int i, Vec2 foundTip) {
  const double a = l[crankRadius], b = l[couplerLength], c = l[leverRadius];
  const double theta = crankAngleOf(i) * std::numbers::pi / 180.0;
  const Vec2 crankTip{a * std::cos(theta), a * std::sin(theta)};
  const Vec2 toPivot = Vec2{l[fixedLinkLength], 0.0} - crankTip;
  const double d = toPivot.norm();
  if (d == 0.0 || d > b + c || d < std::abs(b - c)) return std::nullopt;
  const Vec2 e = toPivot.unit();
  const double along = (b * b - c * c + d * d) / (2.0 * d);
  const double across = std::sqrt(std::max(0.0, b * b - along * along));
  const Vec2 foot = crankTip + e * along;
  return e.cross(foundTip - crankTip) >= 0.0 ? foot + e.left() * across
                                             : foot - e.left() * across;
}

// The exact slider: where the link's circle about the found four-bar output point meets the
// slide line, the one on the found slider's side of the foot of the point on the line. The
// found output point keeps the six-bar figure to the six-bar search's own
// error; the four-bar's error is in the four-bar figure.
std::optional<Vec2> exactSlider(const Linkage& l, Vec2 driving, Vec2 foundSlider) {
  const Vec2 start{l[slideStartX], l[slideStartY]};
  const Vec2 slide = Vec2{l[slideEndX], l[slideEndY]} - start;
  const Vec2 e = slide.unit();
  const double link = l[sixLinkLength];
  const double t = (driving - start).dot(e);
  const double off = e.cross(driving - start);
  if (std::abs(off) > link) return std::nullopt;
  const double half = std::sqrt(link * link - off * off);
  const Vec2 foot = start + e * t;
  return (foundSlider - foot).dot(e) >= 0.0 ? foot + e * half : foot - e * half;
}

// The distance of every found pose (xs, ys) from its exact pose; `exact(i, found)` gives none
// where the exact circles do not meet.
template <typename Exact>
std::optional<Accuracy> accuracyOf(const AngleTable& xs, const AngleTable& ys, Exact exact) {
  PerCrankStep distance;
  int withoutExact = 0;
  for (int i = 0; i < kAngleSteps; ++i) {
    if (!found(xs, i)) continue;
    const Vec2 pose = at(xs, ys, i);
    if (const std::optional<Vec2> e = exact(i, pose)) distance.add(i, (pose - *e).norm());
    else ++withoutExact;
  }
  if (distance.empty()) return std::nullopt;
  return distance.accuracy(withoutExact);
}

std::optional<Accuracy> fourBarAccuracy(const Linkage& l, const RunResult& f) {
  return accuracyOf(f.hits.leverTipX, f.hits.leverTipY,
                    [&](int i, Vec2 tip) { return exactLeverTip(l, i, tip); });
}

std::optional<Accuracy> sixBarAccuracy(const Linkage& l, const RunResult& f) {
  return accuracyOf(f.hits.sliderX, f.hits.sliderY, [&](int i, Vec2 slider) {
    return exactSlider(l, at(f.outputX, f.outputY, i), slider);
  });
}

std::optional<SliderStroke> sliderStroke(const Linkage& l, const RunResult& f) {
  const Vec2 start{l[slideStartX], l[slideStartY]};
  const Vec2 slide = Vec2{l[slideEndX], l[slideEndY]} - start;
  const Vec2 e = slide.unit();
  std::optional<SliderStroke> s;
  for (int i = 0; i < kAngleSteps; ++i) {
    if (!found(f.hits.sliderX, i)) continue;
    const double t = (at(f.hits.sliderX, f.hits.sliderY, i) - start).dot(e);
    if (!s) s = SliderStroke{t, t, 0.0};
    s->start = std::min(s->start, t);
    s->end = std::max(s->end, t);
    s->length = s->end - s->start;
  }
  return s;
}

// The crank steps to look at for poses out of view: all of them, or where 停止 ended the
// search, those before the last pose it found.
int stepsSearched(const AngleTable& found_, bool stopped) {
  if (!stopped) return kAngleSteps;
  for (int i = kAngleSteps - 1; i >= 0; --i)
    if (found(found_, i)) return i;
  return 0;
}

// The crank steps where the four-bar search found no lever tip while the exact one lies on the
// upper half-circle it searches but outside the view.
int fourBarPosesOutOfView(const ExactLinkage& exact, const RunResult& f, const View& view) {
  int missed = 0;
  for (int i = 0; i < stepsSearched(f.hits.leverTipX, f.hits.fourBarStopped); ++i) {
    if (found(f.hits.leverTipX, i)) continue;
    const auto pose = fourBarPose(exact, crankAngleOf(i), 0.0);
    if (pose && pose->leverTip.y >= 0.0 && !inView(view, pose->leverTip.x, pose->leverTip.y))
      ++missed;
  }
  return missed;
}

// The same for the six-bar's slider, where the four-bar output point it starts from was found.
int sixBarPosesOutOfView(const ExactLinkage& exact, const RunResult& f, const View& view) {
  int missed = 0;
  for (int i = 0; i < stepsSearched(f.hits.sliderX, f.hits.sixBarStopped); ++i) {
    if (found(f.hits.sliderX, i) || !found(f.outputX, i)) continue;
    const auto pose = sixBarPose(exact, crankAngleOf(i), 0.0);
    if (pose && pose->sliderPosition >= 0.0 && pose->sliderPosition <= exact.slideLength &&
        !inView(view, pose->slider.x, pose->slider.y))
      ++missed;
  }
  return missed;
}

}  // namespace

RunReport makeRunReport(const Linkage& l, const RunResult& f, const View& view) {
  const RunHits& h = f.hits;
  RunReport r{classifyLinkage(l[crankRadius], l[couplerLength], l[leverRadius],
                              l[fixedLinkLength]),
              std::nullopt, transmissionAngles(l, f), {}, std::nullopt, l.parameters};
  r.transmissionAngle = extremesOf(r.transmissionAngles);
  r.fourBar = {posesIn(f.outputX), h.fourBarExamined,    h.fourBarStopped,
               fourBarAccuracy(l, f), extentOf(h.axisX, h.axisY), extentOf(f.outputX, f.outputY),
               std::nullopt};
  if (h.sixBarSearched)
    r.sixBar = SearchReport{posesIn(h.sliderX),
                            h.sixBarExamined,
                            h.sixBarStopped,
                            sixBarAccuracy(l, f),
                            extentOf(h.sixAxisX, h.sixAxisY),
                            extentOf(h.sixOutputX, h.sixOutputY),
                            sliderStroke(l, f)};
  const ExactLinkage exact = makeExactLinkage(l.parameters);
  r.fourBar.posesOutOfView = fourBarPosesOutOfView(exact, f, view);
  if (r.sixBar) r.sixBar->posesOutOfView = sixBarPosesOutOfView(exact, f, view);
  return r;
}

}  // namespace gyrenda
