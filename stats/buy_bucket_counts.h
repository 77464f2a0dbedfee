// A weapon's purchase counters: one 32-bit counter per team and price
// bucket (3 x 34), held sparsely. A weapon record of a file sets one or two
// of its 102 counters, and an aggregate of 20,000 players holds 300,000
// weapons: 408 bytes of mostly zeros each would be most of its memory.
// Reads look like those of the dense array: counts[team][bucket].
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <span>
#include <utility>
#include <vector>

namespace wus {

class BuyBucketCounts {
 public:
  // One counter that has been added to (it may have wrapped to 0 since).
  struct Entry {
    std::uint16_t key;  // team * kBuckets + bucket
    std::uint32_t count;
  };
  static constexpr std::size_t kTeams = 3;
  static constexpr std::size_t kBuckets = 34;

  // The list takes its memory from `memory`.
  explicit BuyBucketCounts(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : entries_(memory) {}

  // The counter of `team` and `bucket`; 0 for one never added to.
  std::uint32_t Get(std::size_t team, std::size_t bucket) const {
    const std::uint16_t key = Key(team, bucket);
    auto at = Find(key);
    return at != entries_.end() && at->key == key ? at->count : 0;
  }
  // Adds `value` to a counter, wrapping modulo 2^32; adding 0 changes nothing.
  void Add(std::size_t team, std::size_t bucket, std::uint32_t value) {
    if (value != 0) Slot(team, bucket) += value;
  }
  // Adds counters given as entries in key order, each key once, as Add
  // would one by one; in one pass over both lists.
  void AddSorted(std::span<const Entry> added) {
    std::size_t missing = 0;
    auto at = entries_.begin();
    for (const Entry& entry : added) {
      while (at != entries_.end() && at->key < entry.key) ++at;
      if (at != entries_.end() && at->key == entry.key) {
        at->count += entry.count;
      } else if (entry.count != 0) {
        ++missing;
      }
    }
    if (missing == 0) return;
    // The new counters: a merged list of the exact size.
    std::pmr::vector<Entry> merged(entries_.get_allocator());
    merged.reserve(entries_.size() + missing);
    auto old = entries_.begin();
    for (const Entry& entry : added) {
      while (old != entries_.end() && old->key < entry.key) merged.push_back(*old++);
      if (old != entries_.end() && old->key == entry.key) continue;  // added above
      if (entry.count != 0) merged.push_back(entry);
    }
    merged.insert(merged.end(), old, entries_.end());
    entries_ = std::move(merged);
  }
  // The nonzero counters of a dense [team][bucket] array, in key order, in
  // place of `*out`'s.
  template <typename Dense>
  static void ListNonzero(const Dense& counts, std::vector<Entry>* out) {
    // The counters in key order, tested six at a time: most are zero.
    constexpr std::size_t kCounters = kTeams * kBuckets;
    static_assert(sizeof(Dense) == kCounters * sizeof(std::uint32_t) && kCounters % 6 == 0);
    std::array<std::uint32_t, kCounters> flat;
    std::memcpy(flat.data(), &counts, sizeof flat);
    out->clear();
    for (std::size_t key = 0; key < kCounters; key += 6) {
      std::uint64_t words[3];
      std::memcpy(words, &flat[key], sizeof words);
      if ((words[0] | words[1] | words[2]) == 0) continue;
      for (std::size_t k = key; k < key + 6; ++k) {
        if (flat[k] != 0) out->push_back(Entry{static_cast<std::uint16_t>(k), flat[k]});
      }
    }
  }
  void Set(std::size_t team, std::size_t bucket, std::uint32_t value) {
    Slot(team, bucket) = value;
  }

  // Every counter added to, by team, then bucket.
  std::span<const Entry> entries() const { return entries_; }
  static std::size_t TeamOf(const Entry& entry) { return entry.key / kBuckets; }
  static std::size_t BucketOf(const Entry& entry) { return entry.key % kBuckets; }

  // The counters of one team, read as counts[team][bucket].
  class Team {
   public:
    Team(const BuyBucketCounts& counts, std::size_t team) : counts_(counts), team_(team) {}
    std::uint32_t operator[](std::size_t bucket) const { return counts_.Get(team_, bucket); }

   private:
    const BuyBucketCounts& counts_;
    std::size_t team_;
  };
  Team operator[](std::size_t team) const { return Team(*this, team); }

 private:
  static std::uint16_t Key(std::size_t team, std::size_t bucket) {
    return static_cast<std::uint16_t>(team * kBuckets + bucket);
  }
  std::pmr::vector<Entry>::const_iterator Find(std::uint16_t key) const {
    return std::lower_bound(entries_.begin(), entries_.end(), key,
                            [](const Entry& entry, std::uint16_t k) { return entry.key < k; });
  }
  // The counter of `team` and `bucket`, added (as 0) if missing. The list
  // grows by one at a time: it rarely holds more than a few entries.
  std::uint32_t& Slot(std::size_t team, std::size_t bucket) {
    const std::uint16_t key = Key(team, bucket);
    auto at = entries_.begin() + (Find(key) - entries_.cbegin());
    if (at == entries_.end() || at->key != key) {
      std::size_t index = static_cast<std::size_t>(at - entries_.begin());
      entries_.reserve(entries_.size() + 1);
      at = entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), Entry{key, 0});
    }
    return at->count;
  }

  std::pmr::vector<Entry> entries_;  // sorted by key
};

}  // namespace wus
