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
