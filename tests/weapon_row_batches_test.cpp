// The weapon-row walk matches keys in batches, player by player: it must
// give the same rows, in the same order, as matching one key at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/weapon_rows.h"
#include "tests/table_test_util.h"
#include "text/format.h"

namespace wus::test {
namespace {

TEST(WeaponRowBatchesTest, SameRowsAsOneKeyAtATime) {
  // Enough keys for several batches, every third without "wpn_", held by
  // different subsets of the players; some players rename a weapon, and
  // one key is found through a display name only.
  StatsAggregate aggregate;
  const std::size_t keyCount = 3 * kWeaponRowBatch + 7;
  for (std::size_t i = 0; i < keyCount; ++i) {
    std::string key = StringPrintf(i % 3 == 0 ? "item_%zu" : "wpn_%zu", i);
    for (std::size_t p = 0; p < 5; ++p) {
      if ((i + p) % 4 == 0) continue;
      std::string player = StringPrintf("P%zu", p);
      AddWeapon(aggregate, player, key, StringPrintf("%s by %zu", key.c_str(), p));
    }
  }
  AddWeapon(aggregate, "P0", "alias", "wpn_1");
  aggregate.AddWeaponName("wpn_unheld");

  for (RowKeys keys : {RowKeys::kAll, RowKeys::kWeaponsOnly}) {
    std::vector<std::string> seen;
    ForEachWeaponRow(aggregate, keys, [&](const WeaponRow& row) {
      seen.emplace_back(row.key);
      WeaponRow expected;
      MatchWeaponRow(aggregate, row.key, &expected);
      EXPECT_EQ(row.label, expected.label) << row.key;
      EXPECT_EQ(row.weapons, expected.weapons) << row.key;
    });
    std::vector<std::string> selected;
    for (const NameBuf& key : aggregate.m_WeaponNames) {
      if (keys == RowKeys::kAll || IsWeaponKey(key)) selected.push_back(key);
    }
    EXPECT_EQ(seen, selected);
  }
}

}  // namespace
}  // namespace wus::test
