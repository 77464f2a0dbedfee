// Loading WUS files into the aggregate: the console trace, the sums, and
// what happens when a file is rejected or cut short at any byte.
#include "stats/loader.h"

#include <gtest/gtest.h>

#include "app/report_name.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

const std::string kEnd = "Unexpected end of file - counted what was read.\n";

// The worked example in every version, loaded one after the other into
// one aggregate: versions before 2 carry no bone names.
TEST(LoaderTest, EveryVersionLoadsAndAddsUp) {
  TempDir dir;
  StatsAggregate aggregate;
  for (std::uint32_t version : {2u, 1u, 0u}) {
    SCOPED_TRACE(version);
    WusFile file = WorkedExample();
    file.header.version = version;
    std::string bytes = EncodeWusFile(file);
    EXPECT_EQ(bytes.size(), version == 2 ? 576u : 565u);
    LoadResult result;
    std::string console = LoadBytes(dir, "(Alpha)_(Bravo)_3.wus", bytes, aggregate, &result);
    EXPECT_EQ(result.status, LoadStatus::kAccepted);
    EXPECT_EQ(result.version, version);
    EXPECT_FALSE(result.cutShort);
    if (version == 2) {
      std::string path = (dir.path() / "(Alpha)_(Bravo)_3.wus").string();
      EXPECT_EQ(console, "Processing '" + path + "'\n" + kWorkedExampleTrace);
    }
    EXPECT_EQ(console.find("Unexpected"), std::string::npos);
  }
  ASSERT_EQ(aggregate.m_Players.size(), 1u);
  EXPECT_EQ(aggregate.m_Players[0].TotalShots, 30u);
  // Three lethal hits at distance 5, of which only the first has a bone.
  const HitSummary& hits = aggregate.m_Players[0].m_Weapons.at(0).m_HitSummary;
  EXPECT_EQ(hits.hitCount(), 3u);
  EXPECT_EQ(hits.lethalHitCount(), 3u);
  std::vector<std::uint32_t> range(hits.rangeColumns().size());
  hits.rangeColumns().AddTo(range);
  EXPECT_EQ(range, (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 3}));
  ASSERT_EQ(hits.bones().size(), 1u);
  EXPECT_EQ(aggregate.m_BoneTexts.Get(hits.bones()[0].bone), "bip01_head");
  EXPECT_EQ(hits.bones()[0].hits, 1u);
  EXPECT_EQ(hits.bones()[0].lethalHits, 1u);
  EXPECT_EQ(aggregate.m_WeaponNames, std::vector<NameBuf>{"wpn_a"});
  EXPECT_EQ(aggregate.m_UsedFiles.size(), 3u);
}

