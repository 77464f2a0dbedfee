// The report's temporary file is created exclusively under an unguessable
// name: whatever stands at a temporary name (a symbolic link, a file) is
// never written through, never removed, and only costs another name. The
// tests inject the names, so they know where to plant things.
#include <gtest/gtest.h>

#include <deque>

#include "app/driver.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

LocalTime FixedTime() { return {2031, 11, 7, 9, 5, 3}; }

constexpr char kInput[] = "(Safe)_(Write).wus";
constexpr char kReport[] = "(Safe)_(Write)_11.07.2031_09.05.03.txt";

enum class Plant { kNothing, kFile, kSymlink };

struct Case {
  const char* name;
  Plant plant;                     // what stands at ".wusreport-planted.tmp"
  std::vector<std::string> names;  // the suffixes the run draws, the last repeated
  int status;
};

TEST(ReportFileTest, WhatStandsAtATemporaryNameIsNeverTouched) {
  const Case cases[] = {
      {"a free name", Plant::kNothing, {"planted"}, 0},
      {"a file at the first name", Plant::kFile, {"planted", "free"}, 0},
      {"a file at every name", Plant::kFile, {"planted"}, 1},
#ifndef _WIN32
      {"a symlink at the first name", Plant::kSymlink, {"planted", "free"}, 0},
      {"a symlink at every name", Plant::kSymlink, {"planted"}, 1},
#endif
  };
  const std::string kVictim = "someone else's file\n", kOldReport = "an older report\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string input = dir.Write(kInput, EncodeWusFile(WorkedExample()));
    const std::string victim = dir.Write("victim", kVictim);
    dir.Write(kReport, kOldReport);
    const std::filesystem::path planted = dir.path() / ".wusreport-planted.tmp";
    if (c.plant == Plant::kFile) dir.Write(planted.filename().string(), kVictim);
#ifndef _WIN32
    if (c.plant == Plant::kSymlink) std::filesystem::create_symlink(victim, planted);
#endif
    std::deque<std::string> names(c.names.begin(), c.names.end());
    DriverEnv env;
    env.localTime = &FixedTime;
    env.temporaryFile.suffix = [&names] {
      std::string next = names.front();
      if (names.size() > 1) names.pop_front();
      return next;
    };
    int status;
    std::string err;
    {
      ConsoleCapture console;
      testing::internal::CaptureStderr();
      status = RunWusReport({input}, env);
      err = testing::internal::GetCapturedStderr();
    }
    EXPECT_EQ(status, c.status) << err;
    EXPECT_EQ(ReadFileBytes(victim), kVictim);
    if (c.plant == Plant::kFile) {
      EXPECT_EQ(ReadFileBytes(planted), kVictim);
    }
    if (c.plant == Plant::kSymlink) {
      EXPECT_TRUE(std::filesystem::is_symlink(planted));
    }
    const std::string report = ReadFileBytes(dir.path() / kReport);
    if (c.status == 0) {
      EXPECT_NE(report, kOldReport);
      EXPECT_TRUE(report.starts_with(std::string("\xc8\xf1\xef")));  // "Исп..."
    } else {
      EXPECT_EQ(report, kOldReport);
      EXPECT_NE(err.find("wusreport: cannot write report"), std::string::npos) << err;
    }
    // Nothing was left behind and nothing that was there went away.
    std::vector<std::string> expected{kInput, kReport, "victim"};
    if (c.plant != Plant::kNothing) expected.push_back(planted.filename().string());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListFiles(dir.path()), expected);
  }
}

}  // namespace
}  // namespace wus::test
