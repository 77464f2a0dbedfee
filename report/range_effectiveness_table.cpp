// The effectiveness by range table: for every weapon row the hits counted in
// distance columns one unit wide, starting at distance 0, summed from the
// matched weapons' hit summaries (stats/hit_summary.h has the column rules).
// Every row has the same number of columns, enough for the longest finite
// hit distance found anywhere in the aggregate. No heading, no totals; every
// write is plain.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {
namespace {

// Returns the number of columns: the most any weapon's summary has,
// whether or not the weapon makes a row.
std::size_t RangeColumnCount(const StatsAggregate& aggregate) {
  std::size_t count = 0;
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) {
      count = std::max(count, weapon.m_HitSummary.rangeColumns().size());
    }
  }
  return count;
}

}  // namespace

void WriteRangeEffectivenessTable(const StatsAggregate& aggregate, ReportStream& stream) {
  WriteRangeEffectivenessTable(WeaponRowIndex(aggregate), stream);
}

void WriteRangeEffectivenessTable(const WeaponRowIndex& rows, ReportStream& stream) {
  const StatsAggregate& aggregate = rows.aggregate();
  stream.Write(kRangeEffectivenessTitle);
  std::vector<std::uint32_t> counts(RangeColumnCount(aggregate));
  std::string line;
  ForEachWeaponRow(rows, RowKeys::kWeaponsOnly, [&](const WeaponRow& row) {
    std::fill(counts.begin(), counts.end(), 0u);
    ForEachMatchedWeapon(
        row, [](const WeaponStats& weapon) { return weapon.m_HitSummary.rangeColumns().data(); },
        [&](const WeaponStats& weapon) { weapon.m_HitSummary.rangeColumns().AddTo(counts); });
    line.assign(row.label);
    line += '\t';
    for (std::uint32_t count : counts) AppendCountCell(&line, count);
    line += '\n';
    stream.Write(line);
  });
  stream.Write("\n");
}

}  // namespace wus
