// The report of an analysis run: the figures a mechanism designer decides by, computed from
// the poses the run found and the parameters it ran with.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "linkage/linkage_class.h"
#include "linkage/parameters.h"
#include "numeric/extent.h"

namespace gyrenda {

struct Linkage;
struct RunResult;
struct View;

// Extents of a path drawn by a run.
using PathExtent = Extent;

// The smallest and largest value of a figure over the found poses, and the crank angles
// (degrees) where they occur first.
struct Extremes {
  double min, minAtCrankAngle, max, maxAtCrankAngle;
  friend bool operator==(const Extremes&, const Extremes&) = default;
};

// How far the found poses lie from the exact ones: the distance of each found pose from the
// closed-form pose on the same assembly branch. A found pose where the exact circles (or
// circle and line) do not meet has no exact pose; it is counted apart and not measured.
struct Accuracy {
  double median, p99, max, maxAtCrankAngle;  // p99 by nearest rank
  int withoutExactPose;
  friend bool operator==(const Accuracy&, const Accuracy&) = default;
};

// The slider's extreme positions along the slide, measured from its start point.
struct SliderStroke {
  double start, end, length;
  friend bool operator==(const SliderStroke&, const SliderStroke&) = default;
};

struct SearchReport {
  int posesFound = 0;
  int anglesExamined = 0;  // crank steps whose link was scanned
  bool stopped = false;    // 停止 ended the search before crank angle 360
  std::optional<Accuracy> accuracy;  // none without a pose, or without any exact one
  std::optional<PathExtent> axisPath, outputPath;
  std::optional<SliderStroke> sliderStroke;  // the six-bar only
  // Crank steps where the search found nothing while the exact pose puts the point it looks
  // for on its marker (the lever's upper half-circle, the slide between its two points) but
  // outside the view: poses the raster could not see. Up to the last pose found where 停止
  // ended the search.
  int posesOutOfView = 0;
  friend bool operator==(const SearchReport&, const SearchReport&) = default;
};

// A figure at one crank angle (degrees).
struct CrankAngleValue {
  double crankAngle, value;
  friend bool operator==(const CrankAngleValue&, const CrankAngleValue&) = default;
};

struct RunReport {
  LinkageKind linkage;
  // Over the poses the raster found: degrees, 0 … 180; each found pose's value, in crank order,
  // for the plot beside the exact curve.
  std::optional<Extremes> transmissionAngle;
  std::vector<CrankAngleValue> transmissionAngles;
  SearchReport fourBar;
  std::optional<SearchReport> sixBar;  // only when the run analysed the six-bar
  // The parameters the run analysed, so that the figures name the design they belong to.
  ParameterSet parameters{};
  friend bool operator==(const RunReport&, const RunReport&) = default;
};

// The report of the analysis of `linkage` in `view` whose results `result` holds.
RunReport makeRunReport(const Linkage& linkage, const RunResult& result, const View& view);

}  // namespace gyrenda
