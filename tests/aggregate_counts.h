// Counting the records of an aggregate, for tests that bound them.
#pragma once

#include <cstdint>

#include "stats/model.h"

namespace wus::test {

// Returns the number of weapons of all players.
inline std::uint64_t CountWeapons(const StatsAggregate& aggregate) {
  std::uint64_t weapons = 0;
  for (const PlayerStats& player : aggregate.m_Players) weapons += player.m_Weapons.size();
  return weapons;
}

// Returns the number of hits folded into the summaries of all weapons of
// all players.
inline std::uint64_t CountHits(const StatsAggregate& aggregate) {
  std::uint64_t hits = 0;
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) hits += weapon.m_HitSummary.hitCount();
  }
  return hits;
}

}  // namespace wus::test
