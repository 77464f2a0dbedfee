// Interned byte strings. Hit records carry their two texts as small ids into
// a pool owned by the aggregate, so that a hit takes a few dozen bytes however
// long its texts are, and two texts are equal byte for byte iff their ids are.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "stats/keyed_hash.h"

namespace wus {

using NameId = std::uint32_t;

class NamePool {
 public:
  static constexpr NameId kEmpty = 0;  // the id of the empty text

  NamePool();
  NamePool(const NamePool&) = delete;
  NamePool& operator=(const NamePool&) = delete;

  // Returns the id of `text`, adding it on first sight.
  NameId Intern(std::string_view text);
  // Returns the text of an id that Intern returned.
  std::string_view Get(NameId id) const { return names_[id]; }
  // The number of distinct texts, the empty one included.
  std::size_t size() const { return names_.size(); }
  void Clear();

 private:
  std::deque<std::string> names_;  // a deque never moves its elements
  // Keyed, so that a crafted file cannot flood it (stats/keyed_hash.h).
  struct Hash {
    std::size_t operator()(std::string_view text) const noexcept {
      return static_cast<std::size_t>(KeyedHash(text));
    }
  };
  std::unordered_map<std::string_view, NameId, Hash> index_;
};

}  // namespace wus
