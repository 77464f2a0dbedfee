// The aggregate's name-keyed lookups: player case folding, the weapon
// display-name merge, first-match semantics and wrapping counters; the
// text index and pool beneath them.
#include "stats/model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/hash_index.h"

namespace wus {
namespace {

TEST(ModelTest, PlayersFoldOnlyAsciiLetters) {
  struct Case {
    const char* first;
    const char* second;
    bool same;
  } cases[] = {
      {"Player", "PLAYER", true},
      {"bob_1", "BOB_1", true},
      {"\xc8\xe2\xe0\xed", "\xe8\xe2\xe0\xed", false},  // cp1251 Иван / иван stay two
      {"a[", "A{", false},                              // only A-Z fold, not [ and {
      {"", "", true},
      {"x", "x ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.second);
    StatsAggregate aggregate;
    aggregate.FindOrAddPlayer(c.first).TotalShots = 1;
    PlayerStats& second = aggregate.FindOrAddPlayer(c.second);
    EXPECT_EQ(aggregate.m_Players.size(), c.same ? 1u : 2u);
    EXPECT_EQ(second.m_Name, c.same ? c.first : c.second);  // spelled as first seen
    EXPECT_EQ(second.TotalShots, c.same ? 1u : 0u);
  }
}

TEST(ModelTest, WeaponsMatchIdOrDisplayNameAndTheFirstAddedWins) {
  PlayerStats player("p");
  WeaponStats& rifle = player.FindOrAddWeapon("wpn_a", "Rifle");
  rifle.m_dwNumKills = 1;
  // A new identifier with a known display name merges into the first weapon.
  WeaponStats& merged = player.FindOrAddWeapon("wpn_b", "Rifle");
  EXPECT_EQ(&merged, &player.m_Weapons[0]);
  EXPECT_EQ(merged.m_Name, "wpn_a");
  EXPECT_EQ(player.m_Weapons.size(), 1u);
  EXPECT_EQ(player.FindWeapon("wpn_b"), nullptr);

  player.FindOrAddWeapon("wpn_c", "Pistol");
  player.FindOrAddWeapon("Pistol", "wpn_a");  // id matches weapon 2 by display name
  EXPECT_EQ(player.m_Weapons.size(), 2u);
  // An identifier that is another weapon's display name: the id match wins.
  WeaponStats& third = player.FindOrAddWeapon("wpn_d", "wpn_e");
  player.FindOrAddWeapon("wpn_e", "wpn_c");
  EXPECT_EQ(player.m_Weapons.size(), 3u);
  EXPECT_EQ(player.FindWeapon("wpn_e"), &player.m_Weapons[2]);
  (void)third;
  // Lookups are exact: no case folding for weapons.
  EXPECT_EQ(player.FindWeapon("WPN_A"), nullptr);
  EXPECT_EQ(player.FindWeapon("Rifle")->m_dwNumKills, 1u);
  // The empty text is a name like any other.
  WeaponStats& empty = player.FindOrAddWeapon("", "");
  EXPECT_EQ(player.FindWeapon(""), &empty);
}

TEST(ModelTest, FirstMatchSurvivesGrowth) {
  // Many weapons: the index must keep pointing at the first weapon with a
  // text after the list has grown and moved.
  PlayerStats player("p");
  for (int i = 0; i < 1000; ++i) {
    player.FindOrAddWeapon("wpn_" + std::to_string(i), "shared" + std::to_string(i % 10));
  }
  EXPECT_EQ(player.m_Weapons.size(), 10u);
  EXPECT_EQ(player.FindWeapon("shared3")->m_Name, "wpn_3");
  EXPECT_EQ(player.FindWeapon("wpn_13"), nullptr);
}

TEST(ModelTest, WeaponNamesAreDistinctAndKeepFirstSight) {
  StatsAggregate aggregate;
  for (const char* id : {"wpn_b", "wpn_a", "wpn_b", "WPN_A", "", ""}) aggregate.AddWeaponName(id);
  EXPECT_EQ(aggregate.m_WeaponNames, (std::vector<NameBuf>{"wpn_b", "wpn_a", "WPN_A", ""}));
}

TEST(ModelTest, CountersWrapAndMoneyIsSigned) {
  std::uint32_t counter = 4294967290u;
  AddTo(counter, 10);
  EXPECT_EQ(counter, 4u);
  std::int32_t money = 100;
  AddTo(money, 4294967096u);  // -200 as 32 bits
  EXPECT_EQ(money, -100);
  std::int32_t max = 2147483647;
  AddTo(max, 1);
  EXPECT_EQ(max, -2147483647 - 1);
}

TEST(ModelTest, ResetEmptiesEverything) {
  StatsAggregate aggregate;
  aggregate.FindOrAddPlayer("a").FindOrAddWeapon("w", "W");
  aggregate.AddWeaponName("w");
  aggregate.AddUsedFile("f");
  aggregate.m_dwTotalNumRespawns[2] = 5;
  aggregate.m_HitTexts.Intern("bone");
  aggregate.Reset();
  EXPECT_TRUE(aggregate.m_Players.empty());
  EXPECT_TRUE(aggregate.m_WeaponNames.empty());
  EXPECT_TRUE(aggregate.m_UsedFiles.empty());
  EXPECT_EQ(aggregate.m_dwTotalNumRespawns[2], 0u);
  EXPECT_EQ(aggregate.m_HitTexts.size(), 1u);
  EXPECT_EQ(aggregate.FindPlayer("A"), nullptr);
  aggregate.AddWeaponName("w");
  EXPECT_EQ(aggregate.m_WeaponNames.size(), 1u);
}

// Values under equal hashes, under hashes that wrap past the last slot and
// under distinct hashes are all found through growth, and only by the
// predicate that accepts them.
TEST(HashIndexTest, FindsEveryValueThroughCollisionsAndGrowth) {
  for (std::uint32_t baseHash : {0u, 7u, 0xfffffff0u}) {
    HashIndex index;
    std::vector<std::uint32_t> hashes;
    for (std::uint32_t v = 0; v < 300; ++v) {
      hashes.push_back(v % 3 == 0 ? baseHash : baseHash + v);  // a third collide
      index.Insert(hashes.back(), v);
    }
    for (std::uint32_t v = 0; v < 300; ++v) {
      EXPECT_EQ(index.Find(hashes[v], [v](std::uint32_t value) { return value == v; }), v);
      EXPECT_EQ(
          index.Find(hashes[v] ^ 0x40000000u, [v](std::uint32_t value) { return value == v; }),
          HashIndex::kNone);
    }
    index.Clear();
    EXPECT_EQ(index.Find(baseHash, [](std::uint32_t) { return true; }), HashIndex::kNone);
  }
}

TEST(NamePoolTest, EqualTextsShareAnId) {
  NamePool pool;
  NameId head = pool.Intern("bip01_head");
  EXPECT_EQ(pool.Intern(std::string("bip01_") + "head"), head);
  EXPECT_NE(pool.Intern("bip01_Head"), head);
  EXPECT_EQ(pool.Intern(""), NamePool::kEmpty);
  EXPECT_EQ(pool.Intern(std::string_view("a\0b", 3)), pool.Intern(std::string_view("a\0b", 3)));
  EXPECT_EQ(pool.Get(head), "bip01_head");
  EXPECT_EQ(pool.size(), 4u);
}

// Many texts that differ in a single byte anywhere, or only in length, so
// that every word of the hash and of the comparison matters and the index
// grows several times; each keeps its own id and reads back exactly.
TEST(NamePoolTest, TextsDifferingInOneByteOrInLengthStayApart) {
  NamePool pool;
  std::vector<std::string> texts;
  for (std::size_t length = 1; length <= 40; ++length) {
    std::string base(length, 'a');
    texts.push_back(base);
    for (std::size_t at = 0; at < length; ++at) {
      for (char c : {'b', '\0', '\xff'}) {
        std::string text = base;
        text[at] = c;
        texts.push_back(text);
      }
    }
  }
  std::vector<NameId> ids;
  for (const std::string& text : texts) ids.push_back(pool.Intern(text));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(ids[i], i + 1) << i;
    EXPECT_EQ(pool.Get(ids[i]), texts[i]);
    EXPECT_EQ(pool.Intern(texts[i]), ids[i]);
  }
  EXPECT_EQ(pool.size(), texts.size() + 1);
  pool.Clear();
  EXPECT_EQ(pool.size(), 1u);
  EXPECT_EQ(pool.Intern(texts.back()), 1u);
}

}  // namespace
}  // namespace wus
