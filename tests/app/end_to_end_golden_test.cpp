// The golden report: the real binary over three files that reach every
// section, compared byte for byte with the report and console output
// checked in under tests/data/. Set WUS_UPDATE_GOLDEN=1 to rewrite them
// (then read the difference before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tests/golden_inputs.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

const std::filesystem::path kDataDir = WUS_TESTDATA_DIR;

void CompareWithGolden(const std::string& actual, const std::string& goldenName) {
  std::filesystem::path golden = kDataDir / goldenName;
  const char* update = std::getenv("WUS_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(golden, std::ios::binary) << actual;
  }
  EXPECT_EQ(actual, ReadFileBytes(golden)) << "differs from " << golden;
}

TEST(GoldenReportTest, ReportAndConsoleAreByteExact) {
  TempDir dir;
  std::vector<std::string> args;
  for (const auto& [name, bytes] : GoldenInputs()) {
    dir.Write(name, bytes);
    args.push_back(name);
  }
  RunResult run = RunProgram(WUSREPORT_BINARY, args, dir.path());
  ASSERT_EQ(run.exitStatus, 0) << run.err;
  // The last console line names the report after the local time.
  std::size_t writing = run.out.rfind("Writing '");
  ASSERT_NE(writing, std::string::npos);
  CompareWithGolden(run.out.substr(0, writing), "golden_console.txt");

  std::string report;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    if (entry.path().extension() == ".txt") report = ReadFileBytes(entry.path());
  }
  CompareWithGolden(report, "golden_report.txt");
}

}  // namespace
}  // namespace wus::test
