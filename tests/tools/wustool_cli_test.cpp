// The wustool binary: exit statuses and messages for help, version, wrong
// arguments and bad input, and sample -> dump -> make giving back the files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/test_util.h"

namespace wus::test {
namespace {

// Runs wustool in `dir` with the blank-separated words of `args`.
RunResult RunTool(const TempDir& dir, const std::string& args) {
  std::vector<std::string> words;
  std::istringstream in(args);
  for (std::string word; in >> word;) words.push_back(word);
  return RunProgram(WUSTOOL_BINARY, words, dir.path());
}

TEST(WustoolCli, ExitStatusesAndMessages) {
  TempDir dir;
  dir.Write("not.wus", "hello, world");
  dir.Write("bad.json", "{\"version\": 9}");
  const struct {
    const char* args;
    int status;
    const char* out;  // expected in standard output
    const char* err;  // expected in standard error
  } cases[] = {
      {"--help", 0, "Usage: wustool COMMAND", ""},
      {"--version", 0, "wustool 1.", ""},
      {"dump --help", 0, "Usage: wustool dump FILE", ""},
      {"make -h", 0, "Usage: wustool make IN.json OUT.wus", ""},
      {"", 2, "", "wustool: no command given"},
      {"frobnicate", 2, "", "unknown command 'frobnicate'"},
      {"dump", 2, "", "wustool dump: expects exactly one FILE\nTry 'wustool dump --help'."},
      {"dump --pretty x.wus", 2, "", "unknown option '--pretty'"},
      {"dump missing.wus", 1, "", "cannot open 'missing.wus'"},
      {"dump not.wus", 1, "", "not.wus: not a WUS file"},
      {"make bad.json out.wus", 1, "", "bad.json: version: 9 is out of range"},
      {"make only.json", 2, "", "expects IN.json and OUT.wus"},
      {"sample --files 2 s", 2, "", "--seed is required"},
      {"sample --seed 1 --files 0 s", 2, "", "--files must be a whole number from 1 to"},
      {"sample --seed x --files 2 s", 2, "", "--seed must be a whole number"},
      {"sample --seed 1 --files 1 --players 9 --distinct-players 3 s", 2, "",
       "--distinct-players must be at least --players"},
      {"sample --seed 1 --files 1 --version", 2, "", "option '--version' needs a value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    RunResult run = RunTool(dir, c.args);
    EXPECT_EQ(run.exitStatus, c.status) << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.wus"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "s"));
}

TEST(WustoolCli, SampleDumpMakeGivesBackTheFiles) {
  TempDir dir;
  RunResult sample = RunTool(dir, "sample --seed 9 --files 2 --players 3 --weapons 2 --hits 2 c");
  ASSERT_EQ(sample.exitStatus, 0) << sample.err;
  EXPECT_NE(sample.out.find("Wrote 2 files"), std::string::npos);
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "c")) {
    RunResult dump = RunTool(dir, "dump c/" + entry.path().filename().string());
    ASSERT_EQ(dump.exitStatus, 0) << dump.err;
    dir.Write("f.json", dump.out);
    RunResult make = RunTool(dir, "make f.json f.wus");
    ASSERT_EQ(make.exitStatus, 0) << make.err;
    EXPECT_EQ(ReadFileBytes(dir.path() / "f.wus"), ReadFileBytes(entry.path()));
    ++checked;
  }
  EXPECT_EQ(checked, 2);
}

}  // namespace
}  // namespace wus::test
