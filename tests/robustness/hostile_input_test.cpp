// Hostile inputs: files made to exhaust memory or time or to trip the
// arithmetic. Each must load with memory in proportion to its size, read
// every byte of it once and no more, and never crash (the sanitizer build
// runs these too). The large inputs are produced as they are read, so no
// test holds them in memory.
#include <gtest/gtest.h>

#include <bit>
#include <functional>

#include "app/driver.h"
#include "tests/aggregate_counts.h"
#include "tests/heap_usage.h"
#include "tests/memory_file_system.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

constexpr std::uint32_t kFourBillion = 4000000000u;
constexpr std::uint64_t kMiB = 1 << 20;
const std::string kEndMessage = "Unexpected end of file - counted what was read.\n";

using Piece = std::function<void(std::uint64_t, std::string*)>;

// One read-only input made as it is read, of `pieces` pieces: the i-th is
// what `piece(i, &bytes)` gives. Counts the bytes read.
class GeneratedFileSystem final : public FileSystem {
 public:
  GeneratedFileSystem(std::uint64_t count, Piece make) : pieces(count), piece(std::move(make)) {}
  const std::uint64_t pieces;
  const Piece piece;
  std::uint64_t bytesRead = 0;

  std::unique_ptr<SequentialFile> OpenForRead(const std::string&, std::string*) override {
    return std::make_unique<File>(*this);
  }
  std::unique_ptr<WritableFile> CreateNew(const std::string&, std::string*, bool*) override {
    return nullptr;  // never called: loading only reads
  }
  bool Rename(const std::string&, const std::string&, std::string*) override { return false; }
  void Remove(const std::string&) override {}

 private:
  class File final : public SequentialFile {
   public:
    explicit File(GeneratedFileSystem& source) : source_(source) {}
    bool Read(char* buffer, std::size_t n, std::size_t* got, std::string*) override {
      *got = 0;
      while (*got < n) {
        if (pos_ == current_.size()) {
          if (next_ == source_.pieces) break;
          source_.piece(next_++, &current_);
          pos_ = 0;
        }
        std::size_t take = current_.copy(buffer + *got, n - *got, pos_);
        pos_ += take;
        *got += take;
      }
      source_.bytesRead += *got;
      return true;
    }

   private:
    GeneratedFileSystem& source_;
    std::string current_;
    std::size_t pos_ = 0;
    std::uint64_t next_ = 0;
  };
};

struct HostileRun {
  std::string console;
  std::uint64_t reportSize = 0;
};

// Loads the one input of `files` into `aggregate`, checks that loading left
// at most `factor` times `inputSize` (and a mebibyte of slack) allocated
// where the heap can be measured, then writes the whole report.
HostileRun LoadHostile(FileSystem& files, StatsAggregate& aggregate, std::uint64_t inputSize,
                       double factor) {
  HostileRun run;
  std::optional<std::size_t> before = HeapBytesInUse();
  {
    ConsoleCapture console;
    LoadStatsFile("hostile.wus", aggregate, files);
    run.console = console.text();
  }
  std::optional<std::size_t> after = HeapBytesInUse();
  if (before && after) {
    std::size_t growth = *after - std::min(*after, *before + run.console.capacity());
    EXPECT_LE(static_cast<double>(growth), factor * static_cast<double>(inputSize) + kMiB)
        << "input " << inputSize << " bytes";
  }
  run.reportSize = WriteToString(WriteReport, aggregate).size();
  return run;
}

