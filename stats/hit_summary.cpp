// Folding hits into a weapon's summary.
#include "stats/hit_summary.h"

#include <cmath>

namespace wus {

std::optional<std::uint32_t> RangeColumn(const std::array<float, 3>& from,
                                         const std::array<float, 3>& to) {
  double sum = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    double delta = static_cast<double>(to[axis]) - static_cast<double>(from[axis]);
    sum += delta * delta;
  }
  double distance = std::sqrt(sum);
  if (!std::isfinite(distance)) return std::nullopt;
  constexpr double kLastColumnStart = kMaxRangeColumns - 1;
  if (distance >= kLastColumnStart) return static_cast<std::uint32_t>(kMaxRangeColumns - 1);
  // The distance is not negative, so dropping the fraction is the floor.
  return static_cast<std::uint32_t>(distance);
}

std::uint32_t HitSummary::AddBone(NameId bone) {
  auto at = static_cast<std::uint32_t>(bones_.size());
  bones_.push_back(BoneHitCount{bone, 0, 0});
  if (boneIndex_) {
    boneIndex_->Insert(HashId(bone), at);
  } else if (bones_.size() > kLinearBones) {
    boneIndex_ = std::make_unique<HashIndex>();
    for (std::uint32_t i = 0; i < bones_.size(); ++i) boneIndex_->Insert(HashId(bones_[i].bone), i);
  }
  return at;
}

void HitSummary::Clear() {
  hitCount_ = 0;
  lethalHitCount_ = 0;
  range_.clear();
  bones_.clear();
  boneIndex_.reset();
}

}  // namespace wus
