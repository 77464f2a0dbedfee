// The item purchase table: for each team, every item bought in that team
// with its purchase counters summed over all players, one column per
// purchase bucket up to the highest bucket used by any weapon of any player
// in that team. Every entry of m_WeaponNames is a candidate row.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {
namespace {

// One item's purchase counters summed over all players, for every team.
struct ItemRow {
  std::string_view label;
  BuyBuckets sums{};
  TeamCounters totals{};  // 32-bit wrapping sum of each team's buckets
};

using ColumnCounts = std::array<std::size_t, kNumTeams>;

// Returns, per team, one more than the highest bucket index whose counter
// is non-zero for some weapon of some player; 0 if there is none.
ColumnCounts CountBucketColumns(const StatsAggregate& aggregate) {
  ColumnCounts columns{};
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) {
      for (const BuyBucketCounts::Entry& entry : weapon.m_dwBuyBuckets.entries()) {
        if (entry.count == 0) continue;
        std::size_t& count = columns[BuyBucketCounts::TeamOf(entry)];
        count = std::max(count, BuyBucketCounts::BucketOf(entry) + 1);
      }
    }
  }
  return columns;
}

// Returns one row per entry of m_WeaponNames, in order. Buckets past a
// team's column count are 0 in every weapon, so summing all of them gives
// the same totals as summing the shown columns.
std::vector<ItemRow> SumItemRows(const WeaponRowIndex& rows) {
  const StatsAggregate& aggregate = rows.aggregate();
  std::vector<ItemRow> items;
  items.reserve(aggregate.m_WeaponNames.size());
  ForEachWeaponRow(rows, RowKeys::kAll, [&](const WeaponRow& row) {
    ItemRow& item = items.emplace_back();
    item.label = row.label;
    ForEachMatchedWeapon(
        row, [](const WeaponStats& weapon) { return weapon.m_dwBuyBuckets.entries().data(); },
        [&](const WeaponStats& weapon) {
          // The counters never added to are 0 and add nothing.
          for (const BuyBucketCounts::Entry& entry : weapon.m_dwBuyBuckets.entries()) {
            std::size_t team = BuyBucketCounts::TeamOf(entry);
            AddTo(item.sums[team][BuyBucketCounts::BucketOf(entry)], entry.count);
            AddTo(item.totals[team], entry.count);
          }
        });
  });
  return items;
}

// Returns the heading of bucket `k`: 500 for the first, then k * 1000.
int BucketHeading(std::size_t k) { return k == 0 ? 500 : static_cast<int>(k) * 1000; }

void WriteTeamBlock(const std::vector<ItemRow>& items, std::size_t team, std::size_t columns,
                    ReportStream& stream) {
  stream.Write(kTeamLabels[team]);
  stream.Write("\n");
  for (std::size_t k = 0; k < columns; ++k) stream.Printf("\t%d", BucketHeading(k));
  stream.Write("\n");
  std::string cells;
  for (const ItemRow& item : items) {
    if (item.totals[team] == 0) continue;
    cells.clear();
    for (std::size_t k = 0; k < columns; ++k) AppendCountCell(&cells, item.sums[team][k]);
    stream.Write(item.label);
    stream.Write("\t");
    stream.Write(cells);
    stream.Write("\n");
  }
  stream.Write("\n");
}

}  // namespace

void WriteItemPurchaseTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteItemPurchaseTable(WeaponRowIndex(aggregate), stream);
}

void WriteItemPurchaseTable(const WeaponRowIndex& rows, ReportStream& stream) {
  stream.Write(kItemPurchaseTitle);
  const ColumnCounts columns = CountBucketColumns(rows.aggregate());
  const std::vector<ItemRow> items = SumItemRows(rows);
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    WriteTeamBlock(items, team, columns[team], stream);
  }
}

}  // namespace wus
