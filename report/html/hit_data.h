// The page's only window on the hits: a weapon's hits summed into the shape
// of its hit summary (the number of hits, the hits per distance column, the
// hits and lethal hits per bone in order of first appearance), and the text
// of a bone. Nothing else in report/html reads the hits themselves, so this
// file is all that changes when the hits come already summarized.
//
// A distance column is the floor of the distance in double precision
// between the hit's two points, the same columns as the range table;
// columns of 1023 and beyond count in column 1023, non-finite distances in
// none.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "stats/model.h"

namespace wus::html {

struct BoneHits {
  NameId bone = NamePool::kEmpty;  // never kEmpty: hits without a bone are in no entry
  std::uint32_t hits = 0;
  std::uint32_t lethalHits = 0;
};

struct WeaponHits {
  std::uint32_t hitCount = 0;               // hit records (wraps)
  std::vector<std::uint32_t> rangeColumns;  // size: 1 + the largest column hit
  std::vector<BoneHits> bones;              // first-appearance order
};

// Reads the hit summaries of the weapons of one aggregate, which must
// outlive it and not change meanwhile.
class HitReader {
 public:
  explicit HitReader(const StatsAggregate& aggregate);

  // Fills `*out` with the summary of `weapon`'s hits, reusing its buffers.
  void Read(const WeaponStats& weapon, WeaponHits* out);

  // Returns the bytes of a bone id of BoneHits.
  std::string_view BoneText(NameId bone) const;

 private:
  const StatsAggregate& aggregate_;
  // For each text id, 1 + its entry in the summary being read; 0 for none.
  // Only the entries of that summary are set, and Read clears them again.
  std::vector<std::uint32_t> entryOf_;
};

}  // namespace wus::html
