// The search: independent starts spread over the cores, each a global stage (NLopt's
// controlled random search with local mutation) and a local polish (BOBYQA) in the unknowns
// scaled to [0, 1]; then every start's answer as the user would get it, rounded to what the
// boxes show and measured on the exact path of the program's own branch.
#include "synthesis/path_synthesis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "kinematics/exact_linkage.h"
#include "numeric/parallel_for.h"
#include "numeric/split_mix.h"
#include "synthesis/compact_fit.h"
#include "synthesis/local_fit.h"
#include "synthesis/nlopt_start.h"
#include "synthesis/path_objective.h"
#include "synthesis/typed_values.h"

namespace gyrenda {
namespace {

constexpr double kRadian = std::numbers::pi / 180;

// The six ranges of the options in the order of the unknowns.
std::array<LengthRange, 6> lengthRanges(const SynthesisOptions& o) {
  return {o.crank, o.lever, o.coupler, o.fixedLink, o.outputAlong, o.outputAcross};
}

// How far the output point can lie from the crank pivot, at most.
double reachOf(const SynthesisOptions& o) {
  const auto larger = [](LengthRange r) { return std::max(std::abs(r.low), std::abs(r.high)); };
  return o.crank.high + std::hypot(larger(o.outputAlong), larger(o.outputAcross));
}

// Why the options cannot be searched, and for two targets at one place or out of reach which
// (their indices) into `concerned`.
SynthesisProblem problemOf(const SynthesisOptions& o, std::vector<std::size_t>& concerned) {
  const std::vector<Vec2>& t = o.targets;
  if (t.size() < 3) return SynthesisProblem::TooFewTargets;
  if (t.size() > PathObjective::kMostTargets) return SynthesisProblem::TooManyTargets;
  if (!o.timing.empty() &&
      (o.timing.size() != t.size() ||
       !std::ranges::all_of(o.timing, [](double v) { return std::isfinite(v); })))
    return SynthesisProblem::BadTiming;
  for (const Vec2 p : t)
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::abs(p.x) > kParamLimit ||
        std::abs(p.y) > kParamLimit)
      return SynthesisProblem::TargetNotFinite;
  const auto ranges = lengthRanges(o);
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    const LengthRange r = ranges[k];
    // The four lengths positive, as the program's frame needs them; none beyond the boxes.
    if (!(r.low <= r.high && r.low >= -kParamLimit && r.high <= kParamLimit) ||
        (k < 4 && !(r.low > 0)))
      return SynthesisProblem::BadBounds;
  }
  if (!(o.maxSize >= 0 && o.maxSize <= 2 * kParamLimit)) return SynthesisProblem::BadBounds;
  if (!(o.minTransmissionAngle >= 0 && o.minTransmissionAngle < 90))
    return SynthesisProblem::BadAngle;
  if (o.candidates < 1 || o.starts < 0 || o.starts > kMostStarts || o.evaluationsPerStart < 0 ||
      o.evaluationsPerStart > 100000000)
    return SynthesisProblem::BadBudget;
  const auto refuse = [&concerned](SynthesisProblem p, std::initializer_list<std::size_t> which) {
    concerned = which;
    return p;
  };
  for (std::size_t i = 0; i < t.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if ((t[i] - t[j]).norm() < 1e-6) return refuse(SynthesisProblem::DuplicateTargets, {j, i});
  const double reach = reachOf(o);
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (!o.freeFrame && t[i].norm() > reach) return refuse(SynthesisProblem::OutOfReach, {i});
    for (std::size_t j = 0; j < i; ++j)
      if ((t[i] - t[j]).norm() > 2 * reach) return refuse(SynthesisProblem::OutOfReach, {j, i});
  }
  return SynthesisProblem::None;
}

