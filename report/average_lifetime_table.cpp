// The average lifetime table, the report's last section: seconds alive per
// respawn in each team, over all players (from the aggregate's team totals)
// and per player. It ends with the line end of its last row, so the report
// has no trailing empty line.
#include "report/sections.h"
#include "report/team_average_table.h"
#include "report/titles.h"

namespace wus {
namespace {

// Milliseconds to seconds. The factor is 0.001 rounded to single precision
// (0.001000000047497...), applied in double precision, so results come out a
// little above an exact division by 1000: 1005 ms gives "1.01", not "1.00",
// and 4294967295 ms gives "4294967.50".
constexpr double kSecondsPerMillisecond = static_cast<double>(0.001f);

}  // namespace

void WriteAverageLifetimeTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteTeamAverageTable(aggregate, kAverageLifetimeTitle,
                        &StatsAggregate::m_dwTotalPlayersAliveTime,
                        &PlayerStats::m_dwTotalAliveTime, kSecondsPerMillisecond, stream);
}

}  // namespace wus
