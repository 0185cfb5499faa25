// The walking-leg search runs as the path synthesis's does: rounds of seeded starts, each
// NLopt's global stage and BOBYQA's polish in the unit cube. Its objective samples the foot's
// path coarsely and asks, for a window of crank angles a little longer than the stance, the
// foot's height within the window to stay under the flatness, its travel across the window to
// be the stride and the path's height to be the lift; each answer is then measured finely on
// the exact path of the program's own branch.
#include "synthesis/gait_synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "kinematics/exact_linkage.h"
#include "synthesis/compact_fit.h"
#include "synthesis/nlopt_start.h"
#include "synthesis/path_objective.h"
#include "synthesis/typed_values.h"

namespace gyrenda {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;
constexpr double kRadian = std::numbers::pi / 180;
constexpr double kInfeasible = 1e9;
constexpr int kGrid = 128;  // the objective's samples of the path
constexpr int uFrame = 6;  // with a free frame, the unknown beyond the four-bar's six

Vec2 direction(double degrees) { return {std::cos(degrees * kRadian), std::sin(degrees * kRadian)}; }

// The longest stride a foot path could have: within the bounds (twice the crank and the
// offset's reach); with the view limit within one view along the ground, and with a size
// limit within a box of that size (in any direction with a free frame).
double longestStride(const GaitOptions& o, GaitProblem& which) {
  const auto larger = [](LengthRange r) { return std::max(std::abs(r.low), std::abs(r.high)); };
  const SynthesisOptions& s = o.search;
  const Vec2 d = direction(o.groundAngle);
  const auto across = [&](Vec2 box) {
    return s.freeFrame ? std::hypot(box.x, box.y)
                       : std::min(box.x / std::max(1e-12, std::abs(d.x)),
                                  box.y / std::max(1e-12, std::abs(d.y)));
  };
  double limit = 2 * (s.crank.high + std::hypot(larger(s.outputAlong), larger(s.outputAcross)));
  which = GaitProblem::StrideBeyondBounds;
  if (s.fitView && across(viewRoom()) < limit)
    limit = across(viewRoom()), which = GaitProblem::StrideBeyondView;
  if (s.maxSize > 0 && across({s.maxSize, s.maxSize}) < limit)
    limit = across({s.maxSize, s.maxSize}), which = GaitProblem::StrideBeyondSize;
  return limit;
}

GaitProblem problemOf(const GaitOptions& o, double& limit) {
  if (!(std::isfinite(o.stride) && o.stride > 0 && o.stride <= kParamLimit))
    return GaitProblem::BadStride;
  if (!(std::isfinite(o.lift) && o.lift > 0 && o.lift <= kParamLimit)) return GaitProblem::BadLift;
  if (!(o.stanceShare > 0 && o.stanceShare < 1)) return GaitProblem::BadStanceShare;
  if (!(std::isfinite(o.flatness) && o.flatness >= 0)) return GaitProblem::BadFlatness;
  if (!std::isfinite(o.groundAngle)) return GaitProblem::BadGroundAngle;
  const SynthesisOptions& s = o.search;
  const LengthRange ranges[] = {s.crank, s.lever, s.coupler, s.fixedLink, s.outputAlong, s.outputAcross};
  for (std::size_t k = 0; k < 6; ++k)
    if (!(ranges[k].low <= ranges[k].high && ranges[k].low >= -kParamLimit &&
          ranges[k].high <= kParamLimit) || (k < 4 && !(ranges[k].low > 0)))
      return GaitProblem::BadBounds;
  if (!(s.minTransmissionAngle >= 0 && s.minTransmissionAngle < 90)) return GaitProblem::BadAngle;
  if (s.candidates < 1 || s.starts < 0 || s.starts > kMostStarts || s.evaluationsPerStart < 0 ||
      s.evaluationsPerStart > 100000000)
    return GaitProblem::BadBudget;
  if (o.lift <= o.epsilon()) return GaitProblem::LiftWithinFlatness;
  GaitProblem which{};
  if (o.stride > (limit = longestStride(o, which))) return which;
  limit = 0;
  return GaitProblem::None;
}

// The objective's stance: the longest cyclic run of samples within the limit, its ends where
// the height crosses the limit between samples; its share of the turn, the foot's travel along
// the ground between its ends, and how far the foot turns back within it.
struct Stance {
  double share = 0, travel = 0, back = 0;
};

Stance longestRun(std::span<const Vec2> foot, std::span<const double> h, double limit, Vec2 along) {
  const int n = static_cast<int>(h.size());
  const auto at = [n](int i) { return static_cast<std::size_t>(((i % n) + n) % n); };
  int above = 0;
  while (above < n && h[at(above)] > limit) ++above;
  if (above == n) return {};
  while (above < 2 * n && h[at(above)] <= limit) ++above;
  if (above == 2 * n) return {1, 0, 0};  // the whole turn within the limit
  int first = 0, last = -1;
  for (int i = above + 1; i <= above + n; ++i) {
    if (h[at(i)] > limit) continue;
    int end = i;
    while (h[at(end + 1)] <= limit) ++end;
    if (end - i > last - first) first = i, last = end;
    i = end + 1;
  }
  // The crossing between a sample outside and one inside, as a share of the step and a point.
  const auto cross = [&](int out, int in, double& share) {
    share = (h[at(out)] - limit) / (h[at(out)] - h[at(in)]);
    return foot[at(out)] + (foot[at(in)] - foot[at(out)]) * share;
  };
  double before = 0, after = 0;
  const Vec2 begin = cross(first - 1, first, before), end = cross(last + 1, last, after);
  Stance s{(last - first + before + after) / n, along.dot(end - begin), 0};
  const double sign = s.travel < 0 ? -1 : 1;
  for (int i = first; i < last; ++i)
    s.back += std::max(0.0, -sign * along.dot(foot[at(i + 1)] - foot[at(i)]));
  return s;
}

class GaitObjective {
 public:
  GaitObjective(const GaitOptions& o)
      : o_(o),
        space_(lows(o.search), highs(o.search), o.search.minTransmissionAngle, false),
        epsilon_(o.epsilon()) {}

