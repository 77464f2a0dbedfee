// The section writers of the report, in the order the driver calls them
// after its own files-used list. Each appends its table to the open report
// stream and returns nothing; only the two bone tables change the aggregate,
// and only its working list m_BoneNames.
#pragma once

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

void WriteWeaponPurchaseTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponKillTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponEfficiencyTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponAccuracyTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteRangeEffectivenessTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteHitsByBoneTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteLethalHitsByBoneTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteAverageMoneyTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteItemPurchaseTable(StatsAggregate& aggregate, ReportStream& stream);
void WriteAverageLifetimeTable(StatsAggregate& aggregate, ReportStream& stream);

}  // namespace wus
