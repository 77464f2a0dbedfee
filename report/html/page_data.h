// The page's data: the aggregate's numbers as one JSON value, from which
// the page's script builds every table and chart. Texts are decoded from
// code page 1251 to UTF-8; counters are the unsigned 32-bit values (the
// script shows them signed, as the report's "%d" does); sums that the
// report shows (a weapon row's totals, an item's purchases per column) are
// summed here with the report's 32-bit wrap-around, so the page shows the
// report's numbers. Ratios and averages are left to the script, which
// divides the same numbers in double precision.
//
//   weapons: one entry per weapon identifier, in m_WeaponNames order:
//     {label, key, weapon (the identifier contains "wpn_"), bought, kills,
//      shots, hits}, and for weapons also {hitCount, range: hits per distance
//      column without trailing zeros, bones: [[bone, hits, lethal hits]...]}
//   rangeColumns: the range table's number of columns
//   bones: [[name, shown name]...], in the bone tables' column order
//   players: [[name, shots, [alive ms per team], [money per team],
//              [respawns per team], [weapon, bought, kills, shots, hits, ...]]]
//     (the last array flat, five numbers for each weapon row the player has)
//   teams: {alive, money, respawns}: the aggregate's team totals
//   items: per team {columns, rows: [[weapon, count per column...]...]}
#pragma once

#include <nlohmann/json.hpp>

#include "stats/model.h"

namespace wus::html {

nlohmann::json BuildPageData(const StatsAggregate& aggregate);

}  // namespace wus::html
