// A packed row against plain 32-bit counters: the same numbers (wrapping
// included) whatever the width, read one by one, in groups or summed, and
// the narrowest width that holds them.
#include "stats/packed_row.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <vector>

namespace wus {
namespace {

constexpr std::uint32_t kMax = 0xFFFFFFFFu;

struct Step {
  std::size_t columns;  // GrowTo(columns) first
  std::size_t column;
  std::uint32_t hits;
};

struct Case {
  std::string name;
  std::vector<Step> steps;
  std::size_t width;  // after the last step
};

TEST(PackedRowTest, CountsLikePlainCountersInTheNarrowestWidth) {
  const std::vector<Case> cases = {
      {"small counts stay one byte", {{4, 3, 1}, {4, 3, 254}, {4, 0, 255}}, 1},
      {"255 + 1 widens to two bytes", {{2, 1, 255}, {2, 0, 7}, {2, 1, 1}}, 2},
      {"65535 + 1 widens to four", {{3, 2, 300}, {3, 2, 65235}, {3, 0, 9}, {3, 2, 1}}, 4},
      {"one large add skips a width", {{5, 4, 3}, {5, 1, 70000}}, 4},
      {"four bytes wrap", {{2, 1, kMax}, {2, 1, 2}, {2, 0, 0x80000000u}, {2, 0, 0x80000000u}}, 4},
      {"growing keeps counts and width", {{1, 0, 1000}, {6, 5, 1}, {1, 0, 1}, {9, 8, 2}}, 2},
      {"growing shorter does nothing", {{8, 7, 5}, {2, 7, 5}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PackedRow row;
    std::vector<std::uint32_t> plain;
    for (const Step& step : c.steps) {
      row.GrowTo(step.columns);
      if (plain.size() < step.columns) plain.resize(step.columns);
      row.Add(step.column, step.hits);
      plain[step.column] += step.hits;
    }
    ASSERT_EQ(row.size(), plain.size());
    EXPECT_EQ(row.width(), c.width);
    std::vector<std::uint32_t> read;
    for (std::size_t k = 0; k < row.size(); ++k) read.push_back(row[k]);
    EXPECT_EQ(read, plain);
    // Summing into counters that hold something already wraps like them.
    std::vector<std::uint32_t> sums(plain.size() + 1, kMax - 1);
    row.AddTo(sums);
    for (std::size_t k = 0; k < plain.size(); ++k) EXPECT_EQ(sums[k], plain[k] + (kMax - 1));
    EXPECT_EQ(sums.back(), kMax - 1);
    std::vector<std::uint32_t> grouped;
    row.ForEachGroup<3>([&grouped](const std::array<std::uint32_t, 3>& group) {
      grouped.insert(grouped.end(), group.begin(), group.end());
    });
    plain.resize(plain.size() - plain.size() % 3);  // a last, shorter group is skipped
    EXPECT_EQ(grouped, plain);
  }
}

// Counts the bytes a row asks for.
class CountingMemory final : public std::pmr::memory_resource {
 public:
  std::size_t allocated = 0;

 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    allocated += bytes;
    return std::pmr::new_delete_resource()->allocate(bytes, alignment);
  }
  void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override {
    std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
  }
  bool do_is_equal(const memory_resource& other) const noexcept override { return this == &other; }
};

// A row grown one number at a time (a weapon gaining one bone per record)
// copies in proportion to its length, not to its length squared; short
// rows take exactly the room they need.
TEST(PackedRowTest, GrowingOneAtATimeStaysLinear) {
  CountingMemory shortMemory;
  PackedRow shortRow(&shortMemory);
  for (std::size_t k = 0; k < 100; ++k) {
    shortRow.GrowTo(k + 1);
    shortRow.Add(k, 1);
  }
  EXPECT_EQ(shortMemory.allocated, 100u * 101 / 2);  // 1, 2, ... 100 bytes
  CountingMemory memory;
  PackedRow row(&memory);
  constexpr std::size_t kNumbers = 20000;
  for (std::size_t k = 0; k < kNumbers; ++k) {
    row.GrowTo(k + 1);
    row.Add(k, 300);  // two bytes wide
  }
  EXPECT_EQ(row.size(), kNumbers);
  EXPECT_LT(memory.allocated, 8 * 2 * kNumbers);
}

}  // namespace
}  // namespace wus
