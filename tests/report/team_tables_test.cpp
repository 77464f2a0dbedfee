// The per-team tables: average money, item purchases and average lifetime,
// checked byte for byte at the edges of their arithmetic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "tests/report/table_test_util.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

using Writer = void (*)(const StatsAggregate&, ReportStream&);

// Team 0's figures: the aggregate's total, then players "A" and "p.1",
// each over its respawns. They set both money and lifetime.
struct AverageCase {
  const char* name;
  Writer writer;
  std::uint32_t total, totalRespawns, a, aRespawns, b, bRespawns;
  std::string dmRow;  // the cells of the DM Team row
};

void SetFigures(PlayerStats& player, std::uint32_t value, std::uint32_t respawns) {
  AddTo(player.m_dwTotalMoneyRound[0], value);
  AddTo(player.m_dwTotalAliveTime[0], value);
  player.m_dwNumRespawned[0] = respawns;
}

TEST(AverageTablesTest, WriteExactBytes) {
  const Writer money = &WriteAverageMoneyTable;
  const Writer lifetime = &WriteAverageLifetimeTable;
  const AverageCase cases[] = {
      // The overall cell divides the aggregate's totals, not the players' sums.
      {"money rounding", money, 250, 4, 10, 3, 20, 3, "62,50\t3,33\t6,67\t"},
      {"money without respawns", money, 250, 0, 10, 0, 20, 1, "0,00\t0,00\t20,00\t"},
      // Money is signed over unsigned respawns.
      {"money is signed", money, 0xFFFFFF9Cu, 1, 0x80000000u, 2, 0xFFFFFFFFu, 0xFFFFFFFFu,
       "-100,00\t-1073741824,00\t-0,00\t"},
      // Lifetime is unsigned and scaled by 0.001 held in single precision,
      // which lifts 1005 ms to 1,01 and 2^32 - 1 ms to 4294967,50.
      {"lifetime precision", lifetime, 1005, 1, 12345, 1, 90000, 4, "1,01\t12,35\t22,50\t"},
      {"lifetime without respawns", lifetime, 1000, 0, 5000, 0, 3000, 1, "0,00\t0,00\t3,00\t"},
      {"lifetime is unsigned", lifetime, 0x80000000u, 1, 0xFFFFFFFFu, 1, 0xFFFFFFFFu, 0xFFFFFFFFu,
       "2147483,75\t4294967,50\t0,00\t"},
  };
  for (const AverageCase& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate aggregate;
    SetFigures(aggregate.FindOrAddPlayer("A"), c.a, c.aRespawns);
    SetFigures(aggregate.FindOrAddPlayer("p.1"), c.b, c.bRespawns);
    AddTo(aggregate.m_dwTotalPlayersMoneyRound[0], c.total);
    AddTo(aggregate.m_dwTotalPlayersAliveTime[0], c.total);
    aggregate.m_dwTotalNumRespawns[0] = c.totalRespawns;
    // Lifetime, the last section, has no empty line after its Blue Team row.
    EXPECT_EQ(WriteToString(c.writer, aggregate),
              std::string(c.writer == money ? kAverageMoneyTitle : kAverageLifetimeTitle) +
                  kTotalCaptionNeuter + "A\tp.1\t\nDM Team\t" + c.dmRow +
                  "\nGreen Team\t0,00\t0,00\t0,00\t\nBlue Team\t0,00\t0,00\t0,00\t\n" +
                  (c.writer == money ? "\n" : ""));
  }
}

struct Purchase {
  const char* player;
  const char* id;
  const char* label;
  std::size_t team;
  std::size_t bucket;
  std::uint32_t count;
};

TEST(ItemPurchaseTableTest, WritesExactBytes) {
  const std::string none = "\n\n";
  struct Case {
    const char* name;
    std::vector<Purchase> purchases;
    std::string blocks[kNumTeams];  // each block after its label line
  } cases[] = {
      // Players' purchases are summed per bucket; any key can be an item,
      // and an item gets a row only in the teams where it was bought.
      {"sums per bucket",
       {{"A", "wpn_ak74", "AK-74", 1, 0, 2},
        {"B", "wpn_ak74", "AK-74", 1, 2, 1},
        {"A", "knife", "Knife", 0, 0, 1}},
       {"\t500\nKnife\t1\t\n\n", "\t500\t1000\t2000\nAK-74\t2\t0\t1\t\n\n", none}},
      // The row total is 32-bit: purchases that wrap to 0 make no row, yet
      // they still set the columns; "%d" shows 2^31 and more as negative.
      {"large counts",
       {{"A", "wpn_x", "X", 0, 0, 0x80000000u},
        {"B", "wpn_x", "X", 0, 0, 0x80000000u},
        {"A", "wpn_x", "X", 1, 0, 0x80000000u}},
       {"\t500\n\n", "\t500\nX\t-2147483648\t\n\n", none}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate aggregate;
    for (const Purchase& p : c.purchases) {
      AddWeapon(aggregate, p.player, p.id, p.label).m_dwBuyBuckets.Set(p.team, p.bucket, p.count);
    }
    EXPECT_EQ(WriteToString(&WriteItemPurchaseTable, aggregate),
              kItemPurchaseTitle + ("DM Team\n" + c.blocks[0]) + "Green Team\n" + c.blocks[1] +
                  "Blue Team\n" + c.blocks[2]);
  }
}

}  // namespace
}  // namespace wus::test
