// The statistics model's lookups.
#include "stats/model.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace wus {

std::size_t AsciiFoldHash::operator()(std::string_view text) const noexcept {
  return static_cast<std::size_t>(KeyedFoldedHash(text));
}

bool AsciiFoldEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

const WeaponStats* PlayerStats::FindWeapon(std::string_view key) const {
  std::uint32_t found = m_WeaponIndex.Find(
      HashText(key), [&](std::uint32_t index) { return m_Weapons[index].MatchesName(key); });
  return found == HashIndex::kNone ? nullptr : &m_Weapons[found];
}

WeaponStats* PlayerStats::FindWeapon(std::string_view key) {
  return const_cast<WeaponStats*>(std::as_const(*this).FindWeapon(key));
}

WeaponStats& PlayerStats::FindOrAddWeapon(std::string_view id, std::string_view displayName) {
  if (WeaponStats* weapon = FindWeapon(id)) return *weapon;
  if (WeaponStats* weapon = FindWeapon(displayName)) return *weapon;
  auto index = static_cast<std::uint32_t>(m_Weapons.size());
  // A quarter more room at a time, not double: an aggregate of many players
  // holds hundreds of thousands of weapons, and doubling would leave a third
  // of that memory unused on average.
  if (m_Weapons.size() == m_Weapons.capacity()) {
    m_Weapons.reserve(m_Weapons.size() + std::max<std::size_t>(4, m_Weapons.size() / 4));
  }
  WeaponStats& weapon = m_Weapons.emplace_back(m_Weapons.get_allocator().resource());
  weapon.m_Name = id;
  weapon.m_DisplayName = displayName;
  // Neither text is indexed yet (both lookups failed), so the new weapon is
  // the first one that has them.
  m_WeaponIndex.Insert(HashText(id), index);
  if (displayName != id) m_WeaponIndex.Insert(HashText(displayName), index);
  return weapon;
}

void PlayerStats::ReserveWeapons(std::size_t count) {
  m_Weapons.reserve(m_Weapons.size() + count);
  // Two texts a weapon at the most.
  m_WeaponIndex.Reserve(2 * m_Weapons.capacity());
}

void StatsAggregate::Reset() {
  m_Players.clear();
  m_WeaponNames.clear();
  m_dwTotalPlayersAliveTime = {};
  m_dwTotalPlayersMoneyRound = {};
  m_dwTotalNumRespawns = {};
  m_UsedFiles.clear();
  m_BoneTexts.Clear();
  m_PlayerIndex.Clear();
  m_WeaponNameIndex.Clear();
  weaponNameOffers_ = 0;
}

PlayerStats& StatsAggregate::FindOrAddPlayer(std::string_view name) {
  const std::uint32_t hash = PlayerHash(name);
  const std::uint32_t found = FindPlayerIndex(name, hash);
  if (found != HashIndex::kNone) return m_Players[found];
  m_PlayerIndex.Insert(hash, static_cast<std::uint32_t>(m_Players.size()));
  return m_Players.emplace_back(name, lists_.get());
}

const PlayerStats* StatsAggregate::FindPlayer(std::string_view name) const {
  const std::uint32_t found = FindPlayerIndex(name, PlayerHash(name));
  return found == HashIndex::kNone ? nullptr : &m_Players[found];
}

std::uint32_t StatsAggregate::FindPlayerIndex(std::string_view name, std::uint32_t hash) const {
  return m_PlayerIndex.Find(
      hash, [&](std::uint32_t i) { return AsciiFoldEqual()(m_Players[i].m_Name, name); });
}

std::uint32_t StatsAggregate::AddWeaponName(std::string_view id) {
  ++weaponNameOffers_;
  const std::uint32_t hash = HashText(id);
  const std::uint32_t found = FindWeaponName(id, hash);
  if (found != HashIndex::kNone) return found;
  const auto index = static_cast<std::uint32_t>(m_WeaponNames.size());
  m_WeaponNameIndex.Insert(hash, index);
  m_WeaponNames.emplace_back(id);
  return index;
}

std::uint32_t StatsAggregate::FindWeaponName(std::string_view name) const {
  return FindWeaponName(name, HashText(name));
}

std::uint32_t StatsAggregate::FindWeaponName(std::string_view name, std::uint32_t hash) const {
  return m_WeaponNameIndex.Find(hash, [&](std::uint32_t i) { return m_WeaponNames[i] == name; });
}

}  // namespace wus

// Growing a list moves its records; a throwing move would make std::vector
// copy every player with all its weapons instead.
static_assert(std::is_nothrow_move_constructible_v<wus::PlayerStats>);
static_assert(std::is_nothrow_move_constructible_v<wus::WeaponStats>);
