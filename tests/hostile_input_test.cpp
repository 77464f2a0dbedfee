// Hostile inputs: files made to exhaust memory or time or to trip the
// arithmetic. Each must load with memory in proportion to its size, read
// every byte of it once and no more, and never crash (the sanitizer build
// runs these too). The large inputs are produced as they are read, so no
// test holds them in memory.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>

#include "app/driver.h"
#include "tests/aggregate_counts.h"
#include "tests/heap_usage.h"
#include "tests/memory_file_system.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

constexpr std::uint32_t kFourBillion = 4000000000u;
constexpr std::size_t kMiB = 1 << 20;
const std::string kEndMessage = "Unexpected end of file - counted what was read.\n";

// One input, produced as it is read: `prefix`, then `count` pieces, the
// i-th made by `piece(i, &bytes)`, then `suffix`. Counts what was read.
class GeneratedFileSystem final : public FileSystem {
 public:
  std::string prefix;
  std::uint64_t count = 0;
  std::function<void(std::uint64_t, std::string*)> piece;
  std::string suffix;

  std::uint64_t bytesRead = 0;

  std::unique_ptr<SequentialFile> OpenForRead(const std::string&, std::string*) override {
    return std::make_unique<File>(*this);
  }
  std::unique_ptr<WritableFile> CreateForWrite(const std::string&, std::string* error) override {
    *error = "read-only";
    return nullptr;
  }
  bool Rename(const std::string&, const std::string&, std::string* error) override {
    *error = "read-only";
    return false;
  }
  void Remove(const std::string&) override {}

 private:
  class File final : public SequentialFile {
   public:
    explicit File(GeneratedFileSystem& source) : source_(source), current_(source.prefix) {}

    bool Read(char* buffer, std::size_t n, std::size_t* got, std::string*) override {
      *got = 0;
      while (*got < n) {
        if (pos_ == current_.size() && !Advance()) break;
        std::size_t take = std::min(n - *got, current_.size() - pos_);
        current_.copy(buffer + *got, take, pos_);
        pos_ += take;
        *got += take;
      }
      source_.bytesRead += *got;
      return true;
    }

   private:
    // Moves on to the next piece or the suffix; returns false at the end.
    bool Advance() {
      pos_ = 0;
      current_.clear();
      if (next_ < source_.count) {
        source_.piece(next_++, &current_);
      } else if (next_ == source_.count) {
        ++next_;
        current_ = source_.suffix;
      } else {
        return false;
      }
      return true;
    }

    GeneratedFileSystem& source_;
    std::string current_;
    std::size_t pos_ = 0;
    std::uint64_t next_ = 0;  // the next piece; count + 1 once in the suffix
  };
};

// A piece that is always `bytes`.
std::function<void(std::uint64_t, std::string*)> Repeat(std::string bytes) {
  return [bytes](std::uint64_t, std::string* out) { *out = bytes; };
}

// A WritableFile that only counts its bytes.
class CountingFile final : public WritableFile {
 public:
  bool Append(std::string_view data, std::string*) override {
    bytes += data.size();
    return true;
  }
  bool Close(std::string*) override { return true; }
  std::uint64_t bytes = 0;
};

struct HostileRun {
  std::string console;
  std::optional<std::size_t> heapGrowth;  // what loading left allocated
  std::uint64_t reportSize = 0;
};

// Loads the one input of `files` into `aggregate`, then writes the whole
// report into a counter.
HostileRun LoadHostile(FileSystem& files, StatsAggregate& aggregate) {
  HostileRun run;
  LoaderState state;
  std::optional<std::size_t> before = HeapBytesInUse();
  {
    ConsoleCapture console;
    LoadStatsFile("hostile.wus", aggregate, state, files);
    run.console = console.text();
  }
  std::optional<std::size_t> after = HeapBytesInUse();
  if (before && after) {
    std::size_t console = run.console.capacity();
    run.heapGrowth = *after > *before + console ? *after - *before - console : 0;
  }
  CountingFile report;
  ReportStream stream(&report);
  WriteReport(aggregate, stream);
  std::string error;
  EXPECT_TRUE(stream.Flush(&error)) << error;
  run.reportSize = report.bytes;
  return run;
}

// Checks that loading left at most `factor` times the input's size (and a
// mebibyte of slack) allocated, where the heap can be measured.
void ExpectMemoryBounded(const HostileRun& run, std::uint64_t inputSize, double factor) {
  if (!run.heapGrowth) return;
  EXPECT_LE(static_cast<double>(*run.heapGrowth), factor * static_cast<double>(inputSize) + kMiB)
      << "input " << inputSize << " bytes";
}

