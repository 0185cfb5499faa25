// The parallel loop the Monte Carlo and the path synthesis run on: every index once whatever
// the number of threads, and no index taken after a stop or a body's exception.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
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

// Threads 0 takes the default: on a machine with more than one core, two bodies run at once
// (each of the first two waits, at most 5 s, until both have begun).
TEST(ParallelFor, NoThreadCountTakesEveryCoreTheDefaultGives) {
  if (defaultWorkerThreads() < 2) GTEST_SKIP() << "one core";
  std::atomic<int> begun{0};
  WorkProgress progress;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  parallelFor(2, progress, [&](std::size_t) {
    ++begun;
    while (begun < 2 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  }, 0);
  EXPECT_LT(std::chrono::steady_clock::now(), deadline) << "the two ran one after the other";
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
