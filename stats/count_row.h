// A row of 32-bit counters kept in as few bytes as its counts need: one
// byte per counter while every count is below 256, two while below 65,536,
// four after that. A weapon's distance columns are such a row; an
// aggregate of many players holds hundreds of thousands of them, most with
// counts of a few hits, so the narrow rows take a quarter of the memory of
// plain 32-bit counters, and the range table reads a quarter of the bytes.
//
// The counters behave exactly as std::uint32_t counters: a row widens
// before any count outgrows its width, and once four bytes wide the counts
// wrap modulo 2^32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <span>
#include <vector>

namespace wus {

class CountRow {
 public:
  // The row takes its memory from `memory`.
  explicit CountRow(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : bytes_(memory) {}

  // The number of counters.
  std::size_t size() const { return bytes_.size() >> shift_; }
  bool empty() const { return bytes_.empty(); }
  // The bytes each counter takes now: 1, 2 or 4.
  std::size_t width() const { return std::size_t{1} << shift_; }

  // Where the counters lie, to ask for them ahead of reading.
  const void* data() const { return bytes_.data(); }

  // Returns counter `k`; k < size().
  std::uint32_t operator[](std::size_t k) const {
    switch (shift_) {
      case 0:
        return bytes_[k];
      case 1:
        return Load<std::uint16_t>(k);
      default:
        return Load<std::uint32_t>(k);
    }
  }

  // Makes the row `count` counters long if it is shorter, the new counters
  // zero; its memory is then exactly that long.
  void GrowTo(std::size_t count);

  // Adds `hits` to counter `k` (k < size()), widening the row first if the
  // sum no longer fits its width.
  void Add(std::size_t k, std::uint32_t hits) {
    const std::uint64_t sum = std::uint64_t{(*this)[k]} + hits;
    if (shift_ < 2 && sum >> (8u << shift_) != 0) Widen(sum);
    Store(k, static_cast<std::uint32_t>(sum));  // four bytes wide: wraps
  }

  // Adds every counter to the counter of the same index in `sums`, wrapping
  // modulo 2^32; sums.size() >= size().
  void AddTo(std::span<std::uint32_t> sums) const;

 private:
  template <typename T>
  T Load(std::size_t k) const {
    T value;
    std::memcpy(&value, bytes_.data() + k * sizeof value, sizeof value);
    return value;
  }
  void Store(std::size_t k, std::uint32_t value) {
    switch (shift_) {
      case 0:
        bytes_[k] = static_cast<unsigned char>(value);
        return;
      case 1: {
        const auto narrow = static_cast<std::uint16_t>(value);
        std::memcpy(bytes_.data() + 2 * k, &narrow, sizeof narrow);
        return;
      }
      default:
        std::memcpy(bytes_.data() + 4 * k, &value, sizeof value);
    }
  }
  // Widens the row until `count` fits a counter (four bytes at most).
  void Widen(std::uint64_t count);

  std::pmr::vector<unsigned char> bytes_;
  unsigned shift_ = 0;  // log2 of width()
};

}  // namespace wus