  std::size_t dimensions() const { return o_.search.freeFrame ? 7 : 6; }
  const SearchSpace& space() const { return space_; }
  double frameAngle(std::span<const double> u) const {
    return o_.search.freeFrame ? 720 * u[uFrame] - 360 : 0;  // two turns: see SearchSpace
  }

  double operator()(std::span<const double> u) const {
    double shortfall = 0;
    const SynthesisDesign x = space_.at(u, shortfall);
    if (shortfall > 0) return kInfeasible * (1 + shortfall);
    const Vec2 along = direction(o_.groundAngle - frameAngle(u)), up = along.left();
    std::array<Vec2, kGrid> foot;
    std::array<double, kGrid> h;
    double ground = INFINITY, top = -INFINITY;
    for (int i = 0; i < kGrid; ++i) {
      foot[i] = outputPointAt(x, kTurn * i / kGrid);
      h[i] = up.dot(foot[i]);
      ground = std::min(ground, h[i]), top = std::max(top, h[i]);
    }
    const Stance stance = longestRun(foot, h, ground + epsilon_, along);
    const double S = o_.stride, H = o_.lift;
    const double beyond =
        extentViolation(designExtent(x, foot), o_.search.fitView, o_.search.maxSize);
    const double r[] = {(std::abs(stance.travel) - S) / (0.01 * S), (top - ground - H) / (0.05 * H),
                        std::max(0.0, o_.stanceShare + 0.01 - stance.share) / 0.01,
                        stance.back / (0.01 * S), beyond / 0.01};
    double value = 0;
    for (const double v : r) value += v * v;
    return std::isfinite(value) ? value : kInfeasible;
  }

