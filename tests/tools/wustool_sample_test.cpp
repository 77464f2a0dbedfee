// wustool sample: the same options give the same bytes, written or not; the
// files hang together (totals are sums, counters match the hits) and load
// cleanly; names are distinct, spreadsheet-safe and drawn from a pool that a
// corpus covers.
#include <gtest/gtest.h>

#include <cctype>
#include <regex>
#include <set>

#include "stats/keyed_hash.h"
#include "stats/loader.h"
#include "tests/test_util.h"
#include "tools/sample.h"

namespace wus::test {
namespace {

tool::SampleOptions Options(std::uint64_t seed, std::uint32_t files) {
  tool::SampleOptions options;
  options.seed = seed;
  options.files = files;
  options.players = 6;
  options.weapons = 8;
  options.hits = 5;
  return options;
}

// Every file of the corpus, by name, as bytes.
std::vector<std::pair<std::string, std::string>> Corpus(const tool::SampleOptions& options) {
  std::vector<std::pair<std::string, std::string>> files;
  tool::SampleCorpus corpus(options);
  WusFile file;
  std::string name;
  while (corpus.Next(&file, &name)) files.emplace_back(name, EncodeWusFile(file));
  return files;
}

std::string AsciiFold(std::string text) {
  for (char& c : text) c = static_cast<char>(FoldAscii(static_cast<unsigned char>(c)));
  return text;
}

TEST(WustoolSample, SameSeedSameBytesWrittenAndLoadable) {
  auto first = Corpus(Options(11, 3));
  EXPECT_EQ(Corpus(Options(11, 3)), first);
  EXPECT_NE(Corpus(Options(12, 3)), first);

  TempDir dir;
  std::uint64_t written = 0;
  std::string error;
  ASSERT_TRUE(tool::WriteSampleCorpus(Options(11, 3), dir.path().string(), &written, &error));
  StatsAggregate aggregate;
  std::uint64_t total = 0;
  for (const auto& [name, bytes] : first) {
    EXPECT_EQ(ReadFileBytes(dir.path() / name), bytes) << name;
    total += bytes.size();
    std::string console = LoadBytes(dir, name, bytes, aggregate);
    EXPECT_EQ(console.find("Unexpected end"), std::string::npos) << console;
  }
  EXPECT_EQ(written, total);
  EXPECT_EQ(aggregate.m_UsedFiles.size(), 3u);
  EXPECT_GT(aggregate.m_WeaponNames.size(), 8u);
}

TEST(WustoolSample, FilesHangTogether) {
  const std::regex fileName(R"(\([A-Za-z]+\)_\([A-Za-z]+\)_[0-9]+\.wus)");
  for (std::uint32_t version = 0; version <= kMaxWusVersion; ++version) {
    tool::SampleOptions options = Options(5, 8);
    options.version = version;
    tool::SampleCorpus corpus(options);
    WusFile file;
    std::string name;
    std::size_t lethal = 0, items = 0;
    while (corpus.Next(&file, &name)) {
      SCOPED_TRACE(name);
      EXPECT_TRUE(std::regex_match(name, fileName));
      ASSERT_EQ(file.players.size(), options.players);
      RawTriple alive{}, money{}, respawns{};
      std::set<std::string> folded;
      for (const WusPlayer& player : file.players) {
        EXPECT_TRUE(folded.insert(AsciiFold(player.record.name)).second);
        for (std::size_t t = 0; t < kNumTeams; ++t) {
          alive[t] += player.record.totalAliveTime[t];
          money[t] += player.record.totalMoneyRound[t];
          respawns[t] += player.record.numRespawned[t];
        }
        ASSERT_EQ(player.weapons.size(), options.weapons);
        std::uint32_t shots = 0;
        for (const WusWeapon& weapon : player.weapons) {
          const WusWeaponRecord& w = weapon.record;
          shots += w.numShots;
          items += w.id.find("wpn_") == std::string::npos;
          std::uint32_t bought = 0, kills = 0;
          for (const auto& team : w.buyBuckets) {
            for (std::uint32_t n : team) bought += n;
          }
          for (const WusHitRecord& hit : weapon.hits) {
            kills += hit.lethal;
            float dx = hit.pos2[0] - hit.pos1[0], dy = hit.pos2[1] - hit.pos1[1],
                  dz = hit.pos2[2] - hit.pos1[2];
            EXPECT_LT(dx * dx + dy * dy + dz * dz, 200.0f * 200.0f);
            EXPECT_EQ(hit.boneName.rfind("bip01_", 0) == 0, version >= 2) << hit.boneName;
          }
          lethal += kills;
          EXPECT_EQ(w.numBought, bought);
          EXPECT_EQ(w.numKills, kills);
          EXPECT_EQ(w.numHits, weapon.hits.size());
          EXPECT_GE(w.numShots, w.numHits);
        }
        EXPECT_EQ(player.record.totalShots, shots);
      }
      EXPECT_EQ(file.header.totalPlayersAliveTime, alive);
      EXPECT_EQ(file.header.totalPlayersMoneyRound, money);
      EXPECT_EQ(file.header.totalNumRespawns, respawns);
    }
    EXPECT_GT(lethal, 0u);
    EXPECT_GT(items, 0u);
  }
}

// A spreadsheet must not read a name as a number or a formula; a corpus of
// 40 files x 6 players uses every name of a pool of 200.
TEST(WustoolSample, NamePoolIsDistinctSpreadsheetSafeAndCovered) {
  tool::SampleOptions options = Options(3, 40);
  options.distinctPlayers = 200;
  tool::SampleCorpus corpus(options);
  ASSERT_EQ(corpus.namePool().size(), 200u);
  std::set<std::string> poolFolded;
  const std::regex numberLike(R"([-+=@]?[0-9.,]*([eE][-+]?[0-9]+)?)");
  std::size_t cyrillic = 0;
  for (const std::string& name : corpus.namePool()) {
    EXPECT_TRUE(poolFolded.insert(AsciiFold(name)).second) << name;
    EXPECT_FALSE(std::regex_match(name, numberLike)) << name;
    auto first = static_cast<unsigned char>(name[0]);
    bool cyrillicLetter = first >= 0xC0 || first == 0xA8;  // А-я, Ё
    EXPECT_TRUE(std::isalpha(first) || first == '[' || cyrillicLetter) << name;
    cyrillic += cyrillicLetter;
  }
  EXPECT_GT(cyrillic, 20u);

  std::set<std::string> used;
  WusFile file;
  std::string name;
  while (corpus.Next(&file, &name)) {
    for (const WusPlayer& player : file.players) used.insert(AsciiFold(player.record.name));
  }
  EXPECT_EQ(used, poolFolded);
}

}  // namespace
}  // namespace wus::test
