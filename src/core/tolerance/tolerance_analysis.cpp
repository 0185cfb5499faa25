#include "tolerance/tolerance_analysis.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include "kinematics/design_figures.h"
#include "kinematics/kinematic_curves.h"
#include "numeric/parallel_for.h"
#include "numeric/split_mix.h"

namespace gyrenda {
namespace {

// The links between two pins, whose effective length the clearance changes at each end.
constexpr int kPinnedLinks = 5;  // crank, coupler, lever, fixed link, six-bar link

using Values = DesignValues;
using LinkErrors = std::array<double, kPinnedLinks>;

// A sample's own stream of random bits, from the seed and the sample's index alone, so that
// the threads may take the samples in any order.
class SampleRandom {
 public:
  SampleRandom(std::uint64_t seed, std::uint64_t index)
      : state_(mixBits(seed ^ mixBits(index + 1))) {}
  // In [0, 1): the upper 53 bits.
  double unit() {
    state_ += kSplitMixGamma;
    return unitFromBits(mixBits(state_));
  }
  // An error within ± 1 (uniform), or normal with σ = 1/3 (Box–Muller on two draws).
  double error(ToleranceDistribution d) {
    const double u = unit();
    if (d == ToleranceDistribution::Uniform) return 2 * u - 1;
    const double v = unit();
    return std::sqrt(-2 * std::log(1 - u)) * std::cos(2 * std::numbers::pi * v) / 3;
  }

