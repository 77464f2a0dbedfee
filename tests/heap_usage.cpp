// Heap in use, from the allocator's own statistics, and the peak of the
// test program's operator new.
#include "tests/heap_usage.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WUS_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define WUS_ASAN 1
#endif

#if defined(WUS_ASAN)
// Declared here: GCC does not ship the header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#define WUS_TRACK_NEW 1
#endif

namespace wus::test {
namespace {

std::atomic<std::int64_t> g_newBytes{0};
std::atomic<std::int64_t> g_newPeak{0};
std::atomic<std::int64_t> g_peakBase{0};

}  // namespace

std::optional<std::size_t> HeapBytesInUse() {
#if defined(WUS_ASAN)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
  struct mallinfo2 info = mallinfo2();
  // Small blocks in the arenas and large ones mapped on their own.
  return info.uordblks + info.hblkhd;
#else
  return std::nullopt;
#endif
}

void ResetHeapPeak() {
  std::int64_t now = g_newBytes.load();
  g_peakBase = now;
  g_newPeak = now;
}

std::optional<std::size_t> HeapPeakGrowth() {
#if defined(WUS_TRACK_NEW)
  return static_cast<std::size_t>(g_newPeak.load() - g_peakBase.load());
#else
  return std::nullopt;
#endif
}

#if defined(WUS_TRACK_NEW)
namespace {

void* CountedNew(std::size_t size) {
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  auto bytes = static_cast<std::int64_t>(malloc_usable_size(block));
  std::int64_t now = g_newBytes.fetch_add(bytes) + bytes;
  std::int64_t peak = g_newPeak.load();
  while (now > peak && !g_newPeak.compare_exchange_weak(peak, now)) {
  }
  return block;
}

void CountedDelete(void* block) noexcept {
  if (block == nullptr) return;
  g_newBytes.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)));
  std::free(block);
}

}  // namespace
#endif

}  // namespace wus::test

#if defined(WUS_TRACK_NEW)
// The test program's operator new and delete, counted; the aligned forms
// keep the library's own (nothing in the tool uses them).
void* operator new(std::size_t size) { return wus::test::CountedNew(size); }
void* operator new[](std::size_t size) { return wus::test::CountedNew(size); }
void operator delete(void* block) noexcept { wus::test::CountedDelete(block); }
void operator delete[](void* block) noexcept { wus::test::CountedDelete(block); }
void operator delete(void* block, std::size_t) noexcept { wus::test::CountedDelete(block); }
void operator delete[](void* block, std::size_t) noexcept { wus::test::CountedDelete(block); }
#endif