// Returns `bytes` with the four at `offset` replaced by `value`, little-endian.
std::string PutU32(std::string bytes, std::size_t offset, std::uint32_t value) {
  const char encoded[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                           static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  bytes.replace(offset, sizeof encoded, encoded, sizeof encoded);
  return bytes;
}

TEST(HostileInputTest, HugeCountsWithLittleOrNothingBehindThem) {
  const std::string whole = EncodeWusFile(WorkedExample());
  // Where NumPlayers, NumWeapons and dwNumHits are, and the records after them.
  constexpr std::size_t kPlayersAt = 44, kWeaponsAt = 92, kWeaponAt = 96, kHitsAt = 532,
                        kHitAt = 536;
  auto huge = [&](std::size_t at) { return PutU32(whole, at, kFourBillion); };
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t players, weapons, hits;
  } cases[] = {
      {"players, nothing behind", huge(kPlayersAt).substr(0, 48), 0, 0, 0},
      {"players, one behind", huge(kPlayersAt), 1, 1, 1},
      {"weapons, nothing behind", huge(kWeaponsAt).substr(0, kWeaponAt), 1, 0, 0},
      {"weapons, one behind", huge(kWeaponsAt), 1, 1, 1},
      {"hits, nothing behind", huge(kHitsAt).substr(0, kHitAt), 1, 1, 0},
      {"hits, one behind", huge(kHitsAt), 1, 1, 1},
      {"all three",
       PutU32(PutU32(huge(kPlayersAt), kWeaponsAt, kFourBillion), kHitsAt, kFourBillion), 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem files;
    files.SetFile("hostile.wus", c.bytes);
    StatsAggregate aggregate;
    HostileRun run = LoadHostile(files, aggregate, c.bytes.size(), 8);
    EXPECT_NE(run.console.find("-294967296\n"), std::string::npos);
    EXPECT_TRUE(run.console.ends_with(kEndMessage));
    EXPECT_EQ(aggregate.m_Players.size(), c.players);
    EXPECT_EQ(CountWeapons(aggregate), c.weapons);
    EXPECT_EQ(aggregate.m_WeaponNames.size(), c.weapons);
    EXPECT_EQ(CountHits(aggregate), c.hits);
  }
}

// The texts of `aggregate` in file order: player names, weapon
// identifiers and display names, and bone names (the hit's own text is
// read and dropped).
std::vector<std::string_view> Texts(const StatsAggregate& aggregate) {
  std::vector<std::string_view> texts;
  for (const PlayerStats& player : aggregate.m_Players) {
    texts.push_back(player.m_Name);
    for (const WeaponStats& weapon : player.m_Weapons) {
      texts.insert(texts.end(), {weapon.m_Name, weapon.m_DisplayName});
      weapon.m_HitSummary.bones().ForEach(
          [&](const BoneHitCount& bone) { texts.push_back(aggregate.m_BoneTexts.Get(bone.bone)); });
    }
  }
  return texts;
}

TEST(HostileInputTest, TextsOf100MBWithAndWithoutTheirZeroByte) {
  constexpr std::uint64_t kPiece = 1 << 16, kPieces = 100 * kMiB / kPiece;
  const std::string kMarker = "\x01marker\x01";
  const std::string kCut(kMaxNameLength, 'x'), kText(kPiece, 'x');
  // The worked example with each of its five texts 100 MB long.
  WusFile file = WorkedExample();
  WusWeapon& weapon = file.players[0].weapons[0];
  file.players[0].record.name = weapon.record.id = weapon.record.displayName = weapon.hits[0].text =
      weapon.hits[0].boneName = kMarker;
  std::string bytes = EncodeWusFile(file);
  std::vector<std::string> between;  // the bytes before, between and after the texts
  for (std::size_t at; (at = bytes.find(kMarker)) != std::string::npos;) {
    between.push_back(bytes.substr(0, at));
    bytes.erase(0, at + kMarker.size());
  }
  between.push_back(bytes);
  ASSERT_EQ(between.size(), 6u);
  // Cut by the end inside the k-th text, or whole (with every zero byte) for k = 5.
  for (std::size_t k = 0; k <= 5; ++k) {
    SCOPED_TRACE(k);
    GeneratedFileSystem files(
        std::min((k + 1) * (kPieces + 1), 5 * (kPieces + 1) + 1),
        [&](std::uint64_t i, std::string* out) {
          *out = i % (kPieces + 1) ? kText : between[static_cast<std::size_t>(i / (kPieces + 1))];
        });
    std::uint64_t size = std::min<std::uint64_t>(k + 1, 5) * kPieces * kPiece;
    for (std::size_t i = 0; i <= k; ++i) size += between[i].size();
    StatsAggregate aggregate;
    HostileRun run = LoadHostile(files, aggregate, 0, 0);  // a mebibyte, however long
    EXPECT_EQ(run.console.ends_with(kEndMessage), k < 5);
    EXPECT_EQ(files.bytesRead, size);
    // Each text read is cut; the records begun before the end are there.
    // The hit's own text (k = 3) is not kept: the bone name is text 3.
    std::vector<std::string_view> texts = Texts(aggregate);
    ASSERT_GE(texts.size(), std::min<std::size_t>(k + 1, 3));
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(texts[i], (i < 3 ? i <= k : k >= 4) ? kCut : "") << i;
    }
    if (k == 5) {
      // The numbers around the texts were read in their right places.
      const PlayerStats& player = aggregate.m_Players.at(0);
      EXPECT_EQ(player.TotalShots, 10u);
      EXPECT_EQ(player.m_Weapons.at(0).m_dwNumKills, 1u);
      // The hit at distance 5.
      EXPECT_EQ(player.m_Weapons.at(0).m_HitSummary.rangeColumns().size(), 6u);
    }
  }
}

