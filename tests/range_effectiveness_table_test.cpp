// The effectiveness by range table: its column count, its distance columns
// and the hits that lie beyond them.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "tests/hit_aggregate.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kMaxFloat = std::numeric_limits<float>::max();

// A data line: the label, then every count followed by a tab.
std::string Row(const std::string& label, const std::vector<int>& counts) {
  std::string line = label + "\t";
  for (int count : counts) line += std::to_string(count) + "\t";
  return line + "\n";
}

// A data line of 1024 counts, all 0 but the given cells.
std::string WideRow(const std::string& label, const std::vector<std::pair<int, int>>& cells) {
  std::vector<int> counts(1024);
  for (auto [cell, count] : cells) counts[static_cast<std::size_t>(cell)] = count;
  return Row(label, counts);
}

struct RangeCase {
  const char* name;
  std::vector<TestWeapon> weapons;
  std::string rows;  // everything between the title and the closing empty line
};

TEST(RangeEffectivenessTableTest, WritesOneColumnPerDistanceUnit) {
  const std::vector<RangeCase> cases = {
      {"no finite distance: label and one tab per row; keys without wpn_ get no row",
       {{"P", "wpn_a", "A", {HitAt(kNaN), HitAt(kInf)}},
        {"P", "knife", "Knife", {}},
        {"P", "x_wpn_b", "B.1", {}}},
       "A\t\nB.1\t\n"},
      {"no weapon key at all", {{"P", "knife", "Knife", {HitAt(3.5f)}}}, ""},
      {"fractional largest distance: N is its ceiling",
       {{"P", "wpn_a", "A", {HitAt(0.3f), HitAt(0.9f), HitAt(1.0f), HitAt(2.5f)}},
        {"P", "wpn_b", "B", {HitAt(0.5f)}}},
       Row("A", {2, 1, 1}) + Row("B", {1, 0, 0})},
      {"every hit at distance 0", {{"P", "wpn_a", "A", {HitAt(0), HitAt(0)}}}, Row("A", {2})},
      {"rows sum the players; the last matching player gives the label",
       {{"P1", "wpn_a", "A.1", {HitAt(0.5f)}},
        {"P2", "other", "O", {HitAt(0.25f)}},
        {"P3", "wpn_a", "A.2", {HitAt(1.5f), HitAt(1.75f)}}},
       Row("A.2", {1, 2})},
      {"non-finite distances count nowhere and set no column",
       {{"P",
         "wpn_a",
         "A",
         {Span({kNaN, 0, 0}, {1, 0, 0}), Span({0, 0, 0}, {0, kInf, 0}),
          Span({-kInf, 0, 0}, {kInf, 0, 0}), Span({kInf, 0, 0}, {kInf, 0, 0}), HitAt(2.5f)}}},
       Row("A", {0, 0, 1})},
      {"distances of 1023 and beyond share the last of 1024 columns",
       {{"P",
         "wpn_a",
         "A",
         {HitAt(2), HitAt(1022.5f), HitAt(1023), HitAt(5000),
          Span({-kMaxFloat, 0, 0}, {kMaxFloat, 0, 0})}},
        {"P", "wpn_b", "B", {}}},
       WideRow("A", {{2, 1}, {1022, 1}, {1023, 3}}) + WideRow("B", {})},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate aggregate;
    AddWeapons(aggregate, c.weapons);
    EXPECT_EQ(WriteToString(WriteRangeEffectivenessTable, aggregate),
              kRangeEffectivenessTitle + c.rows + "\n");
  }
}

// A hit's column is the floor of its distance in double precision, each
// step rounded to double as on x86_64. From (1e-16, 0, 0) to (5, 0, 0) the
// difference rounds to exactly 5; code that keeps it in the x87 unit's 80
// bits gets 4.999... and column 4. The hits are loaded from a file's bytes,
// the way wusreport reads them.
TEST(RangeEffectivenessTableTest, TakesTheColumnOfTheDistanceRoundedToDouble) {
  const std::vector<std::pair<const char*, WusHitRecord>> cases = {
      {"away from a point just off the origin", MakeHit({1e-16f, 0, 0}, {5, 0, 0})},
      {"towards it", MakeHit({5, 0, 0}, {1e-16f, 0, 0})},
      {"along another axis", MakeHit({7, 1e-16f, -2}, {7, 5, -2})},
  };
  for (const auto& [name, hit] : cases) {
    SCOPED_TRACE(name);
    WusFile file = WorkedExample();  // one weapon wpn_a, labelled "A"
    file.players[0].weapons[0].hits = {hit};
    TempDir dir;
    StatsAggregate aggregate;
    LoadBytes(dir, "(Range)_(Test).wus", EncodeWusFile(file), aggregate);
    // Column 5 of 6.
    EXPECT_EQ(WriteToString(WriteRangeEffectivenessTable, aggregate),
              kRangeEffectivenessTitle + Row("A", {0, 0, 0, 0, 0, 1}) + "\n");
  }
}

}  // namespace
}  // namespace wus::test
