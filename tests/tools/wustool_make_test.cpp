// wustool make: what a minimal document gives, the forms of floats and
// counts, and the documents it must refuse, each with an error that says
// where the fault is.
#include <gtest/gtest.h>

#include "stats/wus_file.h"
#include "tests/tools/wustool_util.h"
#include "tools/make.h"

namespace wus::test {
namespace {

// Wraps one hit (a JSON object text) in a document of `version`.
std::string WithHit(const std::string& hit, int version = 2) {
  return "{\"version\": " + std::to_string(version) +
         ", \"players\": [{\"weapons\": [{\"hits\": [" + hit + "]}]}]}";
}

// The little-endian 32 bits at `offset`.
std::uint32_t BitsAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return bits;
}

TEST(WustoolMake, MissingValuesAreZeroAndCountsFollowTheLists) {
  EXPECT_EQ(MakeBytes(R"({"version": 0})"), EncodeWusFile(WusFile{MakeHeader(0), {}}));
  WusFile expected{MakeHeader(1), {}};
  expected.players.resize(2);
  expected.players[0].record.name = "Bob";
  EXPECT_EQ(MakeBytes(R"({"version": 1, "players": [{"m_Name": "Bob"}, {}]})"),
            EncodeWusFile(expected));
}

TEST(WustoolMake, FloatFormsGiveExactBits) {
  const std::size_t pos1 = 48 + 45 + 434;  // after the header, player and weapon records
  // The forms a dump writes are proven by the round trip; these are the
  // ones people write by hand: integers, "-0", subnormals, lower-case hex.
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"0.1", 0x3DCCCCCD},           {"-0", 0x00000000},           {"3", 0x40400000},
      {"1e-45", 0x00000001},         {"\"Infinity\"", 0x7F800000}, {"\"NaN\"", 0x7FC00000},
      {"\"0xffc00123\"", 0xFFC00123}};
  for (const auto& [text, bits] : cases) {
    SCOPED_TRACE(text);
    std::string bytes = MakeBytes(WithHit(std::string("{\"m_Pos1\": [") + text + ", 0, 0]}"));
    ASSERT_GE(bytes.size(), pos1 + 4);
    EXPECT_EQ(BitsAt(bytes, pos1), bits);
  }
}

TEST(WustoolMake, CountsAreWrittenAsGivenWithAWarning) {
  std::string bytes, error;
  std::vector<std::string> warnings;
  ASSERT_TRUE(tool::MakeWusBytes(R"({"version": 2, "NumPlayers": 3, "players": [{}]})", &bytes,
                                 &warnings, &error))
      << error;
  EXPECT_EQ(BitsAt(bytes, 44), 3u);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("NumPlayers is 3 but 1 player record is listed"), std::string::npos)
      << warnings[0];
}

TEST(WustoolMake, RefusesMalformedDocumentsAndValuesOutOfRange) {
  const std::pair<std::string, const char*> cases[] = {
      {"{\"version\": 2,", "not valid JSON"},
      {"[]", "the document must be a JSON object"},
      {"{}", "\"version\" is missing"},
      {R"({"version": 3})", "version: 3 is out of range (0 to 2)"},
      {R"({"version": 2, "magic": "WUS "})", "magic: must be \" WUS\""},
      {R"({"version": 2, "player": []})", "unknown key \"player\""},
      {R"({"version": 2, "m_dwTotalNumRespawns": [1, 2]})",
       "m_dwTotalNumRespawns: must be an array of three"},
      {R"({"version": 2, "m_dwTotalNumRespawns": [1, 2, 4294967296]})",
       "m_dwTotalNumRespawns[2]: 4294967296 is out of range (0 to 4294967295)"},
      {R"({"version": 2, "m_dwTotalNumRespawns": [-1, 0, 0]})",
       "m_dwTotalNumRespawns[0]: -1 is out of range"},
      {R"({"version": 2, "m_dwTotalPlayersMoneyRound": [0, -2147483649, 0]})",
       "m_dwTotalPlayersMoneyRound[1]: -2147483649 is out of range"},
      {R"({"version": 2, "m_dwTotalPlayersMoneyRound": [2147483648, 0, 0]})",
       "m_dwTotalPlayersMoneyRound[0]: 2147483648 is out of range"},
      {R"({"version": 2, "players": [{"TotalShots": 1.5}]})",
       "players[0].TotalShots: must be a whole number"},
      {R"({"version": 2, "players": [{"m_Name": 5}]})", "players[0].m_Name: must be a string"},
      {R"({"version": 2, "players": [{"m_Name": "a\u0000b"}]})", "cannot hold the byte 0"},
      {R"({"version": 2, "players": [{"m_Name": "\u0100"}]})",
       "U+0100 is not a character of code page 1251"},
      {R"({"version": 2, "players": [{"weapons": [{"m_dwBuyBuckets": [[], [], [], []]}]}]})",
       "players[0].weapons[0].m_dwBuyBuckets: must be an array of at most three"},
      {R"({"version": 2, "players": [{"weapons": [{"m_dwBuyBuckets": [[], [1, 2, -3]]}]}]})",
       "players[0].weapons[0].m_dwBuyBuckets[1][2]: -3 is out of range"},
      {WithHit(R"({"m_wCode": 65536})"),
       "players[0].weapons[0].hits[0].m_wCode: 65536 is out of range (0 to 65535)"},
      {WithHit(R"({"m_bLethal": 256})"), "hits[0].m_bLethal: 256 is out of range (0 to 255)"},
      {WithHit(R"({"m_Pos1": [1, 2]})"), "hits[0].m_Pos1: must be an array of three floats"},
      {WithHit(R"({"m_Pos2": [0, 1e39, 0]})"), "number overflow parsing '1e39'"},
      {WithHit(R"({"m_Pos2": [0, 0, "nan"]})"),
       "hits[0].m_Pos2[2]: must be a number, \"Infinity\""},
      {WithHit(R"({"m_Pos2": [0, 0, "0x7FC0000"]})"), "hits[0].m_Pos2[2]: must be a number"},
      {WithHit(R"({"m_BoneName": "bip01_head"})", 1),
       "hits[0].m_BoneName: a version 1 file has no bone names"},
      {R"({"version": 2, "end": {"complete": false}})",
       "a file that is not complete needs \"fileSize\""},
      {R"({"version": 2, "end": {"complete": false, "fileSize": 49}})",
       "end.fileSize 49 is beyond the 48 bytes that the records take"},
      {R"({"version": 2, "end": {"trailingBytes": 2, "trailing": "x"}})",
       "end.trailingBytes: says 2 but \"trailing\" holds 1 bytes"},
  };
  for (const auto& [json, message] : cases) {
    SCOPED_TRACE(json.substr(0, 120));
    std::string bytes, error;
    std::vector<std::string> warnings;
    EXPECT_FALSE(tool::MakeWusBytes(json, &bytes, &warnings, &error));
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace wus::test