TEST(HostileInputTest, AMillionHitsOnOneWeapon) {
  constexpr std::uint32_t kHits = 1000000;
  WusFile file = WorkedExample();
  std::string withOneHit = EncodeWusFile(file);
  file.players[0].weapons[0].hits.clear();
  std::string withoutHits = EncodeWusFile(file);
  std::string oneHit = withOneHit.substr(withoutHits.size());
  std::string header = PutU32(withoutHits, withoutHits.size() - 4, kHits);
  GeneratedFileSystem files(
      kHits + 1, [&](std::uint64_t i, std::string* out) { *out = i == 0 ? header : oneHit; });
  std::uint64_t size = withoutHits.size() + std::uint64_t{kHits} * oneHit.size();
  StatsAggregate aggregate;
  HostileRun run = LoadHostile(files, aggregate, size, 2);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  EXPECT_EQ(CountHits(aggregate), kHits);
  EXPECT_EQ(aggregate.m_BoneTexts.size(), 2u);  // "" and "bip01_head": texts are shared
  EXPECT_EQ(files.bytesRead, size);
  EXPECT_LT(run.reportSize, kMiB);  // the tables sum the hits up
}

TEST(HostileInputTest, AHundredThousandPlayers) {
  constexpr std::uint32_t kPlayers = 100000;
  // Every tenth player has a weapon, the same for all, so that each weapon
  // table has a row with a column per player.
  WusFile armed = WorkedExample();
  armed.players[0].record.name.clear();
  armed.players[0].weapons[0].hits.clear();
  WusFile unarmed = armed;
  unarmed.players[0].weapons.clear();
  // The bytes after the player's name (its zero byte included).
  const std::string rest[] = {EncodeWusFile(armed).substr(48), EncodeWusFile(unarmed).substr(48)};
  auto player = [&](std::uint64_t i) { return "player" + std::to_string(i) + rest[i % 10 != 0]; };
  const std::string header = PutU32(EncodeWusFile(WusFile{MakeHeader(2), {}}), 44, kPlayers);
  GeneratedFileSystem files(kPlayers + 1, [&](std::uint64_t i, std::string* out) {
    *out = i == 0 ? header : player(i - 1);
  });
  std::uint64_t size = header.size();
  for (std::uint32_t i = 0; i < kPlayers; ++i) size += player(i).size();
  StatsAggregate aggregate;
  HostileRun run = LoadHostile(files, aggregate, size, 8);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  ASSERT_EQ(aggregate.m_Players.size(), kPlayers);
  EXPECT_EQ(aggregate.m_Players.back().m_Name, "player99999");
  EXPECT_EQ(CountWeapons(aggregate), kPlayers / 10);
  EXPECT_EQ(aggregate.m_WeaponNames.size(), 1u);
  EXPECT_EQ(files.bytesRead, size);
  // Linear in the players: a few tables of one line per team or weapon,
  // each with a heading name and a cell per player (117 bytes a player).
  EXPECT_LT(run.reportSize, 200 * std::uint64_t{kPlayers});
}

