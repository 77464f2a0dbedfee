// Interned byte strings. Hit records carry their two texts as small ids into
// a pool owned by the aggregate, so that a hit takes a few dozen bytes however
// long its texts are, and two texts are equal byte for byte iff their ids are.
// Interning is on the path of every hit read, so the pool keeps a compact
// open-addressing index (HashIndex) rather than a node-based map, and the
// lookup is inline.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "stats/hash_index.h"

namespace wus {

using NameId = std::uint32_t;

class NamePool {
 public:
  static constexpr NameId kEmpty = 0;  // the id of the empty text

  NamePool();
  NamePool(const NamePool&) = delete;
  NamePool& operator=(const NamePool&) = delete;

  // Returns the id of `text`, adding it on first sight. Ids are given out
  // in order: 1, 2, 3 ...
  NameId Intern(std::string_view text) {
    if (text.empty()) return kEmpty;
    const std::uint32_t hash = HashText(text);
    NameId found = index_.Find(hash, [&](NameId id) { return EqualText(names_[id], text); });
    return found != HashIndex::kNone ? found : Add(text, hash);
  }
  // Returns the text of an id that Intern returned; the view stays valid
  // until Clear.
  std::string_view Get(NameId id) const { return names_[id]; }
  // The number of distinct texts, the empty one included.
  std::size_t size() const { return names_.size(); }
  void Clear();

 private:
  // Adds `text`, which is not in the pool, under `hash`; returns its id.
  NameId Add(std::string_view text, std::uint32_t hash);

  std::deque<std::string> storage_;      // the texts; a deque never moves them
  std::vector<std::string_view> names_;  // by id, into storage_; [0] is ""
  HashIndex index_;                      // every id but kEmpty
};

}  // namespace wus
