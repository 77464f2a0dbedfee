// The sparse purchase counters read like the dense array they replace:
// every counter added to in any order, wrapping, and zero elsewhere.
#include "stats/buy_bucket_counts.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace wus {
namespace {

// Counters added one at a time, or a whole record's at once (its nonzero
// counters listed, then merged into the list).
TEST(BuyBucketCountsTest, ReadsLikeADenseArrayWhateverTheOrderOfTheAdds) {
  for (bool records : {false, true}) {
    SCOPED_TRACE(records);
    std::mt19937 random(3);
    using Dense = std::array<std::array<std::uint32_t, 34>, 3>;
    Dense dense{};
    BuyBucketCounts sparse;
    std::vector<BuyBucketCounts::Entry> listed;
    for (int i = 0; i < 300; ++i) {
      Dense record{};
      // A record sets a few counters, more as they go; some records none.
      for (int k = 0; k < i % 7; ++k) {
        std::size_t team = random() % 3, bucket = random() % 34;
        // Large values, so that some counters wrap, and zeros, which add nothing.
        std::uint32_t value = k % 5 == 0 ? 0 : static_cast<std::uint32_t>(random());
        dense[team][bucket] += value;
        record[team][bucket] += value;
        if (!records) sparse.Add(team, bucket, value);
      }
      if (records) {
        BuyBucketCounts::ListNonzero(record, &listed);
        sparse.AddSorted(listed);
      }
    }
    sparse.Set(2, 33, 7);
    dense[2][33] = 7;
    for (std::size_t team = 0; team < 3; ++team) {
      for (std::size_t bucket = 0; bucket < 34; ++bucket) {
        EXPECT_EQ(sparse[team][bucket], dense[team][bucket]) << team << " " << bucket;
      }
    }
    // The entries come in team and bucket order, each once.
    std::size_t last = 0;
    for (const BuyBucketCounts::Entry& entry : sparse.entries()) {
      std::size_t key = BuyBucketCounts::TeamOf(entry) * 34 + BuyBucketCounts::BucketOf(entry);
      EXPECT_TRUE(&entry == sparse.entries().data() || key > last);
      last = key;
      EXPECT_EQ(entry.count,
                dense[BuyBucketCounts::TeamOf(entry)][BuyBucketCounts::BucketOf(entry)]);
    }
  }
}

}  // namespace
}  // namespace wus
