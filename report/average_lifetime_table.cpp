// TODO: the table is not written yet; only its title.
#include "report/sections.h"
#include "report/titles.h"

namespace wus {

void WriteAverageLifetimeTable(StatsAggregate& /*aggregate*/, ReportStream& stream) { stream.Write(kAverageLifetimeTitle); }

}  // namespace wus
