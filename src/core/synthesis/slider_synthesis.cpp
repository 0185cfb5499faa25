// The slider search: the path synthesis's way of searching (seeded starts in rounds of 16 over
// the cores, each NLopt's controlled random search and a BOBYQA polish in the unknowns scaled to
// [0, 1], progress in evaluations, a stop heeded at the next evaluation), on an objective that
// reads the four-bar's exact path sampled once; then every start's answer as the user would
// type it, measured on the exact six-bar pose of the program's own branch.
#include "synthesis/slider_synthesis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

#include "canvas/view_fit.h"
#include "kinematics/mechanism_extent.h"
#include "synthesis/compact_fit.h"
#include "synthesis/nlopt_start.h"
#include "synthesis/typed_values.h"

namespace gyrenda {
namespace {

constexpr double kRadian = std::numbers::pi / 180;
constexpr int kSamples = 720;  // every half degree
constexpr double kStep = 360.0 / kSamples;
constexpr double kInfeasible = 1e3;
// The slide's margin the search aims at: above the least, so that rounding keeps it.
constexpr double kAimedMargin = 0.06;
// The link's lengths the search tries, mm: long enough to reach across the path, short enough
// for the whole six-bar to fit a view.
// The search keeps the link a little further from square than candidates must be (sin 86.5°),
// so that rounding the values as typed keeps it within kSteepestLinkAngle.
constexpr double kMostAcross = 0.99813;
constexpr double kShortestLink = 5, kLongestLink = 250;
// Without the one view: long enough for the link to stand steeply to the slide over the whole
// path (a stroke well beyond the path's width at a time ratio near its projection's), short
// enough for the starts to find it.
constexpr double kLongestFreeLink = 400;
// The width of a view at the farthest zoom, less the least margin of fitView: the longest
// stroke one view holds.
constexpr double kViewWidth = viewWidth(kFarthestZoom) - 4;

Vec2 direction(double degrees) { return {std::cos(degrees * kRadian), std::sin(degrees * kRadian)}; }
double wrapDegrees(double a) { return a - 360 * std::floor(a / 360); }

// The extreme of a sampled cyclic function near sample k, by the parabola through k and its two
// neighbours: its value and its place in samples.
std::pair<double, double> parabolaPeak(const double* s, int k) {
  const double a = s[(k + kSamples - 1) % kSamples], b = s[k], c = s[(k + 1) % kSamples];
  const double curve = a - 2 * b + c;
  const double d = curve != 0 ? std::clamp(0.5 * (a - c) / curve, -1.0, 1.0) : 0;
  return {b - 0.25 * (a - c) * d, k + d};
}

// How many times a sampled cyclic function turns between rising and falling.
int turns(const double* s) {
  std::vector<int> signs;
  for (int k = 0; k < kSamples; ++k) {
    const double d = s[(k + 1) % kSamples] - s[k];
    if (d != 0) signs.push_back(d > 0 ? 1 : -1);
  }
  int count = 0;
  for (std::size_t k = 0; k < signs.size(); ++k) count += signs[k] != signs[(k + 1) % signs.size()];
  return count;
}

double timeRatioOf(double from, double to) {
  const double forward = wrapDegrees(to - from);
  return forward / (360 - forward);
}

// The crank angle within a degree around `near` where `s` is greatest (sign +1) or least (−1),
// by golden section.
template <typename F>
double refineExtreme(F s, double near, int sign) {
  constexpr double kGolden = 0.6180339887498949;
  double a = near - kStep, b = near + kStep;
  for (int k = 0; k < 48; ++k) {
    const double x1 = b - kGolden * (b - a), x2 = a + kGolden * (b - a);
    if (sign * s(x1) > sign * s(x2)) b = x2;
    else a = x1;
  }
  return (a + b) / 2;
}

}  // namespace

SliderMotion measureSliderMotion(const ExactLinkage& k) {
  SliderMotion m;
  std::array<double, kSamples> s{};
  m.minLinkAngle = 90;
  for (int i = 0; i < kSamples; ++i) {
    const std::optional<SixBarPose> pose = sixBarPose(k, i * kStep, 0);
    if (!pose) return m;
    s[i] = pose->sliderPosition;
    const double along = std::abs(direction(pose->linkAngle).dot(k.slideDirection));
    const double angle = std::acos(std::min(1.0, along)) / kRadian;
    m.minLinkAngle = std::min(m.minLinkAngle, angle);
    m.maxLinkAngle = std::max(m.maxLinkAngle, angle);
  }
  if (turns(s.data()) != 2) return m;
  const auto position = [&k](double angle) {
    const auto pose = sixBarPose(k, wrapDegrees(angle), 0);
    return pose ? pose->sliderPosition : NAN;
  };
  const auto [lo, hi] = std::ranges::minmax_element(s);
  m.forwardFrom = wrapDegrees(refineExtreme(position, (lo - s.begin()) * kStep, -1));
  m.forwardTo = wrapDegrees(refineExtreme(position, (hi - s.begin()) * kStep, 1));
  m.least = position(m.forwardFrom);
  m.greatest = position(m.forwardTo);
  m.stroke = m.greatest - m.least;
  m.timeRatio = timeRatioOf(m.forwardFrom, m.forwardTo);
  m.regular = std::isfinite(m.stroke) && std::isfinite(m.timeRatio);
  return m;
}

namespace {

// One slide and link: the line through `through` along `along`, the root `branch`.
struct SlideGuess {
  Vec2 along, through;
  double link = 0;
  int branch = 1;
};

// What the objective reads once: the four-bar's path every half degree, and the box the
// four-bar alone needs.
struct SliderModel {
  const SliderOptions& options;
  std::array<Vec2, kSamples> path;
  Extent fourBar;
  Vec2 centre;
  double radius = 0;       // of the path about its centre
  Vec2 sixOffset;          // the six-bar output point along and across the link
  double leastAcross = 0;  // |across| / L may not fall below this: the least link angle
  double strokeWeight = 1;  // of the stroke's miss against the time ratio's in the objective

