// The two shapes of the per-player weapon tables, built on the shared
// weapon-row walk: a count table (one counter per player and its sum) and a
// ratio table (one ratio per player and the ratio of the sums). The section
// writers only choose the title, the counters and which keys make rows.
#pragma once

#include <cstdint>

#include "report/weapon_rows.h"
#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

// A 32-bit counter of a weapon, for example &WeaponStats::m_dwNumKills.
using WeaponCounter = std::uint32_t WeaponStats::*;

// Writes `title`, the heading line with `caption` ("\tОбщая\t" or
// "\tОбщее\t") and the players' names, then one line per key selected by
// `keys`: the row label, the 32-bit wrapping sum of `counter` over all
// players, and each player's `counter` (0 where the player has no such
// weapon), each cell followed by a tab; then one empty line. Every write
// is plain: a "." in a label or name stays a ".".
void WriteCountTable(const WeaponRowIndex& rows, const char* title, const char* caption,
                     RowKeys keys, WeaponCounter counter, ReportStream& stream);

// Writes `title`, the heading line with "\tОбщая\t" and the players' names,
// then one line per key that contains "wpn_": the row label, the ratio of
// the 32-bit wrapping sums of `numerator` and `denominator` over all
// players, and each player's own ratio (0 where the player has no such
// weapon), each "%.2f" and a tab; a zero denominator gives 0. Each data
// line goes through the decimal comma as a whole, so a "." in the label
// becomes "," too. Then one empty line (plain).
void WriteRatioTable(const WeaponRowIndex& rows, const char* title, WeaponCounter numerator,
                     WeaponCounter denominator, ReportStream& stream);

}  // namespace wus
