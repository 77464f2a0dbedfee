// The per-team average tables' shared layout.
#include "report/team_average_table.h"

#include <string>

#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {
namespace {

// `Team` is TeamMoney or TeamCounters: its element type decides whether
// the figure is read as signed or unsigned.
template <typename Team>
void WriteAverages(const StatsAggregate& aggregate, const char* title, Team StatsAggregate::*total,
                   Team PlayerStats::*perPlayer, double scale, ReportStream& stream) {
  stream.Write(title);
  WritePlayerHeading(aggregate, kTotalCaptionNeuter, stream);
  std::string cells;
  for (std::size_t team = 0; team < kNumTeams; ++team) {
    stream.Write(kTeamLabels[team]);
    stream.Write("\t");
    // Only the averages take the decimal comma; the label is already out.
    cells.clear();
    AppendFixedCell(&cells,
                    Ratio((aggregate.*total)[team], aggregate.m_dwTotalNumRespawns[team]) * scale);
    for (const PlayerStats& player : aggregate.m_Players) {
      AppendFixedCell(&cells,
                      Ratio((player.*perPlayer)[team], player.m_dwNumRespawned[team]) * scale);
    }
    DotsToCommas(&cells);
    stream.Write(cells);
    stream.Write("\n");
  }
}

}  // namespace

void WriteTeamAverageTable(const StatsAggregate& aggregate, const char* title,
                           TeamMoney StatsAggregate::*total, TeamMoney PlayerStats::*perPlayer,
                           double scale, ReportStream& stream) {
  WriteAverages(aggregate, title, total, perPlayer, scale, stream);
}

void WriteTeamAverageTable(const StatsAggregate& aggregate, const char* title,
                           TeamCounters StatsAggregate::*total,
                           TeamCounters PlayerStats::*perPlayer, double scale,
                           ReportStream& stream) {
  WriteAverages(aggregate, title, total, perPlayer, scale, stream);
}

}  // namespace wus
