// The real file system: bytes go out and come back unchanged (no text-mode
// translation), a rename replaces an existing file in one step (which the C
// rename refuses on Windows), and a failure comes with the system's words on
// one line.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include "tests/test_util.h"

namespace wus::test {
namespace {

TEST(FileSystemTest, BytesGoOutAndComeBackUnchanged) {
  TempDir dir;
  FileSystem& fileSystem = FileSystem::Default();
  std::string path = (dir.path() / "bytes").string();
  // Line ends, an end-of-file mark and a zero byte: text mode would change them.
  const std::string bytes("line\nnext\r\n\x1a\0end\n", 18);
  std::string error;
  std::unique_ptr<WritableFile> out = fileSystem.CreateNew(path, &error, nullptr);
  ASSERT_TRUE(out) << error;
  ASSERT_TRUE(out->Append(bytes, &error)) << error;
  ASSERT_TRUE(out->Close(&error)) << error;
  EXPECT_EQ(ReadFileBytes(path), bytes);

  std::unique_ptr<SequentialFile> in = fileSystem.OpenForRead(path, &error);
  ASSERT_TRUE(in) << error;
  std::string back;
  char buffer[7];
  std::size_t got = 0;
  while (in->Read(buffer, sizeof buffer, &got, &error) && got > 0) back.append(buffer, got);
  EXPECT_EQ(back, bytes);
}

TEST(FileSystemTest, RenameReplacesAnExistingFileOrSaysWhyItCannot) {
  TempDir dir;
  std::string from = dir.Write("new.tmp", "new");
  std::string to = dir.Write("report.txt", "old");
  std::string error;
  EXPECT_FALSE(FileSystem::Default().Rename((dir.path() / "missing.tmp").string(), to, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos) << error;
  EXPECT_EQ(ReadFileBytes(to), "old");
  ASSERT_TRUE(FileSystem::Default().Rename(from, to, &error)) << error;
  EXPECT_EQ(ReadFileBytes(to), "new");
  EXPECT_FALSE(std::filesystem::exists(from));
}

}  // namespace
}  // namespace wus::test
