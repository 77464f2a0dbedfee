// A small direct-mapped cache in front of NamePool::Intern, for the bone
// name of every hit read: a file names a few dozen bones, each thousands of
// times. A text of 8 to 16 bytes, the usual length of a bone name, is
// found by two word compares in the slot its last eight bytes pick; any
// other text, or one that misses, is interned as usual (and, if it has
// such a length, kept in the slot). The cache holds ids of one pool and
// must be cleared with it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "stats/name_pool.h"

namespace wus {

class InternCache {
 public:
  // Returns pool.Intern(text).
  NameId Intern(NamePool& pool, std::string_view text) {
    const std::size_t size = text.size();
    if (size < 8 || size > 16) return pool.Intern(text);
    const std::uint64_t first = Load(text.data());
    const std::uint64_t last = Load(text.data() + size - 8);
    Entry& entry = entries_[((last ^ size) * 0x9e3779b97f4a7c15ULL) >> (64 - kSlotBits)];
    if (entry.size == size && entry.first == first && entry.last == last) return entry.id;
    entry = Entry{first, last, static_cast<std::uint32_t>(size), pool.Intern(text)};
    return entry.id;
  }

  void Clear() { entries_.fill(Entry{}); }

 private:
  static constexpr int kSlotBits = 8;
  struct Entry {
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    std::uint32_t size = 0;  // 0: empty (no text of that size is kept)
    NameId id = NamePool::kEmpty;
  };
  static std::uint64_t Load(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
  }

  std::array<Entry, std::size_t{1} << kSlotBits> entries_{};
};

}  // namespace wus
