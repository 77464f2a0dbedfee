// The shared bone table: collecting the bone columns, the heading, the rows
// and the Total row.
#include "report/bone_table.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "report/hit_walk.h"
#include "report/weapon_rows.h"
#include "text/format.h"

namespace wus {
namespace {

constexpr std::uint32_t kNoColumn = std::numeric_limits<std::uint32_t>::max();

// Appends the bone names not yet in m_BoneNames, in order of first
// appearance. Returns the column of every text id of m_HitTexts (the first
// entry of m_BoneNames that holds it), kNoColumn for the others.
std::vector<std::uint32_t> CollectBoneColumns(StatsAggregate& aggregate) {
  std::vector<std::uint32_t> columnOf(aggregate.m_HitTexts.size(), kNoColumn);
  std::vector<NameId>& bones = aggregate.m_BoneNames;
  for (std::size_t column = 0; column < bones.size(); ++column) {
    if (columnOf[bones[column]] == kNoColumn) {
      columnOf[bones[column]] = static_cast<std::uint32_t>(column);
    }
  }
  ForEachHit(aggregate, [&](const HitRecord& hit) {
    if (hit.m_BoneName == NamePool::kEmpty || columnOf[hit.m_BoneName] != kNoColumn) return;
    columnOf[hit.m_BoneName] = static_cast<std::uint32_t>(bones.size());
    bones.push_back(hit.m_BoneName);
  });
  return columnOf;
}

void WriteBoneHeading(const StatsAggregate& aggregate, ReportStream& stream) {
  std::string line = "\tTotal";
  for (NameId bone : aggregate.m_BoneNames) {
    line += '\t';
    line += ShownBoneName(aggregate.m_HitTexts.Get(bone));
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

std::string_view ShownBoneName(std::string_view name) {
  return name.find("bip01_") == std::string_view::npos ? name : name.substr(6);
}

void WriteBoneTable(StatsAggregate& aggregate, ReportStream& stream, const char* title,
                    BoneHits hits) {
  stream.Write(title);
  const std::vector<std::uint32_t> columnOf = CollectBoneColumns(aggregate);
  if (aggregate.m_BoneNames.empty()) return;
  WriteBoneHeading(aggregate, stream);

  std::vector<std::uint32_t> rowCounts(aggregate.m_BoneNames.size());
  std::vector<std::uint32_t> columnTotals(aggregate.m_BoneNames.size());
  std::uint32_t grandTotal = 0;
  std::string cells;
  ForEachWeaponRow(aggregate, RowKeys::kWeaponsOnly, [&](const WeaponRow& row) {
    std::fill(rowCounts.begin(), rowCounts.end(), 0u);
    std::uint32_t rowTotal = 0;
    ForEachRowHit(row, [&](const HitRecord& hit) {
      if (hits == BoneHits::kLethalOnly && hit.m_bLethal == 0) return;
      AddTo(rowTotal, 1);
      std::uint32_t column = columnOf[hit.m_BoneName];
      if (column == kNoColumn) return;
      AddTo(rowCounts[column], 1);
      AddTo(columnTotals[column], 1);
    });
    AddTo(grandTotal, rowTotal);

    stream.Write(row.label);
    stream.Write("\t");
    cells.clear();
    if (hits == BoneHits::kAll) {
      AppendCountCell(&cells, rowTotal);
    } else {
      stream.Printf("%d\t", AsSigned(rowTotal));
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
