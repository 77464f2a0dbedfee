// Interned byte strings with an open-addressing index.
#include "stats/name_pool.h"

namespace wus {

NamePool::NamePool() { Clear(); }

void NamePool::Clear() {
  storage_.clear();
  names_.clear();
  names_.emplace_back();
  index_.Clear();
}

NameId NamePool::Add(std::string_view text, std::uint32_t hash) {
  NameId id = static_cast<NameId>(names_.size());
  names_.push_back(storage_.emplace_back(text));
  index_.Insert(hash, id);
  return id;
}

}  // namespace wus
