// The hash of the model's name indexes: SipHash-1-3 under a key drawn at
// random once per process. A hash that anyone can compute lets a crafted
// file carry names chosen offline to fall into one bucket of an index, and
// every lookup then walks that bucket: loading turns quadratic (30000 such
// player names took seconds, where ordinary names take milliseconds). With
// a secret key nobody can choose such names. Equal texts hash equally
// within a process; the values differ from run to run, which changes
// nothing the tool writes (no index is ever walked in hash order).
#pragma once

#include <cstdint>
#include <string_view>

namespace wus {

// Returns `c` with the ASCII letters A-Z folded onto a-z; every other byte
// (Cyrillic letters included) stays as it is.
inline unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Returns a 64-bit secret drawn once per process, for seeding the fast text
// hash of the interned-name indexes (stats/hash_index.h).
std::uint64_t TextHashSeed();

// Returns the keyed hash of `text`.
std::uint64_t KeyedHash(std::string_view text);

// Returns the keyed hash of `text` with the ASCII letters A-Z folded onto
// a-z, so that texts equal but for the case of those letters hash equally.
std::uint64_t KeyedFoldedHash(std::string_view text);

}  // namespace wus
