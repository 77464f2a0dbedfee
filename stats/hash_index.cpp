// The compact text index and its hash.
#include "stats/hash_index.h"

namespace wus {
void HashIndex::Insert(std::uint32_t hash, std::uint32_t value) {
  if ((used_ + 1) * 2 > slots_.size()) Rehash(slots_.empty() ? 16 : slots_.size() * 2);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].value != kNone) i = (i + 1) & mask;
  slots_[i] = Slot{hash, value};
  ++used_;
}

void HashIndex::Reserve(std::size_t values) {
  std::size_t count = slots_.empty() ? 16 : slots_.size();
  while (values * 2 > count) count *= 2;
  if (count > slots_.size()) Rehash(count);
}

void HashIndex::Rehash(std::size_t count) {
  std::pmr::vector<Slot> old(count, Slot{0, kNone}, slots_.get_allocator());
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.value == kNone) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].value != kNone) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace wus
