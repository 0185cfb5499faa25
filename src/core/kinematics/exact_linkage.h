// The linkage in double precision on the assembly branches that the program's runs follow, and
// its exact poses in closed form: a second answer beside the raster's, independent of it.
//
// Frame and crank: the crank pivot O at the origin, the crank tip C = a(cos θ, sin θ) with θ in
// degrees counterclockwise from +x, growing as the crank turns; the lever pivot D = (L, 0).
//
// The branches, as a run finds them: the lever search looks only at the upper half of the lever
// circle and the six-bar search only at the slide between its two points, and each turns its
// link counterclockwise from 0°.
// - Four-bar: at the first table angle (0°, 0.5°, … 360°) where the loop closes with a lever
//   tip on or above the x-axis, that tip; where both are, the one whose coupler direction
//   E − C in [0°, 360°) is the smaller. From then on the lever tip stays on the same side σ of
//   the line from the crank tip to the lever pivot (σ the sign of cross(D − C, E − C)): the
//   side changes only where the two tips coincide, so keeping it follows the pose continuously
//   through a turn.
// - Six-bar: at the first table angle where the link from the four-bar output point P reaches
//   the slide between its start and end point, that slider; where both do, the one whose link
//   direction S − P in [0°, 360°) is the smaller. From then on the same root τ of
//   S = foot ± h·e, foot the point of the slide line nearest P and e its direction; the slider
//   then runs along the whole line, also beyond the two points.
// A design that never reaches what the search looks at takes the smaller direction at the
// first table angle where its loop closes; where the two candidates coincide, the branch is +1.
#pragma once

#include <optional>

#include "kinematics/four_bar_pose.h"
#include "kinematics/six_bar_pose.h"
#include "linkage/parameters.h"

namespace gyrenda {

struct ExactLinkage {
  double crank = 0, coupler = 0, lever = 0, fixedLink = 0, sixLink = 0;
  Vec2 outputOffset, sixOutputOffset;  // along and across the coupler, and the six-bar link
  Vec2 slideStart, slideDirection;     // the direction a unit vector, or zero for no slide
  double slideLength = 0;              // from the start point to the end point
  // The loop still closes this far beyond its limits: the lengths are floats typed in decimal
  // (see classifyLinkage), so a design meant to close exactly at a toggle may miss by that.
  double closingTolerance = 0;
  // σ and τ of the branch rule, ±1; 0 where the four-bar (six-bar) never closes on the table
  // angles or one of its lengths is not positive.
  int fourBarBranch = 0, sixBarBranch = 0;
};

// Parameters that are not all finite give a linkage without branches.
ExactLinkage makeExactLinkage(const ParameterSet& parameters);

// The thirteen design values in double precision, in the order of ParamName.
using DesignValues = std::array<double, kParamCount>;

// The linkage of `values` on the branches given rather than those a run would find: how a
// built copy of a design moves, following its drawing's assembly. A branch is kept only where
// makeExactLinkage could have one (its lengths positive, a slide of some length).
ExactLinkage exactLinkageOnBranches(const DesignValues& values, int fourBarBranch,
                                    int sixBarBranch);

// ω in rad/s of a crank at `rpm` revolutions per minute.
double crankSpeed(double rpm);

// Both loops at one crank angle (degrees), with their rates for a crank turning at `rpm`
// (constant speed). Each is none where its loop does not close; no rates where the speed is not
// finite or they would not be.
struct ExactPose {
  double crankAngle;
  std::optional<FourBarPose> fourBar;
  std::optional<SixBarPose> sixBar;
};
ExactPose exactPose(const ExactLinkage& linkage, double crankAngle, double rpm);
std::optional<FourBarPose> fourBarPose(const ExactLinkage& linkage, double crankAngle,
                                       double rpm);
std::optional<SixBarPose> sixBarPose(const ExactLinkage& linkage, double crankAngle, double rpm);

}  // namespace gyrenda
