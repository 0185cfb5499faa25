// The animation: frames of a whole crank turn, then playback lap after lap until stopped.
#pragma once

#include <chrono>

#include "canvas/raster.h"
#include "canvas/run_control.h"
#include "linkage/linkage.h"
#include "canvas/run_result.h"

namespace gyrenda {

enum class Direction { Forwards, Backwards };

struct AnimationSettings {
  Direction direction;
  bool sixBar;  // also search and play the six-bar frames
  bool optimiseFourBar, optimiseSixBar;
};

// Four-bar frames, six-bar frames when asked, playback until a stop, and then the markers
// (lever half-circle, crank dots, slide line) drawn again.
void animate(const Linkage& linkage, Raster& canvas, const AnimationSettings& settings,
             RunControl& control, RunResult& frames);

// Plays the stored frames lap after lap in the given direction until the control says stop.
void playFrames(const Linkage& linkage, const RunResult& frames, Raster& canvas,
                Direction direction, RunControl& control);

// The pause between drawing a pose and erasing the one before, at the speed the list asks
// for at that moment: (n + 1)² × 20 µs with n = (5 − speedStep) × 5, so the three speeds keep the ratio 1 : 441 : 676.
std::chrono::microseconds animationPause(float speedStep);

}  // namespace gyrenda
