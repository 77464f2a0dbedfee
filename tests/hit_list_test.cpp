// The block list of a weapon's hits: order and count through any pattern of
// announced and actual hits, bounded unused room, and checked access.
#include "stats/hit_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace wus {
namespace {

HitRecord Numbered(std::size_t n) {
  HitRecord hit{};
  hit.m_Text = static_cast<NameId>(n);
  hit.m_Pos1[0] = static_cast<float>(n);
  return hit;
}

TEST(HitListTest, KeepsOrderAndBoundsUnusedRoom) {
  // Each record: the hits it announces and the hits that really follow.
  struct Record {
    std::size_t announced;
    std::size_t added;
  };
  const struct {
    const char* name;
    std::vector<Record> records;
  } cases[] = {
      {"nothing", {}},
      {"announced only", {{5, 0}}},
      {"one record", {{30, 30}}},
      {"many small records", std::vector<Record>(200, {3, 3})},
      {"fewer than announced", {{100, 2}, {100, 1}}},
      {"more than announced", {{1, 50}, {0, 7}}},
      {"a hostile count", {{4000000000u, 3}}},
      {"one weapon of a long month", std::vector<Record>(2000, {40, 40})},
      {"one huge record", {{100000, 100000}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HitList list;
    std::size_t next = 0;
    for (const Record& record : c.records) {
      list.ExpectMore(record.announced);
      for (std::size_t i = 0; i < record.added; ++i) list.push_back(Numbered(next++));
    }
    ASSERT_EQ(list.size(), next);
    EXPECT_EQ(list.empty(), next == 0);
    std::size_t seen = 0;
    list.ForEach([&](const HitRecord& hit) { EXPECT_EQ(hit.m_Text, seen++); });
    EXPECT_EQ(seen, next);
    // Unused room is at most one block, and no more than an announcement
    // or a doubling asks for.
    EXPECT_LE(list.capacity() - list.size(), HitList::kMaxBlockHits);
    EXPECT_LE(list.capacity(), std::max(2 * list.size(), list.size() + HitList::kMaxAnnouncedHits));
    if (next > 0) {
      EXPECT_EQ(list[next - 1].m_Pos1[0], static_cast<float>(next - 1));
    }
    EXPECT_THROW(list.at(next), std::out_of_range);
  }
}

TEST(HitListTest, AnnouncedHitsGetExactlyTheirRoom) {
  // A weapon that a player uses in one or two files: most weapons of a
  // crowd of players.
  HitList list;
  for (int record = 0; record < 2; ++record) {
    list.ExpectMore(37);
    for (int i = 0; i < 37; ++i) list.push_back(Numbered(0));
  }
  EXPECT_EQ(list.capacity(), list.size());
}

// Weapons move when a player's list of weapons grows.
TEST(HitListTest, MovesHandOverTheBlocks) {
  HitList list;
  for (std::size_t i = 0; i < 5000; ++i) list.push_back(Numbered(i));
  HitList moved(std::move(list));
  EXPECT_TRUE(list.empty());  // NOLINT(bugprone-use-after-move): stated empty
  EXPECT_EQ(list.capacity(), 0u);
  HitList assigned;
  assigned.push_back(Numbered(7));
  assigned = std::move(moved);
  ASSERT_EQ(assigned.size(), 5000u);
  EXPECT_EQ(assigned.at(4999).m_Text, 4999u);
  list.push_back(Numbered(1));  // a moved-from list is usable
  EXPECT_EQ(list.at(0).m_Text, 1u);
}

}  // namespace
}  // namespace wus
