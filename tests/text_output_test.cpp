// The two text writers: ReportPrintf's decimal commas, formatting exactly
// once, and the report stream's handling of a failed write.
#include <gtest/gtest.h>

#include <cstdint>

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

// The loader's trace helpers write exactly what LogMessage writes with the
// formats they stand for, for the extremes of "%d" and for names with "%"
// and code page 1251 bytes.
TEST(LogMessageTest, TraceHelpersMatchTheirFormats) {
  const std::int32_t values[] = {INT32_MIN, -1, 0, 7, 1000000, INT32_MAX};
  const std::string names[] = {"", "Bob", "100%s %d", Cp1251("Вася"), std::string(1023, 'x')};
  for (std::int32_t value : values) {
    std::string expected;
    std::string actual;
    {
      ConsoleCapture console;
      LogMessage("%s%d\n", "\t\t\t TotalShots - ", value);
      LogMessage("%s%d, %d, %d\n", "\tm_dw - ", value, -(value / 2), 3);
      expected = console.text();
    }
    {
      ConsoleCapture console;
      LogNumber("\t\t\t TotalShots - ", value);
      LogNumbers("\tm_dw - ", value, -(value / 2), 3);
      actual = console.text();
    }
    EXPECT_EQ(actual, expected) << value;
  }
  for (const std::string& name : names) {
    ConsoleCapture console;
    LogName("\t\tPlayer : ", name);
    std::string actual = console.text();
    console.Clear();
    LogMessage("\t\tPlayer : %s\n", name.c_str());
    EXPECT_EQ(actual, console.text());
  }
}

}  // namespace
}  // namespace wus::test