// One player with many weapons, then many more records of the same player
// without weapons: offering every weapon of the player again after each
// record was quadratic (10,000 weapons and 100,000 records took seconds).
// The work is counted, not timed: one name offer per weapon record.
TEST(HostileInputTest, RepeatedRecordsOfAPlayerWithManyWeapons) {
  constexpr std::uint32_t kWeapons = 2000, kRecords = 2000;
  WusFile first = WorkedExample();
  WusWeapon weapon = first.players[0].weapons[0];
  weapon.hits.clear();
  first.players[0].weapons.clear();
  for (std::uint32_t i = 0; i < kWeapons; ++i) {
    weapon.record.id = weapon.record.displayName = "wpn_" + std::to_string(i);
    first.players[0].weapons.push_back(weapon);
  }
  WusFile again = first;
  again.players[0].weapons.clear();
  const std::string head = PutU32(EncodeWusFile(first), 44, kRecords + 1);
  const std::string repeat = EncodeWusFile(again).substr(48);
  GeneratedFileSystem files(
      kRecords + 1, [&](std::uint64_t i, std::string* out) { *out = i == 0 ? head : repeat; });
  StatsAggregate aggregate;
  HostileRun run =
      LoadHostile(files, aggregate, head.size() + std::uint64_t{kRecords} * repeat.size(), 8);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  EXPECT_EQ(aggregate.m_WeaponNames.size(), kWeapons);
  EXPECT_EQ(aggregate.m_WeaponNames.back(), "wpn_1999");
  EXPECT_LE(aggregate.weaponNameOffers(), kWeapons);
}

TEST(HostileInputTest, EveryKindOfFloat) {
  const std::uint32_t kPatterns[] = {
      0x00000000, 0x80000000, 0x00000001, 0x80000001, 0x007fffff,  // zeros, denormals
      0x00800000, 0x3fc00000, 0xcf1502f9, 0x7e967699, 0xfe967699,  // normal numbers
      0x7f7fffff, 0xff7fffff, 0x7f800000, 0xff800000,              // extremes, infinities
      0x7fc00000, 0xffc00000, 0x7f800001, 0x7fc12345};  // NaNs: quiet, signalling, payload
  // Every pattern against every other, in every coordinate, so that each
  // difference and sum of squares the range table may form occurs.
  WusFile file = WorkedExample();
  std::vector<WusHitRecord>& hits = file.players[0].weapons[0].hits;
  hits.clear();
  for (std::uint32_t pBits : kPatterns) {
    for (std::uint32_t qBits : kPatterns) {
      float p = std::bit_cast<float>(pBits), q = std::bit_cast<float>(qBits);
      hits.push_back(MakeHit({p, q, 0}, {q, p, p}, hits.size() % 2 == 0,
                             hits.size() % 3 == 0 ? "bip01_head" : "bip01_spine"));
    }
  }
  file.players.push_back(file.players[0]);
  file.players[1].record.name = "Alice";
  MemoryFileSystem files;
  files.SetFile("hostile.wus", EncodeWusFile(file));
  StatsAggregate aggregate;
  HostileRun run = LoadHostile(files, aggregate, files.Find("hostile.wus")->size(), 8);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  EXPECT_EQ(CountHits(aggregate), 2 * hits.size());
  EXPECT_GT(run.reportSize, 0u);
}

}  // namespace
}  // namespace wus::test
