// The shape shared by the per-team average tables (money and lifetime): a
// heading line with one column per player, then one line per team with the
// overall average, taken from the aggregate's team totals, and each
// player's own average.
#pragma once

#include <cstddef>

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

// Returns the overall average of team `team` from the aggregate's totals.
using TeamTotalAverage = double (*)(const StatsAggregate& aggregate, std::size_t team);
// Returns the average of team `team` for one player.
using PlayerTeamAverage = double (*)(const PlayerStats& player, std::size_t team);

// Writes `title`, the heading line "\tОбщее\t" with the players' names,
// then for team 0, 1 and 2 the label and a tab, the overall average and
// each player's average, each "%.2f" and a tab with a decimal comma, and the
// line end. Labels and names are plain writes. Writes no closing empty line.
void WriteTeamAverageTable(const StatsAggregate& aggregate, const char* title,
                           TeamTotalAverage overall, PlayerTeamAverage perPlayer,
                           ReportStream& stream);

}  // namespace wus