// The space the search moves in: the options' ranges, and with a free frame the crank pivot
// within reach of every target at any angle (the scale of the pivot's place when candidates
// are compared) and the targets' centroid.
SearchSpace spaceOf(const SynthesisOptions& o) {
  SynthesisDesign low{}, high{};
  const auto ranges = lengthRanges(o);
  for (int k = 0; k < 6; ++k) low[k] = ranges[k].low, high[k] = ranges[k].high;
  if (o.freeFrame) {
    const double reach = reachOf(o);
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    for (const Vec2 t : o.targets) {
      minX = std::min(minX, t.x), maxX = std::max(maxX, t.x);
      minY = std::min(minY, t.y), maxY = std::max(maxY, t.y);
    }
    low[uPivotX] = maxX - reach, high[uPivotX] = minX + reach;
    low[uPivotY] = maxY - reach, high[uPivotY] = minY + reach;
    low[uFrameAngle] = -360, high[uFrameAngle] = 360;  // two turns: see SearchSpace
  }
  Vec2 centre;
  for (const Vec2 t : o.targets) centre = centre + t * (1.0 / static_cast<double>(o.targets.size()));
  return SearchSpace(low, high, o.minTransmissionAngle, o.freeFrame, centre);
}

// What one start shares with its objective.
struct StartContext {
  const PathObjective& objective;
  const SearchSpace& space;
  StartBook book;
};

double evaluate(unsigned n, const double* u, double*, void* data) {
  auto& c = *static_cast<StartContext*>(data);
  if (!c.book.begin()) return c.objective.infeasible() * 2;
  double shortfall = 0;
  const SynthesisDesign x = c.space.at(std::span(u, n), shortfall);
  return c.book.keep(std::span(u, n), shortfall > 0 ? c.objective.infeasible() * (1 + shortfall)
                                                    : c.objective(x));
}

// From the global stage's best point, BOBYQA's first step is a fiftieth of each range; a basin
// that stops improving by a part in 10⁹ is left, so that the budget goes to other starts.
constexpr StageEnds kStageEnds{1e-20, 0.02, 1e-7, 1e-9};

// What a start found: its best point of the unit cube and the objective there (empty where
// it found nothing that meets the constraints).
struct StartAnswer {
  std::vector<double> u;
  double value = INFINITY;
};

// The local polish from the context's best point, within the start's `evaluations`:
// Levenberg–Marquardt on the targets' distances, then, for the largest distance or where it
// could not move, BOBYQA from where it ended while that still gains (a fresh trust region often
// moves on where the last one had shrunk in a curved valley). Then the start's answer.
StartAnswer polish(StartContext& c, int evaluations, WorkProgress& progress) {
  StartBook& book = c.book;
  bool bobyqa = true;
  if (!book.best.empty() && !progress.stop) {
    const LocalFitProblem fit{c.space, c.objective.targets(), c.objective.freeFrame(),
                              [&c](std::span<const double> u) {
                                return evaluate(static_cast<unsigned>(u.size()), u.data(),
                                                nullptr, &c);
                              },
                              progress.stop, c.objective.timing()};
    std::vector<double> u = book.best;
    const double before = book.bestValue;
    levenbergMarquardt(fit, u, book.bestValue, evaluations, book.count);
    bobyqa = c.objective.largest() || !(book.bestValue < before);
  }
  if (bobyqa) polishWhileGaining(evaluations, evaluate, &c, book, kStageEnds);
  book.finish(evaluations);
  if (!(book.bestValue < c.objective.infeasible())) return {};
  return {book.best, book.bestValue};
}

// One start: its own random point and random stream, both from the seed and the start's
// index, so a start finds the same answer on whichever thread it runs.
StartAnswer runStart(const PathObjective& objective, const SearchSpace& space,
                     std::uint64_t seed, int evaluations, WorkProgress& progress) {
  const std::size_t n = space.dimensions();
  StartContext c{objective, space, StartBook(progress)};
  nlopt::srand(seed);
  const std::vector<double> start = randomStart(n, seed);
  // The global stage: the random population (ten points per unknown and one) and as many
  // steps again, enough to find a basin; the polish takes the rest of the start's budget.
  const int global = std::min(evaluations / 2, 25 * static_cast<int>(n + 1));
  runStage(nlopt::GN_CRS2_LM, start, global, evaluate, &c, c.book, kStageEnds);
  return polish(c, evaluations, progress);
}

// The polish again from a start's answer, with a budget of `evaluations` of its own.
StartAnswer polishAgain(const PathObjective& objective, const SearchSpace& space,
                        const StartAnswer& from, int evaluations, WorkProgress& progress) {
  StartContext c{objective, space, StartBook(progress)};
  c.book.best = from.u, c.book.bestValue = from.value;
  return polish(c, evaluations, progress);
}

