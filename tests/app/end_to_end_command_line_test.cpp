// wusreport's command line, through the real binary: help and version, usage
// errors, where -o puts the report and --html the page, -q and --strict, folders standing for
// their WUS files, and the warnings on standard error with their summary.
#include <gtest/gtest.h>

#include "tests/golden_inputs.h"
#include "tests/test_util.h"

namespace wus::test {
namespace {

const std::string kWusreport = WUSREPORT_BINARY;

// The names of the reports (*.txt) in `dir`.
std::vector<std::string> Reports(const std::filesystem::path& dir) {
  std::vector<std::string> reports;
  for (const std::string& name : ListFiles(dir)) {
    if (name.ends_with(".txt")) reports.push_back(name);
  }
  return reports;
}

// The usual report name's shape: "(t1)_(t2)_MM.DD.YYYY_hh.mm.ss.txt".
bool IsUsualName(const std::string& name, const std::string& tokens) {
  return name.starts_with(tokens + "_") && name.size() == tokens.size() + 24 &&
         name.ends_with(".txt");
}

TEST(EndToEndCommandLineTest, HelpVersionAndUsageErrorsReadAndWriteNothing) {
  const std::string kUnknownHint =
      "wusreport: a file whose name starts with '-' can be given as './";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;  // its start
    std::string err;  // exactly
  } cases[] = {
      {{"--help"}, 0, "Usage: wusreport [OPTION]... [FILE|FOLDER]...\n", ""},
      {{"-h", "x.wus"}, 0, "Usage: wusreport", ""},
      {{"x.wus", "--version"}, 0, "wusreport " WUS_VERSION "\n", ""},
      {{"-x"},
       2,
       "",
       "wusreport: unknown option '-x'\n" + kUnknownHint +
           "-x' or after '--'\nTry 'wusreport --help'.\n"},
      {{"a.wus", "--bogus=1"},
       2,
       "",
       "wusreport: unknown option '--bogus=1'\n" + kUnknownHint +
           "--bogus=1' or after '--'\nTry 'wusreport --help'.\n"},
      {{"-o"}, 2, "", "wusreport: option '-o' needs a value\nTry 'wusreport --help'.\n"},
      {{"--jobs=0"},
       2,
       "",
       "wusreport: option '--jobs' needs a number of jobs from 1 to 256, not '0'\n"
       "Try 'wusreport --help'.\n"},
      {{"--quiet=yes"},
       2,
       "",
       "wusreport: option '--quiet' takes no value\n"
       "Try 'wusreport --help'.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    TempDir dir;
    RunResult run = RunProgram(kWusreport, c.args, dir.path());
    EXPECT_EQ(run.exitStatus, c.status);
    EXPECT_TRUE(run.out.starts_with(c.out) && (!c.out.empty() || run.out.empty())) << run.out;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{});
  }
}

// The golden inputs run with options give what they give without them, but
// for where the report goes, what the console shows and the HTML page
// (next to the report, under its name with .html).
TEST(EndToEndCommandLineTest, OutputQuietAndOptionsAmongPaths) {
  TempDir plain;
  std::vector<std::string> names;
  for (const auto& [name, bytes] : GoldenInputs()) {
    plain.Write(name, bytes);
    names.push_back(name);
  }
  RunResult reference = RunProgram(kWusreport, names, plain.path());
  ASSERT_EQ(reference.exitStatus, 0) << reference.err;
  ASSERT_EQ(Reports(plain.path()).size(), 1u);
  const std::string report = ReadFileBytes(plain.path() / Reports(plain.path())[0]);
  const std::string trace = reference.out.substr(0, reference.out.rfind("Writing '"));

  const struct {
    const char* name;
    std::vector<std::string> options;  // put before the paths, or after with "after"
    bool after;
    std::string reportAt;  // relative to the run's folder; "out/" for the usual name in it
    bool quiet;
    bool page;
  } cases[] = {
      {"-o a file", {"-o", "my report.txt"}, false, "my report.txt", false, false},
      {"--output= a file, after the paths", {"--output=x.tsv"}, true, "x.tsv", false, false},
      {"-o a folder", {"-oout"}, false, "out/", false, false},
      {"-q", {"-q"}, true, "", true, false},
      {"--quiet and -o bundled", {"-qo", "q.txt"}, false, "q.txt", true, false},
      {"--html", {"--html"}, false, "", false, true},
      {"--html and -o", {"--html", "-o", "x.txt"}, false, "x.txt", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "out");
    for (const auto& [name, bytes] : GoldenInputs()) dir.Write(name, bytes);
    std::vector<std::string> args = c.after ? names : c.options;
    args.insert(args.end(), c.after ? c.options.begin() : names.begin(),
                c.after ? c.options.end() : names.end());
    RunResult run = RunProgram(kWusreport, args, dir.path());
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::filesystem::path at;
    if (c.reportAt.empty()) {
      ASSERT_EQ(Reports(dir.path()).size(), 1u);
      at = dir.path() / Reports(dir.path())[0];
    } else if (c.reportAt == "out/") {
      ASSERT_EQ(Reports(dir.path() / "out").size(), 1u);
      at = dir.path() / "out" / Reports(dir.path() / "out")[0];
      EXPECT_TRUE(IsUsualName(at.filename().string(), "(Alpha)_(Bravo)")) << at;
    } else {
      at = dir.path() / c.reportAt;
      EXPECT_EQ(Reports(dir.path()).size(), c.reportAt.ends_with(".txt") ? 1u : 0u);
    }
    EXPECT_EQ(ReadFileBytes(at), report);
    std::string last = at.filename().string();  // the last file written
    if (c.page) {
      last = last.substr(0, last.size() - 4) + ".html";
      const std::string html = ReadFileBytes(at.parent_path() / last);
      EXPECT_TRUE(html.starts_with("<!DOCTYPE html>")) << html.substr(0, 40);
      EXPECT_NE(html.find("Content-Security-Policy"), std::string::npos);
    }
    if (c.quiet) {
      EXPECT_EQ(run.out, "");
    } else {
      EXPECT_EQ(run.out.substr(0, run.out.find("Writing '")), trace);
      EXPECT_TRUE(run.out.ends_with(last + "'\n")) << run.out;
    }
  }
}

// A folder stands for its *.wus files in byte order of their names, each
// traced exactly as if given by name; other files and folders in it do not.
TEST(EndToEndCommandLineTest, AFolderStandsForItsWusFiles) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "month" / "inner.wus");
  const std::string bytes = EncodeWusFile(WorkedExample());
  for (const char* name : {"b.WUS", "a.wus", "Z.wus", "notes.log", "c.wus.bak", "(d).Wus"}) {
    dir.Write(std::string("month/") + name, bytes);
  }
  // A folder given with a trailing separator keeps it; one without gets
  // the platform's own, as the shell's glob would give them.
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  for (const std::string& folder : {std::string("month"), std::string("month/")}) {
    SCOPED_TRACE(folder);
    const std::string prefix = folder.ends_with("/") ? folder : folder + separator;
    std::vector<std::string> byName;
    for (const char* name : {"(d).Wus", "Z.wus", "a.wus", "b.WUS"}) byName.push_back(prefix + name);
    RunResult named = RunProgram(kWusreport, byName, dir.path());
    ASSERT_EQ(Reports(dir.path() / "month").size(), 1u);
    std::filesystem::remove(dir.path() / "month" / Reports(dir.path() / "month")[0]);
    RunResult run = RunProgram(kWusreport, {folder}, dir.path());
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.substr(0, run.out.rfind("Writing '")),
              named.out.substr(0, named.out.rfind("Writing '")));
    std::vector<std::string> reports = Reports(dir.path() / "month");
    ASSERT_EQ(reports.size(), 1u);
    std::filesystem::remove(dir.path() / "month" / reports[0]);
  }
}

