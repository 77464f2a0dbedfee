// The aggregate's name-keyed lookups: player case folding, the weapon
// display-name merge, first-match semantics and wrapping counters; the
// text index and pool beneath them.
#include "stats/model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stats/hash_index.h"
#include "stats/intern_cache.h"

namespace wus {
namespace {

TEST(ModelTest, PlayersFoldOnlyAsciiLetters) {
  const struct {
    const char* first;
    const char* second;
    bool same;
  } cases[] = {
      {"Player", "PLAYER", true},
      {"\xc8\xe2\xe0\xed", "\xe8\xe2\xe0\xed", false},  // cp1251 Иван / иван stay two
      {"a[", "A{", false},                              // only A-Z fold, not [ and {
      {"", "", true},
      {"x", "x ", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.second);
    StatsAggregate aggregate;
    aggregate.FindOrAddPlayer(c.first).TotalShots = 1;
    PlayerStats& second = aggregate.FindOrAddPlayer(c.second);
    EXPECT_EQ(aggregate.m_Players.size(), c.same ? 1u : 2u);
    EXPECT_EQ(second.m_Name, c.same ? c.first : c.second);  // spelled as first seen
    EXPECT_EQ(second.TotalShots, c.same ? 1u : 0u);
  }
}

TEST(ModelTest, WeaponsMatchIdThenDisplayNameAndTheFirstAddedWins) {
  PlayerStats player("p");
  const struct {
    const char* id;
    const char* displayName;
    std::size_t weapon;  // the index in m_Weapons the call must give
  } calls[] = {
      {"wpn_a", "Rifle", 0},
      {"wpn_b", "Rifle", 0},  // a new id under a known display name merges
      {"wpn_c", "Pistol", 1},
      {"Pistol", "wpn_a", 1},  // the id matches weapon 1's display name first
      {"wpn_d", "wpn_e", 2},
      {"wpn_e", "wpn_c", 2},  // an id that is another weapon's display name
      {"WPN_A", "x", 3},      // no case folding for weapons
      {"", "", 4},            // the empty text is a name like any other
  };
  for (const auto& c : calls) {
    SCOPED_TRACE(std::string(c.id) + " / " + c.displayName);
    WeaponStats& weapon = player.FindOrAddWeapon(c.id, c.displayName);
    ASSERT_LT(c.weapon, player.m_Weapons.size());
    EXPECT_EQ(&weapon, &player.m_Weapons[c.weapon]);
  }
  EXPECT_EQ(player.m_Weapons.size(), 5u);
  EXPECT_EQ(player.m_Weapons[0].m_Name, "wpn_a");
  EXPECT_EQ(player.FindWeapon("wpn_b"), nullptr);  // a merged id is not remembered
}

TEST(ModelTest, FirstMatchSurvivesGrowth) {
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
  std::int32_t money = 100, max = 2147483647;
  AddTo(counter, 10);
  AddTo(money, 4294967096u);  // -200 as 32 bits
  AddTo(max, 1);
  EXPECT_EQ(counter, 4u);
  EXPECT_EQ(money, -100);
  EXPECT_EQ(max, -2147483647 - 1);
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
      auto isV = [v](std::uint32_t value) { return value == v; };
      EXPECT_EQ(index.Find(hashes[v], isV), v);
      EXPECT_EQ(index.Find(hashes[v] ^ 0x40000000u, isV), HashIndex::kNone);
    }
  }
}

// Texts that differ in a single byte anywhere (zero and 0xff included), or
// only in length, so that every word of the hash and of the comparison
// matters and the index grows several times; each keeps its own id, given
// out in order after the empty text's, and reads back exactly. The same
// through the cache in front of the pool, whose slots the texts of 8 to 16
// bytes share.
TEST(NamePoolTest, TextsDifferingInOneByteOrInLengthStayApart) {
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
  for (bool cached : {false, true}) {
    SCOPED_TRACE(cached);
    NamePool pool;
    InternCache cache;
    auto intern = [&](std::string_view text) {
      return cached ? cache.Intern(pool, text) : pool.Intern(text);
    };
    EXPECT_EQ(intern(""), NamePool::kEmpty);
    std::vector<NameId> ids;
    for (const std::string& text : texts) ids.push_back(intern(text));
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(ids[i], i + 1) << i;
      EXPECT_EQ(pool.Get(ids[i]), texts[i]);
    }
    for (std::size_t i = texts.size(); i-- > 0;) EXPECT_EQ(intern(std::string(texts[i])), ids[i]);
    EXPECT_EQ(pool.size(), texts.size() + 1);
  }
}

// The bones of a skeleton, left and right alike but for one letter, met
// over and over: after the first sight of each, the cache finds them all
// (two names falling into one slot would miss on every other hit).
TEST(NamePoolTest, TheCacheKeepsEveryBoneOfASkeleton) {
  const std::vector<std::string> bones = {
      "bip01_head",       "bip01_neck",       "bip01_spine",      "bip01_spine1",
      "bip01_spine2",     "bip01_pelvis",     "bip01_l_thigh",    "bip01_r_thigh",
      "bip01_l_calf",     "bip01_r_calf",     "bip01_l_foot",     "bip01_r_foot",
      "bip01_l_upperarm", "bip01_r_upperarm", "bip01_l_forearm",  "bip01_r_forearm",
      "bip01_l_hand",     "bip01_r_hand",     "bip01_l_clavicle", "bip01_r_clavicle"};
  NamePool pool;
  InternCache cache;
  for (int round = 0; round < 100; ++round) {
    for (const std::string& bone : bones) cache.Intern(pool, bone);
  }
  EXPECT_EQ(pool.size(), bones.size() + 1);
  EXPECT_LE(cache.misses(), bones.size() + 2);
}

}  // namespace
}  // namespace wus
