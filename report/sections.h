// The section writers of the report, in the order the driver calls them
// after its own files-used list. Each appends its table to the open report
// stream, reads the aggregate and changes nothing in it.
#pragma once

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

void WriteWeaponPurchaseTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponKillTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponEfficiencyTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponAccuracyTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteRangeEffectivenessTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteHitsByBoneTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteLethalHitsByBoneTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteAverageMoneyTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteItemPurchaseTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteAverageLifetimeTable(const StatsAggregate& aggregate, ReportStream& stream);

}  // namespace wus