TEST(EndToEndCommandLineTest, WarningsSummaryAndStrictStatus) {
  TempDir dir;
  WusFile future = WorkedExample();
  future.header.version = 7;
  const std::string whole = EncodeWusFile(WorkedExample());
  dir.Write("good.wus", whole);
  dir.Write("notwus.wus", "plain text");
  dir.Write("future.wus", EncodeWusFile(future));
  dir.Write("cut.wus", whole.substr(0, 300));
  dir.Write("-dash.wus", whole);
  const std::vector<std::string> inputs{"good.wus", "notwus.wus", "missing.wus", "future.wus",
                                        "cut.wus",  "--",         "-dash.wus"};
  const std::string warnings =
      "wusreport: skipped 'notwus.wus': not a WUS file\n"
      "wusreport: skipped 'missing.wus': No such file or directory\n"
      "wusreport: skipped 'future.wus': unknown version 7\n"
      "wusreport: 'cut.wus' is cut short; counted what was read\n"
      "wusreport: 3 of 6 files read, 3 skipped, 1 cut short\n";
  for (bool strict : {false, true}) {
    SCOPED_TRACE(strict);
    std::vector<std::string> args = inputs;
    if (strict) args.insert(args.begin(), "--strict");
    RunResult run = RunProgram(kWusreport, args, dir.path());
    EXPECT_EQ(run.exitStatus, strict ? 3 : 0);
    EXPECT_EQ(run.err, warnings);
    EXPECT_NE(run.out.find("-dash.wus Processing '-dash.wus'\n"), std::string::npos);
    ASSERT_EQ(Reports(dir.path()).size(), 1u);
    std::filesystem::remove(dir.path() / Reports(dir.path())[0]);
  }
  // Nothing skipped or cut: --strict changes nothing.
  RunResult clean = RunProgram(kWusreport, {"--strict", "good.wus"}, dir.path());
  EXPECT_EQ(clean.exitStatus, 0);
  EXPECT_EQ(clean.err, "");
}

#ifdef _WIN32
// cmd.exe leaves a wildcard to the program; the C runtime expands it.
TEST(EndToEndCommandLineTest, AWildcardIsExpandedOnWindows) {
  TempDir dir;
  dir.Write("(W)_(X)_1.wus", EncodeWusFile(WorkedExample()));
  dir.Write("(W)_(X)_2.wus", EncodeWusFile(WorkedExample()));
  RunResult run = RunProgram(kWusreport, {"*.wus"}, dir.path());
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_NE(run.out.find("Processing '(W)_(X)_1.wus'"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Processing '(W)_(X)_2.wus'"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, "");
}
#endif

}  // namespace
}  // namespace wus::test
