// The real wusreport binary where writing can go wrong around it: standard
// output closed early or on a full disk (the trace is a side channel: the
// report is still written and the status is that of a working console), and
// two runs at once in one folder that both want the same report name (each
// writes its own temporary file; the report is one of the two, whole).
#include <gtest/gtest.h>

#include "tests/test_util.h"

namespace wus::test {
namespace {

#ifndef _WIN32

const std::string kWusreport = WUSREPORT_BINARY;

// Runs the shell `script` in `dir`, where the command `w` starts wusreport.
RunResult Shell(const std::filesystem::path& dir, const std::string& script) {
  return RunShell("w() { " + ProgramCommand(kWusreport) + " \"$@\"; }; " + script, dir);
}

// The one report in `dir`, or "" if there is not exactly one.
std::string OnlyReport(const std::filesystem::path& dir) {
  std::vector<std::string> reports;
  for (const std::string& name : ListFiles(dir)) {
    if (name.ends_with(".txt")) reports.push_back(name);
  }
  return reports.size() == 1 ? ReadFileBytes(dir / reports[0]) : "";
}

// A match of 8000 players: a trace of about 1.3 MB.
std::string BigMatch() {
  WusFile file = WorkedExample();
  WusPlayer player = file.players[0];
  file.players.clear();
  for (int i = 0; i < 8000; ++i) {
    player.record.name = "player" + std::to_string(i);
    file.players.push_back(player);
  }
  return EncodeWusFile(file);
}

TEST(EndToEndSafeWritingTest, AFailingConsoleNeitherStopsTheRunNorChangesItsStatus) {
  const std::string input = "(Big)_(Trace).wus", quoted = "'" + input + "'", bytes = BigMatch();
  TempDir reference;
  reference.Write(input, bytes);
  RunResult normal = Shell(reference.path(), "w " + quoted);
  ASSERT_EQ(normal.exitStatus, 0) << normal.err;
  ASSERT_GT(normal.out.size(), std::size_t{1} << 20);
  const std::string report = OnlyReport(reference.path());
  ASSERT_FALSE(report.empty());

  const struct {
    const char* name;
    std::string script;
  } cases[] = {
      {"a pipe closed after the first line",
       "{ w " + quoted + "; echo $? >status; } | head -n 1 >/dev/null"},
      {"a full disk behind the redirect", "w " + quoted + " >/dev/full; echo $? >status"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    dir.Write(input, bytes);
    RunResult run = Shell(dir.path(), c.script);
    EXPECT_EQ(ReadFileBytes(dir.path() / "status"), "0\n") << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(OnlyReport(dir.path()), report);
  }
}

TEST(EndToEndSafeWritingTest, TwoRunsAtOnceLeaveOneWholeReport) {
  // Two inputs whose reports take the same name but differ (the list of
  // files used names each run's input).
  const std::string a = "(Same)_(Name)_1.wus", b = "(Same)_(Name)_2.wus";
  TempDir alone;
  alone.Write(a, BigMatch());
  alone.Write(b, BigMatch());
  std::string reports[2];
  for (int i = 0; i < 2; ++i) {
    TempDir one;
    one.Write(i == 0 ? a : b, BigMatch());
    ASSERT_EQ(Shell(one.path(), "w '" + (i == 0 ? a : b) + "' >/dev/null").exitStatus, 0);
    reports[i] = OnlyReport(one.path());
    ASSERT_FALSE(reports[i].empty());
  }
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE(round);
    TempDir dir;
    dir.Write(a, BigMatch());
    dir.Write(b, BigMatch());
    Shell(dir.path(), "(w '" + a + "' >/dev/null; echo $? >sa) & (w '" + b +
                          "' >/dev/null; echo $? >sb) & wait");
    EXPECT_EQ(ReadFileBytes(dir.path() / "sa"), "0\n");
    EXPECT_EQ(ReadFileBytes(dir.path() / "sb"), "0\n");
    // The runs may fall into two seconds and name two reports: each is whole.
    int found = 0;
    for (const std::string& name : ListFiles(dir.path())) {
      EXPECT_FALSE(name.ends_with(".tmp")) << name;
      if (!name.ends_with(".txt")) continue;
      ++found;
      const std::string report = ReadFileBytes(dir.path() / name);
      EXPECT_TRUE(report == reports[0] || report == reports[1]) << name;
    }
    EXPECT_GE(found, 1);
  }
}

#endif  // _WIN32

}  // namespace
}  // namespace wus::test
