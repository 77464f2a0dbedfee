// The shared bone table: collecting the bone columns, the heading, the rows
// and the Total row.
#include "report/bone_table.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "report/weapon_rows.h"
#include "text/format.h"

namespace wus {
namespace {

constexpr std::uint32_t kNoColumn = std::numeric_limits<std::uint32_t>::max();

// The columns, and the column of every id of m_BoneTexts.
struct Columns {
  std::vector<NameId> bones;
  std::vector<std::uint32_t> columnOf;
};

Columns CollectColumns(const StatsAggregate& aggregate) {
  Columns columns;
  columns.columnOf.assign(aggregate.m_BoneTexts.size(), kNoColumn);
  // The pool holds the bones of the summaries (and the empty text): once
  // that many columns are found, the rest of the walk adds none. A pool
  // with other texts is simply walked to the end.
  const std::size_t texts = aggregate.m_BoneTexts.size() - 1;
  for (const PlayerStats& player : aggregate.m_Players) {
    const auto& weapons = player.m_Weapons;
    for (std::size_t i = 0; i < weapons.size(); ++i) {
      if (columns.bones.size() == texts) return columns;
      // Each weapon's bone list lies elsewhere on the heap: ask for the
      // next ones while this one is read.
      if (i + 2 < weapons.size()) Prefetch(weapons[i + 2].m_HitSummary.bones().data());
      weapons[i].m_HitSummary.bones().ForEach([&columns](const BoneHitCount& count) {
        if (columns.columnOf[count.bone] != kNoColumn) return;
        columns.columnOf[count.bone] = static_cast<std::uint32_t>(columns.bones.size());
        columns.bones.push_back(count.bone);
      });
    }
  }
  return columns;
}

void WriteBoneHeading(const StatsAggregate& aggregate, const std::vector<NameId>& bones,
                      ReportStream& stream) {
  std::string line = "\tTotal";
  for (NameId bone : bones) {
    line += '\t';
    line += ShownBoneName(aggregate.m_BoneTexts.Get(bone));
  }
  line += '\n';
  stream.Write(line);
}

// Writes "%d\t" for every count through ReportPrintf, after `*cells` (which
// it uses as its buffer).
void WriteCountCells(const std::vector<std::uint32_t>& counts, std::string* cells,
                     ReportStream& stream) {
  for (std::uint32_t count : counts) AppendCountCell(cells, count);
  ReportPrintf(stream, "%s", cells->c_str());
}

}  // namespace

std::vector<NameId> BoneColumns(const StatsAggregate& aggregate) {
  return CollectColumns(aggregate).bones;
}

std::string_view ShownBoneName(std::string_view name) {
  return name.find("bip01_") == std::string_view::npos ? name : name.substr(6);
}

void WriteBoneTable(const WeaponRowIndex& rows, ReportStream& stream, const char* title,
                    BoneHits hits) {
  const StatsAggregate& aggregate = rows.aggregate();
  stream.Write(title);
  const Columns columns = CollectColumns(aggregate);
  if (columns.bones.empty()) return;
  WriteBoneHeading(aggregate, columns.bones, stream);

  const bool lethalOnly = hits == BoneHits::kLethalOnly;
  std::vector<std::uint32_t> rowCounts(columns.bones.size());
  std::vector<std::uint32_t> columnTotals(columns.bones.size());
  std::uint32_t grandTotal = 0;
  std::string cells;
  ForEachWeaponRow(rows, RowKeys::kWeaponsOnly, [&](const WeaponRow& row) {
    std::fill(rowCounts.begin(), rowCounts.end(), 0u);
    std::uint32_t rowTotal = 0;
    ForEachMatchedWeapon(
        row, [](const WeaponStats& weapon) { return weapon.m_HitSummary.bones().data(); },
        [&](const WeaponStats& weapon) {
          const HitSummary& summary = weapon.m_HitSummary;
          AddTo(rowTotal, lethalOnly ? summary.lethalHitCount() : summary.hitCount());
          summary.bones().ForEach([&](const BoneHitCount& count) {
            std::uint32_t n = lethalOnly ? count.lethalHits : count.hits;
            std::uint32_t column = columns.columnOf[count.bone];
            AddTo(rowCounts[column], n);
            AddTo(columnTotals[column], n);
          });
        });
    AddTo(grandTotal, rowTotal);

    stream.Write(row.label);
    stream.Write("\t");
    cells.clear();
    if (lethalOnly) {
      stream.Printf("%d\t", AsSigned(rowTotal));
    } else {
      AppendCountCell(&cells, rowTotal);
    }
    WriteCountCells(rowCounts, &cells, stream);
    stream.Write("\n");
  });

  stream.Printf("Total\t%d\t", AsSigned(grandTotal));
  cells.clear();
  WriteCountCells(columnTotals, &cells, stream);
  stream.Write("\n\n");
}

}  // namespace wus
