// The fuzz targets' properties.
#include "tests/fuzz/fuzz_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "app/driver.h"
#include "app/report_name.h"
#include "stats/byte_reader.h"
#include "stats/loader.h"
#include "tests/aggregate_counts.h"
#include "tests/faulty_file_system.h"
#include "tests/memory_file_system.h"
#include "text/format.h"
#include "text/log.h"
#include "text/report_stream.h"

namespace wus::fuzz {
namespace {

using test::FaultPlan;
using test::FaultyFileSystem;
using test::MemoryFileSystem;

// The paths of the merged files; the first names the report.
const char* const kPaths[kMaxMergedFiles] = {"(Red)_(Blue)_1.wus", "second.wus", "dir/third.wus"};
constexpr char kMissingPath[] = "missing.wus";

// The smallest size of each record: empty texts, no records inside.
constexpr std::uint64_t kHeaderSize = 48;
constexpr std::uint64_t kMinPlayerSize = 45;
constexpr std::uint64_t kMinWeaponSize = 434;
constexpr std::uint64_t kMinHitSize = 28;

LocalTime FixedTime() { return {2030, 1, 2, 3, 4, 5}; }

// FNV-1a: the same on every platform, so a replayed input takes the same
// read pieces and cut point as when it was found.
std::uint64_t Fingerprint(std::string_view bytes) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

// Sends the console to `*text` for its lifetime.
class CaptureConsole {
 public:
  explicit CaptureConsole(std::string* text) { SetConsoleCapture(text); }
  ~CaptureConsole() { SetConsoleCapture(nullptr); }
  CaptureConsole(const CaptureConsole&) = delete;
  CaptureConsole& operator=(const CaptureConsole&) = delete;
};

// Where two texts first differ, for a failure message.
std::string Difference(std::string_view what, std::string_view a, std::string_view b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  auto excerpt = [at](std::string_view text) { return std::string(text.substr(at, 40)); };
  return StringPrintf("%.*s differ at byte %zu: \"%s\" vs \"%s\"", static_cast<int>(what.size()),
                      what.data(), at, excerpt(a).c_str(), excerpt(b).c_str());
}

struct Loaded {
  StatsAggregate aggregate;
  ReportNaming naming;
  std::vector<std::string> traces;  // the console text of each path
  std::string report;               // the whole report
};

// Loads `paths` as wusreport does and writes the whole report into memory.
std::unique_ptr<Loaded> Load(FileSystem& fileSystem, const std::vector<std::string>& paths) {
  auto loaded = std::make_unique<Loaded>();
  for (const std::string& path : paths) {
    CaptureConsole capture(&loaded->traces.emplace_back());
    LoadResult result = LoadStatsFile(path, loaded->aggregate, fileSystem);
    if (result.status == LoadStatus::kAccepted) loaded->naming.Offer(result);
  }
  MemoryFileSystem output;
  std::string error;
  std::unique_ptr<WritableFile> file = output.CreateNew("report", &error, nullptr);
  {
    ReportStream stream(file.get());
    WriteReport(loaded->aggregate, stream);
    stream.Flush(&error);
  }
  loaded->report = *output.Find("report");
  return loaded;
}

// Checks that the aggregate holds no more records than files of these
// sizes can start (a record read past the end still began before it) and
// no text longer than the longest one kept.
std::string CheckBounds(const StatsAggregate& aggregate, const std::vector<std::size_t>& sizes) {
  std::uint64_t players = 0, weapons = 0, hits = 0;
  for (std::size_t size : sizes) {
    if (size <= kHeaderSize) continue;
    std::uint64_t body = size - kHeaderSize;
    players += body / kMinPlayerSize + 1;
    weapons += body / kMinWeaponSize + 1;
    hits += body / kMinHitSize + 1;
  }
  for (const PlayerStats& player : aggregate.m_Players) {
    if (player.m_Name.size() > kMaxNameLength) return "a player name is too long";
    for (const WeaponStats& weapon : player.m_Weapons) {
      if (weapon.m_Name.size() > kMaxNameLength || weapon.m_DisplayName.size() > kMaxNameLength)
        return "a weapon name is too long";
    }
  }
  for (NameId id = 0; id < aggregate.m_BoneTexts.size(); ++id) {
    if (aggregate.m_BoneTexts.Get(id).size() > kMaxNameLength) return "a bone name is too long";
  }
  if (aggregate.m_Players.size() > players) return "more players than the input can hold";
  if (test::CountWeapons(aggregate) > weapons) return "more weapons than the input can hold";
  if (test::CountHits(aggregate) > hits) return "more hits than the input can hold";
  return "";
}

// Runs wusreport's driver over `paths` in `files` and checks it against
// `expected`: exit status 0, the same console text and report, and nothing
// left in `files` but the inputs and the report.
std::string CheckRun(MemoryFileSystem& files, const std::vector<std::string>& paths,
                     const Loaded& expected) {
  std::string name = expected.naming.folder() + expected.naming.FileName(FixedTime());
  std::vector<std::string> filesAfter = files.Paths();
  filesAfter.push_back(name);
  std::sort(filesAfter.begin(), filesAfter.end());
  filesAfter.erase(std::unique(filesAfter.begin(), filesAfter.end()), filesAfter.end());

  std::string console;
  int status;
  {
    CaptureConsole capture(&console);
    DriverEnv env;
    env.fileSystem = &files;
    env.localTime = &FixedTime;
    status = RunWusReport(paths, env);
  }
  if (status != 0) return StringPrintf("wusreport returned %d", status);
  std::string expectedConsole;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    expectedConsole += paths[i] + " " + expected.traces[i];
  }
  expectedConsole += "Writing '" + name + "'\n";
  if (console != expectedConsole) return Difference("the console texts", console, expectedConsole);
  const std::string* report = files.Find(name);
  if (report == nullptr) return "no report was written";
  if (*report != expected.report) return Difference("the reports", *report, expected.report);
  if (files.Paths() != filesAfter) return "files other than the report were left";
  return "";
}

// The counters of one player: its own, then the sums over its weapons of
// each weapon counter and of all buckets, then its number of hits.
using PlayerSums = std::array<std::uint32_t, 17>;

// Adds the counters of the player named `name` in `aggregate`, if there is
// one, to `*sums`.
void AddPlayerSums(const StatsAggregate& aggregate, std::string_view name, PlayerSums* sums) {
  const PlayerStats* p = aggregate.FindPlayer(name);
  if (p == nullptr) return;
  std::size_t i = 0;
  auto add = [sums, &i](std::uint32_t value) { AddTo((*sums)[i++], value); };
  add(p->TotalShots);
  for (std::uint32_t value : p->m_dwTotalAliveTime) add(value);
  for (std::int32_t value : p->m_dwTotalMoneyRound) add(static_cast<std::uint32_t>(value));
  for (std::uint32_t value : p->m_dwNumRespawned) add(value);
  std::size_t weaponSums = i;
  for (const WeaponStats& w : p->m_Weapons) {
    i = weaponSums;
    for (std::uint32_t value :
         {w.m_dwNumBought, w.m_dwAuxCount, w.m_dwNumShots, w.m_dwNumHits, w.m_dwNumKills})
      add(value);
    for (const BuyBucketCounts::Entry& bucket : w.m_dwBuyBuckets.entries()) {
      AddTo((*sums)[i], bucket.count);
    }
    ++i;
    add(w.m_HitSummary.hitCount());
  }
}

// Checks that `merged` holds the sums of `alone`, each file loaded by itself.
std::string CheckSums(const Loaded& merged, const std::vector<std::unique_ptr<Loaded>>& alone) {
  const StatsAggregate& m = merged.aggregate;
  TeamCounters aliveTime{}, respawns{};
  TeamMoney money{};
  std::vector<NameBuf> usedFiles;
  std::size_t players = 0;
  for (const auto& one : alone) {
    const StatsAggregate& a = one->aggregate;
    for (std::size_t team = 0; team < kNumTeams; ++team) {
      AddTo(aliveTime[team], a.m_dwTotalPlayersAliveTime[team]);
      AddTo(money[team], static_cast<std::uint32_t>(a.m_dwTotalPlayersMoneyRound[team]));
      AddTo(respawns[team], a.m_dwTotalNumRespawns[team]);
    }
    usedFiles.insert(usedFiles.end(), a.m_UsedFiles.begin(), a.m_UsedFiles.end());
    players += a.m_Players.size();
    for (const PlayerStats& player : a.m_Players) {
      if (m.FindPlayer(player.m_Name) == nullptr) return "a player of one file is not merged";
    }
  }
  if (aliveTime != m.m_dwTotalPlayersAliveTime || money != m.m_dwTotalPlayersMoneyRound ||
      respawns != m.m_dwTotalNumRespawns)
    return "the team totals are not the sums of the files";
  if (usedFiles != m.m_UsedFiles) return "the files used are not those of the files";
  if (m.m_Players.size() > players) return "more players merged than the files hold";
  for (const PlayerStats& player : m.m_Players) {
    PlayerSums expected{}, actual{};
    for (const auto& one : alone) AddPlayerSums(one->aggregate, player.m_Name, &expected);
    AddPlayerSums(m, player.m_Name, &actual);
    if (actual != expected)
      return "the counters of player '" + player.m_Name + "' are not the sums of the files";
  }
  return "";
}

}  // namespace

