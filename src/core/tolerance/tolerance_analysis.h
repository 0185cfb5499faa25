// Tolerance analysis: how far a built mechanism strays from the drawn one, by Monte Carlo on
// the exact kinematics, and which length moves the output most.
//
// The model. Every one of the thirteen design values (lengths, offsets and the slide's end
// points) is made off by an independent error within ± its tolerance. Each pin joint has a
// clearance c, the gap between pin and hole: the pin's centre may sit up to c/2 off the hole's
// centre, which changes the effective length of each link it joins by up to ± c/2 at that end.
// The five links between two pins (crank, coupler, lever, fixed link, six-bar link) therefore
// each take two more independent errors of ± c/2. An error is uniform over its range or
// normal with σ = range / 3 (not cut off). A built part follows its motion continuously, so
// every sample keeps the nominal design's assembly branches; a sample whose loop opens at some
// crank angle has passed a toggle there and does not turn fully.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kinematics/vec2.h"
#include "linkage/parameters.h"
#include "numeric/parallel_for.h"

namespace gyrenda {

enum class ToleranceDistribution { Uniform, Normal };

struct ToleranceOptions {
  std::array<double, kParamCount> tolerance;  // ± per design value, in mm; all 0.1 by default
  double clearance = 0.05;                    // of every pin joint, mm
  int samples = 2000;
  std::uint64_t seed = 1;
  ToleranceDistribution distribution = ToleranceDistribution::Uniform;
  double step = 0.5;  // crank-angle step of the band, degrees (721 angles at 0.5°)
  ToleranceOptions() { tolerance.fill(0.1); }
};

inline constexpr int kMaxToleranceSamples = 1000000;
// The bands hold one distance per sample, crank angle and point: this many samples times
// crank angles at most (about 290 MB).
inline constexpr long long kMaxToleranceSampleAngles = 12'000'000;
inline constexpr double kMaxTolerance = 1000;  // mm, for a tolerance or a clearance

enum class ToleranceProblem {
  None,
  BadTolerance,     // a tolerance or the clearance negative, not finite or above kMaxTolerance
  BadSamples,       // fewer than 1 or more than maxToleranceSamples(step)
  BadStep,          // outside 0.001° … 360°
  NotAssemblable,   // the nominal design closes its four-bar at no crank angle
  Stopped,          // asked to stop: no result
};

// p5, p50 and p95 by nearest rank over the samples that have the figure, beside the nominal.
struct FigureSpread {
  std::optional<double> nominal;
  std::optional<double> p5, p50, p95;
  int samples = 0;  // how many samples have it
};

// At one crank angle: the distance of a point from its nominal place over the samples whose
// loop closes there (none where no sample's does or the nominal's does not).
struct BandPoint {
  std::optional<double> p95, max;
};

struct ToleranceBand {
  std::vector<BandPoint> fourBarOutput, sixBarOutput, slider;  // one per crank angle
};

// For one design value: the largest change of each point per unit change of the value over
// the cycle (mm per mm), 0 for a point the value does not move or that does not exist.
struct Sensitivity {
  int parameter = 0;  // a ParamName
  double fourBarOutput = 0, sixBarOutput = 0, slider = 0;
  double largest() const;
};

struct ToleranceResult {
  ToleranceProblem problem = ToleranceProblem::None;
  int samples = 0;
  std::vector<double> crankAngles;  // of the band
  // The nominal design's points at those angles, for plots; none where its loop is open.
  struct NominalPoint {
    std::optional<Vec2> fourBarOutput, sixBarOutput, slider;
    // The path's direction there (unit), to draw the band across it.
    std::optional<Vec2> fourBarDirection, sixBarDirection;
  };
  std::vector<NominalPoint> nominal;
  ToleranceBand band;
  FigureSpread sliderStroke, rockingAngle, minTransmissionAngle;
  // Shares of all samples: the crank no longer turns fully (those that cannot be assembled
  // included), the four-bar cannot be assembled at all, the six-bar's link misses the slide
  // at a crank angle where the nominal design's reaches it.
  double notFullyTurning = 0, notAssemblable = 0, sixBarOpen = 0;
  std::vector<Sensitivity> sensitivity;  // largest first; ties in the order of ParamName

  // The largest p95 over the cycle, none where the band has none.
  static std::optional<double> largestP95(const std::vector<BandPoint>& band);
};

// The crank angles of the band at `step` (as many as kinematicCurves takes), and the most
// samples an analysis takes at that step: kMaxToleranceSampleAngles over them, at most
// kMaxToleranceSamples. Both 0 for a step outside 0.001° … 360°.
int toleranceCrankAngles(double step);
int maxToleranceSamples(double step);

// Uses both cores; the same options give the same result, whatever the threads do. The
// progress counts samples, and a little more for what follows them; a stop between samples
// or during the percentiles leaves no result.
ToleranceResult analyseTolerance(const ParameterSet& design, const ToleranceOptions& options,
                                 WorkProgress& progress);

// The sensitivities alone, ranked; empty where the nominal four-bar cannot be assembled.
std::vector<Sensitivity> toleranceSensitivity(const ParameterSet& design, double step = 0.5);

// The band as CSV: crankAngle, then p95 and max of each point; empty fields where there is
// none. The percentile table and the ranked sensitivities likewise.
std::string toleranceBandCsv(const ToleranceResult& result);
std::string tolerancePercentilesCsv(const ToleranceResult& result);
std::string toleranceSensitivityCsv(const ToleranceResult& result);

}  // namespace gyrenda
