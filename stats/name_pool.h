// Interned byte strings. Hit records carry their two texts as small ids into
// a pool owned by the aggregate, so that a hit takes a few dozen bytes however
// long its texts are, and two texts are equal byte for byte iff their ids are.
// Interning is on the path of every hit read, so the pool keeps its own
// open-addressing index (hash and id per slot, linear probing) rather than a
// node-based map.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

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
  NameId Intern(std::string_view text);
  // Returns the text of an id that Intern returned; the view stays valid
  // until Clear.
  std::string_view Get(NameId id) const { return names_[id]; }
  // The number of distinct texts, the empty one included.
  std::size_t size() const { return names_.size(); }
  void Clear();

 private:
  struct Slot {
    std::uint32_t hash;
    NameId id;  // kEmpty: the slot is free (the empty text is never indexed)
  };

  // Adds `text` (not yet in the pool) in the free slot `slot`; kept out of
  // line so that the lookup stays small.
  [[gnu::noinline]] NameId Add(std::string_view text, std::uint32_t hash, std::size_t slot);
  // Doubles the index and puts every text back into it.
  void Grow();

  std::deque<std::string> storage_;      // the texts; a deque never moves them
  std::vector<std::string_view> names_;  // by id, into storage_; [0] is ""
  std::vector<Slot> slots_;              // a power of two in size, at most half full
};

}  // namespace wus
