// The two bone tables (all hits by bone, lethal hits by bone): their
// columns, rows, Total column and Total row, and the bone list they leave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/sections.h"
#include "tests/hit_aggregate.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

std::string HitsTitle() {
  return Cp1251("------------- \tПопадания по костям\t -------------\n\n");
}
std::string LethalTitle() {
  return Cp1251("------------- \tСмертельные попадания по костям\t -------------\n\n");
}

struct BoneCase {
  const char* name;
  std::vector<TestWeapon> weapons;
  std::string hitsTable;    // the hits table after its title
  std::string lethalTable;  // the lethal table after its title
};

TEST(BoneTablesTest, CountHitsPerBoneColumn) {
  const std::vector<BoneCase> cases = {
      {"head and spine",
       {{"P",
         "wpn_ak74",
         "AK-74",
         {BoneHit("bip01_head", true), BoneHit("bip01_spine", true), BoneHit("bip01_head"),
          BoneHit("bip01_head", true), BoneHit("bip01_spine")}}},
       "\tTotal\thead\tspine\nAK-74\t5\t3\t2\t\nTotal\t5\t3\t2\t\n\n",
       "\tTotal\thead\tspine\nAK-74\t3\t2\t1\t\nTotal\t3\t2\t1\t\n\n"},
      {"no hits at all", {{"P", "wpn_a", "A", {}}}, "", ""},
      {"no hit has a bone name",
       {{"P", "wpn_a", "A", {HitAt(1, true), HitAt(2)}}, {"Q", "knife", "K", {HitAt(1, true)}}},
       "",
       ""},
      {"a bone hit only with a weapon without wpn_ still has a column",
       {{"P", "knife", "Knife", {BoneHit("bip01_foot", true)}},
        {"P", "wpn_a", "A", {BoneHit("bip01_head", true), HitAt(1, true), HitAt(1)}}},
       "\tTotal\tfoot\thead\nA\t3\t0\t1\t\nTotal\t3\t0\t1\t\n\n",
       "\tTotal\tfoot\thead\nA\t2\t0\t1\t\nTotal\t2\t0\t1\t\n\n"},
      {"bip01_ anywhere in the name cuts its first six characters",
       {{"P",
         "wpn_a",
         "A",
         {BoneHit("xbip01_foot"), BoneHit("Head"), BoneHit("bip01_"), BoneHit("Bip01_Arm"),
          BoneHit("bip01_arm"), BoneHit("bip01_bip01_hand")}}},
       "\tTotal\t_foot\tHead\t\tBip01_Arm\tarm\tbip01_hand\n"
       "A\t6\t1\t1\t1\t1\t1\t1\t\nTotal\t6\t1\t1\t1\t1\t1\t1\t\n\n",
       "\tTotal\t_foot\tHead\t\tBip01_Arm\tarm\tbip01_hand\n"
       "A\t0\t0\t0\t0\t0\t0\t0\t\nTotal\t0\t0\t0\t0\t0\t0\t0\t\n\n"},
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
      {"labels and bone names keep their dots and percent signs",
       {{"P", "wpn_a", "A.1%d", {BoneHit("bip01_l.arm%s", true)}}},
       "\tTotal\tl.arm%s\nA.1%d\t1\t1\t\nTotal\t1\t1\t\n\n",
       "\tTotal\tl.arm%s\nA.1%d\t1\t1\t\nTotal\t1\t1\t\n\n"},
  };
  for (const BoneCase& c : cases) {
    SCOPED_TRACE(c.name);
    StatsAggregate aggregate;
    AddWeapons(aggregate, c.weapons);
    EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate), HitsTitle() + c.hitsTable);
    EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate), LethalTitle() + c.lethalTable);
  }
}