// A rejected or unopenable file adds nothing and takes neither the tokens
// nor the report folder.
TEST(LoaderTest, RejectedFilesAddNothing) {
  // A body that, if read, would ask for 4000000000 players.
  std::string valid = EncodeWusFile(WorkedExample());
  valid.replace(44, 4, "\x00\x28\x6b\xee", 4);
  auto version = [&](std::uint32_t v) {
    std::string bytes = valid;
    for (std::size_t i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>(v >> (8 * i));
    return bytes;
  };
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "(Dir)_(Name).wus");
  const std::string kNotWus = "Not a proper WUS file.\n";
  const std::string kVersion = "Strange file version - Skipping!\n";
  struct Case {
    std::string path;  // "" for `bytes` written to "(A)_(B).wus"
    std::string bytes;
    std::string message;
  } cases[] = {
      {"", "", kNotWus},
      {"", "WUS " + valid.substr(4), kNotWus},
      {"", valid.substr(0, 3), kNotWus},
      {"", version(3), kVersion},
      {"", version(0x7fffffff), kVersion},
      {"", version(0x80000000), kVersion},
      {"", version(0xffffffff), kVersion},
      {(dir.path() / "(No)_(File).wus").string(), "",
       "Cannot open file: No such file or directory - Skipping!\n"},
      {(dir.path() / "(Dir)_(Name).wus").string(), "",
       "Cannot open file: Is a directory - Skipping!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    StatsAggregate aggregate;
    std::string path = c.path.empty() ? dir.Write("(A)_(B).wus", c.bytes) : c.path;
    ConsoleCapture console;
    LoadResult result = LoadStatsFile(path, aggregate);
    EXPECT_EQ(console.text(), "Processing '" + path + "'\n" + c.message);
    EXPECT_NE(result.status, LoadStatus::kAccepted);
    EXPECT_TRUE(aggregate.m_UsedFiles.empty());
    EXPECT_TRUE(aggregate.m_Players.empty());
    EXPECT_EQ(aggregate.m_dwTotalPlayersAliveTime[0], 0u);
    ReportNaming naming;
    naming.Offer(result);
    EXPECT_EQ(naming.folder() + naming.FileName({2031, 11, 7, 9, 5, 3}),
              "()_()_11.07.2031_09.05.03.txt");
  }
}

// Offsets in the worked example: the header 0-47; the player record from 48
// (name 48-51, NumWeapons 92-95); the weapon record from 96 (names 96-103,
// counters 104-123, buckets 124-531, dwNumHits 532-535); the hit record
// from 536 (lethal flag 562, "T" 563-564, "bip01_head" 565-575).

TEST(LoaderTest, TruncatedAtEveryLength) {
  std::string bytes = EncodeWusFile(WorkedExample());
  TempDir dir;
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    SCOPED_TRACE(length);
    StatsAggregate aggregate;
    LoadResult result;
    std::string console = LoadBytes(dir, "cut.wus", bytes.substr(0, length), aggregate, &result);
    if (length < 4) {
      EXPECT_TRUE(console.ends_with("Not a proper WUS file.\n"));
      continue;
    }
    // Accepted: listed, and the end message exactly when the file is cut.
    EXPECT_EQ(aggregate.m_UsedFiles.size(), 1u);
    EXPECT_EQ(console.ends_with(kEnd), length < bytes.size());
    EXPECT_EQ(result.cutShort, length < bytes.size());
    // No record is invented past the end, and a text cut by the end keeps
    // the bytes that were there.
    auto kept = [&](std::string_view text, std::size_t at) {
      return text.substr(0, length > at ? length - at : 0);
    };
    EXPECT_EQ(aggregate.m_Players.size(), length > 48 ? 1u : 0u);
    if (aggregate.m_Players.empty()) continue;
    const PlayerStats& bob = aggregate.m_Players[0];
    EXPECT_EQ(bob.m_Name, kept("Bob", 48));
    EXPECT_EQ(bob.m_Weapons.size(), length > 96 ? 1u : 0u);
    if (bob.m_Weapons.empty()) continue;
    const WeaponStats& weapon = bob.m_Weapons[0];
    EXPECT_EQ(weapon.m_Name, kept("wpn_a", 96));
    EXPECT_EQ(weapon.m_DisplayName, kept("A", 102));
    EXPECT_EQ(aggregate.m_WeaponNames.size(), 1u);
    const HitSummary& hits = weapon.m_HitSummary;
    EXPECT_EQ(hits.hitCount(), length > 536 ? 1u : 0u);
    if (hits.hitCount() == 0) continue;
    // The second point and the lethal flag are read as far as they go.
    EXPECT_EQ(hits.rangeColumns().size(), length >= 556 ? 6u : length >= 552 ? 4u : 1u);
    EXPECT_EQ(hits.lethalHitCount(), length > 562 ? 1u : 0u);
    std::string_view bone = kept("bip01_head", 565);
    ASSERT_EQ(hits.bones().size(), bone.empty() ? 0u : 1u);
    if (!bone.empty()) {
      EXPECT_EQ(aggregate.m_BoneTexts.Get(hits.bones()[0].bone), bone);
    }
  }
}

TEST(LoaderTest, TokensComeFromTheFirstAcceptedFileWithATokenAndNameTheFolder) {
  TempDir dir;
  std::string valid = EncodeWusFile(WorkedExample());
  StatsAggregate aggregate;
  ReportNaming naming;
  auto load = [&](const std::string& name, std::string_view bytes) {
    LoadResult result;
    LoadBytes(dir, name, bytes, aggregate, &result);
    naming.Offer(result);
  };
  const LocalTime time{2031, 11, 7, 9, 5, 3};
  load("(Bad)_(File).wus", "not a wus file");
  EXPECT_EQ(naming.folder() + naming.FileName(time), "()_()_11.07.2031_09.05.03.txt");
  load("()_().wus", valid);
  EXPECT_EQ(naming.FileName(time), "()_()_11.07.2031_09.05.03.txt");
  EXPECT_EQ(naming.folder(), WithTrailingSeparator(dir.path()));
  std::filesystem::create_directory(dir.path() / "sub");
  load("sub/(Alpha)_(Bravo)_3.wus", valid);
  load("(Late)_(Comer).wus", valid);
  EXPECT_EQ(naming.FileName(time), "(Alpha)_(Bravo)_11.07.2031_09.05.03.txt");
  EXPECT_EQ(naming.folder(), WithTrailingSeparator(dir.path() / "sub"));
  EXPECT_EQ(aggregate.m_UsedFiles,
            (std::vector<NameBuf>{"()_().wus", "(Alpha)_(Bravo)_3.wus", "(Late)_(Comer).wus"}));
}

}  // namespace
}  // namespace wus::test
