// Loading a list of files on worker threads: the trace, the report and
// every result are those of loading the files one after the other, for any
// number of jobs; the readers never outnumber the jobs; memory does not
// grow with the number of files.
#include "stats/load_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/driver.h"
#include "tests/heap_usage.h"
#include "tests/memory_file_system.h"
#include "tests/test_util.h"
#include "text/log.h"
#include "tools/sample.h"

namespace wus::test {
namespace {

// Files whose players repeat within a file and across files, spelled in
// different letter case, and whose weapons match each other by display
// name (a record "X" / "wpn_b" joins the weapon wpn_a shown as "X"); every
// version, some cut short, plus a missing file, a file that is not WUS and
// one path given twice.
std::vector<std::string> MakeTangledFiles(MemoryFileSystem& files) {
  const char* const kPlayers[] = {"Bob", "BOB", "alice", "Alice", "Zed"};
  const char* const kIds[] = {"wpn_a", "X", "wpn_b", "Y", "grenade"};
  const char* const kShown[] = {"X", "wpn_b", "Y", "wpn_a", "Z"};
  const char* const kBones[] = {"bip01_head", "arm", "bip01_spine", ""};
  std::mt19937 random(7);
  auto below = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
  std::vector<std::string> paths;
  for (int f = 0; f < 40; ++f) {
    WusFile file{MakeHeader(below(3)), {}};
    file.header.totalPlayersAliveTime = {below(1000), 0, below(9)};
    for (std::uint32_t p = below(6); p > 0; --p) {
      WusPlayer& player = file.players.emplace_back();
      player.record.name = kPlayers[below(5)];
      player.record.totalShots = below(100);
      for (std::uint32_t w = below(4); w > 0; --w) {
        std::uint32_t pick = below(5);
        WusWeapon weapon = MakeWeapon(kIds[pick], kShown[(pick + below(2)) % 5]);
        weapon.record.numKills = below(5);
        weapon.record.buyBuckets[below(3)][below(34)] = below(3);
        for (std::uint32_t h = below(8); h > 0; --h) {
          weapon.hits.push_back(MakeHit({0, 0, 0}, {static_cast<float>(below(300)) / 7, 1, 0},
                                        below(2) == 0, kBones[below(4)]));
        }
        player.weapons.push_back(weapon);
      }
    }
    std::string bytes = EncodeWusFile(file);
    if (f % 9 == 4) bytes.resize(bytes.size() * 2 / 3);  // cut short
    std::string path = "(T" + std::to_string(f) + ")_(x).wus";
    files.SetFile(path, bytes);
    paths.push_back(path);
  }
  files.SetFile("not-wus.wus", "WUS?");
  paths.insert(paths.begin() + 3, "missing.wus");
  paths.insert(paths.begin() + 10, "not-wus.wus");
  paths.insert(paths.begin() + 20, paths[5]);
  return paths;
}

struct Loaded {
  std::string console;
  std::string report;
  std::vector<std::string> results;  // "index status error version cut path name-at"
};

std::string Describe(std::size_t index, const LoadResult& r) {
  return std::to_string(index) + " " + std::to_string(static_cast<int>(r.status)) + " " + r.error +
         " " + std::to_string(r.version) + " " + (r.cutShort ? "cut" : "whole") + " " + r.fullPath +
         " " + std::to_string(r.fileNamePos);
}

Loaded LoadWithJobs(const std::vector<std::string>& paths, FileSystem& files, unsigned jobs) {
  Loaded run;
  StatsAggregate aggregate;
  {
    ConsoleCapture console;
    LoadFiles(paths, aggregate, jobs, files, [&](std::size_t index, const LoadResult& result) {
      run.results.push_back(Describe(index, result));
    });
    run.console = console.text();
  }
  // The report's tables on as many threads as the loading.
  run.report = WriteToString(
      [&](const StatsAggregate& a, ReportStream& stream) { WriteReport(a, stream, jobs); },
      aggregate);
  return run;
}

// The files loaded one after the other on this thread.
Loaded LoadOneByOne(const std::vector<std::string>& paths, FileSystem& files) {
  Loaded run;
  StatsAggregate aggregate;
  {
    ConsoleCapture console;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      ConsoleEcho(paths[i] + " ");
      run.results.push_back(Describe(i, LoadStatsFile(paths[i], aggregate, files)));
    }
    run.console = console.text();
  }
  run.report = WriteToString(WriteReport, aggregate);
  return run;
}

TEST(LoadFilesTest, AnyNumberOfWorkersGivesTheTraceAndReportOfOneByOne) {
  MemoryFileSystem files;
  const std::vector<std::string> paths = MakeTangledFiles(files);
  const Loaded expected = LoadOneByOne(paths, files);
  ASSERT_NE(expected.console.find("Cannot open file: "), std::string::npos);
  ASSERT_NE(expected.console.find("Not a proper WUS file."), std::string::npos);
  ASSERT_NE(expected.console.find("Unexpected end of file"), std::string::npos);
  for (unsigned jobs : {1u, 8u, 0u}) {
    SCOPED_TRACE(jobs);
    for (int round = 0; round < 3; ++round) {  // thread timing differs from run to run
      Loaded run = LoadWithJobs(paths, files, jobs);
      EXPECT_EQ(run.console, expected.console);
      EXPECT_EQ(run.report, expected.report);
      EXPECT_EQ(run.results, expected.results);
    }
  }
}

TEST(LoadFilesTest, AnExceptionFromTheCallerStopsTheWorkers) {
  MemoryFileSystem files;
  const std::vector<std::string> paths = MakeTangledFiles(files);
  StatsAggregate aggregate;
  ConsoleCapture console;
  std::size_t calls = 0;
  EXPECT_THROW(LoadFiles(paths, aggregate, 4, files,
                         [&](std::size_t index, const LoadResult&) {
                           ++calls;
                           if (index == 2) throw std::runtime_error("stop");
                         }),
               std::runtime_error);
  EXPECT_EQ(calls, 3u);
}

// A file system that notes which threads open files and how many files
// are open at once.
class ReaderCount final : public FileSystem {
 public:
  explicit ReaderCount(FileSystem& base) : base_(base) {}

  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path,
                                              std::string* error) override {
    std::unique_ptr<SequentialFile> file = base_.OpenForRead(path, error);
    if (!file) return file;
    std::lock_guard lock(mutex_);
    threads.insert(std::this_thread::get_id());
    mostOpen = std::max(mostOpen, ++open_);
    return std::make_unique<Counted>(std::move(file), *this);
  }
  std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::string* error,
                                          bool* exists) override {
    return base_.CreateNew(path, error, exists);
  }
  bool Rename(const std::string& from, const std::string& to, std::string* error) override {
    return base_.Rename(from, to, error);
  }
  void Remove(const std::string& path) override { base_.Remove(path); }

  std::set<std::thread::id> threads;  // that opened a file
  int mostOpen = 0;                   // files open at once

 private:
  class Counted final : public SequentialFile {
   public:
    Counted(std::unique_ptr<SequentialFile> file, ReaderCount& owner)
        : file_(std::move(file)), owner_(owner) {}
    ~Counted() override {
      std::lock_guard lock(owner_.mutex_);
      --owner_.open_;
    }
    bool Read(char* buffer, std::size_t n, std::size_t* got, std::string* error) override {
      return file_->Read(buffer, n, got, error);
    }

   private:
    std::unique_ptr<SequentialFile> file_;
    ReaderCount& owner_;
  };

  FileSystem& base_;
  std::mutex mutex_;
  int open_ = 0;
};

