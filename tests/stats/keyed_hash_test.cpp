// The keyed hash of the model's indexes: equal texts (with A-Z folded, for
// player names) hash equally, and names chosen offline to fall into one
// bucket under the unkeyed hashes the indexes used before spread out.
#include "stats/keyed_hash.h"

#include "stats/hash_index.h"

#include <gtest/gtest.h>

#include <set>

#include "stats/model.h"

namespace wus {
namespace {

TEST(KeyedHashTest, EveryLengthAndBytePosition) {
  // Texts of 0 to 24 bytes, and texts that differ in one byte anywhere,
  // across the 8-byte words the hash works in. Folding reaches every byte,
  // and only the plain hash tells the case of letters apart.
  std::set<std::uint64_t> seen;
  for (std::size_t length = 0; length <= 24; ++length) {
    std::string text(length, 'a');
    EXPECT_TRUE(seen.insert(KeyedHash(text)).second) << length;
    EXPECT_EQ(KeyedFoldedHash(text), KeyedFoldedHash(std::string(length, 'A'))) << length;
    for (std::size_t at = 0; at < length; ++at) {
      std::string changed = text;
      changed[at] = 'b';
      EXPECT_TRUE(seen.insert(KeyedHash(changed)).second) << length << " " << at;
      changed[at] = 'A';
      EXPECT_NE(KeyedHash(changed), KeyedHash(text)) << length << " " << at;
    }
  }
}

// The player index's hash before it was keyed: FNV-1a over folded bytes.
std::size_t UnkeyedFoldedHash(std::string_view text) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (char c : text) {
    hash ^= FoldAscii(static_cast<unsigned char>(c));
    hash *= 1099511628211ULL;
  }
  return static_cast<std::size_t>(hash ^ (hash >> 32));
}

// Returns over how many of 101 buckets `keyed` spreads 400 names that
// `fixed` puts all into bucket 0, the way a crafted file would choose them.
// At random, 400 names fill about 98 buckets.
template <typename Fixed, typename Keyed>
std::size_t BucketsUsed(Fixed fixed, Keyed keyed) {
  constexpr std::size_t kBuckets = 101;
  std::set<std::size_t> used;
  for (std::uint64_t i = 0, found = 0; found < 400; ++i) {
    std::string name = "name" + std::to_string(i);
    if (fixed(name) % kBuckets != 0) continue;
    ++found;
    used.insert(keyed(name) % kBuckets);
  }
  return used.size();
}

TEST(KeyedHashTest, NamesChosenAgainstAFixedHashSpreadOut) {
  EXPECT_GT(BucketsUsed(UnkeyedFoldedHash, AsciiFoldHash()), 80u);
  auto seededTextHash = [](std::string_view text) { return std::size_t{HashText(text)}; };
  EXPECT_GT(BucketsUsed(std::hash<std::string_view>(), seededTextHash), 80u);
}

}  // namespace
}  // namespace wus
