// One hit, and the list that holds the hits of one weapon.
//
// A weapon of a month's files gathers tens of thousands of hits, a few dozen
// per file. A growing array would copy all of them every time it doubles and
// briefly hold the old and the new copy; the list instead stores its hits in
// blocks that never move. A new block is sized for the hits the record being
// read announces (at most kMaxAnnouncedHits) or for as many as the list
// already holds, whichever is more, but at most kMaxBlockHits. The room left
// unused is thus at most the last block's.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

#include "stats/name_pool.h"

namespace wus {

// One hit. Its two texts are ids into StatsAggregate::m_HitTexts; an empty
// bone name (every hit of a version 0 or 1 file) is NamePool::kEmpty.
struct HitRecord {
  std::array<float, 3> m_Pos1;
  std::array<float, 3> m_Pos2;
  NameId m_Text;
  NameId m_BoneName;
  std::uint16_t m_wCode;
  std::uint8_t m_bLethal;  // nonzero: a lethal hit
};
static_assert(std::is_trivially_copyable_v<HitRecord>);

class HitList {
 public:
  // The most hits one block holds (144 KiB of hits).
  static constexpr std::size_t kMaxBlockHits = 4096;
  // The most hits an announcement alone makes room for: the count comes
  // from the file and may be far larger than the hits that follow.
  static constexpr std::size_t kMaxAnnouncedHits = 1024;

  HitList() = default;
  // A moved-from list is empty.
  HitList(HitList&& other) noexcept { *this = std::move(other); }
  HitList& operator=(HitList&& other) noexcept;
  HitList(const HitList&) = delete;
  HitList& operator=(const HitList&) = delete;
  ~HitList() { Clear(); }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // The hits the blocks have room for, used or not.
  std::size_t capacity() const;

  // Announces that `count` more hits are about to be added: the next block,
  // if one is needed, is sized for them. Allocates nothing, so a count read
  // from a damaged file costs nothing until its hits arrive.
  void ExpectMore(std::size_t count) { expected_ = count; }

  void push_back(const HitRecord& hit) {
    if (tail_ == nullptr || tail_->size == tail_->capacity) AddBlock();
    HitsOf(tail_)[tail_->size++] = hit;
    ++size_;
    if (expected_ > 0) --expected_;
  }

  // Returns hit `i`, counted from the first one added; throws
  // std::out_of_range if i >= size(). Walks the blocks, so it is meant for
  // checks, not for loops over the hits: use ForEach.
  const HitRecord& at(std::size_t i) const;
  const HitRecord& operator[](std::size_t i) const { return at(i); }

  // Calls visit(const HitRecord&) for every hit, in the order added.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (const Block* block = head_; block != nullptr; block = block->next) {
      const HitRecord* hits = HitsOf(block);
      for (std::uint32_t i = 0; i < block->size; ++i) visit(hits[i]);
    }
  }

 private:
  // A block and its hits share one allocation: the header, then room for
  // `capacity` hits, of which the first `size` are set.
  struct Block {
    Block* next;
    std::uint32_t size;
    std::uint32_t capacity;
  };
  // The hits start at the first suitably aligned byte after the header.
  static constexpr std::size_t kHitsOffset =
      (sizeof(Block) + alignof(HitRecord) - 1) / alignof(HitRecord) * alignof(HitRecord);

  // The hits of `block`. HitRecord is an implicit-lifetime type, so the
  // block's allocation holds the array of hits that these accesses need.
  static HitRecord* HitsOf(Block* block) {
    return std::launder(
        reinterpret_cast<HitRecord*>(reinterpret_cast<std::byte*>(block) + kHitsOffset));
  }
  static const HitRecord* HitsOf(const Block* block) {
    return std::launder(reinterpret_cast<const HitRecord*>(
        reinterpret_cast<const std::byte*>(block) + kHitsOffset));
  }

  // Appends an empty block with room for the next hits.
  void AddBlock();
  // Frees every block.
  void Clear();

  Block* head_ = nullptr;  // owned, with every block after it
  Block* tail_ = nullptr;
  std::size_t size_ = 0;
  std::size_t expected_ = 0;  // announced hits not yet added
};

}  // namespace wus
