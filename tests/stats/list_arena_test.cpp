// The list arena under a random mix of sizes, alignments and frees: blocks
// must be aligned, never overlap and keep their bytes, also across chunks
// (each new one bigger) and when freed blocks are handed out again.
#include "stats/list_arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace wus {
namespace {

struct Block {
  unsigned char* bytes;
  std::size_t size;
  std::size_t alignment;
  unsigned char fill;
};

// Returns true iff every byte of `block` still holds its fill.
bool Intact(const Block& block) {
  for (std::size_t i = 0; i < block.size; ++i) {
    if (block.bytes[i] != block.fill) return false;
  }
  return true;
}

TEST(ListArenaTest, BlocksStayAlignedApartAndIntact) {
  ListArena arena;
  std::mt19937 random(7);
  std::vector<Block> live;
  auto allocate = [&](std::size_t size) {
    constexpr std::size_t kAlignments[] = {1, 4, 8, 16, 64};
    const std::size_t alignment = kAlignments[random() % 5];
    auto* bytes = static_cast<unsigned char*>(arena.allocate(size, alignment));
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(bytes) % alignment, 0u) << size;
    const auto fill = static_cast<unsigned char>(live.size() * 37 + 1);
    std::memset(bytes, fill, size);
    live.push_back(Block{bytes, size, alignment, fill});
  };
  // First some 12 MiB, so that the chunks grow a few times; then
  // frees and allocations in turn, so that freed blocks come back.
  for (int i = 0; i < 6000; ++i) allocate(1 + random() % 4096);
  for (int step = 0; step < 40000; ++step) {
    if (random() % 2 == 0) {
      allocate(random() % 8 == 0 ? 1 + random() % 10000 : 1 + random() % 300);
      continue;
    }
    const std::size_t at = random() % live.size();
    ASSERT_TRUE(Intact(live[at])) << "step " << step << ", size " << live[at].size;
    arena.deallocate(live[at].bytes, live[at].size, live[at].alignment);
    live[at] = live.back();
    live.pop_back();
  }
  for (const Block& block : live) {
    EXPECT_TRUE(Intact(block)) << block.size;
    arena.deallocate(block.bytes, block.size, block.alignment);
  }
}

}  // namespace
}  // namespace wus
