// The shared weapon-row walk and cell helpers.
#include "report/weapon_rows.h"

#include <charconv>
#include <cmath>

#include "text/format.h"

namespace wus {

bool IsWeaponKey(std::string_view key) { return key.find("wpn_") != std::string_view::npos; }

void MatchWeaponRow(const StatsAggregate& aggregate, std::string_view key, WeaponRow* row) {
  row->key = key;
  row->label = key;
  row->weapons.clear();
  row->weapons.reserve(aggregate.m_Players.size());
  for (const PlayerStats& player : aggregate.m_Players) {
    const WeaponStats* weapon = player.FindWeapon(key);
    if (weapon != nullptr) row->label = weapon->m_DisplayName;
    row->weapons.push_back(weapon);
  }
}

bool MatchNextWeaponRows(const StatsAggregate& aggregate, RowKeys keys, std::size_t* next,
                         std::vector<WeaponRow>* rows) {
  const std::vector<NameBuf>& names = aggregate.m_WeaponNames;
  const std::size_t players = aggregate.m_Players.size();
  const std::size_t batch = WeaponRowBatch(players);
  std::size_t count = 0;
  for (; *next < names.size() && count < batch; ++*next) {
    std::string_view key = names[*next];
    if (keys == RowKeys::kWeaponsOnly && !IsWeaponKey(key)) continue;
    if (count == rows->size()) rows->emplace_back();
    WeaponRow& row = (*rows)[count++];
    row.key = key;
    row.label = key;
    row.weapons.assign(players, nullptr);
  }
  rows->resize(count);
  // Player by player, so the later player's display name wins the label.
  for (std::size_t p = 0; p < players; ++p) {
    const PlayerStats& player = aggregate.m_Players[p];
    for (WeaponRow& row : *rows) {
      const WeaponStats* weapon = player.FindWeapon(row.key);
      if (weapon == nullptr) continue;
      row.weapons[p] = weapon;
      row.label = weapon->m_DisplayName;
    }
  }
  return count > 0;
}

void WritePlayerHeading(const StatsAggregate& aggregate, const char* caption,
                        ReportStream& stream) {
  stream.Write(caption);
  for (const PlayerStats& player : aggregate.m_Players) {
    stream.Write(player.m_Name);
    stream.Write("\t");
  }
  stream.Write("\n");
}

// The cells are the bulk of a wide report, so they are converted with
// to_chars, which gives the same digits as "%d" and "%.2f" (both exact, ties
// to even) without parsing a format.
void AppendCountCell(std::string* cells, std::uint32_t value) {
  char text[16];
  char* end = std::to_chars(text, text + sizeof text, AsSigned(value)).ptr;
  *end++ = '\t';
  cells->append(text, end);
}

void AppendFixedCell(std::string* cells, double value) {
  if (!std::isfinite(value)) {
    AppendFormat(cells, "%.2f\t", value);
    return;
  }
  // The longest finite value, DBL_MAX, takes 309 digits, a sign and ".00".
  char text[320];
  char* end = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, 2).ptr;
  *end++ = '\t';
  cells->append(text, end);
}

}  // namespace wus
