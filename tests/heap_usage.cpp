// Heap in use, from the allocator's own statistics.
#include "tests/heap_usage.h"

#include <cstdlib>

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
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace wus::test {

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

}  // namespace wus::test
