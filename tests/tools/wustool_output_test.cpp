// wustool writes its output files whole or not at all: a failure at any
// step leaves the path it was given exactly as it was, and a device at that
// path is written into, never truncated away or removed.
#include <gtest/gtest.h>

#include "tests/faulty_file_system.h"
#include "tests/test_util.h"
#include "tools/file_io.h"

namespace wus::test {
namespace {

TEST(WustoolOutputTest, AFailedWriteLeavesTheOutputAsItWas) {
  const std::string kOld = "the file as it was\n";
  for (int step = 0; step < 5; ++step) {
    SCOPED_TRACE(step);
    TempDir dir;
    const std::string out = dir.Write("out.wus", kOld);
    FaultPlan plan;
    plan.failCreate = step == 1;
    plan.failAppend = step == 2 ? 1 : 0;
    plan.failClose = step == 3;
    plan.failRename = step == 4;
    FaultyFileSystem files(FileSystem::Default(), plan);
    std::string error;
    EXPECT_EQ(tool::WriteWholeFile(files, out, "new bytes", &error), step == 0) << error;
    EXPECT_EQ(ReadFileBytes(out), step == 0 ? "new bytes" : kOld);
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"out.wus"});
  }
}

#ifndef _WIN32
TEST(WustoolOutputTest, ADeviceIsWrittenIntoAndStays) {
  std::string error;
  EXPECT_TRUE(tool::WriteWholeFile(FileSystem::Default(), "/dev/null", "bytes", &error)) << error;
  EXPECT_FALSE(tool::WriteWholeFile(FileSystem::Default(), "/dev/full", "bytes", &error));
  EXPECT_FALSE(error.empty());
  for (const char* device : {"/dev/null", "/dev/full"}) {
    EXPECT_TRUE(std::filesystem::is_character_file(device)) << device;
  }
}
#endif

}  // namespace
}  // namespace wus::test
