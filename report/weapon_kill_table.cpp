// The weapon kill count table: kills per weapon, over all players and per
// player, for the identifiers that contain "wpn_".
#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_tables.h"

namespace wus {

void WriteWeaponKillTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteCountTable(aggregate, kWeaponKillTitle, kTotalCaptionNeuter, RowKeys::kWeaponsOnly,
                  &WeaponStats::m_dwNumKills, stream);
}

}  // namespace wus
