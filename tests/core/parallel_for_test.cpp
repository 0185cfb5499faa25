// The parallel loop both Monte Carlo and path synthesis run on: every index once whatever the
// number of threads, no index taken after a stop, a body's exception handed to the caller.
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

TEST(ParallelFor, NoIndexIsTakenAfterAStop) {
  for (const int threads : {1, 2, 8}) {
    WorkProgress progress;
    std::atomic<int> ran{0};
    // The tenth call asks to stop: each other thread runs at most the index it holds then.
    EXPECT_FALSE(parallelFor(1000, progress, [&](std::size_t) {
      if (++ran == 10) progress.stop = true;
    }, threads));
    EXPECT_LE(ran, 10 + threads - 1) << threads;
    const int before = ran;
    EXPECT_FALSE(parallelFor(5, progress, [&](std::size_t) { ++ran; }, threads));
    EXPECT_EQ(ran, before) << "stopped before it began: none runs";
  }
}

TEST(ParallelFor, AnExceptionEndsTheLoopAndReachesTheCaller) {
  for (const int threads : {1, 2}) {
    WorkProgress progress;
    std::atomic<int> ran{0};
    EXPECT_THROW(parallelFor(1000, progress, [&](std::size_t i) {
      ++ran;
      if (i == 3) throw std::runtime_error("index 3");
    }, threads), std::runtime_error);
    EXPECT_TRUE(threads > 1 || ran == 4) << ran;
  }
}

}  // namespace
}  // namespace gyrenda
