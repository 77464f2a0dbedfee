// The hit summary of a weapon, computed from its list of hits.
#include "report/html/hit_data.h"

#include <cmath>
#include <cstddef>
#include <unordered_map>

namespace wus::html {
namespace {

constexpr std::size_t kLastColumn = 1023;
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
// Up to this many bones a weapon's bone entry is found by a linear search.
constexpr std::size_t kLinearBones = 32;

// Returns the distance column of `hit`, or kNoColumn for a distance that is
// not a finite number.
std::size_t RangeColumnOf(const HitRecord& hit) {
  double sum = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    double delta = static_cast<double>(hit.m_Pos2[axis]) - static_cast<double>(hit.m_Pos1[axis]);
    sum += delta * delta;
  }
  const double distance = std::sqrt(sum);
  if (!std::isfinite(distance)) return kNoColumn;
  if (distance >= static_cast<double>(kLastColumn)) return kLastColumn;
  return static_cast<std::size_t>(distance);
}

}  // namespace

void ReadWeaponHits(const WeaponStats& weapon, WeaponHits* out) {
  out->hitCount = 0;
  out->rangeColumns.clear();
  out->bones.clear();
  // The entry of each bone once there are too many for a linear search: a
  // weapon hits a few bones, but a crafted file may name thousands.
  std::unordered_map<NameId, std::size_t> entryOf;
  auto entryFor = [&](NameId bone) -> BoneHits& {
    if (out->bones.size() <= kLinearBones) {
      for (BoneHits& entry : out->bones) {
        if (entry.bone == bone) return entry;
      }
      if (out->bones.size() < kLinearBones) return out->bones.emplace_back(BoneHits{bone, 0, 0});
      for (std::size_t i = 0; i < out->bones.size(); ++i) entryOf.emplace(out->bones[i].bone, i);
    }
    auto [found, added] = entryOf.try_emplace(bone, out->bones.size());
    if (added) out->bones.push_back({bone, 0, 0});
    return out->bones[found->second];
  };
  weapon.m_Hits.ForEach([&](const HitRecord& hit) {
    AddTo(out->hitCount, 1);
    const std::size_t column = RangeColumnOf(hit);
    if (column != kNoColumn) {
      if (out->rangeColumns.size() <= column) out->rangeColumns.resize(column + 1);
      AddTo(out->rangeColumns[column], 1);
    }
    if (hit.m_BoneName == NamePool::kEmpty) return;
    BoneHits& entry = entryFor(hit.m_BoneName);
    AddTo(entry.hits, 1);
    if (hit.m_bLethal != 0) AddTo(entry.lethalHits, 1);
  });
}

std::string_view BoneText(const StatsAggregate& aggregate, NameId bone) {
  return aggregate.m_HitTexts.Get(bone);
}

}  // namespace wus::html