std::string PutU32(std::string bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  return bytes;
}

TEST(HostileInputTest, HugeCountsWithLittleOrNothingBehindThem) {
  // One player "P", one weapon "wpn_x" ("X"), two hits of 39 bytes.
  WusFile file;
  file.header = MakeHeader(2);
  WusPlayer& player = file.players.emplace_back();
  player.record.name = "P";
  WusWeapon& weapon = player.weapons.emplace_back(MakeWeapon("wpn_x", "X"));
  weapon.hits = {MakeHit({0, 0, 0}, {1, 1, 1}, true, "bip01_head"),
                 MakeHit({0, 0, 0}, {2, 2, 2}, false, "bip01_head")};
  const std::string whole = EncodeWusFile(file);
  ASSERT_EQ(whole.size(), 612u);
  constexpr std::size_t kNumPlayersAt = 44, kNumWeaponsAt = 90, kWeaponAt = 94, kNumHitsAt = 530,
                        kHitAt = 534;
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t players, weapons, hits;
  } cases[] = {
      {"players, nothing behind", PutU32(whole, kNumPlayersAt, kFourBillion).substr(0, 48), 0, 0,
       0},
      {"players, one behind", PutU32(whole, kNumPlayersAt, kFourBillion), 1, 1, 2},
      {"weapons, nothing behind", PutU32(whole, kNumWeaponsAt, kFourBillion).substr(0, kWeaponAt),
       1, 0, 0},
      {"weapons, one behind", PutU32(whole, kNumWeaponsAt, kFourBillion), 1, 1, 2},
      {"hits, nothing behind", PutU32(whole, kNumHitsAt, kFourBillion).substr(0, kHitAt), 1, 1, 0},
      {"hits, two behind", PutU32(whole, kNumHitsAt, kFourBillion), 1, 1, 2},
      {"all three",
       PutU32(PutU32(PutU32(whole, kNumPlayersAt, kFourBillion), kNumWeaponsAt, kFourBillion),
              kNumHitsAt, kFourBillion),
       1, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem files;
    files.SetFile("hostile.wus", c.bytes);
    StatsAggregate aggregate;
    HostileRun run = LoadHostile(files, aggregate);
    EXPECT_NE(run.console.find("-294967296\n"), std::string::npos);
    EXPECT_TRUE(run.console.ends_with(kEndMessage));
    EXPECT_EQ(aggregate.m_Players.size(), c.players);
    EXPECT_EQ(CountWeapons(aggregate), c.weapons);
    EXPECT_EQ(aggregate.m_WeaponNames.size(), c.weapons);
    EXPECT_EQ(CountHits(aggregate), c.hits);
    ExpectMemoryBounded(run, c.bytes.size(), 8);
  }
}

TEST(HostileInputTest, TextsOf100MBWithAndWithoutTheirZeroByte) {
  constexpr std::uint64_t k100MB = 100 * kMiB;
  constexpr std::size_t kPiece = 1 << 16;
  const std::string kMarker = "\x01marker\x01";
  const std::string kCut(kMaxNameLength, 'x');
  using Field = std::function<std::string_view(const StatsAggregate&)>;
  auto hit = [](const StatsAggregate& a) -> const HitRecord& {
    return a.m_Players.at(0).m_Weapons.at(0).m_Hits.at(0);
  };
  struct Case {
    const char* name;
    std::function<void(WusFile&)> mark;  // puts the marker into the field
    Field field;
  } cases[] = {
      {"player name", [&](WusFile& f) { f.players[0].record.name = kMarker; },
       [](const StatsAggregate& a) -> std::string_view { return a.m_Players.at(0).m_Name; }},
      {"weapon identifier", [&](WusFile& f) { f.players[0].weapons[0].record.id = kMarker; },
       [](const StatsAggregate& a) -> std::string_view {
         return a.m_Players.at(0).m_Weapons.at(0).m_Name;
       }},
      {"display name", [&](WusFile& f) { f.players[0].weapons[0].record.displayName = kMarker; },
       [](const StatsAggregate& a) -> std::string_view {
         return a.m_Players.at(0).m_Weapons.at(0).m_DisplayName;
       }},
      {"hit text", [&](WusFile& f) { f.players[0].weapons[0].hits[0].text = kMarker; },
       [&](const StatsAggregate& a) { return a.m_HitTexts.Get(hit(a).m_Text); }},
      {"bone name", [&](WusFile& f) { f.players[0].weapons[0].hits[0].boneName = kMarker; },
       [&](const StatsAggregate& a) { return a.m_HitTexts.Get(hit(a).m_BoneName); }},
  };
  for (const Case& c : cases) {
    WusFile file = WorkedExample();
    c.mark(file);
    std::string bytes = EncodeWusFile(file);
    std::size_t at = bytes.find(kMarker);
    ASSERT_NE(at, std::string::npos);
    for (bool zeroByte : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (zeroByte ? ", with its zero byte" : ", cut by the end"));
      GeneratedFileSystem files;
      files.prefix = bytes.substr(0, at);
      files.count = k100MB / kPiece;
      files.piece = Repeat(std::string(kPiece, 'x'));
      // The suffix begins with the text's zero byte.
      if (zeroByte) files.suffix = bytes.substr(at + kMarker.size());
      std::uint64_t size = files.prefix.size() + k100MB + files.suffix.size();
      StatsAggregate aggregate;
      HostileRun run = LoadHostile(files, aggregate);
      EXPECT_EQ(c.field(aggregate), kCut);
      EXPECT_EQ(run.console.ends_with(kEndMessage), !zeroByte);
      if (zeroByte) {
        // The rest of the file was read in its right place.
        EXPECT_EQ(aggregate.m_Players.at(0).TotalShots, 10u);
        EXPECT_EQ(CountHits(aggregate), 1u);
        EXPECT_EQ(aggregate.m_HitTexts.Get(hit(aggregate).m_BoneName),
                  c.name == std::string("bone name") ? kCut : "bip01_head");
      }
      EXPECT_EQ(files.bytesRead, size);
      ExpectMemoryBounded(run, 0, 0);  // a mebibyte at most, however long the text
    }
  }
}

