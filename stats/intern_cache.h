// A small two-way cache in front of NamePool::Intern, for the bone
// name of every hit read: a file names a few dozen bones, each thousands of
// times. A text of 8 to 16 bytes, the usual length of a bone name, is
// found by two word compares in one of the two slots its first and last
// eight bytes pick (the left and right bones differ only in the first); any
// other text, or one that misses, is interned as usual (and, if it has
// such a length, kept in the first of its slots). The cache holds ids of one pool and
// must be cleared with it.
#pragma once

#include <array>
#include <bit>
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
    const std::uint64_t mixed = (first ^ std::rotl(last, 29) ^ size) * 0x9e3779b97f4a7c15ULL;
    const std::size_t at = static_cast<std::size_t>(mixed >> (64 - kSlotBits)) & ~std::size_t{1};
    for (std::size_t way = at; way < at + 2; ++way) {
      const Entry& entry = entries_[way];
      if (entry.size == size && entry.first == first && entry.last == last) return entry.id;
    }
    ++misses_;
    // The newer text takes the first slot, the one there moves to the second.
    entries_[at + 1] = entries_[at];
    entries_[at] = Entry{first, last, static_cast<std::uint32_t>(size), pool.Intern(text)};
    return entries_[at].id;
  }

  void Clear() { entries_.fill(Entry{}); }

  // Texts of 8 to 16 bytes that were not found in the cache so far.
  std::uint64_t misses() const { return misses_; }

 private:
  static constexpr int kSlotBits = 9;  // 256 pairs of slots
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
  std::uint64_t misses_ = 0;
};

}  // namespace wus