TEST(BoneTablesTest, HitsFromOlderFilesRaiseOnlyTheTotals) {
  TempDir dir;
  StatsAggregate aggregate;
  LoaderState state;
  for (std::uint32_t version : {0u, 1u, 2u}) {
    WusFile file;
    file.header = MakeHeader(version);
    WusPlayer& player = file.players.emplace_back();
    player.record.name = "P";
    WusWeapon& weapon = player.weapons.emplace_back(MakeWeapon("wpn_a", "A"));
    // Files before version 2 carry no bone names: these are dropped.
    weapon.hits.push_back(MakeHit({0, 0, 0}, {1, 0, 0}, true, "bip01_head"));
    weapon.hits.push_back(MakeHit({0, 0, 0}, {1, 0, 0}, false, "bip01_spine"));
    LoadBytes(dir, "v" + std::to_string(version) + ".wus", EncodeWusFile(file), aggregate, state);
  }
  EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate),
            HitsTitle() + "\tTotal\thead\tspine\nA\t6\t1\t1\t\nTotal\t6\t1\t1\t\n\n");
  EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate),
            LethalTitle() + "\tTotal\thead\tspine\nA\t3\t1\t0\t\nTotal\t3\t1\t0\t\n\n");
}

TEST(BoneTablesTest, HasNoLimitOnTheNumberOfBones) {
  constexpr int kBones = 1100;
  StatsAggregate aggregate;
  TestWeapon weapon{"P", "wpn_a", "A", {}};
  for (int bone = 0; bone < kBones; ++bone) weapon.hits.push_back(BoneHit(std::to_string(bone)));
  weapon.hits.push_back(BoneHit(std::to_string(kBones - 1), true));
  AddWeapons(aggregate, {weapon});

  std::string heading = "\tTotal";
  std::string hitCells;
  std::string lethalCells;
  for (int bone = 0; bone < kBones; ++bone) {
    heading += "\t" + std::to_string(bone);
    hitCells += bone == kBones - 1 ? "2\t" : "1\t";
    lethalCells += bone == kBones - 1 ? "1\t" : "0\t";
  }
  heading += "\n";
  const std::string hitTotal = std::to_string(kBones + 1) + "\t";
  EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate), HitsTitle() + heading + "A\t" +
                                                                hitTotal + hitCells + "\nTotal\t" +
                                                                hitTotal + hitCells + "\n\n");
  EXPECT_EQ(
      WriteToString(WriteLethalHitsByBoneTable, aggregate),
      LethalTitle() + heading + "A\t1\t" + lethalCells + "\nTotal\t1\t" + lethalCells + "\n\n");
  EXPECT_EQ(aggregate.m_BoneNames.size(), static_cast<std::size_t>(kBones));
}

TEST(BoneTablesTest, HitsTableAppendsToTheBoneListAndLethalTableRebuildsIt) {
  StatsAggregate aggregate;
  AddWeapons(aggregate, {{"P", "wpn_a", "A", {BoneHit("bip01_head", true), BoneHit("arm")}}});
  const NameId head = aggregate.m_HitTexts.Intern("bip01_head");
  const NameId arm = aggregate.m_HitTexts.Intern("arm");
  const NameId spine = aggregate.m_HitTexts.Intern("bip01_spine");
  aggregate.m_BoneNames = {spine, arm};

  EXPECT_EQ(WriteToString(WriteHitsByBoneTable, aggregate),
            HitsTitle() + "\tTotal\tspine\tarm\thead\nA\t2\t0\t1\t1\t\nTotal\t2\t0\t1\t1\t\n\n");
  EXPECT_EQ(aggregate.m_BoneNames, (std::vector<NameId>{spine, arm, head}));

  const std::string lethal =
      LethalTitle() + "\tTotal\thead\tarm\nA\t1\t1\t0\t\nTotal\t1\t1\t0\t\n\n";
  EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate), lethal);
  EXPECT_EQ(aggregate.m_BoneNames, (std::vector<NameId>{head, arm}));
  EXPECT_EQ(WriteToString(WriteLethalHitsByBoneTable, aggregate), lethal);
}

}  // namespace
}  // namespace wus::test
