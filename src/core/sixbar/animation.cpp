#include "sixbar/animation.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "canvas/construction.h"
#include "canvas/four_bar_search.h"
#include "canvas/locus.h"
#include "sixbar/six_bar_search.h"

namespace gyrenda {
namespace {

// Palette colours of the animated links.
constexpr Colour kCrankColour = 10;
constexpr Colour kLeverColour = 7;
constexpr Colour kCouplerColour = 11;
constexpr Colour kArmToAxisColour = 12;
constexpr Colour kArmToOutputColour = 13;
constexpr Colour kSixLinkColour = 14;
constexpr Colour kSixArmColour = 15;

struct FourBarPose {
  WorldPoint crankTip, leverTip, axis, output;
};

void drawFourBarPose(Raster& canvas, float leverPivotX, const FourBarPose& p, bool erase) {
  const auto c = [erase](Colour colour) { return erase ? kBlack : colour; };
  drawWorldLine(canvas, {0, 0}, p.crankTip, c(kCrankColour));
  drawWorldLine(canvas, {leverPivotX, 0}, p.leverTip, c(kLeverColour));
  drawWorldLine(canvas, p.crankTip, p.leverTip, c(kCouplerColour));
  drawWorldLine(canvas, p.crankTip, p.axis, c(kArmToAxisColour));
  drawWorldLine(canvas, p.axis, p.output, c(kArmToOutputColour));
}

// The six-bar pose stored at table index i, drawn from the frame tables themselves.
void drawSixBarPose(Raster& canvas, const RunResult& f, int i, bool erase) {
  const WorldPoint driving{f.outputX[i], f.outputY[i]};
  const WorldPoint axis{f.sixAxisX[i], f.sixAxisY[i]};
  const WorldPoint output{axis.x - f.sixOffsetX[i], axis.y - f.sixOffsetY[i]};
  drawWorldLine(canvas, driving, axis, erase ? kBlack : kSixLinkColour);
  drawWorldLine(canvas, axis, output, erase ? kBlack : kSixArmColour);
}

}  // namespace

std::chrono::microseconds animationPause(float speedStep) {
  const auto n = static_cast<std::int16_t>(std::nearbyint(static_cast<float>((5.0f - speedStep) * 5.0f)));
  const long long passes = static_cast<long long>(n) + 1;
  return std::chrono::microseconds(passes * passes * 20);
}

void animate(const Linkage& linkage, Raster& canvas, const AnimationSettings& s,
             RunControl& control, RunResult& frames) {
  searchFourBarFrames(linkage, canvas, s.optimiseFourBar, control, frames);
  if (s.sixBar) searchSixBarFrames(linkage, canvas, s.optimiseSixBar, control, frames);
  playFrames(linkage, frames, canvas, s.direction, control);
  drawLeverArc(linkage, canvas);
  drawCrankDots(linkage, canvas);
  drawSlideLine(linkage, canvas);
}

void playFrames(const Linkage& linkage, const RunResult& f, Raster& canvas, Direction direction,
                RunControl& control) {
  const bool backwards = direction == Direction::Backwards;
  const float start = backwards ? 360.0f : 0.0f;
  const float end = backwards ? 0.0f : 360.0f;
  const float step = backwards ? -0.5f : 0.5f;
  const float leverPivotX = linkage[fixedLinkLength];
  std::optional<FourBarPose> previousFourBar;
  std::optional<int> previousSixBar;  // table index of the six-bar pose last drawn

  for (;;) {
    for (float angle = start; backwards ? angle >= end : angle <= end; angle += step) {
      if (control.yieldAndTestStop(angle)) return;
      const int i = angleIndex(angle);
      if (f.leverTipX[i] != kNoPose) {
        FourBarPose pose{{linkage.tables.crankTipX[i], linkage.tables.crankTipY[i]},
                         {f.leverTipX[i], f.leverTipY[i]}, {}, {}};
        const auto points = couplerPoints(linkage, pose.crankTip, pose.leverTip);
        pose.axis = points.axis;
        pose.output = points.output;
        drawFourBarPose(canvas, leverPivotX, pose, false);
        control.pause(animationPause(control.speedStep()));
        if (previousFourBar) drawFourBarPose(canvas, leverPivotX, *previousFourBar, true);
        previousFourBar = pose;
      }
      if (f.sixOffsetX[i] != kNoPose && f.sixAxisX[i] != kNoPose) {
        drawSixBarPose(canvas, f, i, false);
        control.pause(animationPause(control.speedStep()));
        if (previousSixBar) drawSixBarPose(canvas, f, *previousSixBar, true);
        previousSixBar = i;
      }
    }
  }
}

}  // namespace gyrenda
