// The four per-player weapon tables: purchases, kills, efficiency and
// accuracy, checked byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

#include "report/sections.h"
#include "report/weapon_rows.h"
#include "tests/table_test_util.h"
#include "text/format.h"

namespace wus::test {
namespace {

using Writer = void (*)(StatsAggregate&, ReportStream&);

// The cell helpers write what "%d\t" and "%.2f\t" write, also for halves
// of a cent (ties go to even), signs, huge values and what no count makes.
TEST(WeaponCellsTest, CellsMatchPrintf) {
  const std::uint32_t counts[] = {0, 1, 7, 2147483647u, 2147483648u, 4294967295u};
  for (std::uint32_t count : counts) {
    std::string cell;
    AppendCountCell(&cell, count);
    EXPECT_EQ(cell, StringPrintf("%d\t", AsSigned(count)));
  }
  const double values[] = {0.0,   -0.0,    0.125,      0.375, 2.675,   1.005, -0.001,   -12.345,
                           100.0, 1.0 / 3, 4294967295, 1e300, -1e-300, 1e22,  INFINITY, NAN};
  for (double value : values) {
    std::string cell;
    AppendFixedCell(&cell, value);
    EXPECT_EQ(cell, StringPrintf("%.2f\t", value)) << value;
  }
}

struct Table {
  Writer writer;
  std::string title;    // as it reaches the report
  std::string caption;  // the heading line's first two cells
};

const Table kPurchases{&WriteWeaponPurchaseTable,
                       Cp1251("------------- Частота покупки оружия -------------\n\n"),
                       HeadingFeminine()};
const Table kKills{&WriteWeaponKillTable,
                   Cp1251("------------- Количество убийств из оружия -------------\n\n"),
                   HeadingNeuter()};
const Table kEfficiency{
    &WriteWeaponEfficiencyTable,
    Cp1251("------------- Эффективность оружия, %  ( Убийства/Попадания )-------------\n\n"),
    HeadingFeminine()};
const Table kAccuracy{
    &WriteWeaponAccuracyTable,
    Cp1251("------------- Точность оружия, % ( Попадания/Выстрелы )-------------\n\n"),
    HeadingFeminine()};

struct Case {
  const char* name;
  const Table& table;
  std::function<void(StatsAggregate&)> build;
  std::string players;  // the names in the heading line, each with its tab
  std::string rows;
};

// Players A and B, with A's weapon `id` ("X") set up by `setA` and B's by
// `setB` (B gets a weapon only when `setB` is given).
std::function<void(StatsAggregate&)> TwoPlayers(std::function<void(WeaponStats&)> setA,
                                                std::function<void(WeaponStats&)> setB,
                                                std::string id = "wpn_x") {
  return [=](StatsAggregate& aggregate) {
    setA(AddWeapon(aggregate, "A", id, "X"));
    if (setB) {
      setB(AddWeapon(aggregate, "B", id, "X"));
    } else {
      aggregate.FindOrAddPlayer("B");
    }
  };
}

// Keys: "wpn_" at the start, in the middle, in capitals, and only in the
// display name.
void FilterKeys(StatsAggregate& aggregate) {
  AddWeapon(aggregate, "A", "wpn_a", "Front").m_dwNumKills = 1;
  AddWeapon(aggregate, "A", "x_wpn_b", "Middle").m_dwNumKills = 2;
  AddWeapon(aggregate, "A", "WPN_C", "Capitals").m_dwNumKills = 3;
  AddWeapon(aggregate, "A", "knife", "wpn_knife").m_dwNumKills = 4;
}

// B's weapon "wpn_ak2" carries A's identifier "wpn_ak" as its display name,
// so the key "wpn_ak" also finds B's weapon.
void KeyThroughDisplayName(StatsAggregate& aggregate) {
  AddWeapon(aggregate, "A", "wpn_ak", "AK").m_dwNumKills = 1;
  AddWeapon(aggregate, "B", "wpn_ak2", "wpn_ak").m_dwNumKills = 2;
}

void LaterLabelAndUnmatchedKey(StatsAggregate& aggregate) {
  AddWeapon(aggregate, "A", "wpn_x", "First").m_dwNumKills = 1;
  aggregate.FindOrAddPlayer("B");
  AddWeapon(aggregate, "C", "wpn_x", "Third").m_dwNumKills = 2;
  aggregate.AddWeaponName("wpn_nobody");
}

void DotsAndPercents(StatsAggregate& aggregate) {
  WeaponStats& weapon = AddWeapon(aggregate, "p.1%s", "wpn_%n.x", "X.%d");
  weapon.m_dwNumBought = 2;
  weapon.m_dwNumKills = 1;
  weapon.m_dwNumHits = 2;
}

// Counters whose sums over the players pass 2^32.
void WrappingSums(StatsAggregate& aggregate) {
  WeaponStats& a = AddWeapon(aggregate, "A", "wpn_x", "X");
  a.m_dwNumBought = 0xFFFFFFFFu;
  a.m_dwNumHits = 0x80000000u;
  a.m_dwNumShots = 0x80000000u;
  WeaponStats& b = AddWeapon(aggregate, "B", "wpn_x", "X");
  b.m_dwNumBought = 2;
  b.m_dwNumHits = 0x80000004u;
  b.m_dwNumShots = 0x80000008u;
}

void PrintTo(const Case& test, std::ostream* out) { *out << test.name; }

class WeaponTableTest : public testing::TestWithParam<Case> {};

TEST_P(WeaponTableTest, WritesExactBytes) {
  const Case& test = GetParam();
  StatsAggregate aggregate;
  test.build(aggregate);
  EXPECT_EQ(WriteToString(test.table.writer, aggregate),
            test.table.title + test.table.caption + test.players + "\n" + test.rows + "\n");
}

void SetBought3(WeaponStats& w) { w.m_dwNumBought = 3; }

INSTANTIATE_TEST_SUITE_P(
    Tables, WeaponTableTest,
    testing::Values(
        // The worked example of each table.
        Case{"PurchasesExample", kPurchases, TwoPlayers(SetBought3, nullptr, "x_id"), "A\tB\t",
             "X\t3\t3\t0\t\n"},
        Case{"KillsExample", kKills,
             TwoPlayers([](WeaponStats& w) { w.m_dwNumKills = 2; },
                        [](WeaponStats& w) { w.m_dwNumKills = 5; }),
             "A\tB\t", "X\t7\t2\t5\t\n"},
        Case{"EfficiencyExample", kEfficiency,
             TwoPlayers(
                 [](WeaponStats& w) {
                   w.m_dwNumKills = 1;
                   w.m_dwNumHits = 2;
                 },
                 [](WeaponStats& w) {
                   w.m_dwNumKills = 2;
                   w.m_dwNumHits = 10;
                 }),
             "A\tB\t", "X\t0,25\t0,50\t0,20\t\n"},
        Case{"AccuracyExample", kAccuracy,
             TwoPlayers(
                 [](WeaponStats& w) {
                   w.m_dwNumShots = 10;
                   w.m_dwNumHits = 4;
                 },
                 nullptr),
             "A\tB\t", "X\t0,40\t0,40\t0,00\t\n"},
        // Zero divisors give 0 for the player; the counters still enter the sums.
        Case{"EfficiencyKillsWithoutHits", kEfficiency,
             TwoPlayers(
                 [](WeaponStats& w) {
                   w.m_dwNumKills = 1;
                   w.m_dwNumHits = 2;
                 },
                 [](WeaponStats& w) { w.m_dwNumKills = 1; }),
             "A\tB\t", "X\t1,00\t0,50\t0,00\t\n"},
        Case{"AccuracyHitsWithoutShots", kAccuracy,
             TwoPlayers([](WeaponStats& w) { w.m_dwNumHits = 3; },
                        [](WeaponStats& w) {
                          w.m_dwNumShots = 10;
                          w.m_dwNumHits = 2;
                        }),
             "A\tB\t", "X\t0,50\t0,00\t0,20\t\n"},
        // Which keys make rows.
        Case{"PurchasesTakeEveryKey", kPurchases, FilterKeys, "A\t",
             "Front\t0\t0\t\nMiddle\t0\t0\t\nCapitals\t0\t0\t\nwpn_knife\t0\t0\t\n"},
        Case{"KillsTakeWpnKeysOnly", kKills, FilterKeys, "A\t", "Front\t1\t1\t\nMiddle\t2\t2\t\n"},
        Case{"EfficiencyTakesWpnKeysOnly", kEfficiency, FilterKeys, "A\t",
             "Front\t0,00\t0,00\t\nMiddle\t0,00\t0,00\t\n"},
        // Labels: the last matching player's display name, else the key.
        Case{"KeyFoundThroughDisplayName", kKills, KeyThroughDisplayName, "A\tB\t",
             "wpn_ak\t3\t1\t2\t\nwpn_ak\t2\t0\t2\t\n"},
        Case{"LaterPlayerLabelsRow", kKills, LaterLabelAndUnmatchedKey, "A\tB\tC\t",
             "Third\t3\t1\t0\t2\t\nwpn_nobody\t0\t0\t0\t0\t\n"},
        // "." stays in plain writes and becomes "," in the ratio lines;
        // "%" is never read as a conversion.
        Case{"PurchasesKeepDots", kPurchases, DotsAndPercents, "p.1%s\t", "X.%d\t2\t2\t\n"},
        Case{"EfficiencyCommasInLabel", kEfficiency, DotsAndPercents, "p.1%s\t",
             "X,%d\t0,50\t0,50\t\n"},
        // 32-bit sums wrap; "%d" shows counters of 2^31 and more as negative.
        Case{"PurchasesWrap", kPurchases, WrappingSums, "A\tB\t", "X\t1\t-1\t2\t\n"},
        Case{"AccuracyWraps", kAccuracy, WrappingSums, "A\tB\t", "X\t0,50\t1,00\t1,00\t\n"}),
    CaseName<Case>);

}  // namespace
}  // namespace wus::test
