// Injected I/O faults. Writing the report fails at its creation, at every
// one of its appends, at its close and at its rename: each time wusreport
// exits with 1, says why on standard error, leaves no partial or temporary
// file and keeps an older report of the same name as it was. A read error
// part-way through an input reads exactly like the file cut off there.
#include <gtest/gtest.h>

#include <algorithm>
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
  int status = RunWusReport(paths, env);
  std::string err = testing::internal::GetCapturedStderr();
  return {status, console.text(), err, files.appends()};
}

// A folder with one input and an older report of the name that a run at
// FixedTime() gives. The input's players have long names, which every
// table with a column per player repeats, so that the report takes several
// appends.
class ReportWriteFaultTest : public testing::Test {
 protected:
  static constexpr char kInput[] = "(Fault)_(Test).wus";
  static constexpr char kReport[] = "(Fault)_(Test)_11.07.2031_09.05.03.txt";
  static constexpr char kOldReport[] = "an older report\n";

  void SetUp() override {
    WusFile file = WorkedExample();
    for (char c = 'a'; c <= 'z'; ++c) {
      file.players.push_back(file.players[0]);
      file.players.back().record.name = std::string(1000, c);
    }
    paths_ = {dir_.Write(kInput, EncodeWusFile(file))};
    dir_.Write(kReport, kOldReport);
  }

  RunOutcome Run(const FaultPlan& plan) {
    RunOutcome outcome = RunWithFaults(paths_, plan);
    EXPECT_TRUE(outcome.out.ends_with("Writing '" + ReportPath() + "'\n"));
    return outcome;
  }

  std::string ReportPath() const { return (dir_.path() / kReport).string(); }

  // Checks that the folder holds the input and the report, and nothing else.
  void ExpectInputAndReportOnly() const {
    EXPECT_EQ(ListFiles(dir_.path()), (std::vector<std::string>{kInput, kReport}));
  }

  // Checks that besides the input there is the older report, unchanged.
  void ExpectOldReportIntact() const {
    ExpectInputAndReportOnly();
    EXPECT_EQ(ReadFileBytes(ReportPath()), kOldReport);
  }

  TempDir dir_;
  std::vector<std::string> paths_;
};

TEST_F(ReportWriteFaultTest, EveryFailureLeavesTheOlderReport) {
  RunOutcome clean = Run(FaultPlan());
  ASSERT_EQ(clean.status, 0);
  EXPECT_EQ(clean.err, "");
  ASSERT_GE(clean.appends, 3) << "the report should take several appends";
  std::string report = ReadFileBytes(ReportPath());
  EXPECT_TRUE(report.starts_with(kUsedFilesTitle));
  ExpectInputAndReportOnly();

  struct Case {
    std::string name;
    FaultPlan plan;
  };
  std::vector<Case> cases;
  cases.push_back({"create", FaultPlan()});
  cases.back().plan.failCreate = true;
  for (int n = 1; n <= clean.appends; ++n) {
    cases.push_back({"append " + std::to_string(n), FaultPlan()});
    cases.back().plan.failAppend = n;
  }
  cases.push_back({"close", FaultPlan()});
  cases.back().plan.failClose = true;
  cases.push_back({"rename", FaultPlan()});
  cases.back().plan.failRename = true;

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dir_.Write(kReport, kOldReport);
    RunOutcome failed = Run(c.plan);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Cannot write report '" + ReportPath() + "': " + kInjectedError + "\n");
    ExpectOldReportIntact();
  }
}

TEST_F(ReportWriteFaultTest, MemoryRunningOutWhileWritingLeavesTheOlderReport) {
  FaultPlan plan;
  plan.failAppend = 2;
  plan.throwInsteadOfFail = true;
  FaultyFileSystem files(FileSystem::Default(), plan);
  DriverEnv env;
  env.fileSystem = &files;
  env.localTime = &FixedTime;
  ConsoleCapture console;
  EXPECT_THROW(RunWusReport(paths_, env), std::bad_alloc);
  ExpectOldReportIntact();
}

// The worked example and a file of several players, weapons and hits.
std::vector<std::string> ReadFaultInputs() {
  std::vector<std::string> inputs{EncodeWusFile(WorkedExample())};
  for (const fuzz::Seed& seed : fuzz::LoadSeeds()) {
    if (seed.name == "match-v2.wus") inputs.push_back(seed.bytes);
  }
  return inputs;
}

// The console text of loading `path` from `files`, and the whole report.
std::string LoadAndReport(FileSystem& files, const std::string& path) {
  StatsAggregate aggregate;
  LoaderState state;
  std::string console;
  {
    ConsoleCapture capture;
    LoadStatsFile(path, aggregate, state, files);
    console = capture.text();
  }
  return console + WriteToString(WriteReport, aggregate);
}

TEST(ReadFaultTest, AReadErrorReadsLikeTheFileCutOffThere) {
  const std::string kEnd = "Unexpected end of file - counted what was read.\n";
  for (const std::string& bytes : ReadFaultInputs()) {
    // Every byte of the small file; every 13th of the larger one.
    std::size_t step = bytes.size() < 1000 ? 1 : 13;
    for (std::size_t cut = 0; cut < bytes.size(); cut += step) {
      SCOPED_TRACE(cut);
      MemoryFileSystem cutFiles;
      cutFiles.SetFile("in.wus", bytes.substr(0, cut));
      std::string expected = LoadAndReport(cutFiles, "in.wus");
      if (cut >= 4) {
        EXPECT_NE(expected.find(kEnd), std::string::npos);
      }
      for (std::size_t chunk : {std::size_t{1}, bytes.size()}) {
        MemoryFileSystem files;
        files.SetFile("in.wus", bytes);
        FaultPlan plan;
        plan.readChunk = chunk;
        plan.failReadAt = cut;
        FaultyFileSystem failing(files, plan);
        EXPECT_EQ(LoadAndReport(failing, "in.wus"), expected) << "read in pieces of " << chunk;
      }
    }
  }
}

TEST(ReadFaultTest, ReadingInPiecesChangesNothing) {
  for (const std::string& bytes : ReadFaultInputs()) {
    MemoryFileSystem files;
    files.SetFile("in.wus", bytes);
    std::string whole = LoadAndReport(files, "in.wus");
    EXPECT_EQ(whole.find("Unexpected"), std::string::npos);
    for (std::size_t chunk = 1; chunk <= 9; ++chunk) {
      FaultPlan plan;
      plan.readChunk = chunk;
      FaultyFileSystem pieces(files, plan);
      EXPECT_EQ(LoadAndReport(pieces, "in.wus"), whole) << "read in pieces of " << chunk;
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
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("\t\t\t\t\t dwNumHits : 0\n"
                         "Unexpected end of file - counted what was read.\n"
                         "Writing '"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(ListFiles(dir.path()).size(), 2u);
}

}  // namespace
}  // namespace wus::test
