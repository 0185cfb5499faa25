#include "sixbar/animation.h"

#include <cmath>
#include <optional>

#include "canvas/four_bar_drawing.h"
#include "canvas/four_bar_search.h"
#include "canvas/locus.h"
#include "sixbar/six_bar_search.h"
#include "sixbar/slide.h"

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

void drawFourBarPose(Form& f, const FourBarPose& p, bool erase) {
  const auto c = [erase](Colour colour) { return erase ? kBlack : colour; };
  drawWorldLine(f, {0, 0}, p.crankTip, c(kCrankColour));
  drawWorldLine(f, {f.param(fixedLinkLength), 0}, p.leverTip, c(kLeverColour));
  drawWorldLine(f, p.crankTip, p.leverTip, c(kCouplerColour));
  drawWorldLine(f, p.crankTip, p.axis, c(kArmToAxisColour));
  drawWorldLine(f, p.axis, p.output, c(kArmToOutputColour));
}

// The six-bar pose stored at table index i, drawn from the tables themselves.
void drawSixBarPose(Form& f, int i, bool erase) {
  const WorldPoint driving{f.outputX[i], f.outputY[i]};
  const WorldPoint axis{f.sixAxisX[i], f.sixAxisY[i]};
  const WorldPoint output{axis.x - f.sixOffsetX[i], axis.y - f.sixOffsetY[i]};
  drawWorldLine(f, driving, axis, erase ? kBlack : kSixLinkColour);
  drawWorldLine(f, axis, output, erase ? kBlack : kSixArmColour);
}

}  // namespace

std::chrono::microseconds animationPause(float speedStep) {
  const auto n = static_cast<std::int16_t>(std::nearbyint(static_cast<float>((5.0f - speedStep) * 5.0f)));
  const long long passes = static_cast<long long>(n) + 1;
  return std::chrono::microseconds(passes * passes * 20);
}

void Anime_Main(Form& f, std::int16_t selector) {
  Anime4_Kaiseki(f);
  if (ticked(f.Check3)) Anime6_Kaiseki(f);
  Anime_Anime(f, selector);
  Teko(f);
  Kuranku(f);
  Teko2(f);
}

void Anime_Anime(Form& f, std::int16_t selector) {
  const bool backwards = selector == 1;
  const float start = backwards ? 360.0f : 0.0f;
  const float end = backwards ? 0.0f : 360.0f;
  const float step = backwards ? -0.5f : 0.5f;
  std::optional<FourBarPose> previousFourBar;
  std::optional<int> previousSixBar;  // table index of the six-bar pose last drawn

  for (;;) {
    for (f.crankAngle = start; backwards ? f.crankAngle >= end : f.crankAngle <= end;
         f.crankAngle += step) {
      if (yieldAndTestStop(f)) return;
      const int i = angleIndex(f.crankAngle);
      if (f.leverTipX[i] != kNoPose) {
        FourBarPose pose{{f.crankTipX[i], f.crankTipY[i]}, {f.leverTipX[i], f.leverTipY[i]}, {}, {}};
        const auto points = couplerPoints(f, pose.crankTip, pose.leverTip);
        pose.axis = points.axis;
        pose.output = points.output;
        drawFourBarPose(f, pose, false);
        f.platform->pause(animationPause(f.speedStep));
        if (previousFourBar) drawFourBarPose(f, *previousFourBar, true);
        previousFourBar = pose;
      }
      if (f.sixOffsetX[i] != kNoPose && f.sixAxisX[i] != kNoPose) {
        drawSixBarPose(f, i, false);
        f.platform->pause(animationPause(f.speedStep));
        if (previousSixBar) drawSixBarPose(f, *previousSixBar, true);
        previousSixBar = i;
      }
    }
  }
}

}  // namespace gyrenda