 private:
  std::uint64_t state_;
};

// The linkage of `v` with the pinned links' lengths changed by `links`, on `nominal`'s
// branches: unchanged values give the nominal linkage.
ExactLinkage perturbed(Values v, const LinkErrors& links, const ExactLinkage& nominal) {
  v[crankRadius] += links[0];
  v[couplerLength] += links[1];
  v[leverRadius] += links[2];
  // The fixed link may be given negative (the lever pivot left of the crank's): its length is
  // the magnitude.
  v[fixedLinkLength] += v[fixedLinkLength] < 0 ? -links[3] : links[3];
  v[sixLinkLength] += links[4];
  return exactLinkageOnBranches(v, nominal.fourBarBranch, nominal.sixBarBranch);
}

// The crank tip's distance from the lever pivot runs over [nearest, farthest]; the loop closes
// where it lies within [|b − c|, b + c].
struct Reach {
  bool assemblable, turnsFully;
};
Reach reachOf(const ExactLinkage& k) {
  if (k.fourBarBranch == 0) return {false, false};
  const double nearest = std::abs(std::abs(k.fixedLink) - k.crank);
  const double farthest = std::abs(k.fixedLink) + k.crank;
  const double inner = std::abs(k.coupler - k.lever) - k.closingTolerance;
  const double outer = k.coupler + k.lever + k.closingTolerance;
  return {nearest <= outer && farthest >= inner, nearest >= inner && farthest <= outer};
}

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

struct Points {
  std::optional<Vec2> fourBar, sixBar, slider;
};
Points pointsOf(const ExactPose& pose) {
  Points p;
  if (pose.fourBar) p.fourBar = pose.fourBar->output;
  if (pose.sixBar) {
    p.sixBar = pose.sixBar->output;
    p.slider = pose.sixBar->slider;
  }
  return p;
}

double distance(const std::optional<Vec2>& a, const std::optional<Vec2>& nominal) {
  return a && nominal ? (*a - *nominal).norm() : kNone;
}

// The value of nearest rank `percent` % of `values` (reordered); none for none.
std::optional<double> percentile(std::vector<double>& values, int percent) {
  if (values.empty()) return std::nullopt;
  const auto n = static_cast<long long>(values.size());
  const long long rank = std::max(1LL, (percent * n + 99) / 100);
  const auto at = values.begin() + (rank - 1);
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

FigureSpread spreadOf(std::optional<double> nominal, std::vector<double> values) {
  FigureSpread s;
  s.nominal = nominal;
  s.samples = static_cast<int>(values.size());
  s.p5 = percentile(values, 5);
  s.p50 = percentile(values, 50);
  s.p95 = percentile(values, 95);
  return s;
}

// What one sample gives besides its distances.
struct SampleFigures {
  bool assemblable = false, turnsFully = false, sixBarOpen = false;
  double stroke = kNone, rocking = kNone, minMu = kNone;
};

std::vector<Sensitivity> sensitivityOf(const ExactLinkage& nominal, const Values& v,
                                       const std::vector<Points>& at,
                                       const std::vector<double>& angles) {
  // Central differences: the step is far above double rounding on lengths up to the
  // validation's limit and far below a tolerance, so the error is negligible either way.
  constexpr double h = 1e-5;
  std::vector<Sensitivity> ranked;
  for (int i = 0; i < kParamCount; ++i) {
    Values plus = v, minus = v;
    plus[i] += h;
    minus[i] -= h;
    const ExactLinkage up = perturbed(plus, {}, nominal), down = perturbed(minus, {}, nominal);
    Sensitivity s;
    s.parameter = i;
    for (std::size_t a = 0; a < angles.size(); ++a) {
      const Points p = pointsOf(exactPose(up, angles[a], 0));
      const Points m = pointsOf(exactPose(down, angles[a], 0));
      const auto rate = [&](const std::optional<Vec2>& hi, const std::optional<Vec2>& lo,
                            const std::optional<Vec2>& nominalPoint, double& into) {
        if (hi && lo && nominalPoint) into = std::max(into, (*hi - *lo).norm() / (2 * h));
      };
      rate(p.fourBar, m.fourBar, at[a].fourBar, s.fourBarOutput);
      rate(p.sixBar, m.sixBar, at[a].sixBar, s.sixBarOutput);
      rate(p.slider, m.slider, at[a].slider, s.slider);
    }
    ranked.push_back(s);
  }
  std::ranges::stable_sort(ranked, [](const Sensitivity& a, const Sensitivity& b) {
    return a.largest() > b.largest();
  });
  return ranked;
}

Values valuesOf(const ParameterSet& p) {
  Values v;
  std::ranges::copy(p, v.begin());
  return v;
}

bool optionsValid(const ToleranceOptions& o) {
  const auto ok = [](double t) { return t >= 0 && t <= kMaxTolerance; };  // false for NaN
  return std::ranges::all_of(o.tolerance, ok) && ok(o.clearance);
}

std::optional<Vec2> directionOf(const std::optional<PointRates>& rates) {
  if (!rates) return std::nullopt;
  const double n = rates->velocity.norm();
  if (!(n > 0) || !std::isfinite(n)) return std::nullopt;
  return rates->velocity * (1 / n);
}

// The nominal design's points at the band's crank angles; the angles and the nominal rows
// of the result with them.
std::vector<Points> nominalRows(const KinematicCurves& curves, ToleranceResult& result) {
  std::vector<Points> points;
  for (const ExactPose& pose : curves.samples) {
    points.push_back(pointsOf(pose));
    result.crankAngles.push_back(pose.crankAngle);
    ToleranceResult::NominalPoint np;
    np.fourBarOutput = points.back().fourBar;
    np.sixBarOutput = points.back().sixBar;
    np.slider = points.back().slider;
    if (pose.fourBar && pose.fourBar->rates)
      np.fourBarDirection = directionOf(pose.fourBar->rates->output);
    if (pose.sixBar && pose.sixBar->rates)
      np.sixBarDirection = directionOf(pose.sixBar->rates->output);
    result.nominal.push_back(np);
  }
  return points;
}

// What every sample is measured against.
struct Nominal {
  const ExactLinkage& linkage;
  const Values& values;
  const std::vector<Points>& points;  // one per crank angle
};

// Each sample's distance of each point from its nominal place, a row of one per crank angle
// (NaN where the sample or the nominal design has no such point), and its figures.
struct SampleTable {
  SampleTable(std::size_t samples, std::size_t angles)
      : angles(angles), fourBar(new double[samples * angles]),
        sixBar(new double[samples * angles]), slider(new double[samples * angles]),
        figures(samples) {}
  std::size_t angles;
  std::unique_ptr<double[]> fourBar, sixBar, slider;
  std::vector<SampleFigures> figures;
};

// Sample `s`: its errors from its own stream, its rows (all of them, so the table needs no
// clearing first) and its figures, which depend on nothing but the seed and `s`.
void runSample(std::size_t s, const ToleranceOptions& options, const Nominal& nominal,
               SampleTable& table) {
  SampleRandom random(options.seed, s);
  Values v = nominal.values;
  for (int i = 0; i < kParamCount; ++i)
    v[i] += options.tolerance[i] * random.error(options.distribution);
  LinkErrors links{};
  for (double& e : links)
    for (int end = 0; end < 2; ++end) e += options.clearance / 2 * random.error(options.distribution);
  const ExactLinkage k = perturbed(v, links, nominal.linkage);
  SampleFigures& f = table.figures[s];
  const Reach reach = reachOf(k);
  f.assemblable = reach.assemblable;
  f.turnsFully = reach.turnsFully;
  const KinematicCurves curves = kinematicCurves(k, 60, options.step);
  const std::size_t row = s * table.angles;
  for (std::size_t a = 0; a < table.angles; ++a) {
    const Points p = pointsOf(curves.samples[a]);
    const Points& want = nominal.points[a];
    table.fourBar[row + a] = distance(p.fourBar, want.fourBar);
    table.sixBar[row + a] = distance(p.sixBar, want.sixBar);
    table.slider[row + a] = distance(p.slider, want.slider);
    if (want.slider && p.fourBar && !p.slider) f.sixBarOpen = true;
  }
  if (!reach.assemblable) return;
  const DesignFigures d = designFigures(k, curves);
  if (d.slider) f.stroke = d.slider->travel;
  if (d.lever) f.rocking = d.lever->travel;
  if (d.minTransmissionAngle) f.minMu = d.minTransmissionAngle->value;
}

// The per-angle percentiles, each angle on its own: a few neighbouring angles at a time, so
// that each sample's row is read a cache line at once. None when stopped first.
std::optional<ToleranceBand> bandsOf(const SampleTable& table, const WorkProgress& progress) {
  const std::size_t angles = table.angles, n = table.figures.size();
  ToleranceBand band;
  band.fourBarOutput.resize(angles);
  band.sixBarOutput.resize(angles);
  band.slider.resize(angles);
  constexpr std::size_t kBlock = 8;
  const auto bandsFrom = [&](std::size_t block) {
    const std::size_t first = block * kBlock, last = std::min(first + kBlock, angles);
    std::array<std::vector<double>, kBlock> columns;
    const std::pair<const double*, std::vector<BandPoint>*> bands[] = {
        {table.fourBar.get(), &band.fourBarOutput},
        {table.sixBar.get(), &band.sixBarOutput},
        {table.slider.get(), &band.slider}};
    for (const auto& [from, into] : bands) {
      for (auto& c : columns) c.clear();
      for (std::size_t s = 0; s < n; ++s)
        for (std::size_t a = first; a < last; ++a)
          if (const double d = from[s * angles + a]; !std::isnan(d)) columns[a - first].push_back(d);
      for (std::size_t a = first; a < last; ++a) {
        std::vector<double>& column = columns[a - first];
        if (column.empty()) continue;
        (*into)[a].max = *std::ranges::max_element(column);
        (*into)[a].p95 = percentile(column, 95);
      }
    }
  };
  if (!parallelFor((angles + kBlock - 1) / kBlock, progress, bandsFrom)) return std::nullopt;
  return band;
}

// The shares of the samples that lose the full turn, cannot be assembled or open the
// six-bar, and the spread of their figures beside the nominal design's.
void takeFigures(const std::vector<SampleFigures>& figures, const DesignFigures& nominal,
                 ToleranceResult& result) {
  std::vector<double> strokes, rocking, minMu;
  int notTurning = 0, notAssemblable = 0, sixOpen = 0;
  for (const SampleFigures& f : figures) {
    notTurning += !f.turnsFully;
    notAssemblable += !f.assemblable;
    sixOpen += f.sixBarOpen;
    if (!std::isnan(f.stroke)) strokes.push_back(f.stroke);
    if (!std::isnan(f.rocking)) rocking.push_back(f.rocking);
    if (!std::isnan(f.minMu)) minMu.push_back(f.minMu);
  }
  const auto share = [n = static_cast<double>(figures.size())](int count) {
    return static_cast<double>(count) / n;
  };
  result.notFullyTurning = share(notTurning);
  result.notAssemblable = share(notAssemblable);
  result.sixBarOpen = share(sixOpen);
  const auto travel = [](const std::optional<Stroke>& s) {
    return s ? std::optional(s->travel) : std::nullopt;
  };
  result.sliderStroke = spreadOf(travel(nominal.slider), std::move(strokes));
  result.rockingAngle = spreadOf(travel(nominal.lever), std::move(rocking));
  result.minTransmissionAngle = spreadOf(
      nominal.minTransmissionAngle ? std::optional(nominal.minTransmissionAngle->value)
                                   : std::nullopt,
      std::move(minMu));
}

}  // namespace

double Sensitivity::largest() const { return std::max({fourBarOutput, sixBarOutput, slider}); }

std::optional<double> ToleranceResult::largestP95(const std::vector<BandPoint>& band) {
  std::optional<double> largest;
  for (const BandPoint& b : band)
    if (b.p95 && (!largest || *b.p95 > *largest)) largest = b.p95;
  return largest;
}

std::vector<Sensitivity> toleranceSensitivity(const ParameterSet& design, double step) {
  const ExactLinkage nominal = makeExactLinkage(design);
  if (nominal.fourBarBranch == 0) return {};
  const KinematicCurves curves = kinematicCurves(nominal, 0, step);
  std::vector<Points> at;
  std::vector<double> angles;
  for (const ExactPose& pose : curves.samples) {
    at.push_back(pointsOf(pose));
    angles.push_back(pose.crankAngle);
  }
  return sensitivityOf(nominal, valuesOf(design), at, angles);
}

int toleranceCrankAngles(double step) {
  if (!(step >= 1e-3 && step <= 360)) return 0;
  return static_cast<int>(std::ceil(360 / step - 1e-9)) + 1;
}

int maxToleranceSamples(double step) {
  const int angles = toleranceCrankAngles(step);
  if (angles == 0) return 0;
  return static_cast<int>(std::min<long long>(kMaxToleranceSamples, kMaxToleranceSampleAngles / angles));
}

ToleranceResult analyseTolerance(const ParameterSet& design, const ToleranceOptions& options,
                                 WorkProgress& progress) {
  ToleranceResult result;
  const auto fail = [&](ToleranceProblem p) {
    result.problem = p;
    return result;
  };
  if (!optionsValid(options)) return fail(ToleranceProblem::BadTolerance);
  if (toleranceCrankAngles(options.step) == 0) return fail(ToleranceProblem::BadStep);
  if (options.samples < 1 || options.samples > maxToleranceSamples(options.step))
    return fail(ToleranceProblem::BadSamples);
  const ExactLinkage nominal = makeExactLinkage(design);
  if (!reachOf(nominal).assemblable) return fail(ToleranceProblem::NotAssemblable);
  const KinematicCurves nominalCurves = kinematicCurves(nominal, 60, options.step);
  const std::vector<Points> nominalPoints = nominalRows(nominalCurves, result);
  const Values values = valuesOf(design);

  // The progress counts samples. The percentiles and sensitivities after them take about a
  // twentieth of the time: they count as a nineteenth of the samples more.
  const auto samples = static_cast<std::size_t>(options.samples);
  const std::int64_t afterSamples = (options.samples + 18) / 19;
  progress.total = options.samples + afterSamples;
  SampleTable table(samples, nominalPoints.size());
  const Nominal measure{nominal, values, nominalPoints};
  parallelFor(samples, progress, [&](std::size_t s) {
    runSample(s, options, measure, table);
    ++progress.done;
  });
  if (progress.stop.load()) return fail(ToleranceProblem::Stopped);
  std::optional<ToleranceBand> band = bandsOf(table, progress);
  if (!band) return fail(ToleranceProblem::Stopped);
  result.band = std::move(*band);
  result.samples = options.samples;
  takeFigures(table.figures, designFigures(nominal, nominalCurves), result);
  result.sensitivity = sensitivityOf(nominal, values, nominalPoints, result.crankAngles);
  progress.done += afterSamples;
  return result;
}

namespace {

// Twelve significant digits, "." whatever the locale; an empty field for none.
std::string field(std::optional<double> v) {
  if (!v || !std::isfinite(*v)) return {};
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, *v, std::chars_format::general, 12).ptr;
  return std::string(text, end);
}

}  // namespace

std::string toleranceBandCsv(const ToleranceResult& r) {
  std::string csv =
      "crankAngle,fourBarOutputP95,fourBarOutputMax,sixBarOutputP95,sixBarOutputMax,sliderP95,"
      "sliderMax\n";
  for (std::size_t a = 0; a < r.crankAngles.size() && a < r.band.fourBarOutput.size(); ++a) {
    csv += field(r.crankAngles[a]);
    for (const auto* band : {&r.band.fourBarOutput, &r.band.sixBarOutput, &r.band.slider})
      csv += ',' + field((*band)[a].p95) + ',' + field((*band)[a].max);
    csv += '\n';
  }
  return csv;
}

std::string tolerancePercentilesCsv(const ToleranceResult& r) {
  std::string csv = "figure,nominal,p5,p50,p95,samples\n";
  const std::pair<const char*, const FigureSpread*> rows[] = {
      {"sliderStroke", &r.sliderStroke},
      {"rockingAngle", &r.rockingAngle},
      {"minTransmissionAngle", &r.minTransmissionAngle}};
  for (const auto& [name, s] : rows)
    csv += std::string(name) + ',' + field(s->nominal) + ',' + field(s->p5) + ',' +
           field(s->p50) + ',' + field(s->p95) + ',' + std::to_string(s->samples) + '\n';
  return csv;
}

std::string toleranceSensitivityCsv(const ToleranceResult& r) {
  std::string csv = "rank,parameter,fourBarOutput,sixBarOutput,slider\n";
  int rank = 0;
  for (const Sensitivity& s : r.sensitivity)
    csv += std::to_string(++rank) + ',' + std::string(paramInfo()[s.parameter].name) + ',' +
           field(s.fourBarOutput) + ',' + field(s.sixBarOutput) + ',' + field(s.slider) + '\n';
  return csv;
}

}  // namespace gyrenda
