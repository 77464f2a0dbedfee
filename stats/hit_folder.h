// Folding the hits of one weapon record as the loading thread reads them,
// at a constant cost per hit and without branches that depend on the data:
// a dense scratch row of distance columns and a table from the file's bone
// ids to the weapon's bone list. The result is a FileHitSummary that takes
// room for the columns and bones actually hit, not for every column up to
// the farthest one, so that a file in flight costs memory in proportion to
// its size and merging it costs time in proportion to what it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "stats/hit_summary.h"
#include "stats/name_pool.h"

namespace wus {

class HitFolder {
 public:
  HitFolder();

  // Folds one hit: its distance column (none for a non-finite distance),
  // its bone (an id of the file's pool, NamePool::kEmpty for none) and
  // whether it was lethal.
  void AddHit(std::optional<std::uint32_t> column, NameId bone, bool lethal) {
    ++hitCount_;
    lethalHitCount_ += lethal ? 1u : 0u;
    if (column) {
      // A column is listed when its count leaves zero.
      touched_[touchedCount_] = *column;
      touchedCount_ += columnHits_[*column]++ == 0 ? 1u : 0u;
      if (touchedCount_ == touched_.size()) ListColumnsOnce();
    }
    // The empty bone counts like any other and is left out at the end.
    if (bone >= boneSlot_.size()) GrowBones(bone);
    std::uint32_t& slot = boneSlot_[bone];
    const std::uint32_t next = boneCount_ + (slot == 0 ? 1u : 0u);
    slot = slot != 0 ? slot : next;
    boneCount_ = next;
    BoneHitCount& count = bones_[slot - 1];
    count.bone = bone;
    ++count.hits;
    count.lethalHits += lethal ? 1u : 0u;
  }

  // Moves the hits folded since the last call into `*out` and starts over.
  // Costs time in proportion to the columns and bones hit.
  void Finish(FileHitSummary* out);
  // Forgets the hits folded since the last Finish.
  void Clear();

 private:
  // Makes room for bone ids up to `bone`.
  void GrowBones(NameId bone);
  // Drops the columns listed twice (their counts wrapped to zero and left
  // it again), so that the list keeps room for one more.
  void ListColumnsOnce();

  std::uint32_t hitCount_ = 0;
  std::uint32_t lethalHitCount_ = 0;
  std::vector<std::uint32_t> columnHits_;  // by column; zero unless listed
  std::vector<std::uint32_t> touched_;     // the columns hit: the first touchedCount_
  std::uint32_t touchedCount_ = 0;
  std::vector<std::uint32_t> boneSlot_;  // by bone id: 1 + place in bones_, 0 if none
  std::vector<BoneHitCount> bones_;      // the first boneCount_, in first-hit order
  std::uint32_t boneCount_ = 0;
};

}  // namespace wus
