#include "numeric/parallel_for.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace gyrenda {

double WorkProgress::share() const {
  const auto whole = total.load();
  if (whole <= 0) return 0;
  return std::clamp(static_cast<double>(done.load()) / static_cast<double>(whole), 0.0, 1.0);
}

int defaultWorkerThreads() {
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
}

bool parallelFor(std::size_t count, const WorkProgress& progress,
                 const std::function<void(std::size_t)>& body, int threads) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr failure;
  std::mutex failureMutex;
  const auto work = [&] {
    for (std::size_t i; !progress.stop.load() && !failed.load() && (i = next.fetch_add(1)) < count;) {
      try {
        body(i);
      } catch (...) {
        const std::scoped_lock lock(failureMutex);
        if (!failure) failure = std::current_exception();
        failed = true;
      }
    }
  };
  const std::size_t wanted = static_cast<std::size_t>(threads > 0 ? threads : defaultWorkerThreads());
  {
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < std::min(wanted, count); ++t) helpers.emplace_back(work);
    work();
  }  // joins
  if (failure) std::rethrow_exception(failure);
  // An index is taken only to be run, so every index ran once the counter has passed them all
  // (each thread takes one more, beyond the end, to find out).
  return next.load() >= count && !failed.load();
}

}  // namespace gyrenda
