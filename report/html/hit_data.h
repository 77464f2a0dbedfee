// The page's only window on the hits: a weapon's hit summary (the number of
// hits, the hits per distance column, the hits and lethal hits per bone in
// order of first appearance) and the text of a bone, as the loader folded
// them. Nothing else in report/html reads the summaries' insides.
#pragma once

#include <cstdint>
#include <string_view>

#include "stats/model.h"
#include "stats/packed_row.h"

namespace wus::html {

using BoneHits = BoneHitCount;

// A view of one weapon's hit summary; valid while the aggregate lives and
// does not change.
struct WeaponHits {
  std::uint32_t hitCount = 0;               // hit records (wraps)
  const PackedRow* rangeColumns = nullptr;  // size: 1 + the largest column hit
  BoneList bones;                           // first-appearance order
};

// Reads the hit summaries of the weapons of one aggregate, which must
// outlive it and not change meanwhile.
class HitReader {
 public:
  explicit HitReader(const StatsAggregate& aggregate) : aggregate_(aggregate) {}

  // Sets `*out` to the summary of `weapon`'s hits.
  void Read(const WeaponStats& weapon, WeaponHits* out) const {
    out->hitCount = weapon.m_HitSummary.hitCount();
    out->rangeColumns = &weapon.m_HitSummary.rangeColumns();
    out->bones = weapon.m_HitSummary.bones();
  }

  // Returns the bytes of a bone id of BoneHits.
  std::string_view BoneText(NameId bone) const { return aggregate_.m_BoneTexts.Get(bone); }

 private:
  const StatsAggregate& aggregate_;
};

}  // namespace wus::html
