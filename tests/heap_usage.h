// How many bytes of heap the process has in use, where the allocator says:
// glibc's malloc, or the sanitizers' allocator in a sanitizer build. Lets a
// test check that loading a file costs memory in proportion to its size.
#pragma once

#include <cstddef>
#include <optional>

namespace wus::test {

// Returns the bytes of heap in use now, or nothing where that is unknown.
std::optional<std::size_t> HeapBytesInUse();

}  // namespace wus::test
