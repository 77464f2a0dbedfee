// The two bone tables: collecting the bone columns, counting the hits of
// every row by bone in one walk for both tables, the heading, the rows and
// the Total row.
#include "report/bone_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
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
void WriteCountCells(std::span<const std::uint32_t> counts, std::string* cells,
                     ReportStream& stream) {
  for (std::uint32_t count : counts) AppendCountCell(cells, count);
  ReportPrintf(stream, "%s", cells->c_str());
}

// Both tables' counts, counted in one walk over the matched weapons.
struct BoneCounts {
  Columns columns;
  std::vector<std::string_view> labels;  // one per row
  // Per BoneHits kind: every row's total, and its bone counts row by row.
  std::array<std::vector<std::uint32_t>, 2> rowTotals;
  std::array<std::vector<std::uint32_t>, 2> cells;
};

BoneCounts CountBones(const WeaponRowIndex& rows) {
  BoneCounts counts;
  counts.columns = CollectColumns(rows.aggregate());
  const std::size_t width = counts.columns.bones.size();
  if (width == 0) return counts;
  std::vector<std::uint32_t>& all = counts.cells[0];
  std::vector<std::uint32_t>& lethal = counts.cells[1];
  ForEachWeaponRow(rows, RowKeys::kWeaponsOnly, [&](const WeaponRow& row) {
    counts.labels.push_back(row.label);
    const std::size_t first = all.size();
    all.resize(first + width);
    lethal.resize(first + width);
    std::uint32_t allTotal = 0;
    std::uint32_t lethalTotal = 0;
    ForEachMatchedWeapon(
        row, [](const WeaponStats& weapon) { return weapon.m_HitSummary.bones().data(); },
        [&](const WeaponStats& weapon) {
          const HitSummary& summary = weapon.m_HitSummary;
          AddTo(allTotal, summary.hitCount());
          AddTo(lethalTotal, summary.lethalHitCount());
          summary.bones().ForEach([&](const BoneHitCount& count) {
            const std::size_t at = first + counts.columns.columnOf[count.bone];
            AddTo(all[at], count.hits);
            AddTo(lethal[at], count.lethalHits);
          });
        });
    counts.rowTotals[0].push_back(allTotal);
    counts.rowTotals[1].push_back(lethalTotal);
  });
  return counts;
}

void WriteCounted(const StatsAggregate& aggregate, const BoneCounts& counts, const char* title,
                  BoneHits hits, ReportStream& stream) {
  stream.Write(title);
  const std::vector<NameId>& bones = counts.columns.bones;
  if (bones.empty()) return;
  WriteBoneHeading(aggregate, bones, stream);

  const bool lethalOnly = hits == BoneHits::kLethalOnly;
  const std::vector<std::uint32_t>& rowTotals = counts.rowTotals[lethalOnly ? 1 : 0];
  const std::vector<std::uint32_t>& cells = counts.cells[lethalOnly ? 1 : 0];
  std::vector<std::uint32_t> columnTotals(bones.size());
  std::uint32_t grandTotal = 0;
  std::string text;
  for (std::size_t r = 0; r < counts.labels.size(); ++r) {
    const std::uint32_t rowTotal = rowTotals[r];
    AddTo(grandTotal, rowTotal);
    const auto rowCounts = std::span(cells).subspan(r * bones.size(), bones.size());
    for (std::size_t b = 0; b < bones.size(); ++b) AddTo(columnTotals[b], rowCounts[b]);

    stream.Write(counts.labels[r]);
    stream.Write("\t");
    text.clear();
    if (lethalOnly) {
      stream.Printf("%d\t", AsSigned(rowTotal));
    } else {
      AppendCountCell(&text, rowTotal);
    }
    WriteCountCells(rowCounts, &text, stream);
    stream.Write("\n");
  }

  stream.Printf("Total\t%d\t", AsSigned(grandTotal));
  text.clear();
  WriteCountCells(columnTotals, &text, stream);
  stream.Write("\n\n");
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
  WriteCounted(rows.aggregate(), CountBones(rows), title, hits, stream);
}

void WriteBoneTables(const WeaponRowIndex& rows, ReportStream& stream, const char* allTitle,
                     const char* lethalTitle) {
  const BoneCounts counts = CountBones(rows);
  WriteCounted(rows.aggregate(), counts, allTitle, BoneHits::kAll, stream);
  WriteCounted(rows.aggregate(), counts, lethalTitle, BoneHits::kLethalOnly, stream);
}

}  // namespace wus
