// The memory of an aggregate's lists: every player's weapons and weapon
// index, and every weapon's purchase counters, distance columns and bones.
// An aggregate of many players holds hundreds of thousands of such small
// lists; taking each from the general heap costs an allocator call and a
// header of its own, and spreads the lists over more pages. The arena
// carves them from large chunks instead, packed in steps of 16 bytes,
// keeps freed blocks by size for reuse, and gives every chunk back when it
// goes.
//
// One thread at a time may allocate and free through an arena (the merging
// thread); any number may read the lists meanwhile. Blocks above 4 KiB, or
// aligned to more than 16 bytes, come from operator new. A build with
// AddressSanitizer takes every block from operator new, so that the
// sanitizer still sees each list's bounds.
#pragma once

#include <array>
#include <cstddef>
#include <memory_resource>
#include <vector>

namespace wus {

class ListArena final : public std::pmr::memory_resource {
 public:
  ListArena() = default;
  ~ListArena() override;
  ListArena(const ListArena&) = delete;
  ListArena& operator=(const ListArena&) = delete;

 private:
  static constexpr std::size_t kGrain = 16;      // block sizes are multiples of this
  static constexpr std::size_t kLargest = 4096;  // larger blocks: operator new

  struct FreeBlock {
    FreeBlock* next;
  };
  struct Chunk {
    void* memory;
    std::size_t size;
  };

  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
    return this == &other;
  }

  // The size of the block that holds `bytes` (at most kLargest).
  static std::size_t BlockSize(std::size_t bytes) {
    return bytes <= kGrain ? kGrain : (bytes + kGrain - 1) / kGrain * kGrain;
  }
  // The list of freed blocks of that size, or null for a block that goes
  // to operator new.
  FreeBlock** FreeList(std::size_t bytes, std::size_t alignment);
  // Starts a new chunk with room for at least `bytes`.
  void NewChunk(std::size_t bytes);
  // Linux: maps in the pages of the next MiB of the chunk with one call,
  // rather than one page fault for every page the lists first touch (a
  // large aggregate faulted 59,000 times). Elsewhere, or where the kernel
  // lacks the call, pages fault in as usual.
  void Populate();

  std::array<FreeBlock*, kLargest / kGrain> free_{};  // by size / kGrain - 1
  char* next_ = nullptr;                              // the current chunk's free room
  char* end_ = nullptr;
  char* populated_ = nullptr;  // the chunk's pages are mapped in up to here
  std::vector<Chunk> chunks_;
};

}  // namespace wus
