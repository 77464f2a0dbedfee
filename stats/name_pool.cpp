// Interned byte strings with an open-addressing index.
#include "stats/name_pool.h"

#include <cstring>

namespace wus {
namespace {

constexpr std::size_t kInitialSlots = 64;

// Returns the 8 bytes at `p` as a number (in host order: the hash only has
// to agree with itself).
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

// Returns true iff the `n` bytes at `a` and `b` are equal; short texts
// take a few word compares instead of a call.
inline bool EqualBytes(const char* a, const char* b, std::size_t n) {
  if (n >= 8) {
    for (std::size_t at = 0; at + 8 < n; at += 8) {
      if (Load64(a + at) != Load64(b + at)) return false;
    }
    return Load64(a + n - 8) == Load64(b + n - 8);
  }
  if (n >= 4) return Load32(a) == Load32(b) && Load32(a + n - 4) == Load32(b + n - 4);
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// A hash of the bytes, eight at a time; the last word overlaps the one
// before it, and texts shorter than 8 bytes are read in at most three loads.
// Names are short, so a multiply per word is enough to spread them over the
// index.
std::uint32_t HashText(std::string_view text) {
  const char* p = text.data();
  const std::size_t size = text.size();
  std::uint64_t hash = Mix(0, size);
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

}  // namespace

NamePool::NamePool() { Clear(); }

void NamePool::Clear() {
  storage_.clear();
  names_.clear();
  names_.emplace_back();
  slots_.assign(kInitialSlots, Slot{0, kEmpty});
}

NameId NamePool::Intern(std::string_view text) {
  if (text.empty()) return kEmpty;
  const std::uint32_t hash = HashText(text);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  for (; slots_[i].id != kEmpty; i = (i + 1) & mask) {
    if (slots_[i].hash != hash) continue;
    std::string_view name = names_[slots_[i].id];
    if (name.size() == text.size() && EqualBytes(name.data(), text.data(), text.size())) {
      return slots_[i].id;
    }
  }
  return Add(text, hash, i);
}

NameId NamePool::Add(std::string_view text, std::uint32_t hash, std::size_t slot) {
  NameId id = static_cast<NameId>(names_.size());
  names_.push_back(storage_.emplace_back(text));
  slots_[slot] = Slot{hash, id};
  if (names_.size() * 2 > slots_.size()) Grow();
  return id;
}

void NamePool::Grow() {
  std::vector<Slot> old(slots_.size() * 2, Slot{0, kEmpty});
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id == kEmpty) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].id != kEmpty) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace wus
