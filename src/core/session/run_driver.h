// The run driver that every analysis and animation goes through, with its stop protocol and
// progress watchdog, and what the runs leave: the result tables and the last analysis's report.
#pragma once

#include <optional>

#include "canvas/raster.h"
#include "canvas/run_result.h"
#include "canvas/view.h"
#include "linkage/linkage.h"
#include "report/run_report.h"
#include "session/platform.h"
#include "session/run.h"

namespace gyrenda {

class RunDriver {
 public:
  // What the session that owns the driver is told, and what it is asked, while a run goes on.
  class Session {
   public:
    // The crank step after a hit that the speed list asks for now; read at every step.
    virtual float speedStep() const = 0;
    virtual void runStarted() = 0;
    virtual void phaseEnded(RunPhase ended) = 0;
    virtual void runEnded(RunKind kind) = 0;

   protected:
    ~Session() = default;
  };

  RunDriver(Platform& platform, Session& session) : platform_(platform), session_(session) {}
  RunDriver(const RunDriver&) = delete;
  RunDriver& operator=(const RunDriver&) = delete;

  // Starts a run on `linkage` and `canvas`, which must outlive it, and hands its steps to the
  // platform to drive. The report of an analysis counts the poses that `view` could not show.
  // Refused (false) while another run is in progress.
  bool start(const RunSettings& settings, const Linkage& linkage, const View& view,
             Raster& canvas);
  // One step of the run in progress, the end of its phase once 停止 was pressed, or of the
  // whole run once the program is to end; nothing while the watchdog's message is open. False
  // once the run has ended, or when none is in progress.
  bool advance();
  // The run in progress driven to its end at once.
  void finish();
  // The animation's frame searches without the playback, run to their end at once.
  void searchFrames(const RunSettings& settings, const Linkage& linkage, Raster& canvas);

  void stop() { stopRequested_ = true; }
  void quit() { quitRequested_ = true; }
  // One tick of the watchdog timer: with the assistant on and the optimisation of the phase in
  // progress not ticked, the tenth tick says that the search makes no progress.
  void watchdogTick(bool assistantOn, bool optimiseFourBar, bool optimiseSixBar);

  bool running() const { return run_.has_value(); }
  bool quitRequested() const { return quitRequested_; }
  // The crank angle of the step of the run in progress that comes next.
  float crankAngle() const { return crankAngle_; }
  int watchdogTicks() const { return watchdogTicks_; }
  const RunResult& result() const { return result_; }
  // The report of the last analysis, taken when it ended; none before the first. An animation
  // leaves it as it was.
  const std::optional<RunReport>& report() const { return report_; }

 private:
  void ended();

  Platform& platform_;
  Session& session_;
  std::optional<Run> run_;
  RunKind kind_ = RunKind::Analysis;
  const Linkage* linkage_ = nullptr;  // the linkage of the run in progress
  View view_;                         // and its view
  RunResult result_;
  std::optional<RunReport> report_;
  bool quitRequested_ = false;    // the program is to end: a run ends at its next step
  bool stopRequested_ = false;    // 停止 was pressed; the run's next step honours it
  bool fourBarPhase_ = false;     // the watchdog watches the four-bar's optimisation box
  bool watchdogShowing_ = false;  // its message box is open
  int watchdogTicks_ = 0;
  float crankAngle_ = 0;
};

}  // namespace gyrenda
