// wustool dump on cut files: the worked example cut at every length reads
// back (make(dump(cut)) == cut), and the "end" object names the record the
// cut fell into and the first record that was not there.
#include <gtest/gtest.h>

#include "stats/wus_file.h"
#include "tests/test_util.h"
#include "tests/tools/wustool_util.h"

namespace wus::test {
namespace {

// The worked example's records: header 0-47, player "Bob" 48-95, weapon
// "wpn_a" 96-535, hit 536-575.
TEST(WustoolTruncation, EveryCutOfTheWorkedExampleRoundTrips) {
  std::string whole = EncodeWusFile(WorkedExample());
  ASSERT_EQ(whole.size(), 576u);
  for (std::size_t length = 4; length <= whole.size(); ++length) {
    SCOPED_TRACE(length);
    std::string cut = whole.substr(0, length);
    nlohmann::json dump = DumpAsJson(cut);
    EXPECT_EQ(dump["end"]["fileSize"], length);
    EXPECT_EQ(dump["end"]["complete"], length == whole.size());
    EXPECT_EQ(MakeBytes(dump.dump()), cut);
  }
}

TEST(WustoolTruncation, EndNamesTheCutAndTheFirstUnreadRecord) {
  const struct {
    std::size_t length;
    const char* cutRecord;  // "" when the end fell between records
    int cutOffset;
    const char* firstUnread;  // "" when no record was left unread
  } cases[] = {
      {30, "header", 0, ""},        // NumPlayers lies past the end: 0
      {46, "header", 0, "player"},  // NumPlayers keeps its low bytes: 1
      {48, "", 0, "player"},
      {50, "player", 48, ""},  // NumWeapons reads as 0
      {96, "", 0, "weapon"},
      {300, "weapon", 96, ""},  // dwNumHits reads as 0
      {536, "", 0, "hit"},
      {575, "hit", 536, ""},  // the bone name lacks its zero
      {576, "", 0, ""},
  };
  std::string whole = EncodeWusFile(WorkedExample());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    nlohmann::json end = DumpAsJson(whole.substr(0, c.length))["end"];
    EXPECT_EQ(end.contains("cutRecord"), *c.cutRecord != '\0');
    if (*c.cutRecord != '\0') {
      EXPECT_EQ(end["cutRecord"]["record"], c.cutRecord);
      EXPECT_EQ(end["cutRecord"]["offset"], c.cutOffset);
    }
    EXPECT_EQ(end.contains("firstUnread"), *c.firstUnread != '\0');
    if (*c.firstUnread != '\0') {
      EXPECT_EQ(end["firstUnread"]["record"], c.firstUnread);
      EXPECT_EQ(end["firstUnread"]["offset"], c.length);
    }
  }
}

TEST(WustoolTruncation, CutRecordKeepsWhatWasThere) {
  std::string whole = EncodeWusFile(WorkedExample());
  nlohmann::json dump = DumpAsJson(whole.substr(0, 570));
  const nlohmann::json& hit = dump["players"][0]["weapons"][0]["hits"][0];
  EXPECT_EQ(hit["m_Text"], "T");
  EXPECT_EQ(hit["m_BoneName"], "bip01");
  EXPECT_EQ(dump["end"]["cutRecord"],
            nlohmann::json::parse(
                R"({"record": "hit", "offset": 536, "player": 0, "weapon": 0, "hit": 0})"));
  // m_dwNumShots (10) cut after its first byte.
  const nlohmann::json weapon = DumpAsJson(whole.substr(0, 96 + 8 + 9))["players"][0]["weapons"][0];
  EXPECT_EQ(weapon["m_dwNumShots"], 10);
  EXPECT_EQ(weapon["hits"].size(), 0u);
}

TEST(WustoolTruncation, HugeCountAtTheCutCostsNothing) {
  std::string bytes = EncodeWusFile(WorkedExample());
  bytes.replace(44, 4, "\x00\x28\x6b\xee", 4);  // NumPlayers 4000000000
  nlohmann::json dump = DumpAsJson(bytes);
  EXPECT_EQ(dump["NumPlayers"], 4000000000u);
  EXPECT_EQ(dump["end"]["firstUnread"]["player"], 1);
  EXPECT_EQ(MakeBytes(dump.dump()), bytes);
}

TEST(WustoolTruncation, RejectsWhatIsNoWusFile) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "not a WUS file"},
      {" WU", "not a WUS file"},
      {std::string("WUS \0\0\0\0", 8), "not a WUS file"},
      {std::string(" WUS\x03\0\0\0", 8), "version 3 is not supported"},
      {std::string(" WUS\xff\xff\xff\xff", 8), "version 4294967295 is not supported"},
  };
  for (const auto& [bytes, message] : cases) {
    std::string error;
    EXPECT_EQ(DumpBytes(bytes, &error), "");
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace wus::test
