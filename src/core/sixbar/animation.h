// The animation: frames of a whole crank turn, then playback lap after lap until stopped.
// The frame searches are those of the four-bar and six-bar searches.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "canvas/raster.h"
#include "linkage/linkage.h"
#include "linkage/world_point.h"
#include "canvas/run_result.h"

namespace gyrenda {

enum class Direction { Forwards, Backwards };

struct AnimationSettings {
  Direction direction;
  bool sixBar;  // also search and play the six-bar frames
  bool optimiseFourBar, optimiseSixBar;
};

// A four-bar pose as the playback draws it.
struct PlayedPose {
  WorldPoint crankTip, leverTip, axis, output;
};

// The four-bar pose the frame tables hold at table index i, if they hold one.
std::optional<PlayedPose> playedPose(const Linkage& linkage, const RunResult& frames, int i);

// The linkage at table index i drawn from the frame tables as the playback draws it, the
// four-bar and, where the tables hold one, the six-bar, without erasing anything.
void drawFrame(const Linkage& linkage, const RunResult& frames, int i, Raster& canvas);

// The playback of stored frames, lap after lap in one direction, a crank angle a step: the
// pose at that angle drawn, held for the pause the speed asks for, and the one before erased.
// It ends only when its run is stopped.
class Playback {
 public:
  using Pause = std::function<void(std::chrono::microseconds)>;
  // Every argument must outlive the playback.
  Playback(const Linkage& linkage, const RunResult& frames, Raster& canvas, Direction direction);
  void step(float speedStep, const Pause& pause);
  // The crank angle the next step shows.
  float crankAngle() const { return angle_; }

 private:
  const Linkage& linkage_;
  const RunResult& frames_;
  Raster& canvas_;
  bool backwards_;
  float angle_;
  std::optional<PlayedPose> previousFourBar_;
  std::optional<int> previousSixBar_;  // table index of the six-bar pose last drawn
};

// The markers a playback has drawn over, drawn again when it ends: the lever half-circle, the
// crank dots and the slide line.
void drawMarkersAfterPlayback(const Linkage& linkage, Raster& canvas);

// The pause between drawing a pose and erasing the one before, at the speed the list asks
// for at that moment: (n + 1)² × 20 µs with n = (5 − speedStep) × 5, so the three speeds keep the ratio 1 : 441 : 676.
std::chrono::microseconds animationPause(float speedStep);

}  // namespace gyrenda
