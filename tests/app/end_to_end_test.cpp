// End-to-end runs of the real wusreport binary in temporary folders: the
// console output, the exit status, where the report lands and what happens
// when it cannot be written.
#include <gtest/gtest.h>

#include <regex>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#endif

#include "report/titles.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

const std::string kWusreport = WUSREPORT_BINARY;

// The one report in `dir`: its name must be made of the tokens and a
// month.day.year_hour.minute.second time stamp.
std::string FindReport(const std::filesystem::path& dir, const std::string& tokens) {
  std::regex pattern(std::regex_replace(tokens, std::regex(R"([()])"), R"(\$&)") +
                     R"(_\d\d\.\d\d\.\d{4}_\d\d\.\d\d\.\d\d\.txt)");
  std::string found;
  for (const std::string& name : ListFiles(dir)) {
    if (name.ends_with(".txt")) {
      EXPECT_TRUE(found.empty()) << "more than one report: " << name;
      EXPECT_TRUE(std::regex_match(name, pattern)) << name;
      found = name;
    }
  }
  return found;
}

std::string AbsoluteFolder(const TempDir& dir) { return WithTrailingSeparator(dir.path()); }

// The files load in order, a missing one is skipped, the report lands next
// to the first and is named after it; names are never read as formats.
TEST(EndToEndTest, LoadsFilesInOrderAndWritesTheReportNextToTheFirst) {
  TempDir dir;
  const std::string input = "(100%s)_(x.y%n)_3.wus";
  dir.Write(input, EncodeWusFile(WorkedExample()));
  RunResult run = RunProgram(kWusreport, {input, "missing.wus"}, dir.path());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err,
            "wusreport: skipped 'missing.wus': No such file or directory\n"
            "wusreport: 1 of 2 files read, 1 skipped, 0 cut short\n");
  std::string report = FindReport(dir.path(), "(100%s)_(x.y%n)");
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(run.out, input + " Processing '" + input + "'\n" + kWorkedExampleTrace +
                         "missing.wus Processing 'missing.wus'\n"
                         "Cannot open file: No such file or directory - Skipping!\n"
                         "Writing '" +
                         AbsoluteFolder(dir) + report + "'\n");
  EXPECT_TRUE(ReadFileBytes(dir.path() / report)
                  .starts_with(kUsedFilesTitle + ("\t" + input + "\n\n") + kWeaponPurchaseTitle));
  std::vector<std::string> expected{input, report};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListFiles(dir.path()), expected);
}

TEST(EndToEndTest, WithoutArgumentsTheReportLandsInTheCurrentFolder) {
  TempDir dir;
  RunResult run = RunProgram(kWusreport, {}, dir.path());
  EXPECT_EQ(run.exitStatus, 0);
  std::string report = FindReport(dir.path(), "()_()");
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(run.out, "Writing '" + report + "'\n");
  EXPECT_TRUE(ReadFileBytes(dir.path() / report)
                  .starts_with(std::string(kUsedFilesTitle) + "\n" + kWeaponPurchaseTitle));
}

TEST(EndToEndTest, RejectedFilesDoNotNameTheReport) {
  TempDir dir;
  dir.Write("(Not)_(Wus).wus", "plain text");
  std::filesystem::create_directory(dir.path() / "sub");
  dir.Write("sub/(Good)_(One).wus", EncodeWusFile(WorkedExample()));
  RunResult run = RunProgram(kWusreport, {"(Not)_(Wus).wus", "sub/(Good)_(One).wus"}, dir.path());
  EXPECT_EQ(run.exitStatus, 0);
  std::string report = FindReport(dir.path() / "sub", "(Good)_(One)");
  ASSERT_FALSE(report.empty());
  EXPECT_TRUE(ReadFileBytes(dir.path() / "sub" / report)
                  .starts_with(std::string(kUsedFilesTitle) + "\t(Good)_(One).wus\n\n"));
}

TEST(EndToEndTest, AReportThatCannotBeCreatedFailsCleanly) {
  // The input's name fits the file system, the report's name (longer by the
  // time stamp) does not: a failure that holds for root too.
  TempDir dir;
  std::string stem = "(" + std::string(120, 'a') + ")_(" + std::string(120, 'b') + ")";
  std::string input = stem + ".wus";
  dir.Write(input, EncodeWusFile(WorkedExample()));
  RunResult run = RunProgram(kWusreport, {input}, dir.path());
  EXPECT_EQ(run.exitStatus, 1);
#ifdef _WIN32
  // The input's absolute path is longer than GetFullPathNameA returns
  // (MAX_PATH), so the path stays as given: the name has no folder. The
  // words for the failure are the Windows version's own.
  std::string name = stem + "_";
  EXPECT_NE(run.err.find(".txt': "), std::string::npos) << run.err;
#else
  std::string name = AbsoluteFolder(dir) + stem + "_";
  EXPECT_TRUE(run.err.ends_with(".txt': File name too long\n")) << run.err;
#endif
  EXPECT_TRUE(run.err.starts_with("wusreport: cannot write report '" + name)) << run.err;
  EXPECT_NE(run.out.find("Writing '" + name), std::string::npos);
  // Nothing but the input is left: no report, no temporary file.
  EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{input});
}

#ifndef _WIN32
TEST(EndToEndTest, APipeIsReadLikeAFile) {
  // Larger than a pipe's buffer, so that it arrives in several pieces.
  WusFile file = WorkedExample();
  for (int i = 0; i < 3000; ++i) {
    file.players[0].weapons[0].hits.push_back(
        MakeHit({0, 0, 0}, {static_cast<float>(i % 50), 1, 0}, i % 3 == 0, "bip01_spine"));
  }
  const std::string bytes = EncodeWusFile(file);
  ASSERT_GT(bytes.size(), 100000u);
  const std::string kName = "(Pipe)_(Test).wus";

  TempDir plainDir;
  plainDir.Write(kName, bytes);
  RunResult plain = RunProgram(kWusreport, {kName}, plainDir.path());
  ASSERT_EQ(plain.exitStatus, 0);

  TempDir pipeDir;
  std::string fifo = (pipeDir.path() / kName).string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::signal(SIGPIPE, SIG_IGN);  // a reader that goes away must not end the test
  std::thread writer([&] {
    int fd = open(fifo.c_str(), O_WRONLY);  // waits for wusreport to open the pipe
    if (fd < 0) return;
    for (std::size_t done = 0; done < bytes.size();) {
      ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    close(fd);
  });
  RunResult piped = RunProgram(kWusreport, {kName}, pipeDir.path());
  // Had wusreport never opened the pipe, this frees the writer.
  int fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd >= 0) close(fd);
  writer.join();

  EXPECT_EQ(piped.exitStatus, 0);
  EXPECT_EQ(piped.err, "");
  // The same console text up to the report's name, and the same report.
  auto trace = [](const std::string& out) { return out.substr(0, out.rfind("Writing '")); };
  EXPECT_EQ(trace(piped.out), trace(plain.out));
  EXPECT_EQ(piped.out.find("Unexpected"), std::string::npos);
  std::string plainReport = FindReport(plainDir.path(), "(Pipe)_(Test)");
  std::string pipedReport = FindReport(pipeDir.path(), "(Pipe)_(Test)");
  ASSERT_FALSE(pipedReport.empty());
  EXPECT_EQ(ReadFileBytes(pipeDir.path() / pipedReport),
            ReadFileBytes(plainDir.path() / plainReport));
}
#endif

}  // namespace
}  // namespace wus::test
