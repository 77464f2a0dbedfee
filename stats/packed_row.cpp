// Growing and widening a row of numbers, and summing rows.
#include "stats/packed_row.h"

#include <algorithm>
#include <utility>

namespace wus {

namespace {

// Rows up to this many bytes grow to the exact size asked for.
constexpr std::size_t kExactBytes = 256;

}  // namespace

void PackedRow::GrowTo(std::size_t count) {
  if (count <= size()) return;
  const std::size_t bytes = count << shift_;
  // Exact room keeps the many short rows small; a long row that grows again
  // and again grows by half at a time, so that its copying stays linear.
  if (bytes > bytes_.capacity()) {
    const std::size_t now = bytes_.size();
    bytes_.reserve(now < kExactBytes ? bytes : std::max(bytes, now + now / 2));
  }
  bytes_.resize(bytes, 0);
}

void PackedRow::Widen(std::uint64_t value) {
  PackedRow wider(bytes_.get_allocator().resource());
  wider.shift_ = shift_;
  while (wider.shift_ < 2 && value >> (8u << wider.shift_) != 0) ++wider.shift_;
  wider.bytes_.resize(size() << wider.shift_);
  for (std::size_t k = 0; k < size(); ++k) wider.Store(k, (*this)[k]);
  *this = std::move(wider);
}

void PackedRow::AddTo(std::span<std::uint32_t> sums) const {
  std::uint32_t* sum = sums.data();
  ForEachGroup<1>([&sum](const std::array<std::uint32_t, 1>& number) { *sum++ += number[0]; });
}

}  // namespace wus
