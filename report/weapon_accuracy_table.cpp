// The weapon accuracy table: hits per shot for each weapon whose
// identifier contains "wpn_", over all players and per player.
#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_tables.h"

namespace wus {

void WriteWeaponAccuracyTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteRatioTable(aggregate, kWeaponAccuracyTitle, &WeaponStats::m_dwNumHits,
                  &WeaponStats::m_dwNumShots, stream);
}

}  // namespace wus
