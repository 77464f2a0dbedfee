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
#include <memory_resource>
#include <optional>
#include <span>
#include <vector>

#include "stats/count_row.h"
#include "stats/name_pool.h"

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

// Scratch for HitSummary::Add: a place in a bone list by bone id.
using BoneSlots = std::vector<std::uint32_t>;

class HitSummary {
 public:
  // The lists take their memory from `memory`.
  explicit HitSummary(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : range_(memory), bones_(memory) {}
  HitSummary(HitSummary&&) noexcept = default;
  HitSummary& operator=(HitSummary&&) noexcept = default;
  HitSummary(const HitSummary&) = delete;
  HitSummary& operator=(const HitSummary&) = delete;

  // Hit records folded, and those with a nonzero lethal flag.
  std::uint32_t hitCount() const { return hitCount_; }
  std::uint32_t lethalHitCount() const { return lethalHitCount_; }
  // Hits per distance column 0, 1, ...; the size is one more than the
  // largest column hit (0 when none was).
  const CountRow& rangeColumns() const { return range_; }
  // The bones hit, in the order of their first hit. Hits without a bone
  // name count in hitCount() and lethalHitCount() only.
  std::span<const BoneHitCount> bones() const { return bones_; }

  // Adds the counts of one weapon record, whose bone ids belong to another
  // pool: mapBone(id) gives the id of the same text in this summary's pool
  // (distinct ids for distinct texts). Bones new to this summary follow its
  // own, in `other`'s order. `slots` is scratch indexed by this pool's ids,
  // all zero before and after the call: with it, adding costs time in
  // proportion to the bones of the two summaries. Grows its lists to the
  // exact size needed, since an aggregate holds many summaries.
  template <typename MapBone>
  void Add(const FileHitSummary& other, MapBone&& mapBone, BoneSlots& slots) {
    hitCount_ += other.hitCount;
    lethalHitCount_ += other.lethalHitCount;
    std::uint32_t columns = 0;
    for (const ColumnCount& count : other.columns) columns = std::max(columns, count.column + 1);
    range_.GrowTo(columns);
    for (const ColumnCount& count : other.columns) range_.Add(count.column, count.hits);
    if (other.bones.empty()) return;
    // Mark this summary's bones with their places (1 + index), then the
    // new ones, then add.
    for (std::size_t i = 0; i < bones_.size(); ++i) Slot(slots, bones_[i].bone) = Place(i);
    std::size_t added = 0;
    for (const BoneHitCount& count : other.bones) {
      std::uint32_t& slot = Slot(slots, mapBone(count.bone));
      if (slot == 0) {
        slot = Place(bones_.size() + added);
        ++added;
      }
    }
    if (added != 0) bones_.reserve(bones_.size() + added);
    for (const BoneHitCount& count : other.bones) {
      const NameId bone = mapBone(count.bone);
      const std::size_t at = slots[bone] - std::size_t{1};
      if (at == bones_.size()) bones_.push_back(BoneHitCount{bone, 0, 0});
      bones_[at].hits += count.hits;
      bones_[at].lethalHits += count.lethalHits;
    }
    for (const BoneHitCount& count : bones_) slots[count.bone] = 0;
  }

 private:
  static std::uint32_t& Slot(BoneSlots& slots, NameId bone) {
    if (bone >= slots.size()) slots.resize(bone + std::size_t{1}, 0);
    return slots[bone];
  }
  static std::uint32_t Place(std::size_t index) { return static_cast<std::uint32_t>(index + 1); }

  std::uint32_t hitCount_ = 0;
  std::uint32_t lethalHitCount_ = 0;
  CountRow range_;
  std::pmr::vector<BoneHitCount> bones_;
};

}  // namespace wus
