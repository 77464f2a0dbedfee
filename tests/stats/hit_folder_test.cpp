// The hit folder hands over exactly what its hits come to, weapon after
// weapon with the same scratch, and a summary adds records up in the
// aggregate's pool: bones in first-hit order, hits without a bone counted
// only in the totals, columns that a later record reaches farther.
#include "stats/hit_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace wus {
namespace {

struct Hit {
  std::optional<std::uint32_t> column;
  NameId bone;
  bool lethal;
};

// The columns of `summary` as a map, whatever their order.
std::map<std::uint32_t, std::uint32_t> Columns(const FileHitSummary& summary) {
  std::map<std::uint32_t, std::uint32_t> columns;
  for (const ColumnCount& count : summary.columns) columns[count.column] += count.hits;
  return columns;
}

TEST(HitFolderTest, EachWeaponGetsItsOwnHitsOnly) {
  struct Case {
    std::vector<Hit> hits;
    std::map<std::uint32_t, std::uint32_t> columns;
    std::vector<BoneHitCount> bones;  // bone, hits, lethal hits
    std::uint32_t lethal;
  };
  const std::vector<Case> cases = {
      {{}, {}, {}, 0},
      {{{0, 3, true}, {1023, 0, false}, {std::nullopt, 5, true}, {0, 3, false}},
       {{0, 2}, {1023, 1}},
       {{3, 2, 1}, {5, 1, 1}},
       2},
      // The next weapon: no trace of the one before, bones in its own order.
      {{{7, 5, false}, {7, 0, true}, {8, 9, false}, {7, 3, true}},
       {{7, 3}, {8, 1}},
       {{5, 1, 0}, {9, 1, 0}, {3, 1, 1}},
       2},
      {{{std::nullopt, 0, false}}, {}, {}, 0},
  };
  HitFolder folder;
  FileHitSummary summary;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    for (const Hit& hit : cases[i].hits) folder.AddHit(hit.column, hit.bone, hit.lethal);
    folder.Finish(&summary);
    EXPECT_EQ(summary.hitCount, cases[i].hits.size());
    EXPECT_EQ(summary.lethalHitCount, cases[i].lethal);
    EXPECT_EQ(Columns(summary), cases[i].columns);
    ASSERT_EQ(summary.bones.size(), cases[i].bones.size());
    for (std::size_t b = 0; b < summary.bones.size(); ++b) {
      EXPECT_EQ(summary.bones[b].bone, cases[i].bones[b].bone);
      EXPECT_EQ(summary.bones[b].hits, cases[i].bones[b].hits);
      EXPECT_EQ(summary.bones[b].lethalHits, cases[i].bones[b].lethalHits);
    }
  }
}

// Records added into one summary through a mapping of bone ids: known
// bones add up in place, new ones follow in the record's order, the range
// grows to the farthest column, and the scratch table is left all zero.
TEST(HitFolderTest, RecordsAddUpInTheAggregatesPool) {
  HitFolder folder;
  HitSummary total;
  BoneSlots slots;
  auto add = [&](const std::vector<Hit>& hits) {
    for (const Hit& hit : hits) folder.AddHit(hit.column, hit.bone, hit.lethal);
    FileHitSummary record;
    folder.Finish(&record);
    total.Add(
        record, [](NameId bone) { return bone * 10; }, slots);
    EXPECT_TRUE(std::all_of(slots.begin(), slots.end(), [](std::uint32_t s) { return s == 0; }));
  };
  add({{2, 1, true}, {2, 2, false}});
  add({{5, 3, false}, {0, 1, false}, {std::nullopt, 2, true}});
  EXPECT_EQ(total.hitCount(), 5u);
  EXPECT_EQ(total.lethalHitCount(), 2u);
  EXPECT_EQ(std::vector<std::uint32_t>(total.rangeColumns().begin(), total.rangeColumns().end()),
            (std::vector<std::uint32_t>{1, 0, 2, 0, 0, 1}));
  const std::vector<std::vector<std::uint32_t>> bones = {{10, 2, 1}, {20, 2, 1}, {30, 1, 0}};
  ASSERT_EQ(total.bones().size(), bones.size());
  for (std::size_t b = 0; b < bones.size(); ++b) {
    EXPECT_EQ(total.bones()[b].bone, bones[b][0]);
    EXPECT_EQ(total.bones()[b].hits, bones[b][1]);
    EXPECT_EQ(total.bones()[b].lethalHits, bones[b][2]);
  }
}

}  // namespace
}  // namespace wus