// With prescribed timing `degrees`: the candidate's distances from the output point at each
// target's crank angle, at the phase and direction that fit best, and each target's crank-angle
// error, the crank angle of its nearest path point (already in crankAngles) less its own.
template <typename Path>
void measureTiming(SynthesisCandidate& c, Path path, std::span<const Vec2> samples,
                   const std::vector<double>& degrees) {
  std::vector<double> radians;
  for (const double d : degrees) radians.push_back(d * kRadian);
  const TimedFit fit = timedFit(path, samples, c.targetsInProgramFrame, radians);
  c.phase = fit.phase / kRadian;
  c.direction = fit.direction;
  c.maxDistance = 0;
  double square = 0;
  for (std::size_t i = 0; i < radians.size(); ++i) {
    const double at = fit.phase + fit.direction * radians[i];
    c.distances[i] = (path(at) - c.targetsInProgramFrame[i]).norm();
    c.maxDistance = std::max(c.maxDistance, c.distances[i]);
    square += c.distances[i] * c.distances[i];
    c.crankAngleErrors.push_back(std::remainder(c.crankAngles[i] - at / kRadian, 360.0));
  }
  c.rmsDistance = std::sqrt(square / static_cast<double>(radians.size()));
}
// Why a start's answer was refused where the other constraints hold: the order alone, or the
// view and size limits alone.
struct Refusal {
  bool order = false, extent = false;
};

// A start's answer as a candidate, measured as the program will draw it; none where the design
// as typed breaks a constraint, the view or size limits or the order in both directions.
std::optional<SynthesisCandidate> candidateOf(const SynthesisDesign& found,
                                              const SynthesisOptions& o,
                                              const ParameterSet& base, Refusal& refused) {
  const std::optional<TypedFourBar> typed = typedFourBar(found, base, o.minTransmissionAngle);
  if (!typed) return std::nullopt;
  SynthesisCandidate cand;
  cand.parameters = typed->parameters;
  cand.linkageClass = LinkageClass::CrankRocker;
  cand.minTransmissionAngle = typed->minTransmissionAngle;
  const SynthesisDesign& x = typed->design;
  const ExtentCheck extent = checkExtent(cand.parameters);
  cand.size = extent.size, cand.fitsView = extent.fitsView, cand.view = extent.view;
  if (!meetsExtentLimits(extent, o.fitView, o.maxSize)) return refused.extent = true, std::nullopt;

  const ExactLinkage exact = makeExactLinkage(cand.parameters);
  const auto path = [&exact](double t) {
    const auto pose = fourBarPose(exact, t / kRadian, 0);
    return pose ? pose->output : Vec2{INFINITY, INFINITY};
  };
  std::vector<Vec2> samples(720);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = path(i * 2 * std::numbers::pi / 720);
  if (o.freeFrame) {
    cand.pivot = {x[uPivotX], x[uPivotY]};
    cand.frameAngle = std::remainder(x[uFrameAngle], 360.0);  // −180° … 180°
  }
  std::vector<double> radians;
  double square = 0;
  for (const Vec2 target : o.targets) {
    const Vec2 t = o.freeFrame ? intoProgramFrame(target, cand.pivot, cand.frameAngle) : target;
    const NearestPoint near = nearestPoint(path, samples, t);
    cand.targetsInProgramFrame.push_back(t);
    cand.distances.push_back(near.distance);
    cand.crankAngles.push_back(near.radians / kRadian);
    radians.push_back(near.radians);
    cand.maxDistance = std::max(cand.maxDistance, near.distance);
    square += near.distance * near.distance;
  }
  cand.rmsDistance = std::sqrt(square / static_cast<double>(o.targets.size()));
  if (!o.timing.empty()) measureTiming(cand, path, samples, o.timing);
  if (!std::isfinite(cand.maxDistance)) return std::nullopt;
  if (o.timing.empty() && o.keepOrder && orderTurns(radians, cand.direction) > 0)
    return refused.order = true, std::nullopt;
  for (const auto* values : {&cand.crankAngles, &cand.crankAngleErrors})
    for (const double v : *values)
      if (!std::isfinite(v)) return std::nullopt;
  return cand;
}

