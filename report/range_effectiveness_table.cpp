// The effectiveness by range table: for every weapon row the hits counted in
// distance columns one unit wide, starting at distance 0. Every row has the
// same number of columns, enough for the longest finite hit distance found
// anywhere in the aggregate; the last possible column (1023) also takes every
// longer hit, and hits whose distance is not a finite number count nowhere.
// No heading, no totals; every write is plain.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/hit_walk.h"
#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {
namespace {

constexpr std::size_t kMaxRangeColumns = 1024;
constexpr double kLastColumnStart = kMaxRangeColumns - 1;

// Returns the distance column of `hit`: the floor of the distance between its
// two points (computed in double precision), at most the last column; none
// when the distance is not a finite number.
std::optional<std::size_t> RangeColumn(const HitRecord& hit) {
  double sum = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    double delta = static_cast<double>(hit.m_Pos2[axis]) - static_cast<double>(hit.m_Pos1[axis]);
    sum += delta * delta;
  }
  double distance = std::sqrt(sum);
  if (!std::isfinite(distance)) return std::nullopt;
  if (distance >= kLastColumnStart) return kMaxRangeColumns - 1;
  // The distance is not negative, so dropping the fraction is the floor.
  return static_cast<std::size_t>(distance);
}

// Returns the number of columns: one past the largest column of any hit,
// 0 when no hit has a finite distance.
std::size_t RangeColumnCount(const StatsAggregate& aggregate) {
  std::size_t count = 0;
  ForEachHit(aggregate, [&](const HitRecord& hit) {
    if (std::optional<std::size_t> column = RangeColumn(hit)) count = std::max(count, *column + 1);
  });
  return count;
}

}  // namespace

void WriteRangeEffectivenessTable(StatsAggregate& aggregate, ReportStream& stream) {
  stream.Write(kRangeEffectivenessTitle);
  // Every hit of a row is also a hit of the aggregate, so its column is
  // below the count.
  std::vector<std::uint32_t> counts(RangeColumnCount(aggregate));
  std::string line;
  ForEachWeaponRow(aggregate, RowKeys::kWeaponsOnly, [&](const WeaponRow& row) {
    std::fill(counts.begin(), counts.end(), 0u);
    ForEachRowHit(row, [&](const HitRecord& hit) {
      if (std::optional<std::size_t> column = RangeColumn(hit)) AddTo(counts[*column], 1);
    });
    line.assign(row.label);
    line += '\t';
    for (std::uint32_t count : counts) AppendCountCell(&line, count);
    line += '\n';
    stream.Write(line);
  });
  stream.Write("\n");
}

}  // namespace wus
