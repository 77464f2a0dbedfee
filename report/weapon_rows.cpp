// The shared weapon-row walk and cell helpers.
#include "report/weapon_rows.h"

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

void AppendCountCell(std::string* cells, std::uint32_t value) {
  AppendFormat(cells, "%d\t", AsSigned(value));
}

void AppendFixedCell(std::string* cells, double value) { AppendFormat(cells, "%.2f\t", value); }

}  // namespace wus
