// What every table writes for an empty aggregate, and that tables stay
// complete with 20000 players.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "report/sections.h"
#include "tests/table_test_util.h"
#include "text/format.h"

namespace wus::test {
namespace {

using Writer = void (*)(StatsAggregate&, ReportStream&);

struct SectionCase {
  const char* name;
  Writer writer;
  std::string empty;  // the bytes written for an empty aggregate
  std::string row;    // a data line with kPlayers players (see BigAggregate)
};

void PrintTo(const SectionCase& test, std::ostream* out) { *out << test.name; }

constexpr std::size_t kPlayers = 20000;

const std::string kTeamRowsEmpty = "DM Team\t0,00\t\nGreen Team\t0,00\t\nBlue Team\t0,00\t\n";

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
    weapon.m_dwBuyBuckets[0][1] = 1;
    PlayerStats& player = aggregate.FindOrAddPlayer(name);
    player.m_dwTotalMoneyRound[0] = 150;
    player.m_dwTotalAliveTime[0] = 2500;
    player.m_dwNumRespawned[0] = 1;
  }
  aggregate.m_dwTotalPlayersMoneyRound[0] = 150 * static_cast<std::int32_t>(kPlayers);
  aggregate.m_dwTotalPlayersAliveTime[0] = 2500 * kPlayers;
  aggregate.m_dwTotalNumRespawns[0] = kPlayers;
}

const std::string kTotal = std::to_string(kPlayers);

class SectionTest : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionTest, EmptyAggregate) {
  StatsAggregate aggregate;
  EXPECT_EQ(WriteToString(GetParam().writer, aggregate), GetParam().empty);
}

TEST_P(SectionTest, TwentyThousandPlayers) {
  StatsAggregate aggregate;
  BuildBigAggregate(aggregate);
  std::string table = WriteToString(GetParam().writer, aggregate);
  const std::string& row = GetParam().row;
  // The row is complete and a whole line of the table.
  EXPECT_NE(table.find("\n" + row), std::string::npos) << "row of " << row.size() << " bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SectionTest,
    testing::Values(
        SectionCase{"WeaponPurchases", &WriteWeaponPurchaseTable,
                    Cp1251("------------- Частота покупки оружия -------------\n\n") +
                        HeadingFeminine() + "\n\n",
                    "X\t" + kTotal + "\t" + Repeat("1\t", kPlayers) + "\n"},
        SectionCase{"WeaponKills", &WriteWeaponKillTable,
                    Cp1251("------------- Количество убийств из оружия -------------\n\n") +
                        HeadingNeuter() + "\n\n",
                    "X\t" + kTotal + "\t" + Repeat("1\t", kPlayers) + "\n"},
        SectionCase{"WeaponEfficiency", &WriteWeaponEfficiencyTable,
                    Cp1251("------------- Эффективность оружия, %  ( Убийства/Попадания "
                           ")-------------\n\n") +
                        HeadingFeminine() + "\n\n",
                    "X\t0,50\t" + Repeat("0,50\t", kPlayers) + "\n"},
        SectionCase{"WeaponAccuracy", &WriteWeaponAccuracyTable,
                    Cp1251("------------- Точность оружия, % ( Попадания/Выстрелы "
                           ")-------------\n\n") +
                        HeadingFeminine() + "\n\n",
                    "X\t0,25\t" + Repeat("0,25\t", kPlayers) + "\n"},
        SectionCase{"AverageMoney", &WriteAverageMoneyTable,
                    Cp1251("------------- Среднее количество заработанных денег, "
                           "(Заработанные деньги/кол-во респавнов) -------------\n\n") +
                        HeadingNeuter() + "\n" + kTeamRowsEmpty + "\n",
                    "DM Team\t150,00\t" + Repeat("150,00\t", kPlayers) + "\n"},
        SectionCase{"ItemPurchases", &WriteItemPurchaseTable,
                    Cp1251("------------- Покупаемость предметов -------------\n\n") +
                        "DM Team\n\n\nGreen Team\n\n\nBlue Team\n\n\n",
                    "X\t0\t" + kTotal + "\t\n"},
        SectionCase{"AverageLifetime", &WriteAverageLifetimeTable,
                    Cp1251("------------- Среднее время жизни игрока, сек. -------------\n\n") +
                        HeadingNeuter() + "\n" + kTeamRowsEmpty,
                    "DM Team\t2,50\t" + Repeat("2,50\t", kPlayers) + "\n"}),
    CaseName<SectionCase>);

}  // namespace
}  // namespace wus::test
