#include "session/run.h"

#include "canvas/construction.h"
#include "canvas/four_bar_search.h"
#include "sixbar/six_bar_search.h"

namespace gyrenda {

Run::Run(const RunSettings& settings, const Linkage& linkage, Raster& canvas, RunResult& result)
    : settings_(settings), linkage_(linkage), canvas_(canvas), result_(result) {
  begin(settings.kind == RunKind::Analysis ? RunPhase::FourBarSearch : RunPhase::FourBarFrames);
}

void Run::begin(RunPhase phase) {
  phase_ = phase;
  search_.reset();
  playback_.reset();
  switch (phase) {
    case RunPhase::FourBarSearch:
      search_.emplace(fourBarSearch(linkage_, canvas_, settings_.optimiseFourBar, result_));
      break;
    case RunPhase::SixBarSearch:
      search_.emplace(sixBarSearch(linkage_, canvas_, settings_.optimiseSixBar, result_));
      break;
    case RunPhase::FourBarFrames:
      search_.emplace(fourBarFrameSearch(linkage_, canvas_, settings_.optimiseFourBar, result_));
      break;
    case RunPhase::SixBarFrames:
      search_.emplace(sixBarFrameSearch(linkage_, canvas_, settings_.optimiseSixBar, result_));
      break;
    case RunPhase::Playback:
      playback_.emplace(linkage_, result_, canvas_, settings_.direction);
      break;
    case RunPhase::Ended: break;
  }
}

// The phase that follows the one in progress, and what is drawn between the two.
void Run::endPhase() {
  const bool sixBar = settings_.sixBar;
  switch (phase_) {
    case RunPhase::FourBarSearch:
      drawSlideLine(linkage_, canvas_);
      return begin(sixBar ? RunPhase::SixBarSearch : RunPhase::Ended);
    case RunPhase::FourBarFrames:
      if (sixBar) return begin(RunPhase::SixBarFrames);
      [[fallthrough]];
    case RunPhase::SixBarFrames:
      return begin(settings_.kind == RunKind::Animation ? RunPhase::Playback : RunPhase::Ended);
    case RunPhase::Playback:
      drawMarkersAfterPlayback(linkage_, canvas_);
      drawSlideLine(linkage_, canvas_);
      return begin(RunPhase::Ended);
    case RunPhase::SixBarSearch:
    case RunPhase::Ended: return begin(RunPhase::Ended);
  }
}

bool Run::advance(Interruption interruption, float speedStep, const Playback::Pause& pause) {
  if (interruption == Interruption::Quit) {
    if (search_) search_->stop();
    begin(RunPhase::Ended);
    return false;
  }
  if (phase_ == RunPhase::Ended) return false;
  if (interruption == Interruption::Stop) {
    if (search_) search_->stop();
    endPhase();
  } else if (search_) {
    if (!search_->step(speedStep)) endPhase();
  } else if (playback_) {
    playback_->step(speedStep, pause);
  }
  return phase_ != RunPhase::Ended;
}

float Run::crankAngle() const {
  if (search_) return search_->crankAngle();
  if (playback_) return playback_->crankAngle();
  return 0.0f;
}

}  // namespace gyrenda
