// The shared weapon-row walk and cell helpers.
#include "report/weapon_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/side_by_side.h"
#include "text/format.h"

namespace wus {

bool IsWeaponKey(std::string_view key) { return key.find("wpn_") != std::string_view::npos; }

std::string_view MatchWeaponRow(const StatsAggregate& aggregate, std::string_view key,
                                std::vector<const WeaponStats*>* matched,
                                std::vector<std::uint32_t>* players) {
  std::string_view label = key;
  matched->clear();
  players->clear();
  for (std::size_t p = 0; p < aggregate.m_Players.size(); ++p) {
    const WeaponStats* weapon = aggregate.m_Players[p].FindWeapon(key);
    if (weapon == nullptr) continue;
    label = weapon->m_DisplayName;
    matched->push_back(weapon);
    players->push_back(static_cast<std::uint32_t>(p));
  }
  return label;
}

namespace {

// The matches of a run of players: every (key, player, weapon) match in
// player order, and how many each key has. A player's weapon matches a key
// when it is the first of the player's weapons with the key as identifier
// or display name, as PlayerStats::FindWeapon finds it.
struct PlayerRun {
  struct Found {
    std::uint32_t key;
    std::uint32_t player;
    const WeaponStats* weapon;
  };
  std::vector<Found> found;
  std::vector<std::uint32_t> perKey;

  void Match(const StatsAggregate& aggregate, std::size_t begin, std::size_t end) {
    const std::size_t keys = aggregate.m_WeaponNames.size();
    perKey.assign(keys, 0);
    std::size_t weapons = 0;  // most weapons match one key, as their identifier
    for (std::size_t p = begin; p < end; ++p) weapons += aggregate.m_Players[p].m_Weapons.size();
    found.reserve(weapons);
    std::vector<std::uint32_t> claimedBy(keys, 0);  // 1 + the last player that matched the key
    for (std::size_t p = begin; p < end; ++p) {
      const auto player = static_cast<std::uint32_t>(p);
      for (const WeaponStats& weapon : aggregate.m_Players[p].m_Weapons) {
        // The identifier's key is known when the loader added the weapon.
        const std::uint32_t weaponKeys[] = {weapon.nameIndex != HashIndex::kNone
                                                ? weapon.nameIndex
                                                : aggregate.FindWeaponName(weapon.m_Name),
                                            aggregate.FindWeaponName(weapon.m_DisplayName)};
        for (std::uint32_t key : weaponKeys) {
          if (key == HashIndex::kNone || claimedBy[key] == player + 1) continue;
          claimedBy[key] = player + 1;
          found.push_back(Found{key, player, &weapon});
          ++perKey[key];
        }
      }
    }
  }
};

}  // namespace

WeaponRowIndex::WeaponRowIndex(const StatsAggregate& aggregate, unsigned threads)
    : aggregate_(aggregate) {
  const std::size_t keys = aggregate.m_WeaponNames.size();
  const std::size_t players = aggregate.m_Players.size();
  // Each thread matches a run of players; a run's matches follow those of
  // the runs before it, so the order is that of one walk.
  const std::size_t runCount =
      std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(players, 1));
  std::vector<PlayerRun> runs(runCount);
  auto runStart = [&](std::size_t run) { return players * run / runCount; };
  RunSideBySide(runCount, [&](std::size_t run) {
    runs[run].Match(aggregate, runStart(run), runStart(run + 1));
  });
  // Grouped by key, then run, keeping player order within each: each run's
  // count per key becomes where its matches of the key begin.
  firstMatch_.resize(keys + 1);
  std::uint32_t begin = 0;
  for (std::size_t k = 0; k < keys; ++k) {
    firstMatch_[k] = begin;
    for (PlayerRun& run : runs) begin += std::exchange(run.perKey[k], begin);
  }
  firstMatch_[keys] = begin;
  weapons_.resize(firstMatch_[keys]);
  players_.resize(firstMatch_[keys]);
  RunSideBySide(runCount, [&](std::size_t r) {
    for (const PlayerRun::Found& f : runs[r].found) {
      const std::uint32_t at = runs[r].perKey[f.key]++;
      weapons_[at] = f.weapon;
      players_[at] = f.player;
    }
  });
}

void WeaponRowIndex::FillRow(std::size_t key, WeaponRow* row) const {
  row->key = aggregate_.m_WeaponNames[key];
  row->label = row->key;
  const std::uint32_t first = firstMatch_[key];
  const std::uint32_t count = firstMatch_[key + 1] - first;
  row->matched = std::span<const WeaponStats* const>(weapons_).subspan(first, count);
  row->players = std::span<const std::uint32_t>(players_).subspan(first, count);
  // The last player in order that has the weapon gives the label.
  if (count != 0) row->label = row->matched.back()->m_DisplayName;
}

void WritePlayerHeading(const StatsAggregate& aggregate, const char* caption,
                        ReportStream& stream) {
  stream.Write(caption);
  for (const PlayerStats& player : aggregate.m_Players) {
    stream.Write(player.m_Name);
    stream.Write("\t");
  }
  stream.Write("\n");
}

// The cells are the bulk of a wide report, so they are converted with
// to_chars, which gives the same digits as "%d" and "%.2f" (both exact, ties
// to even) without parsing a format.
void AppendCountCell(std::string* cells, std::uint32_t value) {
  char text[16];
  char* end = std::to_chars(text, text + sizeof text, AsSigned(value)).ptr;
  *end++ = '\t';
  cells->append(text, end);
}

namespace {

// Appends "%.2f" of `value` if 0 <= value < 2^53, from its bits: the exact
// binary value times 100, rounded half to even, as printf rounds it.
// Returns false, appending nothing, for any other value. Ratios and
// averages are such values, and this is several times faster than the
// general conversion.
bool AppendSmallFixed(std::string* cells, double value) {
  if (!(value >= 0 && value < 0x1p53) || std::signbit(value)) return false;  // -0.0 too
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const auto exponent = static_cast<int>(bits >> 52);  // the sign bit is 0
  std::uint64_t hundredths = 0;                        // zero and subnormals round to 0
  if (exponent != 0) {
    // value = significand * 2^-shift, 0 <= shift since value < 2^53.
    const std::uint64_t scaled =
        ((bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52)) * 100;
    const int shift = 1075 - exponent;
    if (shift == 0) {
      hundredths = scaled;
    } else if (shift < 64) {
      hundredths = scaled >> shift;
      const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
      const std::uint64_t half = std::uint64_t{1} << (shift - 1);
      if (rest > half || (rest == half && (hundredths & 1) != 0)) ++hundredths;
    }  // else scaled < 2^60 is less than half of 2^shift: 0
  }
  char text[32];
  char* end = std::to_chars(text, text + sizeof text, hundredths / 100).ptr;
  const auto cents = static_cast<unsigned>(hundredths % 100);
  *end++ = '.';
  *end++ = static_cast<char>('0' + cents / 10);
  *end++ = static_cast<char>('0' + cents % 10);
  *end++ = '\t';
  cells->append(text, end);
  return true;
}

}  // namespace

void AppendFixedCell(std::string* cells, double value) {
  if (AppendSmallFixed(cells, value)) return;
  if (!std::isfinite(value)) {
    AppendFormat(cells, "%.2f\t", value);
    return;
  }
  // The longest finite value, DBL_MAX, takes 309 digits, a sign and ".00".
  char text[320];
  char* end = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, 2).ptr;
  *end++ = '\t';
  cells->append(text, end);
}

}  // namespace wus
