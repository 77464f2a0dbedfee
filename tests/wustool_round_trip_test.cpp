// wustool dump and make are inverses: make(dump(F)) == F for complete files
// of every version with awkward names and floats, for files with bytes after
// the last player, and for sample corpora; and the dump reads as intended.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "stats/wus_file.h"
#include "tests/test_util.h"
#include "tests/wustool_util.h"
#include "tools/byte_text.h"
#include "tools/json_codec.h"
#include "tools/sample.h"

namespace wus::test {
namespace {

float FromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::uint32_t BitsOf(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Every byte value but zero, in order.
std::string AllNonZeroBytes() {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

const std::vector<float>& OddFloats() {
  static const std::vector<float> floats = {0.0f,
                                            -0.0f,
                                            0.1f,
                                            -1.5f,
                                            3.0f,
                                            123456789.0f,
                                            1e-7f,
                                            std::numeric_limits<float>::min(),
                                            std::numeric_limits<float>::denorm_min(),
                                            -std::numeric_limits<float>::denorm_min(),
                                            std::numeric_limits<float>::max(),
                                            -std::numeric_limits<float>::max(),
                                            std::numeric_limits<float>::infinity(),
                                            -std::numeric_limits<float>::infinity(),
                                            FromBits(0x7FC00000),
                                            FromBits(0xFFC00000),
                                            FromBits(0x7F800001),
                                            FromBits(0x7FBFFFFF),
                                            16777216.0f,
                                            1e20f,
                                            0.3333333f};
  return floats;
}

// A file with awkward texts, odd floats and counters at their limits.
WusFile AwkwardFile(std::uint32_t version) {
  WusFile file;
  file.header = MakeHeader(version);
  file.header.totalPlayersAliveTime = {0xFFFFFFFFu, 0, 1};
  file.header.totalPlayersMoneyRound = {0x80000000u, 0x7FFFFFFFu, 0xFFFFFF9Cu};
  const std::string names[] = {"", std::string(kMaxNameLength, 'x'), Cp1251("Медведь_Ёж"),
                               AllNonZeroBytes(), "quote\" back\\slash\ttab\nnl %s"};
  const auto& floats = OddFloats();
  std::size_t f = 0;
  for (const std::string& name : names) {
    WusPlayer& player = file.players.emplace_back();
    player.record.name = name;
    player.record.totalShots = 0xFFFFFFFFu;
    player.record.totalMoneyRound = {0x80000000u, 1, 0xFFFFFFFFu};
    WusWeapon& weapon =
        player.weapons.emplace_back(MakeWeapon(name, std::string(name.rbegin(), name.rend())));
    weapon.record.auxCount = 7;
    weapon.record.buyBuckets[2][33] = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < 4; ++i, f += 6) {
      WusHitRecord& hit = weapon.hits.emplace_back();
      for (std::size_t c = 0; c < 3; ++c) {
        hit.pos1[c] = floats[(f + c) % floats.size()];
        hit.pos2[c] = floats[(f + 3 + c) % floats.size()];
      }
      hit.code = static_cast<std::uint16_t>(0xFFFF - i);
      hit.lethal = static_cast<std::uint8_t>(i == 3 ? 255 : i);
      hit.text = name;
      if (version >= kFirstVersionWithBoneNames) hit.boneName = i % 2 ? name : "bip01_head";
    }
    player.weapons.emplace_back(MakeWeapon("grenade", ""));  // no hits
  }
  return file;
}

TEST(WustoolRoundTrip, AwkwardFilesOfEveryVersion) {
  for (std::uint32_t version = 0; version <= kMaxWusVersion; ++version) {
    SCOPED_TRACE(version);
    std::string bytes = EncodeWusFile(AwkwardFile(version));
    EXPECT_EQ(MakeBytes(DumpBytes(bytes)), bytes);
  }
}

TEST(WustoolRoundTrip, SampleCorporaOfEveryVersion) {
  for (std::uint32_t version = 0; version <= kMaxWusVersion; ++version) {
    tool::SampleOptions options;
    options.seed = 40 + version;
    options.files = 6;
    options.players = 5;
    options.weapons = 7;
    options.hits = 4;
    options.version = version;
    tool::SampleCorpus corpus(options);
    WusFile file;
    std::string name;
    while (corpus.Next(&file, &name)) {
      SCOPED_TRACE(name);
      std::string bytes = EncodeWusFile(file);
      EXPECT_EQ(MakeBytes(DumpBytes(bytes)), bytes);
    }
  }
}

TEST(WustoolRoundTrip, TrailingBytesAreShownAndKept) {
  std::string bytes = EncodeWusFile(WorkedExample()) + std::string("x\0\x98\xff", 4);
  nlohmann::json dump = DumpAsJson(bytes);
  EXPECT_EQ(dump["end"]["complete"], true);
  EXPECT_EQ(dump["end"]["fileSize"], 580);
  EXPECT_EQ(dump["end"]["trailingBytes"], 4);
  EXPECT_EQ(dump["end"]["trailing"], std::string("x\0\u0098\u044f", 6));
  EXPECT_EQ(MakeBytes(dump.dump()), bytes);
}

TEST(WustoolRoundTrip, DumpShowsNamesAsCp1251AndFloatsExactly) {
  WusFile file = AwkwardFile(2);
  nlohmann::json dump = DumpAsJson(EncodeWusFile(file));
  const nlohmann::json& players = dump["players"];
  ASSERT_EQ(players.size(), file.players.size());
  EXPECT_EQ(players[2]["m_Name"], "Медведь_Ёж");
  std::string all = players[3]["m_Name"];
  std::string back;
  std::string error;
  ASSERT_TRUE(tool::Utf8ToBytes(all, &back, &error)) << error;
  EXPECT_EQ(back, AllNonZeroBytes());
  EXPECT_NE(all.find("\u0098"), std::string::npos);
  EXPECT_EQ(dump["m_dwTotalPlayersMoneyRound"], nlohmann::json({-2147483648, 2147483647, -100}));

  // Every float of the hits, read back from the JSON text, has its bits.
  for (std::size_t p = 0; p < file.players.size(); ++p) {
    for (std::size_t h = 0; h < 4; ++h) {
      const auto& expected = file.players[p].weapons[0].hits[h].pos1;
      const nlohmann::json& point = players[p]["weapons"][0]["hits"][h]["m_Pos1"];
      for (std::size_t c = 0; c < 3; ++c) {
        SCOPED_TRACE(point[c].dump());
        std::uint32_t bits = BitsOf(expected[c]);
        if (point[c].is_string()) {
          float value;
          ASSERT_TRUE(tool::FloatFromJsonString(point[c].get<std::string>(), &value));
          EXPECT_EQ(BitsOf(value), bits);
          EXPECT_FALSE(std::isfinite(expected[c]));
        } else {
          EXPECT_EQ(BitsOf(point[c].get<float>()), bits);
        }
      }
    }
  }
}

TEST(WustoolRoundTrip, ShippedExamplesMatchTheirJson) {
  std::filesystem::path examples =
      std::filesystem::path(__FILE__).parent_path().parent_path() / "examples";
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    if (entry.path().extension() != ".json") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::filesystem::path wus = entry.path();
    wus.replace_extension(".wus");
    EXPECT_EQ(MakeBytes(ReadFileBytes(entry.path())), ReadFileBytes(wus));
    ++checked;
  }
  EXPECT_GE(checked, 3);
}

TEST(WustoolRoundTrip, LongTextsAreShownCutAndCounted) {
  WusFile file = WorkedExample();
  file.players[0].record.name = std::string(1500, 'n');
  std::string bytes = EncodeWusFile(file);
  nlohmann::json dump = DumpAsJson(bytes);
  EXPECT_EQ(dump["players"][0]["m_Name"], std::string(kMaxNameLength, 'n'));
  EXPECT_EQ(dump["players"][0]["weapons"][0]["m_Name"], "wpn_a");
  EXPECT_EQ(dump["end"]["complete"], true);
  EXPECT_EQ(dump["end"]["recordsWithLongTexts"], 1);
  file.players[0].record.name.resize(kMaxNameLength);
  EXPECT_EQ(MakeBytes(dump.dump()), EncodeWusFile(file));
}

}  // namespace
}  // namespace wus::test
