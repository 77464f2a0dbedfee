// The walk that every weapon table shares: one candidate row per entry of
// m_WeaponNames, in order; in each row the matched weapon of every player
// (PlayerStats::FindWeapon), and the row's label, which is the display name
// of the last player, in player order, that has the weapon (the key itself
// when none has). Also the cell and heading helpers of the tables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stats/model.h"
#include "text/report_stream.h"

namespace wus {

enum class RowKeys {
  kAll,         // every key
  kWeaponsOnly  // keys that contain "wpn_" (case-sensitive, anywhere)
};

struct WeaponRow {
  std::string_view key;
  std::string_view label;
  // The matched weapon of each player, in m_Players order; null where the
  // player has none.
  std::vector<const WeaponStats*> weapons;
};

// Returns true iff `key` contains "wpn_".
bool IsWeaponKey(std::string_view key);

// Fills `row` for `key`.
void MatchWeaponRow(const StatsAggregate& aggregate, std::string_view key, WeaponRow* row);

// The number of rows that MatchNextWeaponRows matches at once, and the
// most cells (rows times players) a batch may hold: a file of a million
// players would otherwise make a batch of 64 rows take half a gigabyte.
inline constexpr std::size_t kWeaponRowBatch = 64;
inline constexpr std::size_t kWeaponRowBatchCells = std::size_t{1} << 21;

// Returns how many rows a batch holds for `players` players: kWeaponRowBatch,
// fewer where that many rows would exceed kWeaponRowBatchCells, at least 1.
inline std::size_t WeaponRowBatch(std::size_t players) {
  std::size_t fit = players == 0 ? kWeaponRowBatch : kWeaponRowBatchCells / players;
  return fit < 1 ? 1 : (fit < kWeaponRowBatch ? fit : kWeaponRowBatch);
}

// Fills `*rows` with the next at most WeaponRowBatch(players) keys selected
// by `keys`, starting at index `*next` of m_WeaponNames, and moves `*next`
// past them. The keys are looked up player by player, so that each player's
// weapon index is read once per batch rather than once per key. Returns
// false iff no selected key was left. The caller owns `*rows`; reusing it
// keeps its buffers.
bool MatchNextWeaponRows(const StatsAggregate& aggregate, RowKeys keys, std::size_t* next,
                         std::vector<WeaponRow>* rows);

// Calls visit(const WeaponRow&) for every selected key, in order. The row
// is valid only during the call.
template <typename Visit>
void ForEachWeaponRow(const StatsAggregate& aggregate, RowKeys keys, Visit&& visit) {
  std::vector<WeaponRow> rows;
  std::size_t next = 0;
  while (MatchNextWeaponRows(aggregate, keys, &next, &rows)) {
    for (const WeaponRow& row : rows) visit(row);
  }
}

// Writes the heading line of a table with one column per player: `caption`
// (which holds its own tabs), each player's name and a tab, the line end.
// A plain write: names are written as they are.
void WritePlayerHeading(const StatsAggregate& aggregate, const char* caption, ReportStream& stream);

// `numerator` over `denominator` in double precision; 0 when the
// denominator is 0.
inline double Ratio(double numerator, double denominator) {
  return denominator == 0 ? 0.0 : numerator / denominator;
}

// Appends "%d\t" of a 32-bit counter (shown signed, as "%d" shows it).
void AppendCountCell(std::string* cells, std::uint32_t value);
// Appends "%.2f\t" of `value`, with its decimal point as ".": the whole
// line goes through ReportPrintf later.
void AppendFixedCell(std::string* cells, double value);

}  // namespace wus
