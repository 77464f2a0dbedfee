// The average money table: money earned per respawn in each team, over all
// players (from the aggregate's team totals) and per player. Money is a
// signed amount, respawns an unsigned count.
#include "report/sections.h"
#include "report/team_average_table.h"
#include "report/titles.h"
#include "report/weapon_rows.h"

namespace wus {
namespace {

double MoneyPerRespawn(std::int32_t money, std::uint32_t respawns) {
  return Ratio(money, respawns);
}

double TotalMoneyPerRespawn(const StatsAggregate& aggregate, std::size_t team) {
  return MoneyPerRespawn(aggregate.m_dwTotalPlayersMoneyRound[team],
                         aggregate.m_dwTotalNumRespawns[team]);
}

double PlayerMoneyPerRespawn(const PlayerStats& player, std::size_t team) {
  return MoneyPerRespawn(player.m_dwTotalMoneyRound[team], player.m_dwNumRespawned[team]);
}

}  // namespace

void WriteAverageMoneyTable(StatsAggregate& aggregate, ReportStream& stream) {
  WriteTeamAverageTable(aggregate, kAverageMoneyTitle, &TotalMoneyPerRespawn,
                        &PlayerMoneyPerRespawn, stream);
  stream.Write("\n");
}

}  // namespace wus