constexpr int kRasterPool = 3;  // candidates measured for each one asked for, ranked raster first
constexpr double kRasterSlack = 2;  // see rankRasterFirst
// A search ends once a candidate passes within a thousandth of the targets' spread of every
// target, and within a hundredth of a millimetre, far below what a part is made to.
constexpr double kThroughShare = 1e-3, kThroughMm = 0.01;
constexpr std::ptrdiff_t kPolishedAgain = 8;  // answers polished again where none got through

// The evaluations each answer polished again may spend: twenty times a start's, but all of
// them together no more than a tenth of the starts' budget, so that a small search stays small.
int polishAgainBudget(int starts, int evaluations) {
  const std::int64_t most = std::int64_t{starts} * evaluations / (10 * kPolishedAgain);
  return static_cast<int>(std::min({std::int64_t{20} * evaluations, most,
                                    std::int64_t{std::numeric_limits<int>::max()}}));
}

// Two candidates are one design when every unknown the search moved agrees within half a
// percent of its range (the frame angle around the turn).
bool sameDesign(const SynthesisCandidate& a, const SynthesisCandidate& b,
                const SearchSpace& space) {
  const auto unknowns = [](const SynthesisCandidate& c) {
    const ParameterSet& p = c.parameters;
    return SynthesisDesign{p[crankRadius],   p[leverRadius],   p[couplerLength],
                           p[fixedLinkLength], p[outputOffsetX], p[outputOffsetY],
                           c.pivot.x,        c.pivot.y,        c.frameAngle};
  };
  const SynthesisDesign x = unknowns(a), y = unknowns(b);
  for (int k = 0; k < kSynthesisUnknowns; ++k) {
    double gap = std::abs(x[k] - y[k]);
    if (k == uFrameAngle) gap = std::min(gap, 360 - gap);
    if (gap > 0.005 * (space.high()[k] - space.low()[k]) / (k == uFrameAngle ? 2 : 1)) return false;
  }
  return true;
}

// What a start searches: the options' targets, or with `mirror` their mirror image across the
// x axis, whose linkage turned over is the answer; its space and objective.
struct StartProblem {
  SynthesisOptions options;
  bool mirrored;
  SearchSpace space;
  PathObjective objective;
};

StartProblem startProblem(SynthesisOptions options, bool mirrored) {
  if (mirrored)
    for (Vec2& t : options.targets) t.y = -t.y;
  double targetSpan = 0;
  for (const Vec2 a : options.targets) targetSpan = std::max(targetSpan, a.norm());
  const double farthest = 2 * (targetSpan + 3 * reachOf(options));
  std::vector<double> timing;
  for (const double degrees : options.timing) timing.push_back(degrees * kRadian);
  PathObjective objective(options.targets, options.minTransmissionAngle, options.keepOrder,
                          options.freeFrame, farthest,
                          options.ranking == SynthesisRanking::Largest, std::move(timing));
  objective.limitExtent(options.fitView, options.maxSize);
  return {options, mirrored, spaceOf(options), std::move(objective)};
}

// A candidate of the mirrored targets as one of the targets themselves: the pivot and the
// frame's angle mirrored back, the linkage marked as turned over.
void turnOver(SynthesisCandidate& c) {
  c.mirrored = true;
  c.pivot.y = -c.pivot.y;
  c.frameAngle = -c.frameAngle;
}