std::string CheckWusFile(std::string_view bytes) {
  std::uint64_t print = Fingerprint(bytes);
  MemoryFileSystem files;
  files.SetFile(kPaths[0], std::string(bytes));
  std::vector<std::string> paths{kPaths[0]};

  FaultPlan pieces;
  pieces.readChunk = 1 + static_cast<std::size_t>(print % 13);
  FaultyFileSystem piecesFiles(files, pieces);
  std::unique_ptr<Loaded> whole = Load(piecesFiles, paths);
  std::string failure = CheckBounds(whole->aggregate, {bytes.size()});
  if (failure.empty()) failure = CheckRun(files, paths, *whole);
  if (!failure.empty()) return failure;

  // A read error at a byte reads like the file cut off there.
  std::size_t cut = static_cast<std::size_t>((print >> 8) % (bytes.size() + 1));
  FaultPlan failing;
  failing.readChunk = 1 + static_cast<std::size_t>((print >> 4) % 7);
  failing.failReadAt = cut;
  FaultyFileSystem failingFiles(files, failing);
  std::unique_ptr<Loaded> failed = Load(failingFiles, paths);
  MemoryFileSystem cutFiles;
  cutFiles.SetFile(kPaths[0], std::string(bytes.substr(0, cut)));
  std::unique_ptr<Loaded> cutOff = Load(cutFiles, paths);
  std::string where = StringPrintf(" (read error and cut at byte %zu)", cut);
  if (failed->traces != cutOff->traces)
    return Difference("the console texts", failed->traces[0], cutOff->traces[0]) + where;
  if (failed->report != cutOff->report)
    return Difference("the reports", failed->report, cutOff->report) + where;
  if (test::CountHits(cutOff->aggregate) > test::CountHits(whole->aggregate))
    return "the file cut off holds more hits than the whole file" + where;
  return "";
}

