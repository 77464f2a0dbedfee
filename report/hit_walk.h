// The two hit walks of the hit tables: every hit of every weapon of every
// player (whatever the weapon's name), and every hit of the weapons matched
// for one weapon row.
#pragma once

#include "report/weapon_rows.h"
#include "stats/model.h"

namespace wus {

// Calls visit(const HitRecord&) for every hit in the aggregate, in player,
// weapon and hit order.
template <typename Visit>
void ForEachHit(const StatsAggregate& aggregate, Visit&& visit) {
  for (const PlayerStats& player : aggregate.m_Players) {
    for (const WeaponStats& weapon : player.m_Weapons) {
      weapon.m_Hits.ForEach(visit);
    }
  }
}

// Calls visit(const HitRecord&) for every hit of the row's matched weapons,
// in player and hit order.
template <typename Visit>
void ForEachRowHit(const WeaponRow& row, Visit&& visit) {
  for (const WeaponStats* weapon : row.weapons) {
    if (weapon == nullptr) continue;
    weapon->m_Hits.ForEach(visit);
  }
}

}  // namespace wus
