// The random numbers of `wustool sample`: xoshiro256** seeded through
// splitmix64, with its own mapping to ranges, so that a seed gives the same
// corpus with every compiler and standard library.
#pragma once

#include <cstdint>

namespace wus::tool {

// Returns a well-mixed 64-bit value of `x` (the splitmix64 finaliser).
inline std::uint64_t Mix64(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

class SampleRandom {
 public:
  // A stream for `seed` and `stream`; different streams are independent.
  SampleRandom(std::uint64_t seed, std::uint64_t stream) {
    std::uint64_t x = Mix64(seed) ^ Mix64(stream + 0x632BE59BD9B4E019ull);
    for (auto& word : state_) word = x = Mix64(x);
  }

  std::uint64_t Next() {
    std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
  }

  // Returns a number from 0 to `n` - 1 (0 when `n` is 0), without bias.
  std::uint32_t Below(std::uint32_t n) {
    if (n == 0) return 0;
    std::uint64_t limit = (std::uint64_t{1} << 32) - ((std::uint64_t{1} << 32) % n);
    while (true) {
      std::uint64_t x = Next() >> 32;
      if (x < limit) return static_cast<std::uint32_t>(x % n);
    }
  }

  // Returns a number from `low` to `high`, both included.
  std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
    return low + Below(high - low + 1);
  }

  // Returns a double in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

  // Returns true with probability `p`.
  bool Chance(double p) { return Unit() < p; }

 private:
  static std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t state_[4];
};

}  // namespace wus::tool
