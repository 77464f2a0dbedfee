// The compact text index and its hash.
#include "stats/hash_index.h"

namespace wus {
void HashIndex::Insert(std::uint32_t hash, std::uint32_t value) {
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].value != kNone) i = (i + 1) & mask;
  slots_[i] = Slot{hash, value};
  ++used_;
}

void HashIndex::Grow() {
  std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2, Slot{0, kNone});
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
