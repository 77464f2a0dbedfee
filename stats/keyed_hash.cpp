// SipHash-1-3 (one compression round per 8-byte word, three finalisation
// rounds) under a per-process random key.
#include "stats/keyed_hash.h"

#include <chrono>
#include <random>

namespace wus {
namespace {

struct Key {
  std::uint64_t k0, k1;
};

// The process's key: from the system's random source, mixed with the clock
// in case that source is weak.
Key DrawKey() {
  std::uint64_t k0 = 0, k1 = 0;
  try {
    std::random_device random;
    k0 = (std::uint64_t{random()} << 32) ^ random();
    k1 = (std::uint64_t{random()} << 32) ^ random();
  } catch (...) {
    // No random source: the clock alone.
  }
  auto now = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  return {k0 ^ now, k1 ^ (now * 0x9e3779b97f4a7c15ULL)};
}

const Key& ProcessKey() {
  static const Key key = DrawKey();
  return key;
}

inline std::uint64_t Rotate(std::uint64_t x, int bits) { return (x << bits) | (x >> (64 - bits)); }

class SipHash13 {
 public:
  explicit SipHash13(const Key& key)
      : v0_(key.k0 ^ 0x736f6d6570736575ULL),
        v1_(key.k1 ^ 0x646f72616e646f6dULL),
        v2_(key.k0 ^ 0x6c7967656e657261ULL),
        v3_(key.k1 ^ 0x7465646279746573ULL) {}

  void Compress(std::uint64_t word) {
    v3_ ^= word;
    Round();
    v0_ ^= word;
  }

  std::uint64_t Finish() {
    v2_ ^= 0xff;
    Round();
    Round();
    Round();
    return v0_ ^ v1_ ^ v2_ ^ v3_;
  }

 private:
  void Round() {
    v0_ += v1_;
    v1_ = Rotate(v1_, 13) ^ v0_;
    v0_ = Rotate(v0_, 32);
    v2_ += v3_;
    v3_ = Rotate(v3_, 16) ^ v2_;
    v0_ += v3_;
    v3_ = Rotate(v3_, 21) ^ v0_;
    v2_ += v1_;
    v1_ = Rotate(v1_, 17) ^ v2_;
    v2_ = Rotate(v2_, 32);
  }

  std::uint64_t v0_, v1_, v2_, v3_;
};

template <bool kFold>
std::uint64_t Hash(std::string_view text) {
  SipHash13 sip(ProcessKey());
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t size = text.size();
  // Little-endian words of up to 8 bytes; the last one carries the length
  // in its top byte.
  auto word = [&](std::size_t at, std::size_t n) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < n; ++i) {
      value |= std::uint64_t{kFold ? FoldAscii(bytes[at + i]) : bytes[at + i]} << (8 * i);
    }
    return value;
  };
  std::size_t whole = size - size % 8;
  for (std::size_t at = 0; at < whole; at += 8) sip.Compress(word(at, 8));
  sip.Compress(word(whole, size - whole) | (std::uint64_t{size & 0xff} << 56));
  return sip.Finish();
}

}  // namespace

std::uint64_t TextHashSeed() { return ProcessKey().k0 ^ (ProcessKey().k1 << 1); }

std::uint64_t KeyedHash(std::string_view text) { return Hash<false>(text); }

std::uint64_t KeyedFoldedHash(std::string_view text) { return Hash<true>(text); }

}  // namespace wus
