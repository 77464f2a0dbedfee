// The name tokens taken from a WUS file name, and the report name made of
// them with the local date and time.
#include "stats/name_tokens.h"

#include <gtest/gtest.h>

#include "app/report_name.h"

namespace wus {
namespace {

TEST(NameTokensTest, TakesTheTextsOfTheFirstTwoParentheses) {
  struct Case {
    const char* fileName;
    const char* token1;
    const char* token2;
  } cases[] = {
      {"(Alpha)_(Bravo)_3.wus", "Alpha", "Bravo"},
      {"a(b)c(d)e.wus", "ab", "d"},  // "(" dropped anywhere, ")" ends, one char skipped
      {"()_().wus", "", ""},
      {"match.wus", "match.wus", ""},
      {"(Solo).wus", "Solo", "wus"},  // "." skipped after ")", the rest is the second
      {"(A)", "A", ""},
      {"(A)_", "A", ""},
      {"((x))_(y)", "x", "_y"},  // the skip takes the second ")", not the "_"
      {"", "", ""},
      {"(\xc0\xe1)_(%s%n)", "\xc0\xe1", "%s%n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    std::string token1 = "stale", token2 = "stale";
    TakeNameTokens(c.fileName, &token1, &token2);
    EXPECT_EQ(token1, c.token1);
    EXPECT_EQ(token2, c.token2);
  }
}

TEST(ReportNameTest, FormatsTokensAndMonthDayYearTime) {
  // Tokens are data, never a format; no length limit.
  LoadResult file;
  file.status = LoadStatus::kAccepted;
  file.fullPath = "D:\\logs\\(%s%d)_(" + std::string(3000, 't') + ")_1.wus";
  file.fileNamePos = 8;
  ReportNaming naming;
  naming.Offer(file);
  EXPECT_EQ(naming.folder(), "D:\\logs\\");
  EXPECT_EQ(naming.FileName({2026, 12, 31, 0, 0, 1}),
            "(%s%d)_(" + std::string(3000, 't') + ")_12.31.2026_00.00.01.txt");
}

// The first accepted file whose name yields a token names the report; until
// one does, each accepted file sets the folder.
TEST(ReportNameTest, TheFirstFileWithATokenNamesTheReport) {
  auto accepted = [](std::string folder, std::string name) {
    LoadResult file;
    file.status = LoadStatus::kAccepted;
    file.fullPath = folder + name;
    file.fileNamePos = folder.size();
    return file;
  };
  ReportNaming naming;
  EXPECT_EQ(naming.folder() + naming.FileName({2031, 11, 7, 9, 5, 3}),
            "()_()_11.07.2031_09.05.03.txt");
  naming.Offer(accepted("/a/", "()_().wus"));
  EXPECT_EQ(naming.folder(), "/a/");
  naming.Offer(accepted("/b/", "match.wus"));
  naming.Offer(accepted("/c/", "(X)_(Y).wus"));
  EXPECT_EQ(naming.folder() + naming.FileName({2031, 11, 7, 9, 5, 3}),
            "/b/(match.wus)_()_11.07.2031_09.05.03.txt");
}

}  // namespace
}  // namespace wus
