// A compact open-addressing index for lookups by text: 32-bit values under
// 32-bit hashes, in slots of eight bytes with linear probing, at most half
// full. The index holds no keys: the caller keeps the texts (in a pool, a
// list of weapons ...) and tells through a predicate which value holds the
// text it looks for. Also the text hash and comparison the indexes share.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <string_view>
#include <vector>

#include "stats/keyed_hash.h"

namespace wus {

namespace text_words {

// The 8 or 4 bytes at `p` as a number, in host order: hashes only have to
// agree with themselves within one run.
inline std::uint64_t Load64(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}
inline std::uint64_t Load32(const char* p) {
  std::uint32_t word;
  std::memcpy(&word, p, 4);
  return word;
}

inline std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
  constexpr std::uint64_t kMultiplier = 0x9e3779b97f4a7c15ULL;
  hash = (hash ^ word) * kMultiplier;
  return hash ^ (hash >> 29);
}

}  // namespace text_words

// The seed of HashText: secret and drawn anew in every process, so that
// nobody can choose, offline, names that fall into one slot of an index.
inline const std::uint64_t kTextHashSeed = TextHashSeed();

// A hash of the bytes of `text`, eight at a time, under kTextHashSeed; the last word overlaps the
// one before it, and texts shorter than 8 bytes are read in at most three
// loads. Names are short, so a multiply per word spreads them well enough.
// Inline: it is on the path of every hit read.
inline std::uint32_t HashText(std::string_view text) {
  using text_words::Load32;
  using text_words::Load64;
  using text_words::Mix;
  const char* p = text.data();
  const std::size_t size = text.size();
  std::uint64_t hash = Mix(kTextHashSeed, size);
  if (size >= 8) {
    for (std::size_t at = 0; at + 8 < size; at += 8) hash = Mix(hash, Load64(p + at));
    hash = Mix(hash, Load64(p + size - 8));
  } else if (size >= 4) {
    hash = Mix(hash, (Load32(p) << 32) | Load32(p + size - 4));
  } else if (size > 0) {
    auto byte = [p](std::size_t i) {
      return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i]));
    };
    hash = Mix(hash, (byte(0) << 16) | (byte(size / 2) << 8) | byte(size - 1));
  }
  return static_cast<std::uint32_t>(Mix(hash, 0) >> 32);
}

// Returns true iff `a` and `b` hold the same bytes; short texts take a few
// word compares instead of a call.
inline bool EqualText(std::string_view a, std::string_view b) {
  using text_words::Load32;
  using text_words::Load64;
  const std::size_t n = a.size();
  if (b.size() != n) return false;
  const char* x = a.data();
  const char* y = b.data();
  if (n >= 8) {
    for (std::size_t at = 0; at + 8 < n; at += 8) {
      if (Load64(x + at) != Load64(y + at)) return false;
    }
    return Load64(x + n - 8) == Load64(y + n - 8);
  }
  if (n >= 4) return Load32(x) == Load32(y) && Load32(x + n - 4) == Load32(y + n - 4);
  for (std::size_t i = 0; i < n; ++i) {
    if (x[i] != y[i]) return false;
  }
  return true;
}

class HashIndex {
 public:
  static constexpr std::uint32_t kNone = 0xffffffffu;

  // The slots take their memory from `memory`.
  explicit HashIndex(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : slots_(memory) {}

  // Returns a value stored under `hash` for which matches(value) is true,
  // or kNone. The callers store each text under one value only, so at most
  // one value matches.
  template <typename Matches>
  std::uint32_t Find(std::uint32_t hash, Matches&& matches) const {
    if (slots_.empty()) return kNone;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask; slots_[i].value != kNone; i = (i + 1) & mask) {
      if (slots_[i].hash == hash && matches(slots_[i].value)) return slots_[i].value;
    }
    return kNone;
  }

  // Stores `value` (not kNone) under `hash`.
  void Insert(std::uint32_t hash, std::uint32_t value);

  // Makes room for `values` values in all, so that inserting up to that
  // many grows nothing.
  void Reserve(std::size_t values);

  // Forgets every value and releases the slots.
  void Clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    used_ = 0;
  }

 private:
  struct Slot {
    std::uint32_t hash;
    std::uint32_t value;  // kNone: the slot is free
  };

  // Makes the slots `count` (a power of two, above twice the values) and
  // puts every value back.
  void Rehash(std::size_t count);

  std::pmr::vector<Slot> slots_;  // empty, or a power of two in size
  std::size_t used_ = 0;
};

}  // namespace wus
