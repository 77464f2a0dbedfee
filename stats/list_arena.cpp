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
constexpr std::uintptr_t kPage = 4096;
constexpr std::size_t kPopulateStep = std::size_t{1} << 20;

}  // namespace

ListArena::~ListArena() {
  for (const Chunk& chunk : chunks_) ::operator delete(chunk.memory);
}

ListArena::FreeBlock** ListArena::FreeList(std::size_t bytes, std::size_t alignment) {
  if (kPassThrough || bytes > kLargest || alignment > kGrain) return nullptr;
  return &free_[BlockSize(bytes) / kGrain - 1];
}

void* ListArena::do_allocate(std::size_t bytes, std::size_t alignment) {
  FreeBlock** free = FreeList(bytes, alignment);
  if (free == nullptr) return ::operator new (bytes, std::align_val_t{alignment});
  if (*free != nullptr) {
    FreeBlock* block = *free;
    *free = block->next;
    return block;
  }
  const std::size_t size = BlockSize(bytes);
  if (static_cast<std::size_t>(end_ - next_) < size) NewChunk(size);
  void* block = next_;
  next_ += size;
  if (next_ > populated_) Populate();
  return block;
}

void ListArena::do_deallocate(void* block, std::size_t bytes, std::size_t alignment) {
  FreeBlock** free = FreeList(bytes, alignment);
  if (free == nullptr) {
    ::operator delete (block, std::align_val_t{alignment});
    return;
  }
  *free = ::new (block) FreeBlock{*free};
}

void ListArena::Populate() {
  // From the page that holds the last byte handed out to the last whole
  // page of the step; only advice, so a failure changes nothing.
  const auto page = [](const char* at) {
    return reinterpret_cast<char*>(reinterpret_cast<std::uintptr_t>(at) & ~(kPage - 1));
  };
  char* from = page(next_ - 1);
  char* to = page(std::min(end_, from + kPopulateStep));
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  if (to > from) madvise(from, static_cast<std::size_t>(to - from), MADV_POPULATE_WRITE);
#endif
  populated_ = std::max(to, next_);
}

void ListArena::NewChunk(std::size_t bytes) {
  std::size_t size =
      chunks_.empty() ? kFirstChunk : std::min(2 * chunks_.back().size, kLargestChunk);
  size = std::max(size, bytes);
  chunks_.reserve(chunks_.size() + 1);  // so that a chunk is never lost
  void* memory = ::operator new(size);
  chunks_.push_back(Chunk{memory, size});
  next_ = static_cast<char*>(memory);
  end_ = next_ + size;
  populated_ = next_;
}

}  // namespace wus
