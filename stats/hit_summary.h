// What the report needs of a weapon's hits, counted as they are read: how
// many hit records there are, how many fall in each distance column, and
// how many hits and lethal hits each bone took, with the bones in the order
// they first appear. No hit is kept.
//
// A distance column is the floor of the distance, in double precision,
// between a hit's two points; columns of kMaxRangeColumns - 1 and beyond
// count in that last column, and a distance that is not a finite number
// counts in none. Counters are 32-bit and wrap modulo 2^32.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "stats/hash_index.h"
#include "stats/name_pool.h"

namespace wus {

inline constexpr std::size_t kMaxRangeColumns = 1024;

// Returns the distance column of a hit from `from` to `to` (see above), or
// nothing when the distance is not a finite number.
std::optional<std::uint32_t> RangeColumn(const std::array<float, 3>& from,
                                         const std::array<float, 3>& to);

// The hits of one weapon on one bone. `bone` is an id of the pool that the
// summary's owner keeps its bone texts in (never NamePool::kEmpty).
struct BoneHitCount {
  NameId bone;
  std::uint32_t hits = 0;
  std::uint32_t lethalHits = 0;
};

class HitSummary {
 public:
  HitSummary() = default;
  HitSummary(HitSummary&&) noexcept = default;
  HitSummary& operator=(HitSummary&&) noexcept = default;
  HitSummary(const HitSummary&) = delete;
  HitSummary& operator=(const HitSummary&) = delete;

  // Hit records folded, and those with a nonzero lethal flag.
  std::uint32_t hitCount() const { return hitCount_; }
  std::uint32_t lethalHitCount() const { return lethalHitCount_; }
  // Hits per distance column 0, 1, ...; the size is one more than the
  // largest column hit (0 when none was).
  std::span<const std::uint32_t> rangeColumns() const { return range_; }
  // The bones hit, in the order of their first hit. Hits without a bone
  // name count in hitCount() and lethalHitCount() only.
  std::span<const BoneHitCount> bones() const { return bones_; }

  // Folds one hit: its distance column (none for a non-finite distance),
  // its bone (NamePool::kEmpty for none) and whether it was lethal.
  void AddHit(std::optional<std::uint32_t> column, NameId bone, bool lethal) {
    ++hitCount_;
    if (lethal) ++lethalHitCount_;
    if (column) {
      if (*column >= range_.size()) range_.resize(*column + 1);
      ++range_[*column];
    }
    if (bone != NamePool::kEmpty) {
      BoneHitCount& count = bones_[FindOrAddBone(bone)];
      ++count.hits;
      if (lethal) ++count.lethalHits;
    }
  }

  // Adds every count of `other`, whose bone ids belong to another pool:
  // mapBone(id) gives the id of the same text in this summary's pool. Bones
  // new to this summary follow its own, in `other`'s order. Grows its lists
  // to the exact size needed, since an aggregate holds many summaries.
  template <typename MapBone>
  void Add(const HitSummary& other, MapBone&& mapBone) {
    hitCount_ += other.hitCount_;
    lethalHitCount_ += other.lethalHitCount_;
    if (other.range_.size() > range_.size()) {
      range_.reserve(other.range_.size());
      range_.resize(other.range_.size());
    }
    for (std::size_t k = 0; k < other.range_.size(); ++k) range_[k] += other.range_[k];
    // The bones this summary has are added to at once; the new ones, rare
    // after the first files, are appended afterwards in `other`'s order.
    std::vector<BoneHitCount> added;
    for (const BoneHitCount& count : other.bones_) {
      const NameId bone = mapBone(count.bone);
      std::uint32_t at = FindBone(bone);
      if (at == kNoBone) {
        added.push_back(BoneHitCount{bone, count.hits, count.lethalHits});
        continue;
      }
      bones_[at].hits += count.hits;
      bones_[at].lethalHits += count.lethalHits;
    }
    if (added.empty()) return;
    bones_.reserve(bones_.size() + added.size());
    for (const BoneHitCount& count : added) bones_[AddBone(count.bone)] = count;
  }

  // Forgets every hit; keeps the lists' room.
  void Clear();

 private:
  static constexpr std::uint32_t kNoBone = HashIndex::kNone;
  // Up to this many bones are searched one by one; more get an index, so
  // that a weapon with thousands of bones costs no quadratic time.
  static constexpr std::size_t kLinearBones = 24;

  static std::uint32_t HashId(NameId id) {
    return static_cast<std::uint32_t>((std::uint64_t{id} * 0x9e3779b97f4a7c15ULL) >> 32);
  }
  // Returns the position of `bone` in bones_, or kNoBone.
  std::uint32_t FindBone(NameId bone) const {
    if (!boneIndex_) {
      for (std::size_t i = 0; i < bones_.size(); ++i) {
        if (bones_[i].bone == bone) return static_cast<std::uint32_t>(i);
      }
      return kNoBone;
    }
    return boneIndex_->Find(HashId(bone), [&](std::uint32_t i) { return bones_[i].bone == bone; });
  }
  std::uint32_t FindOrAddBone(NameId bone) {
    std::uint32_t at = FindBone(bone);
    return at != kNoBone ? at : AddBone(bone);
  }
  // Appends `bone`, which is not in bones_; returns its position.
  std::uint32_t AddBone(NameId bone);

  std::uint32_t hitCount_ = 0;
  std::uint32_t lethalHitCount_ = 0;
  std::vector<std::uint32_t> range_;
  std::vector<BoneHitCount> bones_;
  std::unique_ptr<HashIndex> boneIndex_;  // once bones_ outgrows kLinearBones
};

}  // namespace wus
