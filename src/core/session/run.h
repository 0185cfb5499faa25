// A run in progress: an analysis, an animation or the animation's frame searches, as phases
// that each advance a crank angle a step. Whoever drives it lets the user act between two steps
// (停止, the speed list, the watchdog), as the long loops once yielded to the events.
#pragma once

#include <optional>

#include "canvas/raster.h"
#include "canvas/raster_search.h"
#include "canvas/run_result.h"
#include "linkage/linkage.h"
#include "sixbar/animation.h"

namespace gyrenda {

enum class RunKind {
  Analysis,   // the four-bar search, the slide line, and the six-bar search when asked
  Animation,  // the frame searches, then playback until 停止, then the markers again
  Frames,     // the frame searches alone, as the headless program writes them
};

struct RunSettings {
  RunKind kind = RunKind::Analysis;
  Direction direction = Direction::Forwards;
  bool sixBar = false;  // search (and play) the six-bar too
  bool optimiseFourBar = true, optimiseSixBar = true;
};

enum class RunPhase {
  FourBarSearch,
  SixBarSearch,
  FourBarFrames,
  SixBarFrames,
  Playback,
  Ended,
};

// What ends the phase in progress before its next step: 停止 ends that phase only, the end of
// the program every phase.
enum class Interruption { None, Stop, Quit };

class Run {
 public:
  // Every argument must outlive the run; the run draws into `canvas` and fills `result`.
  Run(const RunSettings& settings, const Linkage& linkage, Raster& canvas, RunResult& result);
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // One step of the phase in progress, or its end when interrupted; the next phase begins
  // as soon as one ends. `speedStep` is the crank step after a hit that the speed list asks
  // for now. False once the run has ended.
  bool advance(Interruption interruption, float speedStep, const Playback::Pause& pause);

  RunPhase phase() const { return phase_; }
  // The crank angle of the next step of the phase in progress.
  float crankAngle() const;

 private:
  void endPhase();
  void begin(RunPhase phase);

  RunSettings settings_;
  const Linkage& linkage_;
  Raster& canvas_;
  RunResult& result_;
  RunPhase phase_ = RunPhase::Ended;
  std::optional<RasterSearch> search_;
  std::optional<Playback> playback_;
};

}  // namespace gyrenda