std::vector<std::string_view> SplitMergeInput(std::string_view input) {
  std::vector<std::string_view> files;
  while (files.size() + 1 < kMaxMergedFiles) {
    std::size_t at = input.find(kMergeSeparator);
    if (at == std::string_view::npos) break;
    files.push_back(input.substr(0, at));
    input.remove_prefix(at + kMergeSeparator.size());
  }
  files.push_back(input);
  return files;
}

std::string JoinMergeInput(const std::vector<std::string>& files) {
  std::string input;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (i > 0) input += kMergeSeparator;
    input += files[i];
  }
  return input;
}

std::string CheckMergedWusFiles(std::string_view input) {
  std::vector<std::string_view> parts = SplitMergeInput(input);
  MemoryFileSystem files;
  std::vector<std::string> paths;
  std::vector<std::size_t> sizes;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    files.SetFile(kPaths[i], std::string(parts[i]));
    paths.push_back(kPaths[i]);
    sizes.push_back(parts[i].size());
  }
  paths.push_back(kMissingPath);

  FaultPlan pieces;
  pieces.readChunk = 1 + static_cast<std::size_t>(Fingerprint(input) % 11);
  FaultyFileSystem piecesFiles(files, pieces);
  std::unique_ptr<Loaded> merged = Load(piecesFiles, paths);
  std::string failure = CheckBounds(merged->aggregate, sizes);
  if (failure.empty()) failure = CheckRun(files, paths, *merged);
  if (!failure.empty()) return failure;

  std::vector<std::unique_ptr<Loaded>> alone;
  for (std::size_t i = 0; i < parts.size(); ++i) alone.push_back(Load(files, {paths[i]}));
  return CheckSums(*merged, alone);
}

}  // namespace wus::fuzz
