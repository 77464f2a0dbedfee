// The hit summary of a weapon, computed from its list of hits.
#include "report/html/hit_data.h"

#include <cmath>
#include <cstddef>

namespace wus::html {
namespace {

constexpr std::size_t kLastColumn = 1023;
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

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

HitReader::HitReader(const StatsAggregate& aggregate)
    : aggregate_(aggregate), entryOf_(aggregate.m_HitTexts.size(), 0) {}

void HitReader::Read(const WeaponStats& weapon, WeaponHits* out) {
  out->hitCount = 0;
  out->rangeColumns.clear();
  out->bones.clear();
  weapon.m_Hits.ForEach([&](const HitRecord& hit) {
    AddTo(out->hitCount, 1);
    const std::size_t column = RangeColumnOf(hit);
    if (column != kNoColumn) {
      if (out->rangeColumns.size() <= column) out->rangeColumns.resize(column + 1);
      AddTo(out->rangeColumns[column], 1);
    }
    if (hit.m_BoneName == NamePool::kEmpty) return;
    std::uint32_t& entry = entryOf_[hit.m_BoneName];
    if (entry == 0) {
      out->bones.push_back({hit.m_BoneName, 0, 0});
      entry = static_cast<std::uint32_t>(out->bones.size());
    }
    BoneHits& bone = out->bones[entry - 1];
    AddTo(bone.hits, 1);
    if (hit.m_bLethal != 0) AddTo(bone.lethalHits, 1);
  });
  for (const BoneHits& bone : out->bones) entryOf_[bone.bone] = 0;
}

std::string_view HitReader::BoneText(NameId bone) const { return aggregate_.m_HitTexts.Get(bone); }

}  // namespace wus::html
