// The two text writers: ReportPrintf's decimal commas, formatting exactly
// once, and the report stream's handling of a failed write.
#include <gtest/gtest.h>

#include "tests/test_util.h"
#include "text/log.h"
#include "text/report_stream.h"

namespace wus::test {
namespace {

TEST(ReportPrintfTest, TurnsEveryDotOfTheFormattedTextIntoAComma) {
  struct Case {
    std::string expected;
    std::string (*write)();
  } cases[] = {
      {"12,50\t",
       [] { return WriteOnce([](ReportStream& s) { ReportPrintf(s, "%.2f\t", 12.5); }); }},
      {"Mr,X\t0,50\t0,25\t\n",
       [] {
         return WriteOnce(
             [](ReportStream& s) { ReportPrintf(s, "%s\t%.2f\t%s\n", "Mr.X", 0.5, "0.25\t"); });
       }},
      {"100%\t%s%n\n",
       [] { return WriteOnce([](ReportStream& s) { ReportPrintf(s, "100%%\t%s\n", "%s%n"); }); }},
      {"", [] { return WriteOnce([](ReportStream& s) { ReportPrintf(s, "%s", ""); }); }},
      {"3,33 6,67 -100,00",
       [] {
         return WriteOnce([](ReportStream& s) {
           ReportPrintf(s, "%.2f %.2f %.2f", 10.0 / 3, 20.0 / 3, -100.0);
         });
       }},
  };
  for (const Case& c : cases) EXPECT_EQ(c.write(), c.expected);
}

TEST(ReportStreamTest, PlainWritesConvertNothing) {
  std::string text = WriteOnce([](ReportStream& s) {
    s.Write("Mr.X\t");
    s.Printf("%s|%d|%.2f", "%d.%s", -1, 0.5);
  });
  EXPECT_EQ(text, "Mr.X\t%d.%s|-1|0.50");
}

TEST(ReportStreamTest, LongTextsAreNotCut) {
  std::string name(10000, 'n');
  std::string text = WriteOnce([&](ReportStream& s) { ReportPrintf(s, "%s.", name.c_str()); });
  EXPECT_EQ(text, name + ",");
}

class FailingFile final : public WritableFile {
 public:
  explicit FailingFile(int okAppends) : okAppends_(okAppends) {}
  bool Append(std::string_view data, std::string* error) override {
    ++calls;
    if (okAppends_-- > 0) {
      written.append(data);
      return true;
    }
    *error = "disk full";
    return false;
  }
  bool Close(std::string*) override { return true; }
  int calls = 0;
  std::string written;

 private:
  int okAppends_;
};

TEST(ReportStreamTest, TheFirstFailureIsKeptAndLaterWritesDropped) {
  FailingFile file(1);
  ReportStream stream(&file);
  std::string big(100000, 'x');
  stream.Write(big);  // spills: succeeds
  stream.Write(big);  // spills: fails
  stream.Write(big);  // dropped
  std::string error;
  EXPECT_FALSE(stream.Flush(&error));
  EXPECT_EQ(error, "disk full");
  EXPECT_EQ(file.calls, 2);
  EXPECT_EQ(file.written, big);
}

TEST(LogMessageTest, FormatsOnceAndWritesToTheConsole) {
  ConsoleCapture console;
  LogMessage("Processing '%s'\n", "100%s.wus");
  ConsoleEcho("path ");
  LogMessage("%s", "");
  EXPECT_EQ(console.text(), "Processing '100%s.wus'\npath ");
}

}  // namespace
}  // namespace wus::test
