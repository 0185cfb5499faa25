// The run driver that every analysis and animation goes through, and its progress watchdog.
#include <utility>

#include "session/workbench.h"

namespace gyrenda {

void Workbench::run(RunKind kind, Direction direction) {
  if (running_) return;
  running_ = true;
  runKind_ = kind;
  clearRunTables(result_);
  setRunControls(false);
  controls_.busyPointer = true;
  controls_.timerEnabled = true;
  controls_.mark(RunStateChanged);
  watchdogTicks_ = 0;
  fourBarPhase_ = true;
  run_.emplace(RunSettings{kind, direction, ticked(controls_.analyseSixBar),
                           ticked(controls_.optimiseFourBar), ticked(controls_.optimiseSixBar)},
               linkage_, canvas_, result_);
  loopCrankAngle_ = run_->crankAngle();
  platform_->driveRun([this] { return advanceRun(); });
}

bool Workbench::advanceRun() {
  if (!run_) return false;
  if (watchdogShowing_) return true;
  const RunPhase before = run_->phase();
  const Interruption interruption = quitRequested_ ? Interruption::Quit
                                    : std::exchange(stopRequested_, false) ? Interruption::Stop
                                                                            : Interruption::None;
  const bool goesOn = run_->advance(interruption, speedStep(),
                                    [this](std::chrono::microseconds length) {
                                      platform_->pause(length);
                                    });
  if (run_->phase() != before) phaseEnded(before);
  loopCrankAngle_ = run_->crankAngle();
  if (!goesOn) runEnded();
  return goesOn;
}

void Workbench::finishRun() {
  while (advanceRun()) {
  }
}

void Workbench::phaseEnded(RunPhase ended) {
  if (ended == RunPhase::FourBarSearch) {
    controls_.status = StatusCaption::Finished;
    controls_.mark(CaptionsChanged);
  }
  // The watchdog watches the first phase of an analysis and the whole of an animation.
  if (runKind_ == RunKind::Analysis && ended == RunPhase::FourBarSearch) {
    watchdogTicks_ = 0;
    fourBarPhase_ = false;
  }
}

void Workbench::runEnded() {
  run_.reset();
  // The report is of the last analysis; an animation leaves it as it was.
  if (runKind_ == RunKind::Analysis) {
    report_ = makeRunReport(linkage_, result_);
    controls_.mark(ReportChanged);
  }
  controls_.timerEnabled = false;
  controls_.busyPointer = false;
  setRunControls(true);
  fourBarPhase_ = false;
  running_ = false;
  controls_.mark(RunStateChanged);
}

void Workbench::watchdogTick() {
  if (!assistantOn_) return;
  // A tick that falls due while the message box is open is dropped.
  if (watchdogShowing_) return;
  const CheckState governing =
      fourBarPhase_ ? controls_.optimiseFourBar : controls_.optimiseSixBar;
  if (ticked(governing)) return;
  if (watchdogTicks_ == 10) {
    watchdogShowing_ = true;
    show({MessageId::CannotBeBuilt, {}, 0, {}});
    watchdogShowing_ = false;
  }
  // Counting stops once the message has had its turn, so the counter never overflows.
  if (watchdogTicks_ <= 10) ++watchdogTicks_;
}

}  // namespace gyrenda