// The calling thread reads while it would wait: the readers, it included,
// never outnumber the jobs, and one job reads everything on the caller.
TEST(LoadFilesTest, TheReadersNeverOutnumberTheJobs) {
  MemoryFileSystem files;
  const std::vector<std::string> paths = MakeTangledFiles(files);
  for (unsigned jobs : {1u, 2u, 3u}) {
    SCOPED_TRACE(jobs);
    ReaderCount counted(files);
    StatsAggregate aggregate;
    ConsoleCapture console;
    LoadFiles(paths, aggregate, jobs, counted, [](std::size_t, const LoadResult&) {});
    EXPECT_LE(counted.threads.size(), jobs);
    EXPECT_LE(counted.mostOpen, static_cast<int>(jobs));
    if (jobs == 1) {
      EXPECT_EQ(counted.threads, std::set{std::this_thread::get_id()});
    }
  }
}

// The same players in every file: the aggregate stops growing after the
// first files, so the heap's peak must not grow with their number.
TEST(LoadFilesTest, PeakMemoryDoesNotGrowWithTheNumberOfFiles) {
  if (!HeapPeakGrowth()) GTEST_SKIP() << "no heap statistics here";
  tool::SampleOptions options;
  options.seed = 5;
  options.files = 160;
  options.players = 16;
  options.weapons = 12;
  options.hits = 30;
  options.distinctPlayers = 16;
  tool::SampleCorpus corpus(options);
  MemoryFileSystem files;
  std::vector<std::string> paths;
  WusFile file;
  std::string name;
  while (corpus.Next(&file, &name)) {
    files.SetFile(name, EncodeWusFile(file));
    paths.push_back(name);
  }
  auto peak = [&](std::size_t count) {
    std::vector<std::string> some(paths.begin(),
                                  paths.begin() + static_cast<std::ptrdiff_t>(count));
    std::string console;
    console.reserve(1 << 20);
    SetConsoleCapture(&console);
    ResetHeapPeak();
    {
      StatsAggregate aggregate;
      LoadFiles(some, aggregate, 4, files,
                [&](std::size_t, const LoadResult&) { console.clear(); });
    }
    std::size_t growth = *HeapPeakGrowth();
    SetConsoleCapture(nullptr);
    return growth;
  };
  const std::size_t few = peak(40);
  const std::size_t many = peak(160);
  // 40 files hold 0.2 million hits: kept, they would take 9 MiB more.
  EXPECT_LT(many, few + (std::size_t{2} << 20)) << few << " then " << many;
  EXPECT_LT(many, std::size_t{16} << 20);
}

}  // namespace
}  // namespace wus::test