// The starts in rounds of a fixed size, so that whether the search goes on after a round
// depends on the rounds' answers alone, never on the number of cores; it ends once a
// candidate passes through the targets (see kThroughShare), or the starts are spent, or it
// is stopped; then, where none passed through, the best answers are polished again. With a mirror allowed, every odd start searches the
// mirrored targets. Every candidate of the rounds run, into `all`. Returns how many answers
// the order alone and the view and size limits alone refused.
struct Refusals {
  int order = 0, extent = 0;
};
Refusals runRounds(const SynthesisOptions& options, const ParameterSet& base, int starts,
              int evaluations, WorkProgress& progress, std::vector<SynthesisCandidate>& all) {
  const bool mirror = options.mirror && options.freeFrame;
  const StartProblem problems[2] = {startProblem(options, false), startProblem(options, mirror)};
  const double through = std::min(kThroughShare * problems[0].objective.scale(), kThroughMm);
  Refusals refusals;
  StartAnswer found[kRoundStarts];
  std::vector<std::pair<StartAnswer, int>> best;  // the best answers so far, with their problem
  const auto problemOf = [&](int k) { return mirror && k % 2 == 1 ? 1 : 0; };
  const auto run = [&](int k, int slot) {
    const StartProblem& p = problems[problemOf(k)];
    found[slot] = runStart(p.objective, p.space, startSeed(options.seed, k), evaluations,
                           progress);
  };
  // A start's answer as a candidate into `all`; whether it passes through the targets.
  const auto measure = [&](const StartAnswer& answer, int problem) {
    Refusal refused;
    const StartProblem& p = problems[problem];
    bool solved = false;
    double shortfall = 0;
    if (!answer.u.empty())
      if (auto c = candidateOf(p.space.at(answer.u, shortfall), p.options, base, refused)) {
        if (p.mirrored) turnOver(*c);
        solved = c->maxDistance <= through;
        all.push_back(std::move(*c));
      }
    refusals.order += refused.order;
    refusals.extent += refused.extent;
    return solved;
  };
  bool solved = false;
  const auto take = [&](int k, int slot) {
    solved = measure(found[slot], problemOf(k)) || solved;
    if (!found[slot].u.empty()) {
      const auto at = std::ranges::upper_bound(best, found[slot].value, {},
                                               [](const auto& b) { return b.first.value; });
      if (at - best.begin() < kPolishedAgain)
        best.insert(at, {std::move(found[slot]), problemOf(k)});
      if (best.size() > kPolishedAgain) best.pop_back();
    }
    found[slot] = {};
    return solved;
  };
  runInRounds(starts, evaluations, progress, run, take);
  if (progress.stop) return refusals;
  // Where every start was spent and none got through the targets, the best few answers
  // polished again with a larger budget, for a start that found the right basin but not its
  // floor; their budget, set aside in the work, goes where they are not polished.
  if (solved) best.clear();
  const int again = polishAgainBudget(starts, evaluations);
  progress.total -= static_cast<std::int64_t>(kPolishedAgain - std::ssize(best)) * again;
  std::vector<StartAnswer> polished(best.size());
  parallelFor(best.size(), progress, [&](std::size_t k) {
    const StartProblem& p = problems[best[k].second];
    polished[k] = polishAgain(p.objective, p.space, best[k].first, again, progress);
  });
  for (std::size_t k = 0; k < best.size() && !progress.stop; ++k)
    measure(polished[k], best[k].second);
  return refusals;
}

// Whether a design's mechanism meets the view and size limits, its path sampled as the
// objective samples it.
bool withinLimits(const SynthesisDesign& x, const SynthesisOptions& o) {
  return extentViolation(designExtent(x, pathGrid(x)), o.fitView, o.maxSize) == 0;
}

// Whether any design of the bounds meets the constraints at the least transmission angle
// `degrees` (and with `limited` the view and size limits): the crank-rockers the search space
// holds, sampled at 4096 seeded points.
bool boundsHoldLinkage(const SynthesisOptions& options, double degrees, bool limited = false) {
  SynthesisOptions o = options;
  o.minTransmissionAngle = degrees;
  const SearchSpace space = spaceOf(o);
  std::vector<double> u(space.dimensions());
  std::uint64_t stream = 0;
  for (int k = 0; k < 4096; ++k) {
    for (double& v : u) v = unitFromBits(stream = splitMix(stream));
    double shortfall = 0;
    const SynthesisDesign x = space.at(u, shortfall);
    if (shortfall == 0 && (!limited || withinLimits(x, options))) return true;
  }
  return false;
}

