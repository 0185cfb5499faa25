#include "session/run_driver.h"

#include <utility>

namespace gyrenda {

bool RunDriver::start(const RunSettings& settings, const Linkage& linkage, const View& view,
                      Raster& canvas) {
  if (run_) return false;
  kind_ = settings.kind;
  linkage_ = &linkage;
  view_ = view;
  clearRunTables(result_);
  watchdogTicks_ = 0;
  fourBarPhase_ = true;
  run_.emplace(settings, linkage, canvas, result_);
  crankAngle_ = run_->crankAngle();
  session_.runStarted();
  platform_.driveRun([this] { return advance(); });
  return true;
}

bool RunDriver::advance() {
  if (!run_) return false;
  if (watchdogShowing_) return true;
  const RunPhase before = run_->phase();
  const Interruption interruption = quitRequested_ ? Interruption::Quit
                                    : std::exchange(stopRequested_, false) ? Interruption::Stop
                                                                            : Interruption::None;
  const bool goesOn =
      run_->advance(interruption, session_.speedStep(),
                    [this](std::chrono::microseconds length) { platform_.pause(length); });
  if (run_->phase() != before) {
    // The watchdog watches the first phase of an analysis and the whole of an animation.
    if (kind_ == RunKind::Analysis && before == RunPhase::FourBarSearch) {
      watchdogTicks_ = 0;
      fourBarPhase_ = false;
    }
    session_.phaseEnded(before);
  }
  crankAngle_ = run_->crankAngle();
  if (!goesOn) ended();
  return goesOn;
}

void RunDriver::finish() {
  while (advance()) {
  }
}

void RunDriver::ended() {
  run_.reset();
  fourBarPhase_ = false;
  // The report is of the last analysis; an animation leaves it as it was.
  if (kind_ == RunKind::Analysis) report_ = makeRunReport(*linkage_, result_, view_);
  session_.runEnded(kind_);
}

void RunDriver::searchFrames(const RunSettings& settings, const Linkage& linkage,
                             Raster& canvas) {
  if (run_) return;
  clearRunTables(result_);
  Run frames(settings, linkage, canvas, result_);
  while (frames.advance(Interruption::None, session_.speedStep(), {})) {
  }
}

void RunDriver::watchdogTick(bool assistantOn, bool optimiseFourBar, bool optimiseSixBar) {
  if (!assistantOn) return;
  // A tick that falls due while the message box is open is dropped.
  if (watchdogShowing_) return;
  if (fourBarPhase_ ? optimiseFourBar : optimiseSixBar) return;
  if (watchdogTicks_ == 10) {
    watchdogShowing_ = true;
    platform_.showMessage({MessageId::CannotBeBuilt, {}, 0, {}});
    watchdogShowing_ = false;
  }
  // Counting stops once the message has had its turn, so the counter never overflows.
  if (watchdogTicks_ <= 10) ++watchdogTicks_;
}

}  // namespace gyrenda
