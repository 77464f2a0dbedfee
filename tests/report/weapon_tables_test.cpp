// The four per-player weapon tables: purchases, kills, efficiency and
// accuracy, checked byte for byte where they pass an edge.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_rows.h"
#include "tests/report/table_test_util.h"
#include "tests/test_util.h"
#include "text/format.h"

namespace wus::test {
namespace {

// The cell helpers write what "%d\t" and "%.2f\t" write, also for halves
// of a cent (ties go to even), signs, huge values and what no count makes.
TEST(WeaponCellsTest, CellsMatchPrintf) {
  const std::uint32_t counts[] = {0, 1, 7, 2147483647u, 2147483648u, 4294967295u};
  for (std::uint32_t count : counts) {
    std::string cell;
    AppendCountCell(&cell, count);
    EXPECT_EQ(cell, StringPrintf("%d\t", AsSigned(count)));
  }
  std::vector<double> values = {0.0,     -0.0,         0.125,        0.375,      2.675,      1.005,
                                -0.001,  -12.345,      100.0,        1.0 / 3,    4294967295, 1e300,
                                -1e-300, 1e22,         INFINITY,     NAN,        5e-324,     0.005,
                                0.015,   1e15 + 0.125, 0x1p52 - 0.5, 0x1p53 - 1, 0x1p53};
  // Every ratio of small counts, and eighths up to the largest magnitudes
  // (ties of every kind, both sides of a cent).
  for (int a = 0; a <= 80; ++a) {
    for (int b = 1; b <= 80; ++b) values.push_back(Ratio(a, b));
  }
  for (double scale = 1; scale < 0x1p60; scale *= 7) {
    for (int eighths = 0; eighths < 16; ++eighths) values.push_back(scale + eighths / 8.0);
  }
  for (double value : values) {
    std::string cell;
    AppendFixedCell(&cell, value);
    EXPECT_EQ(cell, StringPrintf("%.2f\t", value)) << value;
  }
}

struct Table {
  void (*writer)(const StatsAggregate&, ReportStream&);
  const char* title;
  const char* caption;  // the heading line's first two cells
};

const Table kPurchases{&WriteWeaponPurchaseTable, kWeaponPurchaseTitle, kTotalCaptionFeminine};
const Table kKills{&WriteWeaponKillTable, kWeaponKillTitle, kTotalCaptionNeuter};
const Table kEfficiency{&WriteWeaponEfficiencyTable, kWeaponEfficiencyTitle, kTotalCaptionFeminine};
const Table kAccuracy{&WriteWeaponAccuracyTable, kWeaponAccuracyTitle, kTotalCaptionFeminine};

// One weapon record of one player. Without `id` it adds only the player,
// without `player` only the key.
struct Record {
  const char* player;
  const char* id;
  const char* label;
  std::uint32_t bought = 0, kills = 0, hits = 0, shots = 0;
};

TEST(WeaponTablesTest, WriteExactBytes) {
  // Counters whose sums over the players pass 2^32.
  const std::vector<Record> wrapping = {
      {"A", "wpn_x", "X", 0xFFFFFFFFu, 0, 0x80000000u, 0x80000000u},
      {"B", "wpn_x", "X", 2, 0, 0x80000004u, 0x80000008u}};
  const std::vector<Record> zeroDivisors = {{"A", "wpn_x", "X", 0, 1, 2, 0},
                                            {"B", "wpn_x", "X", 0, 1, 0, 10}};
  const std::vector<Record> dotsAndPercents = {{"p.1%s", "wpn_%n.x", "X.%d", 2, 1, 2}};
  struct Case {
    const char* name;
    const Table& table;
    std::vector<Record> records;
    std::string players;  // the names in the heading line, each with its tab
    std::string rows;
  } cases[] = {
      // Zero divisors give 0 for the player; the counters still enter the sums.
      {"kills without hits", kEfficiency, zeroDivisors, "A\tB\t", "X\t1,00\t0,50\t0,00\t\n"},
      {"hits without shots", kAccuracy, zeroDivisors, "A\tB\t", "X\t0,20\t0,00\t0,00\t\n"},
      // "wpn_" at the start and in the middle make a row; in capitals or
      // only in the display name they do not.
      {"weapon keys",
       kKills,
       {{"A", "wpn_a", "Front", 0, 1},
        {"A", "x_wpn_b", "Middle", 0, 2},
        {"A", "WPN_C", "Capitals", 0, 3},
        {"A", "knife", "wpn_knife", 0, 4}},
       "A\t",
       "Front\t1\t1\t\nMiddle\t2\t2\t\n"},
      // B's display name is A's key, so the key "wpn_ak" also finds B's weapon.
      {"key found through a display name",
       kKills,
       {{"A", "wpn_ak", "AK", 0, 1}, {"B", "wpn_ak2", "wpn_ak", 0, 2}},
       "A\tB\t",
       "wpn_ak\t3\t1\t2\t\nwpn_ak\t2\t0\t2\t\n"},
      // The label is the last matching player's display name, else the key.
      {"later player labels the row",
       kKills,
       {{"A", "wpn_x", "First", 0, 1},
        {"B", nullptr, nullptr},
        {"C", "wpn_x", "Third", 0, 2},
        {nullptr, "wpn_nobody", nullptr}},
       "A\tB\tC\t",
       "Third\t3\t1\t0\t2\t\nwpn_nobody\t0\t0\t0\t0\t\n"},
      // "." becomes "," in a ratio row's label but not in the heading; "%"
      // is never read as a conversion.
      {"dots and percents", kEfficiency, dotsAndPercents, "p.1%s\t", "X,%d\t0,50\t0,50\t\n"},
      // 32-bit sums wrap; "%d" shows counters of 2^31 and more as negative.
      {"purchases wrap", kPurchases, wrapping, "A\tB\t", "X\t1\t-1\t2\t\n"},
      {"accuracy wraps", kAccuracy, wrapping, "A\tB\t", "X\t0,50\t1,00\t1,00\t\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate aggregate;
    for (const Record& r : c.records) {
      if (r.player == nullptr) {
        aggregate.AddWeaponName(r.id);
      } else if (r.id == nullptr) {
        aggregate.FindOrAddPlayer(r.player);
      } else {
        WeaponStats& weapon = AddWeapon(aggregate, r.player, r.id, r.label);
        weapon.m_dwNumBought = r.bought;
        weapon.m_dwNumKills = r.kills;
        weapon.m_dwNumHits = r.hits;
        weapon.m_dwNumShots = r.shots;
      }
    }
    EXPECT_EQ(WriteToString(c.table.writer, aggregate),
              c.table.title + (c.table.caption + c.players) + "\n" + c.rows + "\n");
  }
}

}  // namespace
}  // namespace wus::test
