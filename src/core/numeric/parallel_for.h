// The long computations' one way onto several cores: a loop over independent work items, and
// what such a computation shares with whoever waits for it (a window's progress bar and its
// 停止, the headless program's time limit).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace gyrenda {

// How much of a computation's work is done, in units it chooses itself (samples, evaluations
// of an objective), and the request to stop, which every computation heeds within 0.2 s.
// A computation sets the total before it starts its work; `done` reaches it only when all
// of that work has been done.
struct WorkProgress {
  std::atomic<std::int64_t> done{0};
  std::atomic<std::int64_t> total{0};
  std::atomic<bool> stop{false};

  // done over total, within 0 … 1; 0 while there is no total.
  double share() const;
};

// The threads a parallel loop uses by default: one per core, at most 8.
int defaultWorkerThreads();

// Calls `body(i)` once for each i in [0, count), on up to `threads` threads (0: the default),
// the calling thread among them, and returns once every call has returned. The indices are
// handed out in increasing order, but a body must not depend on which thread runs it or
// what ran before: each index writes its own result, and the caller combines them in index
// order, so the outcome is the same on any number of cores.
//
// No index is taken once `progress.stop` is set; the calls running then end as their body
// decides. Returns whether every index ran. A body that throws stops the loop the same way,
// and the first exception is thrown again here once every thread has ended.
bool parallelFor(std::size_t count, const WorkProgress& progress,
                 const std::function<void(std::size_t)>& body, int threads = 0);

}  // namespace gyrenda
