// Injected I/O faults. Writing the report fails at its creation, at every
// one of its appends, at its close and at its rename: each time wusreport
// exits with 1, says why on standard error, leaves no partial or temporary
// file and keeps an older report of the same name as it was; so does
// memory running out during an append. A read error part-way through an
// input reads exactly like the file cut off there, and the run goes on.
#include <gtest/gtest.h>

#include <new>

#include "app/driver.h"
#include "report/titles.h"
#include "tests/faulty_file_system.h"
#include "tests/fuzz/fuzz_seeds.h"
#include "tests/memory_file_system.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

LocalTime FixedTime() { return {2031, 11, 7, 9, 5, 3}; }

struct RunOutcome {
  int status;
  std::string out;  // the console text
  std::string err;  // standard error
  int appends;      // of the report
};

// Runs wusreport's driver over `paths` at FixedTime() on the real file
// system with the faults of `plan`.
RunOutcome RunWithFaults(const std::vector<std::string>& paths, const FaultPlan& plan) {
  FaultyFileSystem files(FileSystem::Default(), plan);
  DriverEnv env;
  env.fileSystem = &files;
  env.localTime = &FixedTime;
  ConsoleCapture console;
  testing::internal::CaptureStderr();
  int status;
  try {
    status = RunWusReport(paths, env);
  } catch (...) {
    testing::internal::GetCapturedStderr();
    throw;
  }
  std::string err = testing::internal::GetCapturedStderr();
  return {status, console.text(), err, files.appends()};
}

// The folder holds one input and an older report of the name that a run at
// FixedTime() gives. The input's players have long names, which every table
// with a column per player repeats, so that the report takes several appends.
TEST(ReportWriteFaultTest, EveryFailureLeavesTheOlderReport) {
  const std::string kInput = "(Fault)_(Test).wus", kOldReport = "an older report\n",
                    kReport = "(Fault)_(Test)_11.07.2031_09.05.03.txt";
  WusFile file = WorkedExample();
  for (char c = 'a'; c <= 'z'; ++c) {
    file.players.push_back(file.players[0]);
    file.players.back().record.name = std::string(1000, c);
  }
  TempDir dir;
  const std::vector<std::string> paths{dir.Write(kInput, EncodeWusFile(file))};
  const std::string report = (dir.path() / kReport).string();
  dir.Write(kReport, kOldReport);
  RunOutcome clean = RunWithFaults(paths, FaultPlan());
  ASSERT_EQ(clean.status, 0);
  EXPECT_EQ(clean.err, "");
  EXPECT_TRUE(clean.out.ends_with("Writing '" + report + "'\n"));
  ASSERT_GE(clean.appends, 3) << "the report should take several appends";
  EXPECT_TRUE(ReadFileBytes(report).starts_with(kUsedFilesTitle));
  EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{kInput, kReport}));

  // Step 0 fails the create, 1 to n the n-th append, then the close, then
  // the rename; the last step runs out of memory in the second append.
  for (int step = 0; step <= clean.appends + 3; ++step) {
    SCOPED_TRACE(step);
    dir.Write(kReport, kOldReport);
    FaultPlan plan;
    plan.failCreate = step == 0;
    plan.failAppend = step <= clean.appends ? step : 0;
    plan.failClose = step == clean.appends + 1;
    plan.failRename = step == clean.appends + 2;
    if (step == clean.appends + 3) {
      plan.failAppend = 2;
      plan.throwInsteadOfFail = true;
      EXPECT_THROW(RunWithFaults(paths, plan), std::bad_alloc);
    } else {
      RunOutcome failed = RunWithFaults(paths, plan);
      EXPECT_EQ(failed.status, 1);
      EXPECT_EQ(failed.err,
                "wusreport: cannot write report '" + report + "': " + kInjectedError + "\n");
      EXPECT_TRUE(failed.out.ends_with("Writing '" + report + "'\n"));
    }
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{kInput, kReport}));
    EXPECT_EQ(ReadFileBytes(report), kOldReport);
  }
}

// The console text of loading `path` from `files`, and the whole report.
std::string LoadAndReport(FileSystem& files, const std::string& path) {
  StatsAggregate aggregate;
  std::string console;
  {
    ConsoleCapture capture;
    LoadStatsFile(path, aggregate, files);
    console = capture.text();
  }
  return console + WriteToString(WriteReport, aggregate);
}

// A read error reads like the file cut off there, and reading in pieces
// changes nothing, over the worked example (every byte) and a file of
// several players, weapons and hits (every 13th byte).
TEST(ReadFaultTest, AReadErrorReadsLikeTheFileCutOffThere) {
  std::vector<std::string> inputs{EncodeWusFile(WorkedExample())};
  for (const fuzz::Seed& seed : fuzz::LoadSeeds()) {
    if (seed.name == "match-v2.wus") inputs.push_back(seed.bytes);
  }
  ASSERT_EQ(inputs.size(), 2u);
  for (const std::string& bytes : inputs) {
    MemoryFileSystem files;
    files.SetFile("in.wus", bytes);
    std::size_t step = bytes.size() < 1000 ? 1 : 13;
    // Past the last byte: the whole file, which no read error reaches.
    for (std::size_t cut = 0; cut <= bytes.size() + step; cut += step) {
      SCOPED_TRACE(cut);
      MemoryFileSystem cutFiles;
      cutFiles.SetFile("in.wus", bytes.substr(0, cut));
      std::string expected = LoadAndReport(cutFiles, "in.wus");
      EXPECT_EQ(expected.find("Unexpected") == std::string::npos, cut >= bytes.size() || cut < 4);
      for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, bytes.size()}) {
        FaultPlan plan;
        plan.readChunk = chunk;
        plan.failReadAt = cut;
        FaultyFileSystem failing(files, plan);
        EXPECT_EQ(LoadAndReport(failing, "in.wus"), expected) << "read in pieces of " << chunk;
      }
    }
  }
}

TEST(ReadFaultTest, TheRunGoesOnAndWritesTheReport) {
  TempDir dir;
  std::string path = dir.Write("(Read)_(Error).wus", EncodeWusFile(WorkedExample()));
  FaultPlan plan;
  plan.failReadAt = 300;  // inside the weapon's buckets
  RunOutcome run = RunWithFaults({path}, plan);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "wusreport: '" + path +
                         "' is cut short; counted what was read\n"
                         "wusreport: 1 of 1 files read, 0 skipped, 1 cut short\n");
  EXPECT_NE(run.out.find("\t\t\t\t\t dwNumHits : 0\n"
                         "Unexpected end of file - counted what was read.\n"
                         "Writing '"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(ListFiles(dir.path()).size(), 2u);
}

}  // namespace
}  // namespace wus::test
