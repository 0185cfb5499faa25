#include "synthesis/gait.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "synthesis/path_objective.h"

namespace gyrenda {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;
constexpr double kRadian = std::numbers::pi / 180;

// The path's heights and places along the ground, sampled over a turn.
struct Sampled {
  const std::function<Vec2(double)>& path;
  Vec2 along, up;
  int count;
  std::vector<double> heights;

  double angle(int i) const { return kTurn * i / count; }  // i may lie beyond the turn
  double height(int i) const { return heights[static_cast<std::size_t>(((i % count) + count) % count)]; }
  double heightAt(double t) const { return up.dot(path(t)); }
  double alongAt(double t) const { return along.dot(path(t)); }
};

// The lowest (sign 1) or highest (sign −1) height of the path, times sign: every sample that
// ends a fall (or rise) refined between its neighbours.
double extreme(const Sampled& s, double sign) {
  double best = INFINITY;
  for (int i = 0; i < s.count; ++i) {
    const double h = sign * s.height(i);
    best = std::min(best, h);
    if (!(h < sign * s.height(i - 1) && h <= sign * s.height(i + 1))) continue;
    const auto g = [&](double t) { return sign * s.heightAt(t); };
    const double v = brentMinimum(g, s.angle(i - 1), s.angle(i + 1), s.angle(i), h).second;
    best = std::min(best, v);
  }
  return best;
}

// The crossing of the height limit between an angle outside (above it) and one inside, to the
// inside's side.
double crossing(const Sampled& s, double outside, double inside, double limit) {
  for (int step = 0; step < 60; ++step) {
    const double mid = (outside + inside) / 2;
    (s.heightAt(mid) <= limit ? inside : outside) = mid;
  }
  return inside;
}

// A run of samples within the limit, first … last, and the angles outside it on either side.
struct Run {
  int first, last;
  double outBefore, outAfter;
};

// The runs of samples within `limit`, the peaks between samples checked: a peak above the
// limit splits its run. Needs a sample above the limit.
std::vector<Run> runsWithin(const Sampled& s, double limit) {
  int above = 0;
  while (s.height(above) <= limit) ++above;
  std::vector<Run> runs, checked;
  for (int i = above + 1; i <= above + s.count; ++i) {
    if (s.height(i) > limit) continue;
    int last = i;
    while (s.height(last + 1) <= limit) ++last;
    runs.push_back({i, last, s.angle(i - 1), s.angle(last + 1)});
    i = last + 1;
  }
  while (!runs.empty()) {
    Run r = runs.back();
    runs.pop_back();
    bool split = false;
    for (int j = r.first; j <= r.last && !split; ++j) {
      const double h = s.height(j);
      if (!(h > s.height(j - 1) && h >= s.height(j + 1))) continue;
      const auto g = [&](double t) { return -s.heightAt(t); };
      // Between two samples of the run: a peak beyond its ends is the crossings' matter.
      const double low = s.angle(std::max(j - 1, r.first)), high = s.angle(std::min(j + 1, r.last));
      if (!(low < high)) continue;
      const auto [t, v] = brentMinimum(g, low, high, s.angle(j), -h);
      if (-v <= limit) continue;
      split = true;
      const int cut = s.angle(j) < t ? j : j - 1;  // the last sample before the peak
      if (cut >= r.first) runs.push_back({r.first, cut, r.outBefore, t});
      if (cut + 1 <= r.last) runs.push_back({cut + 1, r.last, t, r.outAfter});
    }
    if (!split) checked.push_back(r);
  }
  return checked;
}

// The foot's speed along the ground (per radian of the crank) at angle t.
double speedAt(const Sampled& s, double t) {
  constexpr double kStep = 1e-6;
  return (s.alongAt(t + kStep) - s.alongAt(t - kStep)) / (2 * kStep);
}

double wrapDegrees(double radians) {
  const double d = std::fmod(radians / kRadian, 360.0);
  return d < 0 ? d + 360 : d;
}

// The stance's figures from its ends, `begin` < `end` as the crank turns.
void measureStance(const Sampled& s, const Run& run, double begin, double end, GaitFigures& f) {
  f.stanceShare = std::min(1.0, (end - begin) / kTurn);
  f.stanceBegin = wrapDegrees(begin), f.stanceEnd = wrapDegrees(end);
  const double travel = s.alongAt(end) - s.alongAt(begin);
  f.direction = travel < 0 ? -1 : 1;
  f.stride = std::abs(travel);
  double highest = std::max(s.heightAt(begin), s.heightAt(end));
  double fastest = 0, slowest = INFINITY;
  const auto speed = [&](double t) {
    const double v = speedAt(s, t) * f.direction;
    fastest = std::max(fastest, v), slowest = std::min(slowest, v);
  };
  speed(begin), speed(end);
  for (int i = run.first; i <= run.last; ++i) {
    highest = std::max(highest, s.height(i));
    speed(s.angle(i));
  }
  // The peaks between samples that the run kept lie within its limit: its samples' highest
  // refined where a sample ends a rise.
  for (int j = run.first; j <= run.last; ++j)
    if (s.height(j) > s.height(j - 1) && s.height(j) >= s.height(j + 1)) {
      const auto g = [&](double t) { return -s.heightAt(t); };
      const double a = std::max(begin, s.angle(j - 1)), b = std::min(end, s.angle(j + 1));
      highest = std::max(highest, -brentMinimum(g, a, b, s.angle(j), -s.height(j)).second);
    }
  f.flatness = std::max(0.0, highest - f.groundLevel);
  f.stanceSpeedRatio = slowest > 0 ? fastest / slowest : INFINITY;
}

}  // namespace

GaitFigures measureGait(const std::function<Vec2(double)>& path, double groundDegrees,
                        double epsilon, int samples) {
  const Vec2 along{std::cos(groundDegrees * kRadian), std::sin(groundDegrees * kRadian)};
  Sampled s{path, along, along.left(), samples, std::vector<double>(static_cast<std::size_t>(samples))};
  GaitFigures f;
  for (int i = 0; i < samples; ++i) s.heights[static_cast<std::size_t>(i)] = s.heightAt(s.angle(i));
  if (!std::ranges::all_of(s.heights, [](double h) { return std::isfinite(h); })) {
    f.groundLevel = f.lift = f.stride = f.flatness = f.stanceSpeedRatio = NAN;
    return f;
  }
  f.groundLevel = extreme(s, 1);
  f.lift = -extreme(s, -1) - f.groundLevel;
  const double limit = f.groundLevel + epsilon;
  if (f.lift <= epsilon) {  // the whole turn within the flatness
    f.stanceShare = 1, f.flatness = f.lift, f.stride = 0, f.stanceSpeedRatio = INFINITY;
    return f;
  }
  const std::vector<Run> runs = runsWithin(s, limit);
  double longest = -1, begin = 0, end = 0;
  const Run* chosen = nullptr;
  for (const Run& r : runs) {
    const double b = crossing(s, r.outBefore, s.angle(r.first), limit);
    const double e = crossing(s, r.outAfter, s.angle(r.last), limit);
    if (e - b > longest) longest = e - b, begin = b, end = e, chosen = &r;
  }
  if (chosen) measureStance(s, *chosen, begin, end, f);
  // Every point of the stance lies at most at ground + ε, as compared; its difference from the
  // ground may round a unit in the last place above ε.
  f.flatness = std::min(f.flatness, epsilon);
  return f;
}

}  // namespace gyrenda
