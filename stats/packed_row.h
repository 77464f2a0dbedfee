// A row of 32-bit numbers kept in as few bytes as they need: one byte per
// number while every number is below 256, two while below 65,536, four
// after that. A weapon's distance columns and its bones are such rows; an
// aggregate of many players holds hundreds of thousands of them, most with
// counts of a few hits and bones of small ids, so the narrow rows take a
// quarter of the memory of plain 32-bit numbers, and the report reads a
// quarter of the bytes.
//
// The numbers behave exactly as std::uint32_t counters: a row widens before
// any number outgrows its width, and once four bytes wide they wrap modulo
// 2^32.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <span>
#include <vector>

namespace wus {

class PackedRow {
 public:
  // The row takes its memory from `memory`.
  explicit PackedRow(std::pmr::memory_resource* memory = std::pmr::get_default_resource())
      : bytes_(memory) {}

  // The number of numbers.
  std::size_t size() const { return bytes_.size() >> shift_; }
  bool empty() const { return bytes_.empty(); }
  // The bytes each number takes now: 1, 2 or 4.
  std::size_t width() const { return std::size_t{1} << shift_; }
  // The memory the row takes its room from.
  std::pmr::memory_resource* memory() const { return bytes_.get_allocator().resource(); }
  // Where the numbers lie, to ask for them ahead of reading.
  const void* data() const { return bytes_.data(); }

  // Returns number `k`; k < size().
  std::uint32_t operator[](std::size_t k) const {
    switch (shift_) {
      case 0:
        return bytes_[k];
      case 1:
        return Load<std::uint16_t>(bytes_.data(), k);
      default:
        return Load<std::uint32_t>(bytes_.data(), k);
    }
  }

  // Makes the row `count` numbers long if it is shorter, the new numbers
  // zero. A short row's memory is then exactly that long; a long one grows
  // by at least half, so that growing it a little at a time costs time in
  // proportion to its length.
  void GrowTo(std::size_t count);

  // Adds `value` to number `k` (k < size()), widening the row first if the
  // sum no longer fits its width.
  void Add(std::size_t k, std::uint32_t value) {
    switch (shift_) {
      case 0:
        if (std::uint32_t sum = std::uint32_t{bytes_[k]} + value; sum >= value && sum <= 0xFF) {
          bytes_[k] = static_cast<unsigned char>(sum);
          return;
        }
        break;
      case 1:
        if (std::uint32_t sum = Load<std::uint16_t>(bytes_.data(), k) + value;
            sum >= value && sum <= 0xFFFF) {
          Store(k, sum);
          return;
        }
        break;
      default:
        Store(k, Load<std::uint32_t>(bytes_.data(), k) + value);  // wraps
        return;
    }
    const std::uint64_t sum = std::uint64_t{(*this)[k]} + value;
    Widen(sum);
    Store(k, static_cast<std::uint32_t>(sum));
  }

  // Adds every number to the number of the same index in `sums`, wrapping
  // modulo 2^32; sums.size() >= size().
  void AddTo(std::span<std::uint32_t> sums) const;

  // Calls visit(group) with the numbers in groups of kGroup, in order, as
  // std::array<std::uint32_t, kGroup>; a last, shorter group is skipped.
  // Faster than indexing: the width is looked at once.
  template <std::size_t kGroup, typename Visit>
  void ForEachGroup(Visit&& visit) const {
    switch (shift_) {
      case 0:
        return VisitGroups<std::uint8_t, kGroup>(visit);
      case 1:
        return VisitGroups<std::uint16_t, kGroup>(visit);
      default:
        return VisitGroups<std::uint32_t, kGroup>(visit);
    }
  }

 private:
  template <typename T>
  static T Load(const unsigned char* bytes, std::size_t k) {
    T value;
    std::memcpy(&value, bytes + k * sizeof value, sizeof value);
    return value;
  }
  template <typename T, std::size_t kGroup, typename Visit>
  void VisitGroups(Visit& visit) const {
    const unsigned char* bytes = bytes_.data();
    const std::size_t groups = size() / kGroup;
    for (std::size_t g = 0; g < groups; ++g) {
      std::array<std::uint32_t, kGroup> group;
      for (std::size_t i = 0; i < kGroup; ++i) group[i] = Load<T>(bytes, g * kGroup + i);
      visit(group);
    }
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
  // Widens the row until `value` fits a number (four bytes at most).
  void Widen(std::uint64_t value);

  std::pmr::vector<unsigned char> bytes_;
  unsigned shift_ = 0;  // log2 of width()
};

}  // namespace wus
