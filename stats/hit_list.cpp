// The block list of a weapon's hits.
#include "stats/hit_list.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <stdexcept>

namespace wus {

HitList& HitList::operator=(HitList&& other) noexcept {
  if (this == &other) return *this;
  Clear();
  head_ = std::exchange(other.head_, nullptr);
  tail_ = std::exchange(other.tail_, nullptr);
  size_ = std::exchange(other.size_, 0);
  expected_ = std::exchange(other.expected_, 0);
  return *this;
}

std::size_t HitList::capacity() const {
  std::size_t room = 0;
  for (const Block* block = head_; block != nullptr; block = block->next) room += block->capacity;
  return room;
}

void HitList::AddBlock() {
  static_assert(alignof(Block) <= alignof(std::max_align_t));
  std::size_t announced = std::min(expected_, kMaxAnnouncedHits);
  std::size_t room = std::clamp<std::size_t>(std::max(announced, size_), 1, kMaxBlockHits);
  auto* raw = static_cast<std::byte*>(::operator new(kHitsOffset + room * sizeof(HitRecord)));
  Block* block = ::new (raw) Block{nullptr, 0, static_cast<std::uint32_t>(room)};
  (tail_ != nullptr ? tail_->next : head_) = block;
  tail_ = block;
}

void HitList::Clear() {
  // A loop, not a recursion: a list may have thousands of blocks.
  while (head_ != nullptr) {
    Block* next = head_->next;
    head_->~Block();
    ::operator delete(head_);
    head_ = next;
  }
  tail_ = nullptr;
  size_ = 0;
  expected_ = 0;
}

const HitRecord& HitList::at(std::size_t i) const {
  for (const Block* block = head_; block != nullptr; block = block->next) {
    if (i < block->size) return HitsOf(block)[i];
    i -= block->size;
  }
  throw std::out_of_range("HitList::at");
}

}  // namespace wus
