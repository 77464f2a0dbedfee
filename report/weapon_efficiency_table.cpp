// The weapon efficiency table: kills per hit for each weapon whose
// identifier contains "wpn_", over all players and per player.
#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_tables.h"

namespace wus {

void WriteWeaponEfficiencyTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteRatioTable(aggregate, kWeaponEfficiencyTitle, &WeaponStats::m_dwNumKills,
                  &WeaponStats::m_dwNumHits, stream);
}

}  // namespace wus
