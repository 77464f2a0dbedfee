// The average money table: money earned per respawn in each team, over all
// players (from the aggregate's team totals) and per player. Money is a
// signed amount, respawns an unsigned count.
#include "report/sections.h"
#include "report/team_average_table.h"
#include "report/titles.h"

namespace wus {

void WriteAverageMoneyTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteTeamAverageTable(aggregate, kAverageMoneyTitle, &StatsAggregate::m_dwTotalPlayersMoneyRound,
                        &PlayerStats::m_dwTotalMoneyRound, 1.0, stream);
  stream.Write("\n");
}

}  // namespace wus
