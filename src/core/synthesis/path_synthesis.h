// Path synthesis: from the points the four-bar's output point must pass through to ranked
// linkages whose exact path passes closest to them.
//
// The unknowns are the four-bar's crank, lever, coupler, fixed link and the output point's
// offsets along and across the coupler, in the program's frame (crank pivot at the origin,
// lever pivot on +x at the fixed link's length). With a free frame the linkage may also be
// shifted and turned against the targets: the crank pivot's place and the fixed link's angle in
// the targets' frame are three more unknowns.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/view.h"
#include "kinematics/vec2.h"
#include "linkage/parameters.h"
#include "linkage/linkage_class.h"
#include "numeric/parallel_for.h"

namespace gyrenda {

struct LengthRange {
  double low, high;
};

// What the search minimises and the candidates are ranked by.
enum class SynthesisRanking {
  Rms,      // the root mean square distance of the targets from the path
  Largest,  // the largest distance of a target from the path
};

struct SynthesisOptions {
  std::vector<Vec2> targets;  // 3 to 200 points in world units (mm)
  // Kept: the targets are met in their order as the crank turns (wrapping around once).
  bool keepOrder = false;
  // Hard constraints: the crank turns fully and the angle between coupler and lever stays
  // within [min, 180° − min] over the whole cycle.
  double minTransmissionAngle = 30;  // degrees
  LengthRange crank{1, 200}, lever{1, 200}, coupler{1, 200}, fixedLink{1, 200};
  LengthRange outputAlong{-200, 200}, outputAcross{-200, 200};
  bool freeFrame = false;
  // With a free frame (added beside the fields above): the linkage may also be the mirror
  // image of one in the program's frame, that linkage turned over; half the starts try it.
  bool mirror = false;
  std::uint64_t seed = 1;
  int candidates = 10;  // at most this many distinct answers
  // The budget (added beside the fields above; 0 takes the default): how many independent
  // starts the search makes at most, each a global stage and a local polish, and how many
  // evaluations of the objective each start may spend. The starts run in rounds of 16, and
  // the search ends after the round that found a linkage whose path passes through the
  // targets (within a thousandth of their spread), so that a problem with an exact answer
  // ends early and one without takes every start. The results depend on the budget, never on
  // the machine or the time.
  int starts = 0;
  int evaluationsPerStart = 0;
  SynthesisRanking ranking = SynthesisRanking::Rms;
  // Prescribed timing (added beside the fields above): each target's crank angle in degrees
  // after the first target's, one per target, or empty. With it a target's distance is from
  // the output point at its crank angle, the first target's crank angle (the phase) and the
  // direction the angles run in being free; the order follows, and keepOrder adds nothing.
  std::vector<double> timing;
  // Compact (added beside the fields above): the mechanism in the program's frame fits one
  // view of the canvas at the farthest zoom, its lever circle included, as 全体表示 finds it;
  // with maxSize above 0 its size (mechanismSize) is at most that many mm. Both are
  // constraints of the search (see extentViolation) and checked exactly on every candidate.
  bool fitView = true;
  double maxSize = 0;
  // Candidates whose raster analysis finds every pose rank before the others.
  bool rasterFirst = true;
};

int defaultStarts(const SynthesisOptions& options);
inline constexpr int kMostStarts = 1000000;
int defaultEvaluationsPerStart(const SynthesisOptions& options);

// Why nothing was found, or none.
enum class SynthesisProblem {
  None,
  TooFewTargets,    // fewer than 3
  TooManyTargets,   // more than 200
  TargetNotFinite,  // a coordinate not finite, or beyond ±30000 like every box
  BadBounds,        // a range empty, not finite, or outside what the validation pass admits
  BadAngle,         // the minimum transmission angle not in [0°, 90°)
  Stopped,          // asked to stop: the candidates are the best found until then
  // Added beside the codes above:
  DuplicateTargets,  // two targets at one point
  OutOfReach,        // a target further than any linkage within the bounds can reach
  NoLinkage,         // the search found no linkage that meets the constraints
  BadBudget,         // candidates below 1, starts not in 0…10⁶ or evaluations not in 0…10⁸
  // Added beside the codes above, each measured by the search that found nothing:
  BoundsHoldNone,     // the bounds hold no crank-rocker at all, whatever the transmission angle
  TransmissionAngle,  // crank-rockers within the bounds exist, none keeps μ within bounds
  OrderNotMet,        // linkages meeting the constraints found, none meets the targets' order
  BadTiming,          // crank angles for some targets only, or one not finite (added)
  // Added beside the codes above: linkages meeting the other constraints found, none within
  // the view or the size limit.
  ExtentLimit,
};

struct SynthesisCandidate {
  // The design: the four-bar's six values from the search, the six-bar's seven from the
  // design the search started from.
  ParameterSet parameters{};
  double maxDistance = 0;  // the largest distance from a target to the path
  double rmsDistance = 0;
  // Each target's distance from the path and the crank angle (degrees, [0, 360)) of the
  // path's nearest point, in the targets' order (added beside the figures above).
  std::vector<double> distances, crankAngles;
  // With the order kept: 1 where the crank meets the targets in their order as it turns, −1
  // where it meets them in the reverse order; 0 without.
  int direction = 0;
  // Degrees, over the whole cycle: the smaller of μ and 180° − μ at its worst, the figure the
  // constraint [min, 180° − min] bounds.
  double minTransmissionAngle = 0;
  LinkageClass linkageClass = LinkageClass::CrankRocker;
  // Free frame: where the crank pivot lies and at what angle (degrees, counterclockwise) the
  // fixed link lies in the targets' frame; the targets moved into the program's frame. Without
  // a free frame the pivot is the origin, the angle 0 and the targets are as given.
  Vec2 pivot;
  double frameAngle = 0;
  std::vector<Vec2> targetsInProgramFrame;
  // Turned over (a free frame with a mirror allowed): the linkage in the targets' frame is the
  // program's mirrored across its fixed link's line, then turned by frameAngle and shifted to
  // pivot; the targets reach the program's frame by the reverse, their mirror image last.
  bool mirrored = false;
  // With prescribed timing (added beside the fields above): `distances` are each target's
  // from the output point at its crank angle, phase + direction × its angle (the figures
  // above follow them); the phase is the first target's crank angle (degrees, [0, 360)),
  // `direction` 1 where the angles run with the program's crank angle and −1 against it, and
  // each target's crank-angle error the crank angle of its nearest path point less its own
  // (degrees, −180 … 180). Empty without timing.
  double phase = 0;
  std::vector<double> crankAngleErrors;
  // Compact (added beside the figures above): the mechanism's size (mm, see mechanismSize),
  // whether 全体表示 finds a view for it, that view (else the farthest that cuts least off),
  // and what the raster analysis at the slowest speed in that view finds: poses found of the
  // crank steps examined (both 0 where it was not measured, the search stopped first).
  double size = 0;
  bool fitsView = false;
  View view{};
  int rasterPoses = 0, rasterSteps = 0;
  bool rasterWhole() const { return rasterSteps > 0 && rasterPoses == rasterSteps; }
};

struct SynthesisResult {
  SynthesisProblem problem = SynthesisProblem::None;
  // Best first: the smallest rmsDistance, or maxDistance when ranked by the largest distance.
  std::vector<SynthesisCandidate> candidates;
  // The targets (indices) a DuplicateTargets or OutOfReach concerns: the two at one place, the
  // one beyond reach, or the two too far apart for one linkage.
  std::vector<std::size_t> problemTargets;
};

// Uses both cores; the same options and seed give the same candidates. The progress counts
// evaluations of the objective: `done` those made so far, `total` the budget less what starts
// that ended early left unspent, so that the two meet only once the whole search has run.
SynthesisResult synthesizePath(const SynthesisOptions& options, const ParameterSet& base,
                               WorkProgress& progress);

// The raster counts of candidates not yet measured, on every core; none is begun once
// `progress.stop` is set, and those left stay unmeasured. synthesizePath measures its
// candidates unless it was stopped, and with `rasterFirst` ranks them as rankRasterFirst does:
// the candidates the raster analyses whole move before the others, each group in its order,
// where they fit about as well as the best: their figure (the one ranked by) at most twice
// the best one's. A linkage that passes through the targets is not put behind a much worse
// one for a few poses the raster misses.
void measureRaster(std::vector<SynthesisCandidate>& candidates, WorkProgress& progress);
void rankRasterFirst(std::vector<SynthesisCandidate>& candidates, const SynthesisOptions& options);

}  // namespace gyrenda