  // The unknowns (each in [0, 1]) as a slide and link on root `branch`.
  SlideGuess guess(std::span<const double> u, int branch) const {
    const double angle = options.slideAngle ? *options.slideAngle : 360 * u[0];
    const std::size_t n = options.slideAngle ? 0 : 1;
    const Vec2 e = direction(angle);
    const double longest = options.fitView ? kLongestLink : kLongestFreeLink;
    const double across = (2 * u[n] - 1) * (radius + longest);
    return {e, centre + e.left() * across, kShortestLink + u[n + 1] * (longest - kShortestLink),
            branch};
  }
};

// The slider's travel of a guess, sampled: positions from the line's point, the least and
// greatest (refined) and their crank angles; `violation` how far the link leaves its angle.
struct Travel {
  std::array<double, kSamples> s;
  double least, greatest, from, to;
  double violation = 0, backtrack = 0;
};

Travel travelOf(const SliderModel& m, const SlideGuess& g) {
  Travel t{};
  for (int i = 0; i < kSamples; ++i) {
    const Vec2 d = m.path[i] - g.through;
    const double across = g.along.cross(d) / g.link;
    t.violation += std::max(0.0, m.leastAcross - std::abs(across)) +
                   std::max(0.0, std::abs(across) - kMostAcross);
    t.s[i] = d.dot(g.along) + g.branch * g.link * std::sqrt(std::max(0.0, 1 - across * across));
  }
  const auto [lo, hi] = std::ranges::minmax_element(t.s);
  double travelled = 0;
  for (int i = 0; i < kSamples; ++i) travelled += std::abs(t.s[(i + 1) % kSamples] - t.s[i]);
  t.backtrack = travelled - 2 * (*hi - *lo);
  std::tie(t.least, t.from) = parabolaPeak(t.s.data(), static_cast<int>(lo - t.s.begin()));
  std::tie(t.greatest, t.to) = parabolaPeak(t.s.data(), static_cast<int>(hi - t.s.begin()));
  t.from *= kStep, t.to *= kStep;
  return t;
}

// How far the six-bar, the slide's ends with their margins and the six-bar output path, reaches
// beyond what one view can hold.
double beyondView(const SliderModel& m, const SlideGuess& g, const Travel& t) {
  const double margin = kAimedMargin * (t.greatest - t.least);
  std::optional<Extent> e = m.fourBar;
  const auto add = [&e](Vec2 p) { include(e, p.x, p.y); };
  add(g.through + g.along * (t.least - margin));
  add(g.through + g.along * (t.greatest + margin));
  for (int i = 0; i < kSamples; i += 4) {
    const Vec2 slider = g.through + g.along * t.s[i];
    const Vec2 v = (slider - m.path[i]) * (1 / g.link);
    add(m.path[i] + v * m.sixOffset.x + v.left() * m.sixOffset.y);
  }
  return viewOverreach(*e);
}

// Whether the run, at the first crank angle, would find the other root on the slide first: it
// takes the root whose link direction in [0°, 360°) is the smaller.
bool otherRootFirst(const SliderModel& m, const SlideGuess& g, const Travel& t) {
  const double margin = kAimedMargin * (t.greatest - t.least);
  const Vec2 d = m.path[0] - g.through;
  const double foot = d.dot(g.along);
  const double other = 2 * foot - t.s[0];
  if (other < t.least - margin || other > t.greatest + margin) return false;
  const auto angleTo = [&](double s) {
    const Vec2 v = g.through + g.along * s - m.path[0];
    return wrapDegrees(std::atan2(v.y, v.x) / kRadian);
  };
  return angleTo(other) < angleTo(t.s[0]);
}

// The objective: the stroke's and the time ratio's relative misses squared, with the
// constraints as penalties; kInfeasible and above where the link leaves its angle.
double sliderObjective(const SliderModel& m, const SlideGuess& g) {
  const Travel t = travelOf(m, g);
  const SliderOptions& o = m.options;
  const double stroke = t.greatest - t.least;
  double value = m.strokeWeight * std::pow((stroke - o.stroke) / o.stroke, 2);
  if (o.timeRatio) value += std::pow(std::log(timeRatioOf(t.from, t.to) / *o.timeRatio), 2);
  value += (t.backtrack + (o.fitView ? beyondView(m, g, t) : 0)) / o.stroke + t.violation;
  if (otherRootFirst(m, g, t)) value += 1;
  return value;
}

// What one start shares with NLopt's calls of its objective.
struct StartRun {
  const SliderModel& model;
  int branch;
  StartBook book;
};

double evaluate(unsigned n, const double* u, double*, void* data) {
  auto& r = *static_cast<StartRun*>(data);
  if (!r.book.begin()) return kInfeasible * 2;
  return r.book.keep(std::span(u, n),
                     sliderObjective(r.model, r.model.guess(std::span(u, n), r.branch)));
}

constexpr StageEnds kStageEnds{1e-14, 0.01, 1e-9};

// One start from its own seeded point: half its budget to the global stage, the rest to the
// polish. Returns the best point, none where nothing met the link angle.
std::optional<std::vector<double>> runStart(const SliderModel& model, int branch,
                                            std::uint64_t seed, int evaluations,
                                            WorkProgress& progress) {
  const std::size_t n = model.options.slideAngle ? 2 : 3;
  StartRun r{model, branch, StartBook(progress)};
  StartBook& book = r.book;
  nlopt::srand(seed);
  runStage(nlopt::GN_CRS2_LM, randomStart(n, seed), evaluations / 2, evaluate, &r, book,
           kStageEnds);
  if (!book.best.empty() && !progress.stop)
    runStage(nlopt::LN_BOBYQA, book.best, evaluations - static_cast<int>(book.count), evaluate,
             &r, book, kStageEnds);
  book.finish(evaluations);
  if (book.best.empty()) return std::nullopt;
  return book.best;
}

bool meetsRequest(const SliderMotion& m, const SliderOptions& o) {
  return std::abs(m.stroke - o.stroke) <= kStrokeTolerance * o.stroke &&
         (!o.timeRatio || std::abs(m.timeRatio - *o.timeRatio) <= kTimeRatioTolerance * *o.timeRatio);
}

// How far a candidate misses the request, in its tolerances.
double missOf(const SliderCandidate& c, const SliderOptions& o) {
  const double stroke = std::abs(c.motion.stroke - o.stroke) / (kStrokeTolerance * o.stroke);
  if (!o.timeRatio) return stroke;
  return std::max(stroke, std::abs(c.motion.timeRatio - *o.timeRatio) /
                              (kTimeRatioTolerance * *o.timeRatio));
}

// A start's answer typed into the boxes and measured as the program will move it; none where
// the design as typed breaks a constraint.
std::optional<SliderCandidate> candidateOf(const SliderModel& m, const SlideGuess& g,
                                           const ParameterSet& base) {
  const Travel t = travelOf(m, g);
  const double margin = kAimedMargin * (t.greatest - t.least);
  const Vec2 start = g.through + g.along * (t.least - margin);
  const Vec2 end = g.through + g.along * (t.greatest + margin);
  SliderCandidate c;
  c.parameters = base;
  ParameterSet& p = c.parameters;
  p[sixLinkLength] = asTyped(g.link);
  p[slideStartX] = asTyped(start.x), p[slideStartY] = asTyped(start.y);
  p[slideEndX] = asTyped(end.x), p[slideEndY] = asTyped(end.y);
  const ExactLinkage exact = makeExactLinkage(p);
  c.motion = measureSliderMotion(exact);
  const SliderMotion& s = c.motion;
  if (!s.regular || !(s.minLinkAngle >= m.options.minLinkAngle) ||
      !(s.maxLinkAngle <= kSteepestLinkAngle))
    return std::nullopt;
  if (!(s.least >= kSlideMargin * s.stroke) ||
      !(exact.slideLength - s.greatest >= kSlideMargin * s.stroke))
    return std::nullopt;
  c.fitsView = fitView(mechanismExtent(exact, true)).view.has_value();
  if (m.options.fitView && !c.fitsView) return std::nullopt;
  c.meets = meetsRequest(s, m.options);
  return c;
}

bool sameSlider(const SliderCandidate& a, const SliderCandidate& b) {
  for (const ParamName k : {sixLinkLength, slideStartX, slideStartY, slideEndX, slideEndY})
    if (std::abs(a.parameters[k] - b.parameters[k]) > 1) return false;
  return true;
}

SliderProblem problemOf(const SliderOptions& o) {
  if (!(std::isfinite(o.stroke) && o.stroke > 0 &&
        o.stroke <= (o.fitView ? kViewWidth : kLongestFreeStroke)))
    return SliderProblem::BadStroke;
  if (o.timeRatio && !(std::isfinite(*o.timeRatio) && *o.timeRatio > 0))
    return SliderProblem::BadTimeRatio;
  if (!(o.minLinkAngle >= 0 && o.minLinkAngle < 90)) return SliderProblem::BadAngle;
  if (o.slideAngle && !std::isfinite(*o.slideAngle)) return SliderProblem::BadSlideAngle;
  if (o.candidates < 1 || o.starts < 0 || o.starts > 1000000 || o.evaluationsPerStart < 0 ||
      o.evaluationsPerStart > 100000000)
    return SliderProblem::BadBudget;
  return SliderProblem::None;
}

// The model of the base design's four-bar; false where its crank does not turn fully.
bool modelOf(const ParameterSet& base, SliderModel& m) {
  const ExactLinkage exact = makeExactLinkage(base);
  m.centre = {};
  for (int i = 0; i < kSamples; ++i) {
    const auto pose = fourBarPose(exact, i * kStep, 0);
    if (!pose) return false;
    m.path[i] = pose->output;
    m.centre = m.centre + pose->output * (1.0 / kSamples);
  }
  for (const Vec2 p : m.path) m.radius = std::max(m.radius, (p - m.centre).norm());
  m.fourBar = mechanismExtent(exact, false);
  m.sixOffset = {base[sixOutputOffsetX], base[sixOutputOffsetY]};
  m.leastAcross = std::sin(m.options.minLinkAngle * kRadian);
  return true;
}

// The rounds of starts, every odd start on the other root; each round's candidates into `all`.
// Ends after the round that found one meeting the request, or when the starts are spent or
// the search is stopped.
void runRounds(const SliderModel& model, const ParameterSet& base, int starts, int evaluations,
               WorkProgress& progress, std::vector<SliderCandidate>& all) {
  std::optional<std::vector<double>> found[kRoundStarts];
  const auto branchOf = [](int k) { return k % 2 == 0 ? 1 : -1; };
  const auto run = [&](int k, int slot) {
    found[slot] = runStart(model, branchOf(k), startSeed(model.options.seed, k), evaluations,
                           progress);
  };
  const auto take = [&](int k, int slot) {
    std::optional<SliderCandidate> c;
    if (found[slot]) c = candidateOf(model, model.guess(*found[slot], branchOf(k)), base);
    found[slot].reset();
    if (c) all.push_back(*c);
    return c && c->meets;
  };
  runInRounds(starts, evaluations, progress, run, take);
}

// Why nothing met the request, measured on what the searches found, with the reach in `r`: the
// time ratio closest to the one asked for of the sliders that had the stroke, or else the
// strokes of all.
void obstacleOf(const std::vector<SliderCandidate>& all, const SliderOptions& o,
                SliderResult& r) {
  const auto hasStroke = [&o](const SliderCandidate& c) {
    return std::abs(c.motion.stroke - o.stroke) <= kStrokeTolerance * o.stroke;
  };
  double closest = NAN;
  for (const SliderCandidate& c : all)
    if (o.timeRatio && hasStroke(c) && !(std::abs(std::log(c.motion.timeRatio / *o.timeRatio)) >=
                          std::abs(std::log(closest / *o.timeRatio))))
      closest = c.motion.timeRatio;
  if (o.timeRatio && std::isfinite(closest)) {
    r.problem = SliderProblem::TimeRatioOutOfReach;
    r.reachedLow = r.reachedHigh = closest;
    return;
  }
  r.problem = all.empty() ? SliderProblem::NoSlider : SliderProblem::StrokeOutOfReach;
  r.reachedLow = all.empty() ? 0 : INFINITY, r.reachedHigh = all.empty() ? 0 : -INFINITY;
  for (const SliderCandidate& c : all)
    r.reachedLow = std::min(r.reachedLow, c.motion.stroke),
    r.reachedHigh = std::max(r.reachedHigh, c.motion.stroke);
}

// Where the time ratio was asked for and missed, the time ratio closest to it that the stroke
// allows: a search that holds the stroke far above the ratio, its sliders added to `all` for
// the obstacle's measure only.
void searchClosestRatio(const SliderModel& model, const ParameterSet& base, int evaluations,
                        WorkProgress& progress, std::vector<SliderCandidate>& all) {
  constexpr int kStarts = 4 * kRoundStarts;
  SliderModel strokeFirst = model;
  strokeFirst.strokeWeight = 1e4;
  progress.total += static_cast<std::int64_t>(kStarts) * evaluations;
  runRounds(strokeFirst, base, kStarts, evaluations, progress, all);
}

}  // namespace

SliderResult synthesizeSlider(const SliderOptions& options, const ParameterSet& base,
                              WorkProgress& progress) {
  SliderResult result;
  if ((result.problem = problemOf(options)) != SliderProblem::None) return result;
  SliderModel model{options, {}, {}, {}, 0, {}, 0, 1};
  if (!modelOf(base, model)) {
    result.problem = SliderProblem::FourBarDoesNotTurn;
    return result;
  }
  const int starts = options.starts > 0      ? options.starts
                     : options.fitView ? kDefaultSliderStarts
                                       : kDefaultFreeSliderStarts;
  const int evaluations =
      options.evaluationsPerStart > 0 ? options.evaluationsPerStart : kDefaultSliderEvaluations;
  progress.total = static_cast<std::int64_t>(starts) * evaluations;
  std::vector<SliderCandidate> all;
  runRounds(model, base, starts, evaluations, progress, all);
  std::ranges::stable_sort(all, [&options](const SliderCandidate& a, const SliderCandidate& b) {
    if (a.meets != b.meets) return a.meets;
    // Without the one view, those the raster analysis can follow in one view still come first.
    if (a.meets && a.fitsView != b.fitsView) return a.fitsView;
    return a.meets ? a.motion.minLinkAngle > b.motion.minLinkAngle
                   : missOf(a, options) < missOf(b, options);
  });
  for (const SliderCandidate& c : all) {
    if (static_cast<int>(result.candidates.size()) == options.candidates) break;
    if (std::ranges::none_of(result.candidates,
                             [&c](const SliderCandidate& k) { return sameSlider(c, k); }))
      result.candidates.push_back(c);
  }
  if (!progress.stop && options.timeRatio &&
      (result.candidates.empty() || !result.candidates.front().meets))
    searchClosestRatio(model, base, evaluations, progress, all);
  if (progress.stop) result.problem = SliderProblem::Stopped;
  else if (result.candidates.empty() || !result.candidates.front().meets)
    obstacleOf(all, options, result);
  return result;
}

}  // namespace gyrenda
