// The run driver that every analysis and animation goes through, and its progress watchdog.
#include "canvas/construction.h"
#include "canvas/four_bar_search.h"
#include "session/workbench.h"
#include "sixbar/six_bar_search.h"

namespace gyrenda {
namespace {

// Returns the controls to their idle state on every way out of the driver.
template <typename Leave>
class OnExit {
 public:
  explicit OnExit(Leave leave) : leave_(leave) {}
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;
  ~OnExit() { leave_(); }

 private:
  Leave leave_;
};

}  // namespace

void Workbench::run(RunKind kind, Direction direction) {
  if (running_) return;
  running_ = true;
  const OnExit idleAgain([this] {
    controls_.timerEnabled = false;
    controls_.busyPointer = false;
    setRunControls(true);
    fourBarPhase_ = false;
    running_ = false;
    controls_.mark(RunStateChanged);
  });

  clearRunTables(result_);
  setRunControls(false);
  controls_.busyPointer = true;
  controls_.timerEnabled = true;
  controls_.mark(RunStateChanged);
  watchdogTicks_ = 0;
  fourBarPhase_ = true;
  if (kind == RunKind::Analysis) {
    searchFourBar(linkage_, canvas_, ticked(controls_.optimiseFourBar), *this, result_);
    controls_.status = StatusCaption::Finished;
    controls_.mark(CaptionsChanged);
  } else {
    gyrenda::animate(linkage_, canvas_,
                     {direction, ticked(controls_.analyseSixBar),
                      ticked(controls_.optimiseFourBar), ticked(controls_.optimiseSixBar)},
                     *this, result_);
  }
  watchdogTicks_ = 0;
  fourBarPhase_ = false;
  drawSlideLine(linkage_, canvas_);
  if (kind == RunKind::Analysis) analyse();
}

void Workbench::analyse() {
  if (ticked(controls_.analyseSixBar))
    searchSixBar(linkage_, canvas_, ticked(controls_.optimiseSixBar), *this, result_);
  // The report is of the last analysis; an animation leaves it as it was.
  report_ = makeRunReport(linkage_, result_);
  controls_.mark(ReportChanged);
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