// What stopped a search that ran to its end without a candidate, measured: the order where
// the search found linkages it refused for the order alone, else the bounds where they hold
// no crank-rocker even at a least angle of 0°, else the transmission angle where they hold
// none at the least angle asked for; else nothing the search could name.
SynthesisProblem obstacleOf(const SynthesisOptions& options, Refusals refusals) {
  if (refusals.order > 0) return SynthesisProblem::OrderNotMet;
  if (refusals.extent > 0) return SynthesisProblem::ExtentLimit;
  if (!boundsHoldLinkage(options, 0)) return SynthesisProblem::BoundsHoldNone;
  if (!boundsHoldLinkage(options, options.minTransmissionAngle))
    return SynthesisProblem::TransmissionAngle;
  if ((options.fitView || options.maxSize > 0) &&
      !boundsHoldLinkage(options, options.minTransmissionAngle, true))
    return SynthesisProblem::ExtentLimit;
  return SynthesisProblem::NoLinkage;
}

}  // namespace

int defaultStarts(const SynthesisOptions& options) { return options.freeFrame ? 4096 : 2048; }

int defaultEvaluationsPerStart(const SynthesisOptions& options) {
  return options.freeFrame ? 600 : 400;
}

SynthesisResult synthesizePath(const SynthesisOptions& options, const ParameterSet& base,
                               WorkProgress& progress) {
  SynthesisResult result;
  if ((result.problem = problemOf(options, result.problemTargets)) != SynthesisProblem::None)
    return result;
  const int starts = options.starts > 0 ? options.starts : defaultStarts(options);
  const int evaluations = options.evaluationsPerStart > 0 ? options.evaluationsPerStart
                                                          : defaultEvaluationsPerStart(options);
  // The work: every start's budget, and the polish again of the best few (see runRounds).
  progress.total = std::int64_t{starts} * evaluations +
                   std::int64_t{kPolishedAgain} * polishAgainBudget(starts, evaluations);
  std::vector<SynthesisCandidate> all;
  const Refusals refusals = runRounds(options, base, starts, evaluations, progress, all);
  if (options.ranking == SynthesisRanking::Largest)
    std::ranges::stable_sort(all, {}, &SynthesisCandidate::maxDistance);
  else
    std::ranges::stable_sort(all, {}, &SynthesisCandidate::rmsDistance);
  const SearchSpace space = spaceOf(options);
  // Ranked with the raster first, a few times as many are measured, so that the best fits the
  // raster analyses whole can take the places of those it does not.
  const bool pool = options.rasterFirst && !progress.stop;
  const int kept = pool ? std::min(kRasterPool * options.candidates, 100) : options.candidates;
  for (SynthesisCandidate& c : all) {
    if (static_cast<int>(result.candidates.size()) == kept) break;
    if (std::ranges::none_of(result.candidates,
                             [&](const SynthesisCandidate& k) { return sameDesign(c, k, space); }))
      result.candidates.push_back(std::move(c));
  }
  // A stopped search has not done all its work, and its progress does not say it has; one
  // that ran to its end has done all of it, its early ends taken off the total.
  if (progress.stop) result.problem = SynthesisProblem::Stopped;
  else if (result.candidates.empty()) result.problem = obstacleOf(options, refusals);
  if (!progress.stop) measureRaster(result.candidates, progress);
  if (options.rasterFirst) rankRasterFirst(result.candidates, options);
  if (static_cast<int>(result.candidates.size()) > options.candidates)
    result.candidates.resize(static_cast<std::size_t>(options.candidates));
  return result;
}

void measureRaster(std::vector<SynthesisCandidate>& candidates, WorkProgress& progress) {
  parallelFor(candidates.size(), progress, [&candidates](std::size_t k) {
    SynthesisCandidate& c = candidates[k];
    if (c.rasterSteps > 0) return;
    const RasterCount count = countRasterPoses(c.parameters, c.view);
    c.rasterPoses = count.posesFound, c.rasterSteps = count.anglesExamined;
  });
}

void rankRasterFirst(std::vector<SynthesisCandidate>& candidates, const SynthesisOptions& o) {
  if (candidates.empty()) return;
  const auto figure = [&o](const SynthesisCandidate& c) {
    return o.ranking == SynthesisRanking::Largest ? c.maxDistance : c.rmsDistance;
  };
  const double best = figure(*std::ranges::min_element(candidates, {}, figure));
  const double within = kRasterSlack * best;
  std::stable_partition(candidates.begin(), candidates.end(), [&](const SynthesisCandidate& c) {
    return c.rasterWhole() && figure(c) <= within;
  });
}

}  // namespace gyrenda