TEST(HostileInputTest, AMillionHitsOnOneWeapon) {
  constexpr std::uint32_t kHits = 1000000;
  WusFile file = WorkedExample();
  std::string withOneHit = EncodeWusFile(file);
  file.players[0].weapons[0].hits.clear();
  std::string withoutHits = EncodeWusFile(file);
  GeneratedFileSystem files;
  files.prefix = PutU32(withoutHits, withoutHits.size() - 4, kHits);
  files.count = kHits;
  files.piece = Repeat(withOneHit.substr(withoutHits.size()));
  std::uint64_t size =
      files.prefix.size() + std::uint64_t{kHits} * (withOneHit.size() - withoutHits.size());
  StatsAggregate aggregate;
  HostileRun run = LoadHostile(files, aggregate);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  EXPECT_EQ(CountHits(aggregate), kHits);
  EXPECT_EQ(aggregate.m_HitTexts.size(), 3u);  // "", "T", "bip01_head": texts are shared
  EXPECT_EQ(files.bytesRead, size);
  ExpectMemoryBounded(run, size, 2);
  EXPECT_LT(run.reportSize, kMiB);  // the tables sum the hits up
}

TEST(HostileInputTest, AHundredThousandPlayers) {
  constexpr std::uint32_t kPlayers = 100000;
  WusFile header;
  header.header = MakeHeader(2);
  // Every tenth player has a weapon, the same for all, so that each weapon
  // table has a row with a column per player.
  WusFile armed = WorkedExample();
  armed.players[0].record.name.clear();
  armed.players[0].weapons[0].hits.clear();
  WusFile unarmed = armed;
  unarmed.players[0].weapons.clear();
  // The bytes after the player's name (its zero byte included).
  const std::string armedRest = EncodeWusFile(armed).substr(48);
  const std::string unarmedRest = EncodeWusFile(unarmed).substr(48);
  GeneratedFileSystem files;
  files.prefix = PutU32(EncodeWusFile(header), 44, kPlayers);
  files.count = kPlayers;
  files.piece = [&](std::uint64_t i, std::string* out) {
    *out = "player" + std::to_string(i) + (i % 10 == 0 ? armedRest : unarmedRest);
  };
  std::uint64_t size = files.prefix.size();
  for (std::uint32_t i = 0; i < kPlayers; ++i) {
    size += 6 + std::to_string(i).size() + (i % 10 == 0 ? armedRest : unarmedRest).size();
  }
  StatsAggregate aggregate;
  HostileRun run = LoadHostile(files, aggregate);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  ASSERT_EQ(aggregate.m_Players.size(), kPlayers);
  EXPECT_EQ(aggregate.m_Players.back().m_Name, "player99999");
  EXPECT_EQ(CountWeapons(aggregate), kPlayers / 10);
  EXPECT_EQ(aggregate.m_WeaponNames.size(), 1u);
  EXPECT_EQ(files.bytesRead, size);
  ExpectMemoryBounded(run, size, 8);
  // Linear in the players: a few tables of one line per team or weapon,
  // each with a heading name and a cell per player (117 bytes a player).
  EXPECT_LT(run.reportSize, 200 * std::uint64_t{kPlayers});
}

