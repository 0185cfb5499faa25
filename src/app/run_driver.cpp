#include "app/run_driver.h"

#include "app/commands.h"
#include "canvas/four_bar_search.h"
#include "canvas/locus.h"
#include "sixbar/animation.h"
#include "sixbar/six_bar_search.h"
#include "sixbar/slide.h"

namespace gyrenda {
namespace {

// Returns the window to its idle state on every way out of the driver.
class IdleOnExit {
 public:
  explicit IdleOnExit(Form& f) : f_(f) {}
  IdleOnExit(const IdleOnExit&) = delete;
  IdleOnExit& operator=(const IdleOnExit&) = delete;
  ~IdleOnExit() {
    f_.timerEnabled = false;
    f_.busyPointer = false;
    AllEnable(f_);
    f_.fourBarPhase = 0;
    f_.running = false;
  }

 private:
  Form& f_;
};

}  // namespace

void Byouga(Form& f, std::int16_t selector) {
  if (f.running) return;
  f.running = true;
  IdleOnExit idleOnExit(f);

  mXmYcls(f);
  AllDisable(f);
  f.busyPointer = true;
  f.timerEnabled = true;
  f.watchdogTicks = 0;
  f.fourBarPhase = -1;
  if (selector == kAnalysisRun) KaisekiA(f);
  else Anime_Main(f, selector);
  f.watchdogTicks = 0;
  f.fourBarPhase = 0;
  Teko2(f);
  if (ticked(f.Check3) && selector == kAnalysisRun) kaisekiA2(f);
  // The report is of the last analysis; an animation run leaves it as it was.
  if (selector == kAnalysisRun) f.lastReport = makeRunReport(f);
}

void Timer1_Timer(Form& f) {
  if (f.assistantOn == 0) return;
  // A tick that falls due while the message box is open is dropped.
  if (f.watchdogShowing) return;
  const CheckState governing = f.fourBarPhase != 0 ? f.Check2 : f.Check4;
  if (ticked(governing)) return;
  if (f.watchdogTicks == 10) {
    f.watchdogShowing = true;
    f.platform->showMessage(kCannotBuildMessage);
    f.watchdogShowing = false;
  }
  // Counting stops once the message has had its turn, so the counter never overflows.
  if (f.watchdogTicks <= 10) ++f.watchdogTicks;
}

}  // namespace gyrenda
