// How many bytes of heap the process has in use, where the allocator says:
// glibc's malloc, or the sanitizers' allocator in a sanitizer build. Lets a
// test check that loading a file costs memory in proportion to its size.
// Also the peak of what the test program's operator new holds, on every
// thread, where the C library can tell a block's size (glibc).
#pragma once

#include <cstddef>
#include <optional>

namespace wus::test {

// Returns the bytes of heap in use now, or nothing where that is unknown.
std::optional<std::size_t> HeapBytesInUse();

// Starts a new peak at the bytes operator new holds now.
void ResetHeapPeak();
// Returns the most bytes operator new held at once since ResetHeapPeak,
// minus what it held at that call; nothing where that is unknown.
std::optional<std::size_t> HeapPeakGrowth();

}  // namespace wus::test
