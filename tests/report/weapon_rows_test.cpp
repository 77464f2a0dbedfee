// The weapon-row walk matches every player's weapons against the keys in
// one pass: it must give the same rows, in the same order, as looking each
// key up in each player.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "report/weapon_rows.h"
#include "tests/report/table_test_util.h"
#include "text/format.h"

namespace wus::test {
namespace {

TEST(WeaponRowsTest, SameRowsAsOneKeyAtATime) {
  // Keys, every third without "wpn_", held by different subsets of the
  // players; some players rename a weapon, keys are found through a
  // display name only, and one weapon's two names are the same.
  StatsAggregate aggregate;
  const std::size_t keyCount = 200;
  for (std::size_t i = 0; i < keyCount; ++i) {
    std::string key = StringPrintf(i % 3 == 0 ? "item_%zu" : "wpn_%zu", i);
    for (std::size_t p = 0; p < 5; ++p) {
      if ((i + p) % 4 == 0) continue;
      std::string player = StringPrintf("P%zu", p);
      AddWeapon(aggregate, player, key, StringPrintf("%s by %zu", key.c_str(), p));
    }
  }
  AddWeapon(aggregate, "P0", "alias", "wpn_1");
  AddWeapon(aggregate, "P6", "other", "wpn_2");
  AddWeapon(aggregate, "P6", "wpn_same", "wpn_same");
  aggregate.AddWeaponName("wpn_unheld");

  // The index built on several threads, each taking a run of players, more
  // threads than players included.
  for (auto [keys, threads] : {std::pair{RowKeys::kAll, 1u}, std::pair{RowKeys::kWeaponsOnly, 1u},
                               std::pair{RowKeys::kAll, 2u}, std::pair{RowKeys::kAll, 3u},
                               std::pair{RowKeys::kWeaponsOnly, 9u}}) {
    SCOPED_TRACE(threads);
    std::vector<std::string> seen;
    ForEachWeaponRow(WeaponRowIndex(aggregate, threads), keys, [&](const WeaponRow& row) {
      seen.emplace_back(row.key);
      std::vector<const WeaponStats*> matched;
      std::vector<std::uint32_t> players;
      EXPECT_EQ(row.label, MatchWeaponRow(aggregate, row.key, &matched, &players)) << row.key;
      EXPECT_EQ(std::vector(row.matched.begin(), row.matched.end()), matched) << row.key;
      EXPECT_EQ(std::vector(row.players.begin(), row.players.end()), players) << row.key;
    });
    std::vector<std::string> selected;
    for (const NameBuf& key : aggregate.m_WeaponNames) {
      if (keys == RowKeys::kAll || IsWeaponKey(key)) selected.push_back(key);
    }
    EXPECT_EQ(seen, selected);
  }
  StatsAggregate nobody;
  nobody.AddWeaponName("wpn_unheld");
  ForEachWeaponRow(WeaponRowIndex(nobody, 4), RowKeys::kAll,
                   [](const WeaponRow& row) { EXPECT_TRUE(row.matched.empty()); });
}

}  // namespace
}  // namespace wus::test
