// What every table writes for an empty aggregate, and that tables stay
// complete with 20000 players.
#include <gtest/gtest.h>

#include <string>

#include "report/sections.h"
#include "report/titles.h"
#include "tests/report/table_test_util.h"
#include "tests/test_util.h"
#include "text/format.h"

namespace wus::test {
namespace {

constexpr std::size_t kPlayers = 20000;

// kPlayers players, each with one weapon "wpn_x" ("X") and the same
// figures in team 0.
void BuildBigAggregate(StatsAggregate& aggregate) {
  for (std::size_t i = 0; i < kPlayers; ++i) {
    std::string name = StringPrintf("Player%05zu", i);
    WeaponStats& weapon = AddWeapon(aggregate, name, "wpn_x", "X");
    weapon.m_dwNumBought = 1;
    weapon.m_dwNumKills = 1;
    weapon.m_dwNumHits = 2;
    weapon.m_dwNumShots = 8;
    weapon.m_dwBuyBuckets.Set(0, 1, 1);
    PlayerStats& player = aggregate.FindOrAddPlayer(name);
    player.m_dwTotalMoneyRound[0] = 150;
    player.m_dwTotalAliveTime[0] = 2500;
    player.m_dwNumRespawned[0] = 1;
  }
  aggregate.m_dwTotalPlayersMoneyRound[0] = 150 * static_cast<std::int32_t>(kPlayers);
  aggregate.m_dwTotalPlayersAliveTime[0] = 2500 * kPlayers;
  aggregate.m_dwTotalNumRespawns[0] = kPlayers;
}

TEST(TableSectionsTest, EmptyAggregateAndTwentyThousandPlayers) {
  const std::string total = std::to_string(kPlayers);
  const std::string teamsEmpty = std::string(kTotalCaptionNeuter) +
                                 "\nDM Team\t0,00\t\nGreen Team\t0,00\t\nBlue Team\t0,00\t\n";
  const std::string feminineEmpty = kTotalCaptionFeminine + std::string("\n\n");
  struct Case {
    const char* name;
    void (*writer)(const StatsAggregate&, ReportStream&);
    std::string empty;  // the bytes written for an empty aggregate
    std::string row;    // a whole line of the big aggregate's table, if any
  } cases[] = {
      {"WeaponPurchase", &WriteWeaponPurchaseTable, kWeaponPurchaseTitle + feminineEmpty,
       "X\t" + total + "\t" + Repeat("1\t", kPlayers) + "\n"},
      {"WeaponKill", &WriteWeaponKillTable,
       kWeaponKillTitle + std::string(kTotalCaptionNeuter) + "\n\n",
       "X\t" + total + "\t" + Repeat("1\t", kPlayers) + "\n"},
      {"WeaponEfficiency", &WriteWeaponEfficiencyTable, kWeaponEfficiencyTitle + feminineEmpty,
       "X\t0,50\t" + Repeat("0,50\t", kPlayers) + "\n"},
      {"WeaponAccuracy", &WriteWeaponAccuracyTable, kWeaponAccuracyTitle + feminineEmpty,
       "X\t0,25\t" + Repeat("0,25\t", kPlayers) + "\n"},
      {"RangeEffectiveness", &WriteRangeEffectivenessTable,
       kRangeEffectivenessTitle + std::string("\n"), ""},
      {"HitsByBone", &WriteHitsByBoneTable, kHitsByBoneTitle, ""},
      {"LethalHitsByBone", &WriteLethalHitsByBoneTable, kLethalHitsByBoneTitle, ""},
      {"AverageMoney", &WriteAverageMoneyTable, kAverageMoneyTitle + teamsEmpty + "\n",
       "DM Team\t150,00\t" + Repeat("150,00\t", kPlayers) + "\n"},
      {"ItemPurchase", &WriteItemPurchaseTable,
       kItemPurchaseTitle + std::string("DM Team\n\n\nGreen Team\n\n\nBlue Team\n\n\n"),
       "X\t0\t" + total + "\t\n"},
      {"AverageLifetime", &WriteAverageLifetimeTable, kAverageLifetimeTitle + teamsEmpty,
       "DM Team\t2,50\t" + Repeat("2,50\t", kPlayers) + "\n"},
  };
  StatsAggregate big;
  BuildBigAggregate(big);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate empty;
    EXPECT_EQ(WriteToString(c.writer, empty), c.empty);
    if (c.row.empty()) continue;
    EXPECT_NE(WriteToString(c.writer, big).find("\n" + c.row), std::string::npos)
        << "row of " << c.row.size() << " bytes";
  }
}

}  // namespace
}  // namespace wus::test
