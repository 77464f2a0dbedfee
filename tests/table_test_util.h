// Helpers for the section-writer tests: building an aggregate the way the
// loader fills it, and the fixed texts that the expected outputs share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "stats/model.h"
#include "tests/test_util.h"

namespace wus::test {

// Returns player `player`'s weapon `id` with display name `displayName`,
// adding the player, the weapon and the key `id` where they are new. The
// reference is valid until the next addition.
inline WeaponStats& AddWeapon(StatsAggregate& aggregate, std::string_view player,
                              std::string_view id, std::string_view displayName) {
  aggregate.AddWeaponName(id);
  return aggregate.FindOrAddPlayer(player).FindOrAddWeapon(id, displayName);
}

// The heading lines of the per-player tables, without the players' names.
inline std::string HeadingFeminine() { return Cp1251("\tОбщая\t"); }
inline std::string HeadingNeuter() { return Cp1251("\tОбщее\t"); }

// Returns `text` repeated `count` times.
inline std::string Repeat(std::string_view text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out.append(text);
  return out;
}

// Names a parameterised test after its case's `name`.
template <typename CaseT>
std::string CaseName(const testing::TestParamInfo<CaseT>& param) {
  return param.param.name;
}

}  // namespace wus::test
