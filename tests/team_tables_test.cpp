// The per-team tables: average money, item purchases and average lifetime,
// checked byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "app/driver.h"
#include "report/sections.h"
#include "tests/table_test_util.h"

namespace wus::test {
namespace {

const std::string kMoneyTitle = Cp1251(
    "------------- Среднее количество заработанных денег, (Заработанные деньги/кол-во "
    "респавнов) -------------\n\n");
const std::string kItemTitle = Cp1251("------------- Покупаемость предметов -------------\n\n");
const std::string kLifetimeTitle =
    Cp1251("------------- Среднее время жизни игрока, сек. -------------\n\n");

// One team's figures: the aggregate's totals and players A and B.
struct TeamFigures {
  std::uint32_t total;
  std::uint32_t totalRespawns;
  std::uint32_t a;
  std::uint32_t aRespawns;
  std::uint32_t b;
  std::uint32_t bRespawns;
};

enum class Average { kMoney, kLifetime };

struct AverageCase {
  const char* name;
  Average average;
  TeamFigures team0;
  TeamFigures team2;
  std::string row0;  // the averages of the DM Team row
  std::string row2;  // the averages of the Blue Team row
};

void PrintTo(const AverageCase& test, std::ostream* out) { *out << test.name; }

// Sets team `team` of players "A" and "p.1" (B) and of the aggregate's
// totals, through `field` of a player and `totalField` of the aggregate.
template <typename PlayerField, typename TotalField>
void SetTeam(StatsAggregate& aggregate, std::size_t team, const TeamFigures& figures,
             PlayerField field, TotalField totalField) {
  PlayerStats& a = aggregate.FindOrAddPlayer("A");
  AddTo((a.*field)[team], figures.a);
  a.m_dwNumRespawned[team] = figures.aRespawns;
  PlayerStats& b = aggregate.FindOrAddPlayer("p.1");
  AddTo((b.*field)[team], figures.b);
  b.m_dwNumRespawned[team] = figures.bRespawns;
  AddTo((aggregate.*totalField)[team], figures.total);
  aggregate.m_dwTotalNumRespawns[team] = figures.totalRespawns;
}

class AverageTableTest : public testing::TestWithParam<AverageCase> {};

TEST_P(AverageTableTest, WritesExactBytes) {
  const AverageCase& test = GetParam();
  StatsAggregate aggregate;
  for (std::size_t team : {std::size_t{0}, std::size_t{2}}) {
    const TeamFigures& figures = team == 0 ? test.team0 : test.team2;
    if (test.average == Average::kMoney) {
      SetTeam(aggregate, team, figures, &PlayerStats::m_dwTotalMoneyRound,
              &StatsAggregate::m_dwTotalPlayersMoneyRound);
    } else {
      SetTeam(aggregate, team, figures, &PlayerStats::m_dwTotalAliveTime,
              &StatsAggregate::m_dwTotalPlayersAliveTime);
    }
  }
  const bool money = test.average == Average::kMoney;
  // Lifetime, the last section, has no empty line after its Blue Team row.
  EXPECT_EQ(WriteToString(money ? &WriteAverageMoneyTable : &WriteAverageLifetimeTable, aggregate),
            (money ? kMoneyTitle : kLifetimeTitle) + HeadingNeuter() + "A\tp.1\t\nDM Team\t" +
                test.row0 + "\nGreen Team\t0,00\t0,00\t0,00\t\nBlue Team\t" + test.row2 + "\n" +
                (money ? "\n" : ""));
}

const TeamFigures kNone{0, 0, 0, 0, 0, 0};
const std::string kZeros = "0,00\t0,00\t0,00\t";

// Money is stored as it arrives (32-bit) and read as signed over unsigned
// respawns; lifetime is unsigned and scaled by 0.001 held in single
// precision, which lifts 1005 ms to 1,01 and 2^32 - 1 ms to 4294967,50.
INSTANTIATE_TEST_SUITE_P(
    Tables, AverageTableTest,
    testing::Values(AverageCase{"MoneyRounding",
                                Average::kMoney,
                                {250, 4, 10, 3, 20, 3},
                                kNone,
                                "62,50\t3,33\t6,67\t",
                                kZeros},
                    AverageCase{"MoneyNoRespawnGivesZero",
                                Average::kMoney,
                                {250, 0, 10, 0, 20, 1},
                                {7, 0, 5, 0, 0, 0},
                                "0,00\t0,00\t20,00\t",
                                kZeros},
                    AverageCase{"MoneyIsSigned",
                                Average::kMoney,
                                {0xFFFFFF9Cu, 1, 0x80000000u, 2, 0xFFFFFFFFu, 0xFFFFFFFFu},
                                kNone,
                                "-100,00\t-1073741824,00\t-0,00\t",
                                kZeros},
                    AverageCase{"MoneyOverallFromTotalsNotPlayers",
                                Average::kMoney,
                                {1, 1, 400, 4, 600, 2},
                                {9, 3, 0, 0, 0, 0},
                                "1,00\t100,00\t300,00\t",
                                "3,00\t0,00\t0,00\t"},
                    AverageCase{"LifetimeSinglePrecisionFactor",
                                Average::kLifetime,
                                {1005, 1, 12345, 1, 90000, 4},
                                kNone,
                                "1,01\t12,35\t22,50\t",
                                kZeros},
                    AverageCase{"LifetimeNoRespawnGivesZero",
                                Average::kLifetime,
                                {1000, 0, 5000, 0, 3000, 1},
                                {0, 0, 1, 0, 0, 0},
                                "0,00\t0,00\t3,00\t",
                                kZeros},
                    AverageCase{"LifetimeIsUnsigned",
                                Average::kLifetime,
                                {0x80000000u, 1, 0xFFFFFFFFu, 1, 0xFFFFFFFFu, 0xFFFFFFFFu},
                                {0x80000005u, 2, 0, 0, 0, 0},
                                "2147483,75\t4294967,50\t0,00\t",
                                "1073741,88\t0,00\t0,00\t"}),
    CaseName<AverageCase>);

TEST(AverageLifetimeTest, ReportEndsWithBlueTeamRow) {
  StatsAggregate aggregate;
  AddWeapon(aggregate, "A", "wpn_x", "X");
  std::string report = WriteToString(&WriteReport, aggregate);
  const std::string tail = "\nBlue Team\t0,00\t0,00\t\n";
  ASSERT_GE(report.size(), tail.size());
  EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
}

// Item purchases: one block per team.
struct ItemCase {
  const char* name;
  std::function<void(StatsAggregate&)> build;
  std::string blocks[kNumTeams];  // each block after its label line
};

void PrintTo(const ItemCase& test, std::ostream* out) { *out << test.name; }

class ItemPurchaseTest : public testing::TestWithParam<ItemCase> {};

TEST_P(ItemPurchaseTest, WritesExactBytes) {
  const ItemCase& test = GetParam();
  StatsAggregate aggregate;
  test.build(aggregate);
  EXPECT_EQ(WriteToString(&WriteItemPurchaseTable, aggregate),
            kItemTitle + "DM Team\n" + test.blocks[0] + "Green Team\n" + test.blocks[1] +
                "Blue Team\n" + test.blocks[2]);
}

const std::string kNothingBought = "\n\n";

INSTANTIATE_TEST_SUITE_P(
    Tables, ItemPurchaseTest,
    testing::Values(
        // Two players' purchases of one item are summed per bucket.
        ItemCase{"Example",
                 [](StatsAggregate& aggregate) {
                   AddWeapon(aggregate, "A", "wpn_ak74", "AK-74").m_dwBuyBuckets[1][0] = 2;
                   AddWeapon(aggregate, "B", "wpn_ak74", "AK-74").m_dwBuyBuckets[1][2] = 1;
                 },
                 {kNothingBought, "\t500\t1000\t2000\nAK-74\t2\t0\t1\t\n\n", kNothingBought}},
        // The columns run to the highest bucket of any weapon in the team;
        // rows that stop lower are padded with 0 cells. "." stays.
        ItemCase{"ColumnsFromHighestBucket",
                 [](StatsAggregate& aggregate) {
                   AddWeapon(aggregate, "A", "vest", "Ve.st").m_dwBuyBuckets[0][0] = 1;
                   AddWeapon(aggregate, "B", "wpn_x", "X").m_dwBuyBuckets[0][3] = 1;
                 },
                 {"\t500\t1000\t2000\t3000\nVe.st\t1\t0\t0\t0\t\nX\t0\t0\t0\t1\t\n\n",
                  kNothingBought, kNothingBought}},
        // Only items bought in a team get a row there; any key can be one.
        ItemCase{
            "RowsOnlyWhereBought",
            [](StatsAggregate& aggregate) {
              WeaponStats& knife = AddWeapon(aggregate, "A", "knife", "Knife");
              knife.m_dwBuyBuckets[0][0] = 1;
              knife.m_dwBuyBuckets[2][1] = 4;
              AddWeapon(aggregate, "A", "wpn_x", "X").m_dwBuyBuckets[2][0] = 3;
              AddWeapon(aggregate, "A", "wpn_y", "Y").m_dwNumBought = 5;
            },
            {"\t500\nKnife\t1\t\n\n", kNothingBought, "\t500\t1000\nKnife\t0\t4\t\nX\t3\t0\t\n\n"}},
        // The last bucket is headed 33000; "%d" shows 2^31 and more as negative.
        ItemCase{"LastBucketAndLargeCounts",
                 [](StatsAggregate& aggregate) {
                   AddWeapon(aggregate, "A", "wpn_x", "X").m_dwBuyBuckets[1][33] = 0x80000000u;
                 },
                 {kNothingBought,
                  "\t500\t1000\t2000\t3000\t4000\t5000\t6000\t7000\t8000\t9000\t10000\t11000"
                  "\t12000\t13000\t14000\t15000\t16000\t17000\t18000\t19000\t20000\t21000"
                  "\t22000\t23000\t24000\t25000\t26000\t27000\t28000\t29000\t30000\t31000"
                  "\t32000\t33000\nX\t" +
                      Repeat("0\t", 33) + "-2147483648\t\n\n",
                  kNothingBought}},
        // The row total is 32-bit: purchases that wrap to 0 make no row.
        ItemCase{"RowTotalWraps",
                 [](StatsAggregate& aggregate) {
                   AddWeapon(aggregate, "A", "wpn_x", "X").m_dwBuyBuckets[0][0] = 0x80000000u;
                   AddWeapon(aggregate, "B", "wpn_x", "X").m_dwBuyBuckets[0][0] = 0x80000000u;
                 },
                 {"\t500\n\n", kNothingBought, kNothingBought}}),
    CaseName<ItemCase>);

}  // namespace
}  // namespace wus::test
