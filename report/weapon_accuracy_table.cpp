// TODO: the table is not written yet; only its title.
#include "report/sections.h"
#include "report/titles.h"

namespace wus {

void WriteWeaponAccuracyTable(StatsAggregate& /*aggregate*/, ReportStream& stream) { stream.Write(kWeaponAccuracyTitle); }

}  // namespace wus
