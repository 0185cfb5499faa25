// Walking-leg synthesis: from the stride, lift and stance a foot must have to ranked
// crank-rockers whose output point, the foot, walks so.
//
// The search moves in the path synthesis's space of crank-rockers (its bounds and least
// transmission angle), with one more unknown, where the stance begins, and with a free frame
// the ground's direction against the fixed link. Every candidate keeps to the path synthesis's
// view and size limits.
#pragma once

#include <vector>

#include "linkage/parameters.h"
#include "synthesis/gait.h"
#include "synthesis/path_synthesis.h"

namespace gyrenda {

struct GaitOptions {
  double stride = 60;        // mm
  double lift = 12;          // mm
  double stanceShare = 0.5;  // of the crank's turn, above 0 and below 1
  double flatness = 0;       // mm; 0 for 1 % of the stride
  double groundAngle = 0;    // degrees counterclockwise from the world's x axis
  // The bounds, view and size limits, least transmission angle, free frame, seed, candidates
  // and budget, as the path synthesis takes them (its targets, order, mirror and ranking are
  // not read); the least transmission angle 20° here.
  SynthesisOptions search = [] {
    SynthesisOptions o;
    o.minTransmissionAngle = 20;
    return o;
  }();

  double epsilon() const { return flatness > 0 ? flatness : stride / 100; }
};

int defaultGaitStarts(const GaitOptions& options);
int defaultGaitEvaluations(const GaitOptions& options);

enum class GaitProblem {
  None,
  BadStride,           // not a finite length above 0
  StrideBeyondBounds,  // longer than any foot path of a linkage within the bounds
  StrideBeyondView,    // longer than any foot path within one view of the canvas
  StrideBeyondSize,    // longer than any foot path of a mechanism within the size limit
  BadLift,             // negative, zero or not finite
  LiftWithinFlatness,  // no higher than the flatness: the stance would be the whole turn
  BadStanceShare,      // not above 0 and below 1
  BadFlatness,         // negative or not finite
  BadGroundAngle,      // not finite
  BadBounds,           // as the path synthesis's
  BadAngle,            // the least transmission angle not in [0°, 90°)
  BadBudget,           // candidates, starts or evaluations out of range
  Stopped,             // asked to stop: the candidates are the best found until then
  NoLeg,               // no crank-rocker within the bounds and the limits meets the constraints
};

struct GaitCandidate {
  ParameterSet parameters{};  // the four-bar's six from the search, the rest from the base
  GaitFigures figures;        // of the exact path of the program's branch
  double minTransmissionAngle = 0;  // degrees, the worst over a turn
  // Whether the stance is at least the share asked for (its flatness is within ε by the
  // stance's definition), the speed ratio finite and the stride and lift within 1 % and 5 %.
  bool meetsStance = false, meetsAll = false;
  // The ranked error: the root of the stride's relative error squared and a fifth of the
  // lift's squared.
  double error = 0;
  // Free frame: the fixed link's angle (degrees, counterclockwise) against the world, and the
  // crank pivot placed so that the stance begins at the world's origin; 0 and the origin
  // otherwise.
  double frameAngle = 0;
  Vec2 pivot;
};

struct GaitResult {
  GaitProblem problem = GaitProblem::None;
  // Those that meet the stance first, each part by its error; then those that do not.
  std::vector<GaitCandidate> candidates;
  double limit = 0;  // the longest stride a StrideBeyond… refusal measured (mm)
};

// The candidate's figures from its values: the exact path of the program's branch, the
// ground turned by the frame angle into the program's frame.
GaitFigures measureCandidate(const ParameterSet& parameters, const GaitOptions& options,
                             double frameAngle);

// Uses every core; the same options and seed give the same candidates.
GaitResult synthesizeGait(const GaitOptions& options, const ParameterSet& base,
                          WorkProgress& progress);

}  // namespace gyrenda
