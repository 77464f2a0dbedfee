// Helpers for the section-writer tests: building an aggregate the way the
// loader fills it, and repeated cells of the expected outputs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "stats/model.h"

namespace wus::test {

// Returns player `player`'s weapon `id` with display name `displayName`,
// adding the player, the weapon and the key `id` where they are new. The
// reference is valid until the next addition.
inline WeaponStats& AddWeapon(StatsAggregate& aggregate, std::string_view player,
                              std::string_view id, std::string_view displayName) {
  aggregate.AddWeaponName(id);
  return aggregate.FindOrAddPlayer(player).FindOrAddWeapon(id, displayName);
}

// Returns `text` repeated `count` times.
inline std::string Repeat(std::string_view text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out.append(text);
  return out;
}

}  // namespace wus::test
