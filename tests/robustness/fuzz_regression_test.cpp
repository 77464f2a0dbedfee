// Replays the fuzz targets' checks in the normal test suite: over their
// seeds, the example files and every input a fuzzer ever found (kept under
// tests/data/fuzz/load and tests/data/fuzz/merge), so that a fault once
// fixed stays fixed and the checks themselves keep working.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/fuzz/fuzz_checks.h"
#include "tests/fuzz/fuzz_seeds.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

// Where the inputs that fuzzers found are kept.
const std::filesystem::path kFindings = std::filesystem::path(WUS_TESTDATA_DIR) / "fuzz";

// The files in `dir`, none if it does not exist.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(dir)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

TEST(FuzzRegressionTest, LoadSeedsExamplesAndEarlierFindings) {
  for (const fuzz::Seed& seed : fuzz::LoadSeeds()) {
    EXPECT_EQ(fuzz::CheckWusFile(seed.bytes), "") << seed.name;
  }
  std::vector<std::filesystem::path> examples = FilesIn(WUS_EXAMPLES_DIR);
  EXPECT_FALSE(examples.empty());
  std::erase_if(examples, [](const auto& path) { return path.extension() != ".wus"; });
  for (const auto& path : FilesIn(kFindings / "load")) examples.push_back(path);
  for (const auto& path : examples) {
    EXPECT_EQ(fuzz::CheckWusFile(ReadFileBytes(path)), "") << path;
  }
}

TEST(FuzzRegressionTest, MergeSeedsAndEarlierFindings) {
  for (const fuzz::Seed& seed : fuzz::MergeSeeds()) {
    EXPECT_EQ(fuzz::CheckMergedWusFiles(seed.bytes), "") << seed.name;
  }
  for (const auto& path : FilesIn(kFindings / "merge")) {
    EXPECT_EQ(fuzz::CheckMergedWusFiles(ReadFileBytes(path)), "") << path;
  }
}

TEST(FuzzRegressionTest, MergeInputsSplitAtTheSeparator) {
  using Parts = std::vector<std::string_view>;
  EXPECT_EQ(fuzz::SplitMergeInput("abc"), Parts{"abc"});
  EXPECT_EQ(fuzz::SplitMergeInput(fuzz::JoinMergeInput({"a", "", "c"})), (Parts{"a", "", "c"}));
  // A separator after the last-but-one file is part of the last file.
  std::string four = fuzz::JoinMergeInput({"a", "b", "c", "d"});
  Parts parts = fuzz::SplitMergeInput(four);
  ASSERT_EQ(parts.size(), fuzz::kMaxMergedFiles);
  EXPECT_EQ(parts[2], "c" + std::string(fuzz::kMergeSeparator) + "d");
}

}  // namespace
}  // namespace wus::test