 private:
  static SynthesisDesign lows(const SynthesisOptions& s) {
    return {s.crank.low, s.lever.low, s.coupler.low, s.fixedLink.low, s.outputAlong.low,
            s.outputAcross.low, 0, 0, 0};
  }
  static SynthesisDesign highs(const SynthesisOptions& s) {
    return {s.crank.high, s.lever.high, s.coupler.high, s.fixedLink.high, s.outputAlong.high,
            s.outputAcross.high, 0, 0, 0};
  }
  const GaitOptions& o_;
  SearchSpace space_;
  double epsilon_;
};

// Where an odd start begins: a Hoekens leg (crank 1, coupler and lever 2.5, fixed link 2,
// the foot on the coupler produced to 5), whose foot runs nearly straight along its fixed
// link's direction below the pivots for more than half the turn, scaled to the stride (its
// stride is about 4.6 cranks at a flatness of 1 %), each value drawn up to a sixth off, its
// ground the requested one; the global stage is left out.
std::vector<double> hoekensPoint(const GaitObjective& objective, const GaitOptions& o,
                                 std::uint64_t seed) {
  std::vector<double> draws = randomStart(8, seed);
  const auto off = [&](int k, double spread) { return 1 + spread * (2 * draws[k] - 1); };
  const double k = o.stride / 4.6 * off(0, 0.15);
  const SynthesisDesign x{k,           2.5 * k * off(1, 0.15), 2.5 * k * off(2, 0.15),
                          2 * k * off(3, 0.15), 5 * k * off(4, 0.15), k * (2 * draws[5] - 1) * 0.3,
                          0,           0,           0};
  std::vector<double> u = objective.space().pointOf(x);
  if (o.search.freeFrame) u.push_back((o.groundAngle + 10 * (2 * draws[6] - 1) + 360) / 720);
  return u;
}

// What one start shares with its objective.
struct StartRun {
  const GaitObjective& objective;
  StartBook book;
};

double evaluate(unsigned n, const double* u, double*, void* data) {
  auto& r = *static_cast<StartRun*>(data);
  if (!r.book.begin()) return kInfeasible * 2;
  return r.book.keep(std::span(u, n), r.objective(std::span(u, n)));
}

// From the global stage's best point, BOBYQA's first step is a fiftieth of each range; a basin
// that stops improving by a part in 10⁹ is left, so that the budget goes to other starts.
constexpr StageEnds kStageEnds{1e-20, 0.02, 1e-7, 1e-9};

std::optional<std::vector<double>> runStart(const GaitObjective& objective, const GaitOptions& o,
                                            int index, int evaluations, WorkProgress& progress) {
  const std::uint64_t seed = startSeed(o.search.seed, static_cast<std::uint64_t>(index));
  const std::size_t n = objective.dimensions();
  StartRun r{objective, StartBook(progress)};
  StartBook& book = r.book;
  nlopt::srand(seed);
  if (index % 2 == 1) {
    const std::vector<double> u = hoekensPoint(objective, o, seed);
    evaluate(static_cast<unsigned>(u.size()), u.data(), nullptr, &r);
  } else {
    runStage(nlopt::GN_CRS2_LM, randomStart(n, seed), evaluations / 3, evaluate, &r, book,
             kStageEnds);
  }
  polishWhileGaining(evaluations, evaluate, &r, book, kStageEnds);
  book.finish(evaluations);
  if (!(book.bestValue < kInfeasible)) return std::nullopt;
  return book.best;
}

// How a candidate measures up: stance, stride and lift against the request.
void judge(GaitCandidate& c, const GaitOptions& o) {
  const GaitFigures& f = c.figures;
  const double stride = (f.stride - o.stride) / o.stride, lift = (f.lift - o.lift) / o.lift;
  c.error = std::hypot(stride, lift / 5);
  c.meetsStance = f.stanceShare >= o.stanceShare && f.flatness <= o.epsilon() &&
                  std::isfinite(f.stanceSpeedRatio);
  c.meetsAll = c.meetsStance && std::abs(stride) <= 0.01 && std::abs(lift) <= 0.05;
}

// A start's answer as a candidate, as typed into the boxes and measured on the exact path;
// none where the typed design breaks a constraint, leaves the view or has a figure that is not
// finite (a foot that stops or turns back in its stance).
std::optional<GaitCandidate> candidateOf(std::span<const double> u, const GaitObjective& objective,
                                         const GaitOptions& o, const ParameterSet& base) {
  double shortfall = 0;
  const std::optional<TypedFourBar> typed =
      typedFourBar(objective.space().at(u, shortfall), base, o.search.minTransmissionAngle);
  if (!typed) return std::nullopt;
  GaitCandidate c;
  c.parameters = typed->parameters;
  c.minTransmissionAngle = typed->minTransmissionAngle;
  if (!meetsExtentLimits(checkExtent(c.parameters), o.search.fitView, o.search.maxSize))
    return std::nullopt;
  const ExactLinkage exact = makeExactLinkage(c.parameters);
  c.frameAngle = std::remainder(objective.frameAngle(u), 360.0);
  c.figures = measureCandidate(c.parameters, o, c.frameAngle);
  const GaitFigures& f = c.figures;
  if (!std::isfinite(f.stride) || !std::isfinite(f.lift) || !std::isfinite(f.flatness) ||
      !std::isfinite(f.stanceSpeedRatio))
    return std::nullopt;
  if (o.search.freeFrame) {
    const auto pose = fourBarPose(exact, f.stanceBegin, 0);
    if (!pose) return std::nullopt;
    const Vec2 d = direction(c.frameAngle), p = pose->output;
    c.pivot = Vec2{-(d.x * p.x - d.y * p.y), -(d.y * p.x + d.x * p.y)};
  }
  judge(c, o);
  return c;
}

// Two candidates are one design when each of the four-bar's values agrees within half a
// percent of its range and the frame within a degree.
bool sameLeg(const GaitCandidate& a, const GaitCandidate& b, const SearchSpace& space) {
  for (int k = 0; k < 6; ++k)
    if (std::abs(a.parameters[kFourBarValues[k]] - b.parameters[kFourBarValues[k]]) >
        0.005 * (space.high()[k] - space.low()[k]))
      return false;
  const double turn = std::abs(a.frameAngle - b.frameAngle);
  return std::min(turn, 360 - turn) <= 1;
}

}  // namespace

