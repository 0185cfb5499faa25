#include "sixbar/animation.h"

#include <cmath>
#include <cstdint>

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

void drawPlayedPose(Raster& canvas, float leverPivotX, const PlayedPose& p, bool erase) {
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

bool hasSixBarPose(const RunResult& f, int i) {
  return f.sixOffsetX[i] != kNoPose && f.sixAxisX[i] != kNoPose;
}

}  // namespace

std::optional<PlayedPose> playedPose(const Linkage& linkage, const RunResult& f, int i) {
  if (f.leverTipX[i] == kNoPose) return std::nullopt;
  PlayedPose pose{{linkage.tables.crankTipX[i], linkage.tables.crankTipY[i]},
                  {f.leverTipX[i], f.leverTipY[i]}, {}, {}};
  const auto points = couplerPoints(linkage, pose.crankTip, pose.leverTip);
  pose.axis = points.axis;
  pose.output = points.output;
  return pose;
}

std::optional<int> shownPoseIndex(int i, const std::function<bool(int)>& holds) {
  for (int back = 0; back < kAngleSteps; ++back) {
    const int j = (i - back + kAngleSteps) % kAngleSteps;
    if (holds(j)) return j;
  }
  return std::nullopt;
}

void drawFrame(const Linkage& linkage, const RunResult& frames, int i, Raster& canvas) {
  const auto fourBar = shownPoseIndex(i, [&](int j) { return frames.leverTipX[j] != kNoPose; });
  if (fourBar)
    drawPlayedPose(canvas, linkage[fixedLinkLength], *playedPose(linkage, frames, *fourBar), false);
  const auto sixBar = shownPoseIndex(i, [&](int j) { return hasSixBarPose(frames, j); });
  if (sixBar) drawSixBarPose(canvas, frames, *sixBar, false);
}

std::chrono::microseconds animationPause(float speedStep) {
  const auto n = static_cast<std::int16_t>(std::nearbyint(static_cast<float>((5.0f - speedStep) * 5.0f)));
  const long long passes = static_cast<long long>(n) + 1;
  return std::chrono::microseconds(passes * passes * 20);
}

Playback::Playback(const Linkage& linkage, const RunResult& frames, Raster& canvas,
                   Direction direction)
    : linkage_(linkage), frames_(frames), canvas_(canvas),
      backwards_(direction == Direction::Backwards), angle_(backwards_ ? 360.0f : 0.0f) {}

void Playback::step(float speedStep, const Pause& pause) {
  const RunResult& f = frames_;
  const int i = angleIndex(angle_);
  if (const auto pose = playedPose(linkage_, f, i)) {
    const float leverPivotX = linkage_[fixedLinkLength];
    drawPlayedPose(canvas_, leverPivotX, *pose, false);
    pause(animationPause(speedStep));
    if (previousFourBar_) drawPlayedPose(canvas_, leverPivotX, *previousFourBar_, true);
    previousFourBar_ = pose;
  }
  if (hasSixBarPose(f, i)) {
    drawSixBarPose(canvas_, f, i, false);
    pause(animationPause(speedStep));
    if (previousSixBar_) drawSixBarPose(canvas_, f, *previousSixBar_, true);
    previousSixBar_ = i;
  }
  // Lap after lap: past the last angle the next lap starts again at the first.
  angle_ += backwards_ ? -0.5f : 0.5f;
  if (backwards_ ? angle_ < 0.0f : angle_ > 360.0f) angle_ = backwards_ ? 360.0f : 0.0f;
}

void drawMarkersAfterPlayback(const Linkage& linkage, Raster& canvas) {
  drawLeverArc(linkage, canvas);
  drawCrankDots(linkage, canvas);
  drawSlideLine(linkage, canvas);
}

}  // namespace gyrenda
