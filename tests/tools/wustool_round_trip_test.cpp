// wustool dump and make are inverses: make(dump(F)) == F for complete files
// of every version with awkward names and floats, and for files with bytes
// after the last player; the dump reads as intended, texts longer than a
// record holds are cut and counted, and the shipped examples match.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>

#include "stats/wus_file.h"
#include "tests/test_util.h"
#include "tests/tools/wustool_util.h"

namespace wus::test {
namespace {

// Zeros of both signs, ordinary values, the smallest normal and subnormal,
// the largest, infinities, quiet and signalling NaNs of both signs, 2^24,
// 1e20 and 1/3.
constexpr std::uint32_t kOddFloatBits[] = {
    0x00000000, 0x80000000, 0x3DCCCCCD, 0xBFC00000, 0x40400000, 0x4CEB79A3, 0x33D6BF95,
    0x00800000, 0x00000001, 0x80000001, 0x7F7FFFFF, 0xFF7FFFFF, 0x7F800000, 0xFF800000,
    0x7FC00000, 0xFFC00000, 0x7F800001, 0x7FBFFFFF, 0x4B800000, 0x60AD78EC, 0x3EAAAAAA};
constexpr std::size_t kOddFloats = std::size(kOddFloatBits);

// Every byte value but zero, in order.
std::string AllNonZeroBytes() {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

// A file with awkward texts, odd floats and counters at their limits.
WusFile AwkwardFile(std::uint32_t version) {
  WusFile file;
  file.header = MakeHeader(version);
  file.header.totalPlayersAliveTime = {0xFFFFFFFFu, 0, 1};
  file.header.totalPlayersMoneyRound = {0x80000000u, 0x7FFFFFFFu, 0xFFFFFF9Cu};
  const std::string names[] = {"", std::string(kMaxNameLength, 'x'), Cp1251("Медведь_Ёж"),
                               AllNonZeroBytes(), "quote\" back\\slash\ttab\nnl %s"};
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
        hit.pos1[c] = std::bit_cast<float>(kOddFloatBits[(f + c) % kOddFloats]);
        hit.pos2[c] = std::bit_cast<float>(kOddFloatBits[(f + 3 + c) % kOddFloats]);
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

TEST(WustoolRoundTrip, TrailingBytesAreShownAndKept) {
  std::string bytes = EncodeWusFile(WorkedExample()) + std::string("x\0\x98\xff", 4);
  nlohmann::json dump = DumpAsJson(bytes);
  EXPECT_EQ(dump["end"]["complete"], true);
  EXPECT_EQ(dump["end"]["fileSize"], 580);
  EXPECT_EQ(dump["end"]["trailingBytes"], 4);
  EXPECT_EQ(dump["end"]["trailing"], std::string("x\0\u0098\u044f", 6));
  EXPECT_EQ(MakeBytes(dump.dump()), bytes);
}

// The round trip proves that nothing is lost; this checks that any JSON
// reader sees the values: cp1251 names as their characters (0x98, which
// cp1251 leaves unassigned, as U+0098), signed money, and finite floats as
// numbers that read back to their exact bits.
TEST(WustoolRoundTrip, DumpShowsNamesAsCp1251AndFloatsExactly) {
  WusFile file = AwkwardFile(2);
  nlohmann::json dump = DumpAsJson(EncodeWusFile(file));
  const nlohmann::json& players = dump["players"];
  ASSERT_EQ(players.size(), file.players.size());
  EXPECT_EQ(players[2]["m_Name"], "Медведь_Ёж");
  EXPECT_NE(players[3]["m_Name"].get<std::string>().find("\u0098"), std::string::npos);
  EXPECT_EQ(dump["m_dwTotalPlayersMoneyRound"], nlohmann::json({-2147483648, 2147483647, -100}));
  for (std::size_t i = 0; i < 3 * 4 * file.players.size(); ++i) {  // player, hit, coordinate
    float expected = file.players[i / 12].weapons[0].hits[i / 3 % 4].pos1[i % 3];
    const nlohmann::json& value = players[i / 12]["weapons"][0]["hits"][i / 3 % 4]["m_Pos1"][i % 3];
    SCOPED_TRACE(value.dump());
    if (std::isfinite(expected)) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(value.get<float>()),
                std::bit_cast<std::uint32_t>(expected));
    } else {
      EXPECT_TRUE(value.is_string());
    }
  }
}

TEST(WustoolRoundTrip, ShippedExamplesMatchTheirJson) {
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(WUS_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".json") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::filesystem::path wus = entry.path();
    EXPECT_EQ(MakeBytes(ReadFileBytes(entry.path())), ReadFileBytes(wus.replace_extension(".wus")));
    ++checked;
  }
  EXPECT_GE(checked, 3);
}

TEST(WustoolRoundTrip, LongTextsAreShownCutAndCounted) {
  WusFile file = WorkedExample();
  file.players[0].record.name = std::string(1500, 'n');
  nlohmann::json dump = DumpAsJson(EncodeWusFile(file));
  EXPECT_EQ(dump["players"][0]["weapons"][0]["m_Name"], "wpn_a");
  EXPECT_EQ(dump["end"]["complete"], true);
  EXPECT_EQ(dump["end"]["recordsWithLongTexts"], 1);
  file.players[0].record.name.resize(kMaxNameLength);
  EXPECT_EQ(MakeBytes(dump.dump()), EncodeWusFile(file));
}

}  // namespace
}  // namespace wus::test
