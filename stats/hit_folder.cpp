// Handing a weapon's folded hits over and clearing the scratch.
#include "stats/hit_folder.h"

#include <algorithm>
#include <utility>

namespace wus {

HitFolder::HitFolder()
    : columnHits_(kMaxRangeColumns, 0),
      touched_(kMaxRangeColumns + 1),
      boneSlot_(1, 0),
      bones_(1) {}

void HitFolder::Finish(FileHitSummary* out) {
  out->hitCount = hitCount_;
  out->lethalHitCount = lethalHitCount_;
  out->columns.clear();
  for (std::uint32_t i = 0; i < touchedCount_; ++i) {
    // A column listed twice (its count wrapped) adds nothing the second
    // time: the first takes its count and leaves zero.
    const std::uint32_t column = touched_[i];
    out->columns.push_back(ColumnCount{column, std::exchange(columnHits_[column], 0)});
  }
  out->bones.clear();
  for (std::uint32_t i = 0; i < boneCount_; ++i) {
    if (bones_[i].bone != NamePool::kEmpty) out->bones.push_back(bones_[i]);
  }
  Clear();
}

void HitFolder::Clear() {
  for (std::uint32_t i = 0; i < touchedCount_; ++i) columnHits_[touched_[i]] = 0;
  for (std::uint32_t i = 0; i < boneCount_; ++i) {
    boneSlot_[bones_[i].bone] = 0;
    bones_[i] = BoneHitCount{};
  }
  hitCount_ = lethalHitCount_ = 0;
  touchedCount_ = boneCount_ = 0;
}

void HitFolder::GrowBones(NameId bone) {
  boneSlot_.resize(bone + std::size_t{1}, 0);
  bones_.resize(boneSlot_.size());
}

void HitFolder::ListColumnsOnce() {
  const auto listed = touched_.begin() + static_cast<std::ptrdiff_t>(touchedCount_);
  std::sort(touched_.begin(), listed);
  touchedCount_ =
      static_cast<std::uint32_t>(std::unique(touched_.begin(), listed) - touched_.begin());
}

}  // namespace wus
