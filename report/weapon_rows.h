// The walk that every weapon table shares: one candidate row per entry of
// m_WeaponNames, in order; in each row the matched weapon of every player
// (PlayerStats::FindWeapon), and the row's label, which is the display name
// of the last player, in player order, that has the weapon (the key itself
// when none has). Also the cell and heading helpers of the tables.
#pragma once

#include <cstdint>
#include <span>
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
  // The matched weapons, in player order, and the index in m_Players of
  // the player of each.
  std::span<const WeaponStats* const> matched;
  std::span<const std::uint32_t> players;
};

// Asks for the memory at `address` to be brought into the cache.
inline void Prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

// Calls add(weapon) for every matched weapon of `row`, in player order,
// fetching the weapons and the lists that list(weapon) points at some
// steps ahead. A row's weapons lie all over the heap, each with its lists
// elsewhere again, and a walk that waits for each in turn spends most of
// its time waiting for memory.
// Calls cell(weapon) for each of the first `players` players, in order,
// with the player's matched weapon or null, fetching weapons ahead.
template <typename Cell>
void ForEachPlayerCell(const WeaponRow& row, std::size_t players, Cell&& cell) {
  constexpr std::size_t kAhead = 8;
  std::size_t next = 0;
  for (std::size_t p = 0; p < players; ++p) {
    const WeaponStats* weapon = nullptr;
    if (next < row.players.size() && row.players[next] == p) {
      if (next + kAhead < row.matched.size()) Prefetch(row.matched[next + kAhead]);
      weapon = row.matched[next++];
    }
    cell(weapon);
  }
}

template <typename List, typename Add>
void ForEachMatchedWeapon(const WeaponRow& row, List&& list, Add&& add) {
  constexpr std::size_t kAhead = 8;
  const std::span<const WeaponStats* const> weapons = row.matched;
  for (std::size_t i = 0; i < weapons.size(); ++i) {
    if (i + 2 * kAhead < weapons.size()) {
      Prefetch(&weapons[i + 2 * kAhead]->m_dwBuyBuckets);
      Prefetch(&weapons[i + 2 * kAhead]->m_HitSummary);
    }
    if (i + kAhead < weapons.size()) Prefetch(list(*weapons[i + kAhead]));
    add(*weapons[i]);
  }
}

// Returns true iff `key` contains "wpn_".
bool IsWeaponKey(std::string_view key);

// Returns the label of the row of `key` and fills `*matched` and
// `*players` with its matched weapons and their players, looking the key up
// in every player: the definition of a row (ForEachWeaponRow finds the
// same rows faster).
std::string_view MatchWeaponRow(const StatsAggregate& aggregate, std::string_view key,
                                std::vector<const WeaponStats*>* matched,
                                std::vector<std::uint32_t>* players);

// Every key's matched weapons, found in one pass over every player's
// weapons (each identifier and display name looked up among the keys)
// rather than by looking every key up in every player. Built once per walk
// over the rows; takes room in proportion to the weapons.
class WeaponRowIndex {
 public:
  // Looks the players' weapons up on `threads` threads (the calling one
  // included), each taking a run of players; the index is the same.
  explicit WeaponRowIndex(const StatsAggregate& aggregate, unsigned threads = 1);

  const StatsAggregate& aggregate() const { return aggregate_; }

  // Fills `row` for key `key` of m_WeaponNames: the same as MatchWeaponRow.
  void FillRow(std::size_t key, WeaponRow* row) const;

 private:
  const StatsAggregate& aggregate_;
  std::vector<std::uint32_t> firstMatch_;  // by key: where its matches begin; one more at the end
  // The matches, by key, then player: the weapons and their players.
  std::vector<const WeaponStats*> weapons_;
  std::vector<std::uint32_t> players_;
};

// Calls visit(const WeaponRow&) for every selected key, in order. The row
// is valid only during the call.
template <typename Visit>
void ForEachWeaponRow(const WeaponRowIndex& index, RowKeys keys, Visit&& visit) {
  const std::vector<NameBuf>& names = index.aggregate().m_WeaponNames;
  WeaponRow row;
  for (std::size_t key = 0; key < names.size(); ++key) {
    if (keys == RowKeys::kWeaponsOnly && !IsWeaponKey(names[key])) continue;
    index.FillRow(key, &row);
    visit(row);
  }
}
template <typename Visit>
void ForEachWeaponRow(const StatsAggregate& aggregate, RowKeys keys, Visit&& visit) {
  ForEachWeaponRow(WeaponRowIndex(aggregate), keys, visit);
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
