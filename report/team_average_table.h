// The shape shared by the per-team average tables (money and lifetime): a
// heading line with one column per player, then one line per team with the
// overall average, taken from the aggregate's team totals, and each
// player's own average. An average is a team figure over the matching
// respawn count (unsigned), times a scale; a zero respawn count gives 0.
#pragma once

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

// Writes `title`, the heading line "\tОбщее\t" with the players' names,
// then for team 0, 1 and 2 the label and a tab, the overall average of
// `total` over m_dwTotalNumRespawns and each player's average of
// `perPlayer` over m_dwNumRespawned, each "%.2f" and a tab with a decimal
// comma, and the line end. Money (TeamMoney) is averaged as signed, other
// counters as unsigned. Labels and names are plain writes. Writes no
// closing empty line.
void WriteTeamAverageTable(const StatsAggregate& aggregate, const char* title,
                           TeamMoney StatsAggregate::*total, TeamMoney PlayerStats::*perPlayer,
                           double scale, ReportStream& stream);
void WriteTeamAverageTable(const StatsAggregate& aggregate, const char* title,
                           TeamCounters StatsAggregate::*total,
                           TeamCounters PlayerStats::*perPlayer, double scale,
                           ReportStream& stream);

}  // namespace wus
