// The two bone tables (all hits by bone, lethal hits by bone): their
// columns, rows, Total column and Total row, and the bone list they leave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/bone_table.h"
#include "report/sections.h"
#include "report/titles.h"
#include "tests/hit_aggregate.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

struct BoneCase {
  const char* name;
  std::vector<TestWeapon> weapons;
  std::string hitsTable;    // the hits table after its title
  std::string lethalTable;  // the lethal table after its title
};

TEST(BoneTablesTest, CountHitsPerBoneColumn) {
  const std::vector<BoneCase> cases = {
      {"no hits at all", {{"P", "wpn_a", "A", {}}}, "", ""},
      {"no hit has a bone name",
       {{"P", "wpn_a", "A", {HitAt(1, true), HitAt(2)}}, {"Q", "knife", "K", {HitAt(1, true)}}},
       "",
       ""},
      // Case-sensitive; the label and the names keep "." and "%".
      {"bip01_ anywhere in the name cuts its first six characters",
       {{"P",
         "wpn_a",
         "A.1%d",
         {BoneHit("xbip01_foot"), BoneHit("Head"), BoneHit("bip01_"), BoneHit("Bip01_Arm"),
          BoneHit("bip01_arm"), BoneHit("bip01_bip01_hand"), BoneHit("bip01_l.arm%s", true)}}},
       "\tTotal\t_foot\tHead\t\tBip01_Arm\tarm\tbip01_hand\tl.arm%s\n"
       "A.1%d\t7\t1\t1\t1\t1\t1\t1\t1\t\nTotal\t7\t1\t1\t1\t1\t1\t1\t1\t\n\n",
       "\tTotal\t_foot\tHead\t\tBip01_Arm\tarm\tbip01_hand\tl.arm%s\n"
       "A.1%d\t1\t0\t0\t0\t0\t0\t0\t1\t\nTotal\t1\t0\t0\t0\t0\t0\t0\t1\t\n\n"},
      {"no key contains wpn_",
       {{"P", "knife", "Knife", {BoneHit("bip01_head", true)}}},
       "\tTotal\thead\nTotal\t0\t0\t\n\n",
       "\tTotal\thead\nTotal\t0\t0\t\n\n"},
      {"columns by first appearance over players, weapons and hits; rows sum the players",
       {{"P1", "knife", "Knife", {BoneHit("c")}},
        {"P1", "wpn_a", "A1", {BoneHit("b", true), BoneHit("a")}},
        {"P2", "wpn_a", "A2", {BoneHit("d"), BoneHit("b")}},
        {"P2", "wpn_b", "B", {BoneHit("a", true)}},
        {"P3", "wpn_c", "C", {}}},
       "\tTotal\tc\tb\ta\td\nA2\t4\t0\t2\t1\t1\t\nB\t1\t0\t0\t1\t0\t\nC\t0\t0\t0\t0\t0\t\n"
       "Total\t5\t0\t2\t2\t1\t\n\n",
       "\tTotal\tc\tb\ta\td\nA2\t1\t0\t1\t0\t0\t\nB\t1\t0\t0\t1\t0\t\nC\t0\t0\t0\t0\t0\t\n"
       "Total\t2\t0\t1\t1\t0\t\n\n"},
  };
  for (const BoneCase& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate aggregate;
    AddWeapons(aggregate, c.weapons);
    EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate), kHitsByBoneTitle + c.hitsTable);
    EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate),
              kLethalHitsByBoneTitle + c.lethalTable);
  }
}

TEST(BoneTablesTest, HasNoLimitOnTheNumberOfBones) {
  constexpr int kBones = 1100;
  TestWeapon weapon{"P", "wpn_a", "A", {}};
  std::string heading = "\tTotal";
  std::string hitCells;
  std::string lethalCells;
  for (int bone = 0; bone < kBones; ++bone) {
    weapon.hits.push_back(BoneHit(std::to_string(bone)));
    heading += "\t" + std::to_string(bone);
    hitCells += bone == kBones - 1 ? "2\t" : "1\t";
    lethalCells += bone == kBones - 1 ? "1\t" : "0\t";
  }
  weapon.hits.push_back(BoneHit(std::to_string(kBones - 1), true));
  StatsAggregate aggregate;
  AddWeapons(aggregate, {weapon});
  const std::string hits = std::to_string(kBones + 1) + "\t" + hitCells;
  EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate),
            kHitsByBoneTitle + heading + "\nA\t" + hits + "\nTotal\t" + hits + "\n\n");
  EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate),
            kLethalHitsByBoneTitle + heading + "\nA\t1\t" + lethalCells + "\nTotal\t1\t" +
                lethalCells + "\n\n");
  EXPECT_EQ(BoneColumns(aggregate).size(), static_cast<std::size_t>(kBones));
}

// The columns are the bones in first-appearance order, whatever else the
// bone pool holds, and writing a table leaves nothing behind for the next.
TEST(BoneTablesTest, BothTablesCollectTheSameColumnsAfreshEachTime) {
  StatsAggregate aggregate;
  const NameId spine = aggregate.m_BoneTexts.Intern("bip01_spine");  // hit by nobody
  AddWeapons(aggregate, {{"P", "wpn_a", "A", {BoneHit("bip01_head", true), BoneHit("arm")}}});
  const NameId head = aggregate.m_BoneTexts.Intern("bip01_head");
  const NameId arm = aggregate.m_BoneTexts.Intern("arm");
  EXPECT_NE(spine, head);
  EXPECT_EQ(BoneColumns(aggregate), (std::vector<NameId>{head, arm}));

  const std::string hits =
      kHitsByBoneTitle + std::string("\tTotal\thead\tarm\nA\t2\t1\t1\t\nTotal\t2\t1\t1\t\n\n");
  const std::string lethal = kLethalHitsByBoneTitle +
                             std::string("\tTotal\thead\tarm\nA\t1\t1\t0\t\nTotal\t1\t1\t0\t\n\n");
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate), hits);
    EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate), lethal);
  }
}

}  // namespace
}  // namespace wus::test
