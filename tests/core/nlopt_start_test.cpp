// The starts in rounds that the path, slider and walking-leg searches share: a search goes on
// after a round only if no answer of it said it was done, whichever answer that was, each
// answer is looked at in the order of its start, and the rounds not run leave their budget.
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "synthesis/nlopt_start.h"

namespace gyrenda {
namespace {

TEST(NloptStart, RoundsEndAfterTheRoundWhoseAnswerIsDone) {
  struct Row {
    int starts, doneAt;  // the start whose answer ends the search (-1: none)
    int ran;
  } rows[] = {{40, 3, 16}, {40, 15, 16}, {40, 16, 32}, {40, -1, 40}, {20, -1, 20}, {20, 17, 20}};
  for (const Row& row : rows) {
    WorkProgress progress;
    progress.total = row.starts * 10;
    std::mutex mutex;
    std::vector<int> ran, taken;
    runInRounds(
        row.starts, 10, progress,
        [&](int k, int slot) {
          EXPECT_EQ(slot, k % kRoundStarts);
          const std::lock_guard lock(mutex);
          ran.push_back(k);
        },
        [&](int k, int) {
          taken.push_back(k);
          return k == row.doneAt;
        });
    EXPECT_EQ(static_cast<int>(ran.size()), row.ran) << row.doneAt;
    ASSERT_EQ(static_cast<int>(taken.size()), row.ran);
    for (int k = 0; k < row.ran; ++k) EXPECT_EQ(taken[static_cast<std::size_t>(k)], k);
    EXPECT_EQ(progress.total, row.ran * 10);
  }
  WorkProgress stopped;
  stopped.total = 100, stopped.stop = true;
  int runs = 0;
  runInRounds(10, 10, stopped, [&](int, int) { ++runs; }, [](int, int) { return false; });
  EXPECT_EQ(std::pair(runs, stopped.total.load()), std::pair(0, std::int64_t{100}));
}

}  // namespace
}  // namespace gyrenda
