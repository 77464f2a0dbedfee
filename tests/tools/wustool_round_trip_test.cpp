// wustool dump and make are inverses: make(dump(F)) == F for complete files
// of every version with awkward names and floats, and for files with bytes
// after the last player; the dump reads as intended, texts of any length are
// shown whole, and the shipped examples match.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <optional>

#include "stats/wus_file.h"
#include "tests/heap_usage.h"
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

// Every text of every record at lengths around the report's limit and far
// beyond it: the dump shows each whole and make gives the file back.
TEST(WustoolRoundTrip, TextsOfAnyLengthSurviveWhole) {
  for (std::size_t length :
       {std::size_t{0}, std::size_t{1023}, std::size_t{1024}, std::size_t{100000}}) {
    SCOPED_TRACE(length);
    const std::string text(length, 't');
    WusFile file = WorkedExample();
    WusWeapon& weapon = file.players[0].weapons[0];
    file.players[0].record.name = weapon.record.id = weapon.record.displayName =
        weapon.hits[0].text = weapon.hits[0].boneName = text;
    const std::string bytes = EncodeWusFile(file);
    nlohmann::json dump = DumpAsJson(bytes);
    const nlohmann::json& w = dump["players"][0]["weapons"][0];
    for (const nlohmann::json& shown :
         {dump["players"][0]["m_Name"], w["m_Name"], w["m_DisplayName"], w["hits"][0]["m_Text"],
          w["hits"][0]["m_BoneName"]}) {
      EXPECT_EQ(shown.get<std::string>().size(), length);
    }
    EXPECT_EQ(dump["end"]["complete"], true);
    EXPECT_EQ(MakeBytes(dump.dump()), bytes);
  }
}

// Bytes after the last record, fewer and more than one block of the dump,
// come back whole, and the dump holds no more of them at once than a block.
TEST(WustoolRoundTrip, TrailingBytesComeBackWholeAndStreamed) {
  const std::string records = EncodeWusFile(WorkedExample());
  for (std::size_t count : {std::size_t{1}, std::size_t{65536}, std::size_t{8} << 20}) {
    SCOPED_TRACE(count);
    std::string bytes = records;
    for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<char>(i * 7 % 256));
    MemoryFileSystem memory;
    memory.SetFile("f.wus", bytes);
    std::string json;
    std::size_t largestPiece = 0;
    tool::DumpSummary summary;
    std::string error;
    std::optional<std::size_t> before = HeapBytesInUse();
    std::optional<std::size_t> peak = before;
    ASSERT_TRUE(tool::DumpWusFile(
        *memory.OpenForRead("f.wus", &error),
        [&](std::string_view piece) {
          largestPiece = std::max(largestPiece, piece.size());
          if (count < 65536 * 2) json.append(piece);
          std::optional<std::size_t> now = HeapBytesInUse();
          if (now && peak) peak = std::max(*peak, *now);
        },
        &summary, &error))
        << error;
    EXPECT_EQ(summary.fileSize, bytes.size());
    EXPECT_LT(largestPiece, std::size_t{1} << 20);
    if (before && peak) {
      EXPECT_LT(*peak - *before, std::size_t{4} << 20);
    }
    if (count < 65536 * 2) {
      nlohmann::json dump = nlohmann::json::parse(json);
      EXPECT_EQ(dump["end"]["trailingBytes"], count);
      EXPECT_EQ(MakeBytes(json), bytes);
    }
  }
}

}  // namespace
}  // namespace wus::test
