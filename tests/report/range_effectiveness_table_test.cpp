// The effectiveness by range table: its column count, its distance columns
// and the hits that lie beyond them.
#include <gtest/gtest.h>

#include <limits>
#include <string>
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

}  // namespace
}  // namespace wus::test
