// The count and ratio shapes of the per-player weapon tables.
#include "report/weapon_tables.h"

#include <string>

#include "report/titles.h"
#include "text/format.h"

namespace wus {

void WriteCountTable(const WeaponRowIndex& rows, const char* title, const char* caption,
                     RowKeys keys, WeaponCounter counter, ReportStream& stream) {
  stream.Write(title);
  const std::size_t players = rows.aggregate().m_Players.size();
  WritePlayerHeading(rows.aggregate(), caption, stream);
  std::string cells;
  ForEachWeaponRow(rows, keys, [&](const WeaponRow& row) {
    cells.clear();
    std::uint32_t total = 0;
    ForEachPlayerCell(row, players, [&](const WeaponStats* weapon) {
      std::uint32_t value = weapon != nullptr ? weapon->*counter : 0;
      AddTo(total, value);
      AppendCountCell(&cells, value);
    });
    stream.Write(row.label);
    stream.Printf("\t%d\t", AsSigned(total));
    stream.Write(cells);
    stream.Write("\n");
  });
  stream.Write("\n");
}

void WriteRatioTable(const WeaponRowIndex& rows, const char* title, WeaponCounter numerator,
                     WeaponCounter denominator, ReportStream& stream) {
  stream.Write(title);
  const std::size_t players = rows.aggregate().m_Players.size();
  WritePlayerHeading(rows.aggregate(), kTotalCaptionFeminine, stream);
  std::string cells;
  std::string line;
  ForEachWeaponRow(rows, RowKeys::kWeaponsOnly, [&](const WeaponRow& row) {
    cells.clear();
    std::uint32_t numeratorSum = 0;
    std::uint32_t denominatorSum = 0;
    ForEachPlayerCell(row, players, [&](const WeaponStats* weapon) {
      std::uint32_t top = weapon != nullptr ? weapon->*numerator : 0;
      std::uint32_t bottom = weapon != nullptr ? weapon->*denominator : 0;
      AddTo(numeratorSum, top);
      AddTo(denominatorSum, bottom);
      AppendFixedCell(&cells, Ratio(top, bottom));
    });
    // The line as "%s\t%.2f\t%s\n" would format it, built by appending.
    line.assign(row.label);
    line += '\t';
    AppendFixedCell(&line, Ratio(numeratorSum, denominatorSum));
    line += cells;
    line += '\n';
    DotsToCommas(&line);
    stream.Write(line);
  });
  stream.Write("\n");
}

}  // namespace wus
