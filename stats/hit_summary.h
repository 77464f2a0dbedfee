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

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <span>
#include <vector>

#include "stats/hash_index.h"
#include "stats/name_pool.h"
#include "stats/packed_row.h"

namespace wus {

inline constexpr std::size_t kMaxRangeColumns = 1024;

// Returns the distance column of a hit from `from` to `to` (see above), or
// nothing when the distance is not a finite number. Inline: it is on the
// path of every hit read.
inline std::optional<std::uint32_t> RangeColumn(const std::array<float, 3>& from,
                                                const std::array<float, 3>& to) {
  // Each difference, square and sum rounded to double, in this order.
  const double dx = static_cast<double>(to[0]) - static_cast<double>(from[0]);
  const double dy = static_cast<double>(to[1]) - static_cast<double>(from[1]);
  const double dz = static_cast<double>(to[2]) - static_cast<double>(from[2]);
  const double sum = (dx * dx + dy * dy) + dz * dz;
  const double distance = std::sqrt(sum);
  if (!std::isfinite(distance)) return std::nullopt;
  constexpr double kLastColumnStart = kMaxRangeColumns - 1;
  if (distance >= kLastColumnStart) return static_cast<std::uint32_t>(kMaxRangeColumns - 1);
  // The distance is not negative, so dropping the fraction is the floor.
  return static_cast<std::uint32_t>(distance);
}

// The hits of one weapon on one bone. `bone` is an id of the pool that the
// summary's owner keeps its bone texts in (never NamePool::kEmpty).
struct BoneHitCount {
  NameId bone;
  std::uint32_t hits = 0;
  std::uint32_t lethalHits = 0;
};

// The bones of a hit summary, in the order of their first hit: a view of
// a row of three numbers per bone (its id, hits and lethal hits).
class BoneList {
 public:
  // No bones.
  BoneList() : numbers_(&NoNumbers()) {}
  explicit BoneList(const PackedRow& numbers) : numbers_(&numbers) {}

  std::size_t size() const { return numbers_->size() / 3; }
  bool empty() const { return numbers_->empty(); }
  // Where the bones lie, to ask for them ahead of reading.
  const void* data() const { return numbers_->data(); }
  BoneHitCount operator[](std::size_t i) const {
    const PackedRow& numbers = *numbers_;
    return BoneHitCount{numbers[3 * i], numbers[3 * i + 1], numbers[3 * i + 2]};
  }
  // Calls visit(BoneHitCount) for every bone in order; faster than indexing.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    numbers_->ForEachGroup<3>([&visit](const std::array<std::uint32_t, 3>& bone) {
      visit(BoneHitCount{bone[0], bone[1], bone[2]});
    });
  }

 private:
  static const PackedRow& NoNumbers() {
    static const PackedRow none;
    return none;
  }
  const PackedRow* numbers_;
};

// The hits of one column.
struct ColumnCount {
  std::uint32_t column;
  std::uint32_t hits;
};

// What one weapon record's hits come to, as the loading thread hands them
// over (stats/hit_folder.h). Counters are 32-bit and wrap.
struct FileHitSummary {
  std::uint32_t hitCount = 0;
  std::uint32_t lethalHitCount = 0;
  std::vector<ColumnCount> columns;  // the columns hit, in no set order
  std::vector<BoneHitCount> bones;   // each once, in the order of their first hit; file ids

  // Forgets the counts; keeps the lists' room.
  void Clear() {
    hitCount = lethalHitCount = 0;
    columns.clear();
    bones.clear();
  }
};

// Scratch for HitSummary::Add, kept by the caller from one call to the next.
struct BoneSlots {
  std::vector<std::uint32_t> place;  // by bone id: 1 + a place in a bone list; zero between calls
  std::uint64_t marked = 0;          // places marked so far: the work of adding to short lists
};