TEST(HostileInputTest, EveryKindOfFloat) {
  const float kPatterns[] = {
      0.0f,
      -0.0f,
      std::numeric_limits<float>::denorm_min(),
      -std::numeric_limits<float>::denorm_min(),
      std::bit_cast<float>(0x007fffffu),  // the largest denormal
      std::numeric_limits<float>::min(),
      1.5f,
      -2.5e9f,
      1e38f,
      -1e38f,
      std::numeric_limits<float>::max(),
      std::numeric_limits<float>::lowest(),
      std::numeric_limits<float>::infinity(),
      -std::numeric_limits<float>::infinity(),
      std::numeric_limits<float>::quiet_NaN(),
      -std::numeric_limits<float>::quiet_NaN(),
      std::bit_cast<float>(0x7f800001u),  // a signalling NaN
      std::bit_cast<float>(0x7fc12345u),  // a NaN with a payload
  };
  // Every pattern against every other, in every coordinate, so that each
  // difference and sum of squares the range table may form occurs.
  WusFile file = WorkedExample();
  std::vector<WusHitRecord>& hits = file.players[0].weapons[0].hits;
  hits.clear();
  for (float p : kPatterns) {
    for (float q : kPatterns) {
      hits.push_back(MakeHit({p, q, 0}, {q, p, p}, hits.size() % 2 == 0,
                             hits.size() % 3 == 0 ? "bip01_head" : "bip01_spine"));
    }
  }
  file.players.push_back(file.players[0]);
  file.players[1].record.name = "Alice";
  MemoryFileSystem files;
  files.SetFile("hostile.wus", EncodeWusFile(file));
  StatsAggregate aggregate;
  HostileRun run = LoadHostile(files, aggregate);
  EXPECT_EQ(run.console.find("Unexpected"), std::string::npos);
  const HitList& loaded = aggregate.m_Players.at(0).m_Weapons.at(0).m_Hits;
  ASSERT_EQ(loaded.size(), hits.size());
  auto same = [](float expected, float actual) {
    // A NaN may come back quieted where floats pass through the x87 unit.
    return std::isnan(expected)
               ? std::isnan(actual)
               : std::bit_cast<std::uint32_t>(expected) == std::bit_cast<std::uint32_t>(actual);
  };
  for (std::size_t i = 0; i < hits.size(); ++i) {
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_TRUE(same(hits[i].pos1[k], loaded[i].m_Pos1[k])) << i;
      EXPECT_TRUE(same(hits[i].pos2[k], loaded[i].m_Pos2[k])) << i;
    }
  }
  EXPECT_GT(run.reportSize, 0u);
}

TEST(HostileInputTest, AbsurdVersionsAreRejectedWithoutReadingTheBody) {
  std::string body = PutU32(EncodeWusFile(WorkedExample()), 44, kFourBillion);
  for (std::uint32_t version : {3u, 0x7fffffffu, 0x80000000u, 0xffffffffu}) {
    SCOPED_TRACE(version);
    MemoryFileSystem files;
    files.SetFile("hostile.wus", PutU32(body, 4, version));
    StatsAggregate aggregate;
    HostileRun run = LoadHostile(files, aggregate);
    EXPECT_EQ(run.console, "Processing 'hostile.wus'\nStrange file version - Skipping!\n");
    EXPECT_TRUE(aggregate.m_UsedFiles.empty());
    EXPECT_TRUE(aggregate.m_Players.empty());
  }
}

TEST(HostileInputTest, ADirectoryGivenAsAFileIsSkipped) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "(Dir)_(Name).wus");
  std::string folder = (dir.path() / "(Dir)_(Name).wus").string();
  std::string file = dir.Write("(Real)_(File).wus", EncodeWusFile(WorkedExample()));
  DriverEnv env;
  env.localTime = [] { return LocalTime{2031, 11, 7, 9, 5, 3}; };
  ConsoleCapture console;
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunWusReport({folder, file}, env), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(console.text().starts_with(folder + " Processing '" + folder +
                                         "'\nCannot open file: Is a directory - Skipping!\n" +
                                         file + " Processing"))
      << console.text();
  // The report is named after the file, not the folder.
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "(Real)_(File)_11.07.2031_09.05.03.txt"));
}

}  // namespace
}  // namespace wus::test
