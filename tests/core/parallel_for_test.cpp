// The parallel loop the Monte Carlo and the path synthesis run on: every index once whatever
// the number of threads, and no index taken after a stop or a body's exception.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "numeric/parallel_for.h"

namespace gyrenda {
namespace {

TEST(ParallelFor, EveryIndexRunsOnceOnAnyNumberOfThreads) {
  for (const auto& [count, threads] : {std::pair<std::size_t, int>{0, 0}, {1, 8}, {1000, 1}, {1000, 2}, {1000, 8}}) {
    std::vector<int> runs(count);
    WorkProgress progress;
    EXPECT_TRUE(parallelFor(count, progress, [&](std::size_t i) { ++runs[i]; }, threads));
    EXPECT_EQ(runs, std::vector<int>(count, 1)) << count << " on " << threads;
  }
}

// Once the stop is set, each other thread runs at most the index it had taken already.
TEST(ParallelFor, AStopOrAnExceptionEndsTheLoop) {
  for (const int threads : {1, 2, 8}) {
    WorkProgress progress;
    std::atomic<int> late{0}, ran{0};
    EXPECT_FALSE(parallelFor(1000, progress, [&](std::size_t i) {
      late += progress.stop.load();
      if (i == 10) progress.stop = true;
    }, threads));
    EXPECT_LE(late, threads - 1) << threads;
    EXPECT_FALSE(parallelFor(5, progress, [&](std::size_t) { ++ran; }, threads));
    EXPECT_EQ(ran, 0) << "stopped before it began";
    progress.stop = false;
    EXPECT_THROW(parallelFor(1000, progress, [&](std::size_t i) {
      ++ran;
      if (i == 3) throw std::runtime_error("index 3");
    }, threads), std::runtime_error);
    EXPECT_TRUE(threads > 1 || ran == 4) << ran;
  }
}

}  // namespace
}  // namespace gyrenda
