// The text writers: ReportPrintf's decimal commas, formatting exactly once,
// the report stream's handling of a failed write, and the console trace.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "tests/faulty_file_system.h"
#include "tests/memory_file_system.h"
#include "tests/test_util.h"
#include "text/log.h"
#include "text/report_stream.h"

namespace wus::test {
namespace {

// ReportPrintf turns every "." of its formatted text, arguments included,
// into ","; text written before it and plain writes keep theirs. "%" in an
// argument is never read again, and long texts are not cut.
TEST(ReportStreamTest, OnlyReportPrintfTurnsDotsIntoCommas) {
  const std::string name(10000, 'n');
  std::string text = WriteOnce([&](ReportStream& s) {
    s.Write("Mr.X\t");
    ReportPrintf(s, "%s\t%.2f\t%s\n", "Mr.X", 0.125, "0.25\t");
    s.Printf("%s|%d|%.2f\n", "%d.%s", -1, 0.5);
    ReportPrintf(s, "100%%\t%s\n", "%s%n");
    ReportPrintf(s, "%s", "");
    ReportPrintf(s, "%s.", name.c_str());
  });
  EXPECT_EQ(text, "Mr.X\tMr,X\t0,12\t0,25\t\n%d.%s|-1|0.50\n100%\t%s%n\n" + name + ",");
}

TEST(ReportStreamTest, TheFirstFailureIsKeptAndLaterWritesDropped) {
  MemoryFileSystem memory;
  FaultPlan plan;
  plan.failAppend = 2;
  FaultyFileSystem files(memory, plan);
  std::string error;
  std::unique_ptr<WritableFile> file = files.CreateNew("report", &error, nullptr);
  ASSERT_NE(file, nullptr);
  ReportStream stream(file.get());
  const std::string big(100000, 'x');
  for (int i = 0; i < 3; ++i) stream.Write(big);  // each spills: ok, fails, dropped
  EXPECT_FALSE(stream.Flush(&error));
  EXPECT_EQ(error, kInjectedError);
  EXPECT_EQ(files.appends(), 2);
}

// The loader's trace helpers write exactly what LogMessage writes with the
// formats they stand for, for the extremes of "%d" and for names with "%"
// and code page 1251 bytes.
TEST(LogMessageTest, TraceHelpersMatchTheirFormats) {
  const std::int32_t values[] = {INT32_MIN, -1, 0, 7, 1000000, INT32_MAX};
  const std::string names[] = {"", "Bob", "100%s %d", Cp1251("Вася"), std::string(1023, 'x')};
  ConsoleCapture console;
  auto take = [&console] {
    std::string text = console.text();
    console.Clear();
    return text;
  };
  for (std::int32_t value : values) {
    LogNumber("\t\t\t TotalShots - ", value);
    LogNumbers("\tm_dw - ", value, value / -2, 3);
    std::string actual = take();
    LogMessage("%s%d\n", "\t\t\t TotalShots - ", value);
    LogMessage("%s%d, %d, %d\n", "\tm_dw - ", value, value / -2, 3);
    EXPECT_EQ(actual, take()) << value;
  }
  for (const std::string& name : names) {
    LogName("\t\tPlayer : ", name);
    std::string actual = take();
    LogMessage("\t\tPlayer : %s\n", name.c_str());
    EXPECT_EQ(actual, take());
  }
}

}  // namespace
}  // namespace wus::test
