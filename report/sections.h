// The section writers of the report, in the order the driver calls them
// after its own files-used list. Each appends its table to the open report
// stream, reads the aggregate and changes nothing in it. The writers of
// weapon rows also take the rows matched once (WeaponRowIndex), so that a
// whole report matches them once rather than once per table.
#pragma once

#include "report/weapon_rows.h"
#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

void WriteWeaponPurchaseTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponPurchaseTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteWeaponKillTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponKillTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteWeaponEfficiencyTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponEfficiencyTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteWeaponAccuracyTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteWeaponAccuracyTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteRangeEffectivenessTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteRangeEffectivenessTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteHitsByBoneTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteHitsByBoneTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteLethalHitsByBoneTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteLethalHitsByBoneTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteAverageMoneyTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteItemPurchaseTable(const StatsAggregate& aggregate, ReportStream& stream);
void WriteItemPurchaseTable(const WeaponRowIndex& rows, ReportStream& stream);
void WriteAverageLifetimeTable(const StatsAggregate& aggregate, ReportStream& stream);

// Writes every table above, in this order. With `threads` above 1 that many
// threads (the calling one included) write the tables side by side, each
// into memory, and the calling thread then writes them out in order: the
// same bytes. An exception from a table reaches the caller after every
// thread has ended.
void WriteTables(const WeaponRowIndex& rows, ReportStream& stream, unsigned threads);

}  // namespace wus
