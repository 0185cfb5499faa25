// Compact linkages: what keeps a synthesised four-bar within one view of the canvas and within
// a size, as a smooth violation the search penalises and as the exact check of a candidate;
// the search's default bounds scaled to the targets; and how many poses the program's own
// raster analysis finds of a candidate. Plain functions of plain values, for any search of the
// program's four-bar.
#pragma once

#include <array>
#include <span>

#include "canvas/view.h"
#include "kinematics/vec2.h"
#include "linkage/parameters.h"
#include "numeric/extent.h"
#include "synthesis/path_objective.h"
#include "synthesis/path_synthesis.h"

namespace gyrenda {

// A mechanism's size (mm): the larger of the width and height of its extent over the whole
// cycle as the analysis draws and reads it (mechanismExtent: both pivots, the crank circle, the
// upper half of the lever circle and the output path). What a size limit bounds.
double mechanismSize(const Extent& extent);

// Approximately the four-bar's mechanismExtent for a design of the search (the program's
// frame), from its output path at `pathSamples` evenly spaced crank angles, each extreme
// refined between its neighbouring samples.
Extent designExtent(const SynthesisDesign& x, std::span<const Vec2> pathSamples);

// The width and height (mm) an extent may have for one view to hold it: what viewOverreach
// admits.
Vec2 viewRoom();

// How far (mm, summed over the edges and the two sides) an extent reaches beyond one view at
// the farthest zoom at a pan within the bars' range, with a margin the rounding of the pan
// cannot cross; 0 when such a view holds it.
double viewOverreach(const Extent& extent);

// How far an extent is from what the limits admit (0 when within): with `fitView`, from one
// view at the farthest zoom at a pan within the bars' range, with a margin the rounding of the
// pan cannot cross; with `maxSize` above 0, from a size of at most `maxSize`. Dimensionless,
// growing smoothly with the distance.
double extentViolation(const Extent& extent, bool fitView, double maxSize);

// The exact check of a design's four-bar (the program's frame, as makeExactLinkage draws it).
struct ExtentCheck {
  Extent extent;
  double size;
  bool fitsView;  // 全体表示 finds a view that holds it
  View view;      // that view, or where none does the farthest one that cuts the least off
};
ExtentCheck checkExtent(const ParameterSet& parameters);
bool meetsExtentLimits(const ExtentCheck& check, bool fitView, double maxSize);

// The search's ranges of the four lengths and the two offsets (crank, lever, coupler, fixed
// link, along, across) scaled to the targets: the lengths from a fortieth (at least 1) to
// four times, the offsets within ± four times, the targets' extent's larger side (mm); with a
// fixed frame the crank pivot at the origin counts among the targets. With `fitView` none
// beyond half the farthest view's width (200): no longer lever fits in it, its half-circle
// being twice as wide, and the search would spend its starts where nothing fits.
std::array<LengthRange, 6> scaledBounds(std::span<const Vec2> targets, bool freeFrame,
                                        bool fitView = true);

// What the program's raster analysis finds of a design: its four-bar search at the slowest
// speed (かめ) in `view`, run as the window runs it.
struct RasterCount {
  int posesFound = 0;
  int anglesExamined = 0;
};
RasterCount countRasterPoses(const ParameterSet& parameters, const View& view);

}  // namespace gyrenda
