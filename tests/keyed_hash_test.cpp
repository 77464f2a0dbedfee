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

// Returns `count` names that `hash` puts into bucket 0 of `buckets`, the
// way a crafted file would choose them.
template <typename Hash>
std::vector<std::string> NamesForOneBucket(Hash hash, std::size_t buckets, std::size_t count) {
  std::vector<std::string> names;
  for (std::uint64_t i = 0; names.size() < count; ++i) {
    std::string name = "name" + std::to_string(i);
    if (hash(name) % buckets == 0) names.push_back(name);
  }
  return names;
}

// Returns how many of `buckets` the names fall into under `hash`.
template <typename Hash>
std::size_t BucketsUsed(Hash hash, const std::vector<std::string>& names, std::size_t buckets) {
  std::set<std::size_t> used;
  for (const std::string& name : names) used.insert(hash(name) % buckets);
  return used.size();
}

TEST(KeyedHashTest, NamesChosenAgainstAFixedHashSpreadOut) {
  constexpr std::size_t kBuckets = 101, kNames = 400;
  // 400 names in 101 buckets at random fill about 98 of them.
  auto players = NamesForOneBucket(UnkeyedFoldedHash, kBuckets, kNames);
  EXPECT_GT(BucketsUsed(AsciiFoldHash(), players, kBuckets), 80u);
  auto texts = NamesForOneBucket(std::hash<std::string_view>(), kBuckets, kNames);
  auto seededTextHash = [](std::string_view text) { return std::size_t{HashText(text)}; };
  EXPECT_GT(BucketsUsed(seededTextHash, texts, kBuckets), 80u);
}

}  // namespace
}  // namespace wus
