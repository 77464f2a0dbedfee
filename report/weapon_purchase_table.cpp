// The weapon purchase frequency table: times bought per weapon, over all
// players and per player, for every weapon identifier.
#include "report/sections.h"
#include "report/titles.h"
#include "report/weapon_tables.h"

namespace wus {

void WriteWeaponPurchaseTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteCountTable(aggregate, kWeaponPurchaseTitle, kTotalCaptionFeminine, RowKeys::kAll,
                  &WeaponStats::m_dwNumBought, stream);
}

}  // namespace wus
