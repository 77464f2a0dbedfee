// The per-team average tables' shared layout.
#include "report/team_average_table.h"

#include <string>

#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {

void WriteTeamAverageTable(const StatsAggregate& aggregate, const char* title,
                           TeamTotalAverage overall, PlayerTeamAverage perPlayer,
                           ReportStream& stream) {
  stream.Write(title);
  WritePlayerHeading(aggregate, kTotalCaptionNeuter, stream);
  std::string cells;
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    stream.Write(kTeamLabels[team]);
    stream.Write("\t");
    // Only the averages take the decimal comma; the label is already out.
    cells.clear();
    AppendFixedCell(&cells, overall(aggregate, team));
    for (const PlayerStats& player : aggregate.m_Players) {
      AppendFixedCell(&cells, perPlayer(player, team));
    }
    DotsToCommas(&cells);
    stream.Write(cells);
    stream.Write("\n");
  }
}

}  // namespace wus
