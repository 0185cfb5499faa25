// A long computation of the core run off the GUI thread for a window that shows its progress,
// lets the user stop it and takes its result: the 公差 tab's analysis, the 軌跡合成 search.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrentRun>
#include <functional>
#include <memory>
#include <utility>

#include "numeric/parallel_for.h"

namespace gyrenda {

// One run at a time, on a thread the job owns. The window hears of the run only on the GUI
// thread and only while it exists: the job is a member of the window, and whatever ends the
// job (the window closing, a cancel) stops the run and waits for it first, which the core's
// computations make a matter of a fraction of a second.
template <typename Result>
class BackgroundJob {
 public:
  // While a run goes on, `show` is given its progress every 40 ms and once more as it ends;
  // `finished` then takes its result, at once, unless the run was cancelled.
  BackgroundJob(QObject* owner, std::function<void(const WorkProgress&)> show,
                std::function<void(Result)> finished)
      : owner_(owner), show_(std::move(show)), finished_(std::move(finished)) {
    pool_.setMaxThreadCount(1);
    timer_.setInterval(40);
    QObject::connect(&timer_, &QTimer::timeout, owner_, [this] {
      if (progress_) show_(*progress_);
    });
  }
  ~BackgroundJob() { cancel(); }
  BackgroundJob(const BackgroundJob&) = delete;
  BackgroundJob& operator=(const BackgroundJob&) = delete;

  bool running() const { return watcher_ != nullptr; }

  // Runs `work` with a progress of its own; nothing while a run goes on.
  void start(std::function<Result(WorkProgress&)> work) {
    if (running()) return;
    progress_ = std::make_unique<WorkProgress>();
    // A child of the window, so that one left to be deleted later goes with the window.
    watcher_ = new QFutureWatcher<Result>(owner_);
    QObject::connect(watcher_, &QFutureWatcherBase::finished, owner_, [this] { deliver(); });
    watcher_->setFuture(QtConcurrent::run(
        &pool_, [work = std::move(work), progress = progress_.get()] { return work(*progress); }));
    timer_.start();
  }

  // Asks the run to end; it does so within 0.2 s, and its result still comes.
  void stop() {
    if (running()) progress_->stop = true;
  }

  // Ends the run and waits for it; its result is dropped.
  void cancel() {
    if (!running()) return;
    progress_->stop = true;
    watcher_->waitForFinished();
    delete watcher_;  // and with it the end it may have posted to the window already
    watcher_ = nullptr;
    timer_.stop();
  }

 private:
  void deliver() {
    timer_.stop();
    Result result = watcher_->future().takeResult();
    // Not deleted in its own signal; no longer running, so that `finished` may start anew.
    watcher_->deleteLater();
    watcher_ = nullptr;
    show_(*progress_);
    finished_(std::move(result));
  }

  QObject* owner_;
  std::function<void(const WorkProgress&)> show_;
  std::function<void(Result)> finished_;
  QThreadPool pool_;
  QTimer timer_;
  std::unique_ptr<WorkProgress> progress_;  // of the last run, which holds it while it runs
  QFutureWatcher<Result>* watcher_ = nullptr;  // while a run goes on
};

}  // namespace gyrenda
