// Interned byte strings.
#include "stats/name_pool.h"

namespace wus {

NamePool::NamePool() { Clear(); }

void NamePool::Clear() {
  index_.clear();
  names_.clear();
  names_.emplace_back();
  index_.emplace(std::string_view(names_.front()), kEmpty);
}

NameId NamePool::Intern(std::string_view text) {
  if (text.empty()) return kEmpty;
  auto found = index_.find(text);
  if (found != index_.end()) return found->second;
  NameId id = static_cast<NameId>(names_.size());
  names_.emplace_back(text);
  index_.emplace(std::string_view(names_.back()), id);
  return id;
}

}  // namespace wus
