// The item purchase table: for each team, every item bought in that team
// with its purchase counters summed over all players, one column per
// purchase bucket up to the highest bucket used by any weapon of any player
// in that team. Every entry of m_WeaponNames is a candidate row.
#include <array>
#include <string>

#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {
namespace {

// Returns one more than the highest bucket index whose counter is non-zero
// in team `team` for some weapon of some player; 0 if there is none.
std::size_t CountBucketColumns(const StatsAggregate& aggregate, std::size_t team) {
  std::size_t columns = 0;
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) {
      const auto& buckets = weapon.m_dwBuyBuckets[team];
      for (std::size_t k = kNumBuyBuckets; k > columns; --k) {
        if (buckets[k - 1] != 0) {
          columns = k;
          break;
        }
      }
    }
  }
  return columns;
}

// Returns the heading of bucket `k`: 500 for the first, then k * 1000.
int BucketHeading(std::size_t k) { return k == 0 ? 500 : static_cast<int>(k) * 1000; }

void WriteTeamBlock(const StatsAggregate& aggregate, std::size_t team, ReportStream& stream) {
  stream.Write(kTeamLabels[team]);
  stream.Write("\n");
  const std::size_t columns = CountBucketColumns(aggregate, team);
  for (std::size_t k = 0; k < columns; ++k) stream.Printf("\t%d", BucketHeading(k));
  stream.Write("\n");
  if (columns > 0) {
    std::string cells;
    ForEachWeaponRow(aggregate, RowKeys::kAll, [&](const WeaponRow& row) {
      std::array<std::uint32_t, kNumBuyBuckets> sums{};
      std::uint32_t total = 0;
      for (const WeaponStats* weapon : row.weapons) {
        if (weapon == nullptr) continue;
        for (std::size_t k = 0; k < columns; ++k) {
          AddTo(sums[k], weapon->m_dwBuyBuckets[team][k]);
          AddTo(total, weapon->m_dwBuyBuckets[team][k]);
        }
      }
      if (total == 0) return;
      cells.clear();
      for (std::size_t k = 0; k < columns; ++k) AppendCountCell(&cells, sums[k]);
      stream.Write(row.label);
      stream.Write("\t");
      stream.Write(cells);
      stream.Write("\n");
    });
  }
  stream.Write("\n");
}

}  // namespace

void WriteItemPurchaseTable(StatsAggregate& aggregate, ReportStream& stream) {
  stream.Write(kItemPurchaseTitle);
  for (std::size_t team = 0; team < kNumTeams; ++team) WriteTeamBlock(aggregate, team, stream);
}

}  // namespace wus
