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

// The table index of the pose that the playback shows at table index i once it has gone round
// a lap: a pose stays drawn until the next one is drawn, so it is the last index at or before
// i, going back round the turn, at which `holds` is true; none when it is true nowhere.
std::optional<int> shownPoseIndex(int i, const std::function<bool(int)>& holds);

// The linkage at table index i as the playback shows it once it has gone round a lap, drawn
// from the frame tables without erasing anything: the four-bar and the six-bar poses shown at
// that moment (see shownPoseIndex).
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
