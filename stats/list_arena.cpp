// The list arena: size classes over chunks that double up to 32 MiB.
#include "stats/list_arena.h"

#include <algorithm>
#include <cstdint>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace wus {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPassThrough = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPassThrough = true;
#else
constexpr bool kPassThrough = false;
#endif
#else
constexpr bool kPassThrough = false;
#endif

constexpr std::size_t kFirstChunk = std::size_t{1} << 18;
constexpr std::size_t kLargestChunk = std::size_t{1} << 25;
// Chunks this large are mapped on their own and offered huge pages.
constexpr std::size_t kMappedChunk = std::size_t{1} << 22;
constexpr std::size_t kHugePage = std::size_t{1} << 21;

}  // namespace

ListArena::~ListArena() {
  for (const Chunk& chunk : chunks_) {
#ifdef __linux__
    if (chunk.mapped) {
      munmap(chunk.memory, chunk.size);
      continue;
    }
#endif
    ::operator delete(chunk.memory);
  }
}

void* ListArena::do_allocate(std::size_t bytes, std::size_t alignment) {
  if (kPassThrough || bytes > kLargest || alignment > kGrain) {
    return ::operator new (bytes, std::align_val_t{alignment});
  }
  const std::size_t size = std::max(kGrain, (bytes + kGrain - 1) / kGrain * kGrain);
  FreeBlock*& free = free_[size / kGrain - 1];
  if (free != nullptr) {
    FreeBlock* block = free;
    free = block->next;
    return block;
  }
  if (static_cast<std::size_t>(end_ - next_) < size) NewChunk(size);
  void* block = next_;
  next_ += size;
  return block;
}

void ListArena::do_deallocate(void* block, std::size_t bytes, std::size_t alignment) {
  if (kPassThrough || bytes > kLargest || alignment > kGrain) {
    ::operator delete (block, std::align_val_t{alignment});
    return;
  }
  const std::size_t size = std::max(kGrain, (bytes + kGrain - 1) / kGrain * kGrain);
  FreeBlock*& free = free_[size / kGrain - 1];
  free = ::new (block) FreeBlock{free};
}

void ListArena::NewChunk(std::size_t bytes) {
  std::size_t size =
      chunks_.empty() ? kFirstChunk : std::min(2 * chunks_.back().size, kLargestChunk);
  size = std::max(size, bytes);
  chunks_.reserve(chunks_.size() + 1);  // so that a chunk is never lost
#ifdef __linux__
  if (size >= kMappedChunk) {
    // A huge page must start on a 2 MiB boundary: map that much more and
    // begin the room at the first boundary.
    const std::size_t mapped = size + kHugePage;
    void* memory =
        mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    chunks_.push_back(Chunk{memory, mapped, true});
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    char* aligned = static_cast<char*>(memory) + ((kHugePage - start % kHugePage) % kHugePage);
    // Only advice: where huge pages are off, the chunk is ordinary memory.
    madvise(aligned, size, MADV_HUGEPAGE);
    next_ = aligned;
    end_ = aligned + size;
    return;
  }
#endif
  void* memory = ::operator new(size);
  chunks_.push_back(Chunk{memory, size, false});
  next_ = static_cast<char*>(memory);
  end_ = next_ + size;
}

}  // namespace wus
