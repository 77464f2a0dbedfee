// The statistics model: one StatsAggregate per run, into which every loaded
// WUS file is summed. Players are matched by name with only the ASCII letters
// A-Z folded; weapons by identifier or display name, byte for byte. Lists
// keep the order of first sight and are never sorted; lookups keep first-match
// semantics but go through hash indexes, so loading and the report tables
// stay linear in the size of the data.
//
// Counters are 32-bit and wrap modulo 2^32. The two money fields are signed
// (two's complement); everything else is unsigned. Team triples are indexed
// 0 "DM Team", 1 "Green Team", 2 "Blue Team".
//
// Ownership: the aggregate owns its players, a player its weapons, a weapon
// its hit summary, all by value; the memory of the players' lists comes from
// the aggregate's ListArena (stats/list_arena.h), so only the merging
// thread may add to them. A reference returned by a find-or-add operation
// is valid only until the next addition to the same list. Add to the lists only
// through the operations below: they keep the indexes in step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "stats/buy_bucket_counts.h"
#include "stats/hash_index.h"
#include "stats/hit_summary.h"
#include "stats/keyed_hash.h"
#include "stats/list_arena.h"
#include "stats/name_pool.h"

namespace wus {

inline constexpr std::size_t kNumTeams = 3;
inline constexpr std::size_t kNumBuyBuckets = 34;

// One 8-bit text from a WUS file, stored exactly as read (never decoded).
using NameBuf = std::string;

using TeamCounters = std::array<std::uint32_t, kNumTeams>;
using TeamMoney = std::array<std::int32_t, kNumTeams>;
using BuyBuckets = std::array<std::array<std::uint32_t, kNumBuyBuckets>, kNumTeams>;
static_assert(BuyBucketCounts::kTeams == kNumTeams && BuyBucketCounts::kBuckets == kNumBuyBuckets);

// Adds with wrap-around modulo 2^32.
inline void AddTo(std::uint32_t& counter, std::uint32_t value) { counter += value; }
inline void AddTo(std::int32_t& counter, std::uint32_t value) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) + value);
}

struct WeaponStats {
  // The lists take their memory from `memory`.
  explicit WeaponStats(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : m_dwBuyBuckets(memory), m_HitSummary(memory) {}

  NameBuf m_Name;         // the identifier
  NameBuf m_DisplayName;  // the label the weapon tables print
  std::uint32_t m_dwNumBought = 0;
  std::uint32_t m_dwAuxCount = 0;
  std::uint32_t m_dwNumShots = 0;
  std::uint32_t m_dwNumHits = 0;
  std::uint32_t m_dwNumKills = 0;
  // The index of m_Name in the aggregate's m_WeaponNames, when the loader
  // added the weapon; HashIndex::kNone when it is not known.
  std::uint32_t nameIndex = HashIndex::kNone;
  BuyBucketCounts m_dwBuyBuckets;  // read as [team][bucket]
  HitSummary m_HitSummary;         // bone ids into StatsAggregate::m_BoneTexts

  // Returns true iff `key` equals the identifier or the display name.
  bool MatchesName(std::string_view key) const { return m_Name == key || m_DisplayName == key; }
};

class PlayerStats {
 public:
  // The lists of the player and its weapons take their memory from
  // `memory`.
  explicit PlayerStats(std::string_view name,
                       std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : m_Name(name), m_Weapons(memory), m_WeaponIndex(memory) {}

  NameBuf m_Name;  // as spelled at first sight
  std::uint32_t TotalShots = 0;
  TeamCounters m_dwTotalAliveTime{};
  TeamMoney m_dwTotalMoneyRound{};
  TeamCounters m_dwNumRespawned{};
  std::pmr::vector<WeaponStats> m_Weapons;

  // Returns the first weapon (in m_Weapons order) that MatchesName(key), or
  // null if none does.
  const WeaponStats* FindWeapon(std::string_view key) const;
  WeaponStats* FindWeapon(std::string_view key);

  // Returns FindWeapon(id), else FindWeapon(displayName), else a new weapon
  // with these two names appended to m_Weapons.
  WeaponStats& FindOrAddWeapon(std::string_view id, std::string_view displayName);

  // Makes room for `count` more weapons, so that adding them moves none.
  void ReserveWeapons(std::size_t count);

 private:
  // Each text to the index of the first weapon that has it as identifier or
  // display name. A weapon is added only when neither of its texts is
  // indexed, so no text belongs to two weapons.
  HashIndex m_WeaponIndex;
};

// Hash and equality with the ASCII letters A-Z folded onto a-z; every other
// byte must be equal.
struct AsciiFoldHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept;
};
struct AsciiFoldEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

class StatsAggregate {
  // The memory of the players' lists (stats/list_arena.h). Declared before
  // them, so that it goes after them.
  std::unique_ptr<ListArena> lists_ = std::make_unique<ListArena>();

 public:
  StatsAggregate() { Reset(); }
  StatsAggregate(const StatsAggregate&) = delete;
  StatsAggregate& operator=(const StatsAggregate&) = delete;

  std::vector<PlayerStats> m_Players;  // in order of first sight; lists in lists_
  std::vector<NameBuf> m_WeaponNames;  // distinct weapon identifiers, first sight
  TeamCounters m_dwTotalPlayersAliveTime{};
  TeamMoney m_dwTotalPlayersMoneyRound{};
  TeamCounters m_dwTotalNumRespawns{};
  std::vector<NameBuf> m_UsedFiles;  // file names of the accepted files
  NamePool m_BoneTexts;              // the bone names of the hit summaries

  // Empties every list and sets the team counters to 0.
  void Reset();

  // Returns the player whose name equals `name` with ASCII A-Z folded,
  // appending a new one (named `name`) if there is none.
  PlayerStats& FindOrAddPlayer(std::string_view name);
  // Returns that player, or null.
  const PlayerStats* FindPlayer(std::string_view name) const;

  // Appends `id` to m_WeaponNames unless an equal entry exists; returns
  // the index of the entry equal to it.
  std::uint32_t AddWeaponName(std::string_view id);
  // Returns the index in m_WeaponNames of the entry equal to `name`, or
  // HashIndex::kNone.
  std::uint32_t FindWeaponName(std::string_view name) const;
  // The number of AddWeaponName calls so far: the loader's work on the list
  // of weapon names, which must stay linear in the input.
  std::uint64_t weaponNameOffers() const { return weaponNameOffers_; }
  // Appends `fileName` to m_UsedFiles (duplicates included).
  void AddUsedFile(std::string_view fileName) { m_UsedFiles.emplace_back(fileName); }

 private:
  std::uint32_t FindWeaponName(std::string_view name, std::uint32_t hash) const;

  // Returns the index in m_Players of the player named `name` (ASCII case
  // folded), or HashIndex::kNone.
  std::uint32_t FindPlayerIndex(std::string_view name, std::uint32_t hash) const;
  static std::uint32_t PlayerHash(std::string_view name) {
    return static_cast<std::uint32_t>(KeyedFoldedHash(name));
  }

  HashIndex m_PlayerIndex;      // into m_Players, under PlayerHash
  HashIndex m_WeaponNameIndex;  // into m_WeaponNames
  std::uint64_t weaponNameOffers_ = 0;
};

}  // namespace wus
