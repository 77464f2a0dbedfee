// The weapon-row walk matches keys in batches, player by player: it must
// give the same rows, in the same order, as matching one key at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/weapon_rows.h"
#include "tests/report/table_test_util.h"
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

TEST(WeaponRowBatchesTest, ABatchHoldsABoundedNumberOfCells) {
  // No players and more players than cells still make progress.
  EXPECT_EQ(WeaponRowBatch(0), kWeaponRowBatch);
  EXPECT_EQ(WeaponRowBatch(100 * kWeaponRowBatchCells), 1u);
  // With more players than a full batch allows, the rows are still all
  // visited, in order, and each batch stays within its cells.
  StatsAggregate aggregate;
  const std::size_t players = kWeaponRowBatchCells / kWeaponRowBatch + 1;
  for (std::size_t p = 0; p < players; ++p) aggregate.FindOrAddPlayer(StringPrintf("P%zu", p));
  for (std::size_t i = 0; i < 70; ++i) aggregate.AddWeaponName(StringPrintf("wpn_%zu", i));
  std::vector<WeaponRow> rows;
  std::size_t next = 0, seen = 0;
  while (MatchNextWeaponRows(aggregate, RowKeys::kAll, &next, &rows)) {
    EXPECT_LE(rows.size() * players, kWeaponRowBatchCells);
    for (const WeaponRow& row : rows) EXPECT_EQ(row.key, aggregate.m_WeaponNames[seen++]);
  }
  EXPECT_EQ(seen, 70u);
}

}  // namespace
}  // namespace wus::test