class HitSummary {
 public:
  // The lists take their memory from `memory`.
  explicit HitSummary(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : range_(memory), boneNumbers_(memory) {}
  HitSummary(HitSummary&&) noexcept = default;
  HitSummary& operator=(HitSummary&&) noexcept = default;
  HitSummary(const HitSummary&) = delete;
  HitSummary& operator=(const HitSummary&) = delete;

  // Hit records folded, and those with a nonzero lethal flag.
  std::uint32_t hitCount() const { return hitCount_; }
  std::uint32_t lethalHitCount() const { return lethalHitCount_; }
  // Hits per distance column 0, 1, ...; the size is one more than the
  // largest column hit (0 when none was).
  const PackedRow& rangeColumns() const { return range_; }
  // The bones hit, in the order of their first hit. Hits without a bone
  // name count in hitCount() and lethalHitCount() only.
  BoneList bones() const { return BoneList(boneNumbers_); }

  // Adds the counts of one weapon record, whose bone ids belong to another
  // pool: mapBone(id) gives the id of the same text in this summary's pool
  // (distinct ids for distinct texts). Bones new to this summary follow its
  // own, in `other`'s order. Adding costs time in proportion to the columns
  // and bones of `other`, and at most kIndexedBones for this summary's
  // bones (a longer list keeps an index of its bones). Short lists grow to
  // the exact size needed, since an aggregate holds many summaries.
  template <typename MapBone>
  void Add(const FileHitSummary& other, MapBone&& mapBone, BoneSlots& slots) {
    hitCount_ += other.hitCount;
    lethalHitCount_ += other.lethalHitCount;
    std::uint32_t columns = 0;
    for (const ColumnCount& count : other.columns) columns = std::max(columns, count.column + 1);
    range_.GrowTo(columns);
    for (const ColumnCount& count : other.columns) range_.Add(count.column, count.hits);
    if (other.bones.empty()) return;
    if (!boneIndex_ && bones().size() + other.bones.size() > kIndexedBones) IndexBones();
    if (boneIndex_) {
      AddIndexed(other, mapBone);
    } else {
      AddMarked(other, mapBone, slots);
    }
  }

  // Above this many bones a summary keeps an index from bone id to place.
  static constexpr std::size_t kIndexedBones = 64;

 private:
  // Adds `other`'s bones with this summary's places marked in the slots by
  // bone id, then the new ones after them: time in proportion to the bones
  // of both.
  template <typename MapBone>
  void AddMarked(const FileHitSummary& other, MapBone& mapBone, BoneSlots& slots) {
    std::size_t bones = 0;
    boneNumbers_.ForEachGroup<3>(
        [&](const std::array<std::uint32_t, 3>& bone) { Slot(slots, bone[0]) = Place(bones++); });
    const std::size_t before = bones;
    for (const BoneHitCount& count : other.bones) {
      std::uint32_t& slot = Slot(slots, mapBone(count.bone));
      if (slot == 0) slot = Place(bones++);
    }
    slots.marked += bones;
    boneNumbers_.GrowTo(3 * bones);
    for (const BoneHitCount& count : other.bones) {
      const NameId bone = mapBone(count.bone);
      const std::size_t place = slots.place[bone] - std::size_t{1};
      AddBoneAt(place, bone, place >= before, count);
    }
    boneNumbers_.ForEachGroup<3>(
        [&slots](const std::array<std::uint32_t, 3>& bone) { slots.place[bone[0]] = 0; });
  }

  // Adds `other`'s bones through the index: time in proportion to them (a
  // long row grows by half at a time).
  template <typename MapBone>
  void AddIndexed(const FileHitSummary& other, MapBone& mapBone) {
    for (const BoneHitCount& count : other.bones) {
      const NameId bone = mapBone(count.bone);
      std::size_t place = FindBone(bone);
      const bool isNew = place == HashIndex::kNone;
      if (isNew) {
        place = bones().size();
        boneNumbers_.GrowTo(3 * place + 3);
        boneIndex_->Insert(HashBone(bone), static_cast<std::uint32_t>(place));
      }
      AddBoneAt(place, bone, isNew, count);
    }
  }

  // Adds `count` to the bone at `place`; a new place gets its bone first.
  void AddBoneAt(std::size_t place, NameId bone, bool isNew, const BoneHitCount& count) {
    if (isNew) boneNumbers_.Add(3 * place, bone);
    boneNumbers_.Add(3 * place + 1, count.hits);
    boneNumbers_.Add(3 * place + 2, count.lethalHits);
  }

  // Starts the index with the bones so far.
  void IndexBones() {
    boneIndex_ = std::make_unique<HashIndex>(boneNumbers_.memory());
    boneIndex_->Reserve(bones().size());
    std::uint32_t place = 0;
    boneNumbers_.ForEachGroup<3>([&](const std::array<std::uint32_t, 3>& bone) {
      boneIndex_->Insert(HashBone(bone[0]), place++);
    });
  }
  // Returns the place of `bone` through the index, or HashIndex::kNone.
  std::uint32_t FindBone(NameId bone) const {
    return boneIndex_->Find(HashBone(bone), [&](std::uint32_t place) {
      return boneNumbers_[3 * std::size_t{place}] == bone;
    });
  }
  static std::uint32_t HashBone(NameId bone) {
    return static_cast<std::uint32_t>((bone * 0x9e3779b97f4a7c15ULL) >> 32);
  }
  static std::uint32_t& Slot(BoneSlots& slots, NameId bone) {
    if (bone >= slots.place.size()) slots.place.resize(bone + std::size_t{1}, 0);
    return slots.place[bone];
  }
  static std::uint32_t Place(std::size_t index) { return static_cast<std::uint32_t>(index + 1); }

  std::uint32_t hitCount_ = 0;
  std::uint32_t lethalHitCount_ = 0;
  PackedRow range_;
  PackedRow boneNumbers_;                 // bone, hits, lethal hits: three numbers per bone
  std::unique_ptr<HashIndex> boneIndex_;  // place by bone, once there are many bones
};

}  // namespace wus
