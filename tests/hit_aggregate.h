// Builds aggregates with hits for the tests of the hit tables, through the
// model's own operations (the way the loader fills it).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "stats/hit_folder.h"
#include "stats/model.h"

namespace wus::test {

struct TestHit {
  std::array<float, 3> from;
  std::array<float, 3> to;
  bool lethal = false;
  std::string bone;
};

// One weapon record of one player with its hits.
struct TestWeapon {
  std::string player;
  std::string id;
  std::string displayName;
  std::vector<TestHit> hits;
};

// A non-lethal hit without a bone name from `from` to `to`.
inline TestHit Span(std::array<float, 3> from, std::array<float, 3> to) {
  return TestHit{from, to, false, ""};
}

// A hit from the origin to (distance, 0, 0).
inline TestHit HitAt(float distance, bool lethal = false, std::string bone = "") {
  return TestHit{{0, 0, 0}, {distance, 0, 0}, lethal, std::move(bone)};
}

// A hit at distance 1 on `bone`.
inline TestHit BoneHit(std::string bone, bool lethal = false) {
  return HitAt(1, lethal, std::move(bone));
}

// Adds every weapon record, in order, to `aggregate`, folding its hits into
// the weapon's summary.
inline void AddWeapons(StatsAggregate& aggregate, const std::vector<TestWeapon>& weapons) {
  BoneSlots slots;
  for (const TestWeapon& record : weapons) {
    WeaponStats& weapon =
        aggregate.FindOrAddPlayer(record.player).FindOrAddWeapon(record.id, record.displayName);
    aggregate.AddWeaponName(record.id);
    HitFolder folder;
    for (const TestHit& hit : record.hits) {
      folder.AddHit(RangeColumn(hit.from, hit.to), aggregate.m_BoneTexts.Intern(hit.bone),
                    hit.lethal);
    }
    FileHitSummary hits;
    folder.Finish(&hits);
    weapon.m_HitSummary.Add(
        hits, [](NameId bone) { return bone; }, slots);
  }
}

}  // namespace wus::test
