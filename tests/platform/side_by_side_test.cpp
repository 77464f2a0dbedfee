// Jobs run side by side: every job runs, each on its own thread, and an
// exception reaches the caller only after all have finished.
#include "platform/side_by_side.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace wus {
namespace {

TEST(SideBySideTest, EveryJobRunsAndTheLowestFailureComesBack) {
  for (std::size_t count : {0u, 1u, 5u}) {
    SCOPED_TRACE(count);
    std::vector<std::atomic<int>> runs(count);
    std::vector<std::thread::id> threads(count);
    RunSideBySide(count, [&](std::size_t i) {
      ++runs[i];
      threads[i] = std::this_thread::get_id();
    });
    for (const std::atomic<int>& run : runs) EXPECT_EQ(run, 1);
    EXPECT_EQ(std::set(threads.begin(), threads.end()).size(), count);
    if (count > 0) {
      EXPECT_EQ(threads[0], std::this_thread::get_id());
    }
  }
  std::atomic<int> finished{0};
  try {
    RunSideBySide(6, [&](std::size_t i) {
      if (i % 2 == 1) throw std::runtime_error(std::to_string(i));
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ++finished;
    });
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "1");
    EXPECT_EQ(finished, 3);
  }
}

}  // namespace
}  // namespace wus
