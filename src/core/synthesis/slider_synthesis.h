// Six-bar slider synthesis: for the four-bar in the boxes, the six-bar link's length and the
// slide's two ends that give the slider a stroke and, when asked, a time ratio.
//
// The four-bar output point P moves on its exact path; the link of length L runs from P to
// the slider on the slide's line. The unknowns are the line's direction (unless fixed), its
// place across that direction and L, each start on one of the two roots where the link's circle
// meets the line. The slide's ends follow from the slider's travel, with a margin at each end;
// the six-bar output offsets stay as the boxes hold them. Definitions of the figures are in
// docs/DESIGN.md ("Six-bar slider synthesis").
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "kinematics/exact_linkage.h"
#include "linkage/parameters.h"
#include "numeric/parallel_for.h"

namespace gyrenda {

struct SliderOptions {
  double stroke = 60;               // S, mm: the slider's travel between its two ends
  std::optional<double> timeRatio;  // R: the forward stroke's time over the return's
  double minLinkAngle = 30;         // degrees: the least link-to-slide angle over the turn
  // Degrees counterclockwise from +x: the slide's direction from its start to its end, fixed;
  // none lets the search choose it.
  std::optional<double> slideAngle;
  // The whole six-bar within one view of the canvas, as 全体表示 finds one; without it the
  // stroke and the slider may be larger than a view.
  bool fitView = true;
  std::uint64_t seed = 1;
  int candidates = 10;  // at most this many distinct answers
  // As for path synthesis: starts in rounds of 16 until a round finds a slider that meets the
  // request; 0 takes the default.
  int starts = 0;
  int evaluationsPerStart = 0;
};

inline constexpr int kDefaultSliderStarts = 256;
// Without the one view the link ranges further and the steep links a long stroke needs are a
// narrower target.
inline constexpr int kDefaultFreeSliderStarts = 768;
inline constexpr int kDefaultSliderEvaluations = 800;
// How close a candidate must come to be said to meet the request.
inline constexpr double kStrokeTolerance = 0.005;     // of S
inline constexpr double kTimeRatioTolerance = 0.02;   // of R
inline constexpr double kSlideMargin = 0.05;          // of the stroke, at each end at least
// The link never stands closer than this to square with the slide, where the slider's two places
// on the line meet and the raster search could take the other.
inline constexpr double kSteepestLinkAngle = 87;      // degrees
// The longest stroke asked for without the one view, mm: the slide's ends stay well within what
// the boxes take.
inline constexpr double kLongestFreeStroke = 10000;

enum class SliderProblem {
  None,
  BadStroke,          // not finite, not above 0, or longer than one view (or the boxes) hold
  BadTimeRatio,       // not finite or not above 0
  BadAngle,           // the least link-to-slide angle not in [0°, 90°)
  BadSlideAngle,      // the fixed direction not finite
  BadBudget,          // candidates below 1, starts or evaluations out of range
  FourBarDoesNotTurn, // the four-bar in the boxes has no pose at some crank angle
  NoSlider,           // no slide and link meet the constraints at all
  StrokeOutOfReach,   // sliders meeting the constraints exist, none with the stroke
  TimeRatioOutOfReach,// strokes of S exist, none with the time ratio
  Stopped,            // asked to stop: the candidates are the best found until then
};

// The slider's motion over one turn of the crank at constant speed, from the exact six-bar
// pose on the branch the run follows.
struct SliderMotion {
  // The slider is on the slide's line at every crank angle and moves forward once and back once
  // per turn: the other figures mean something only then.
  bool regular = false;
  double least = 0, greatest = 0;  // mm from the slide's start, along the slide
  double stroke = 0;               // greatest − least
  double timeRatio = 0;            // forward time over return time
  double forwardFrom = 0, forwardTo = 0;  // crank angles (degrees) of least and greatest
  double minLinkAngle = 0;         // degrees, the least over the turn, every half degree
  double maxLinkAngle = 0;         // degrees, the greatest, likewise
};
SliderMotion measureSliderMotion(const ExactLinkage& linkage);

struct SliderCandidate {
  ParameterSet parameters{};  // the four-bar's and the offsets as given, the rest found
  SliderMotion motion;
  bool meets = false;  // stroke and, when asked, time ratio within their tolerances
  bool fitsView = false;  // 全体表示 finds a view that holds the whole six-bar
};

struct SliderResult {
  SliderProblem problem = SliderProblem::None;
  // Those that meet the request first, those of them that fit one view before the others, by
  // their least link-to-slide angle, greatest first; then the others by how far they miss.
  std::vector<SliderCandidate> candidates;
  // For StrokeOutOfReach the least and greatest stroke of the search's sliders; for
  // TimeRatioOutOfReach both the time ratio closest to the one asked for of those that had the
  // stroke (the search for the ratio and one that holds the stroke first).
  double reachedLow = 0, reachedHigh = 0;
};

// Uses the cores as path synthesis does; the same options and seed give the same candidates.
// Progress counts evaluations of the objective.
SliderResult synthesizeSlider(const SliderOptions& options, const ParameterSet& base,
                              WorkProgress& progress);

}  // namespace gyrenda
