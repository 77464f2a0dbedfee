// Growing and widening a row of counters, and summing rows.
#include "stats/count_row.h"

#include <utility>

namespace wus {
namespace {

// Adds `count` counters of type T, stored at `bytes`, to `sums`.
template <typename T>
void AddCounters(const unsigned char* bytes, std::size_t count, std::uint32_t* sums) {
  for (std::size_t k = 0; k < count; ++k) {
    T value;
    std::memcpy(&value, bytes + k * sizeof value, sizeof value);
    sums[k] += value;
  }
}

}  // namespace

void CountRow::GrowTo(std::size_t count) {
  if (count <= size()) return;
  const std::size_t bytes = count << shift_;
  bytes_.reserve(bytes);
  bytes_.resize(bytes, 0);
}

void CountRow::Widen(std::uint64_t count) {
  CountRow wider(bytes_.get_allocator().resource());
  wider.shift_ = shift_;
  while (wider.shift_ < 2 && count >> (8u << wider.shift_) != 0) ++wider.shift_;
  wider.bytes_.resize(size() << wider.shift_);
  for (std::size_t k = 0; k < size(); ++k) wider.Store(k, (*this)[k]);
  *this = std::move(wider);
}

void CountRow::AddTo(std::span<std::uint32_t> sums) const {
  switch (shift_) {
    case 0:
      return AddCounters<std::uint8_t>(bytes_.data(), size(), sums.data());
    case 1:
      return AddCounters<std::uint16_t>(bytes_.data(), size(), sums.data());
    default:
      return AddCounters<std::uint32_t>(bytes_.data(), size(), sums.data());
  }
}

}  // namespace wus