int defaultGaitStarts(const GaitOptions&) { return 1024; }
int defaultGaitEvaluations(const GaitOptions& o) { return o.search.freeFrame ? 1500 : 1200; }

GaitFigures measureCandidate(const ParameterSet& parameters, const GaitOptions& options,
                             double frameAngle) {
  const ExactLinkage exact = makeExactLinkage(parameters);
  const auto path = [&exact](double t) {
    const auto pose = fourBarPose(exact, t / kRadian, 0);
    return pose ? pose->output : Vec2{NAN, NAN};
  };
  return measureGait(path, options.groundAngle - frameAngle, options.epsilon());
}

GaitResult synthesizeGait(const GaitOptions& options, const ParameterSet& base,
                          WorkProgress& progress) {
  GaitResult result;
  if ((result.problem = problemOf(options, result.limit)) != GaitProblem::None) return result;
  const SynthesisOptions& s = options.search;
  const int starts = s.starts > 0 ? s.starts : defaultGaitStarts(options);
  const int evaluations = s.evaluationsPerStart > 0 ? s.evaluationsPerStart
                                                    : defaultGaitEvaluations(options);
  progress.total = static_cast<std::int64_t>(starts) * evaluations;
  const GaitObjective objective(options);
  std::optional<std::vector<double>> found[kRoundStarts];
  std::vector<GaitCandidate> all;
  const auto run = [&](int k, int slot) {
    found[slot] = runStart(objective, options, k, evaluations, progress);
  };
  const auto take = [&](int, int slot) {
    std::optional<GaitCandidate> c;
    if (found[slot]) c = candidateOf(*found[slot], objective, options, base);
    found[slot].reset();
    if (c) all.push_back(*c);
    return c && c->meetsAll;
  };
  runInRounds(starts, evaluations, progress, run, take);
  std::ranges::stable_sort(all, [](const GaitCandidate& a, const GaitCandidate& b) {
    return a.meetsStance != b.meetsStance ? a.meetsStance : a.error < b.error;
  });
  for (const GaitCandidate& c : all) {
    if (static_cast<int>(result.candidates.size()) == s.candidates) break;
    if (std::ranges::none_of(result.candidates, [&](const GaitCandidate& k) {
          return sameLeg(c, k, objective.space());
        }))
      result.candidates.push_back(c);
  }
  if (progress.stop) result.problem = GaitProblem::Stopped;
  else if (result.candidates.empty()) result.problem = GaitProblem::NoLeg;
  return result;
}

}  // namespace gyrenda
