// Helpers shared by the tests: WUS files built in memory, temporary folders
// and files, in-memory inputs and outputs, console capture.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "stats/loader.h"
#include "stats/wus_file.h"
#include "text/report_stream.h"

namespace wus::test {

// The 576-byte worked example: one player Bob with one weapon wpn_a ("A")
// and one lethal hit from (0,0,0) to (3,4,0) on bip01_head.
WusFile WorkedExample();

// The loader's trace of the worked example loaded into an empty aggregate,
// after its "Processing" line.
inline constexpr char kWorkedExampleTrace[] =
    "\tm_dwTotalPlayersAliveTime - 10000, 0, 0\n"
    "\tm_dwTotalPlayersMoneyRound - 500, 0, 0\n"
    "\tm_dwTotalNumRespawns - 2, 0, 0\n"
    "\tNumPlayers - 1\n"
    "\t\tPlayer : Bob\n"
    "\t\t\t TotalShots - 10\n"
    "\t\t\t m_dwTotalAliveTime - 10000, 0, 0\n"
    "\t\t\t m_dwTotalMoneyRound - 500, 0, 0\n"
    "\t\t\t m_dwNumRespawned - 2, 0, 0\n"
    "\t\t\t NumWeapons - 1\n"
    "\t\t\t\t Weapon : wpn_a\n"
    "\t\t\t\t\t dwNumHits : 1\n";

// A weapon record with the given names and zero counters.
WusWeapon MakeWeapon(std::string id, std::string displayName);
// A hit from `from` to `to`.
WusHitRecord MakeHit(std::array<float, 3> from, std::array<float, 3> to, bool lethal = false,
                     std::string boneName = "", std::string text = "");

// A fresh temporary folder, removed with everything in it at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to the file `name` in the folder; returns its path.
  std::string Write(const std::string& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);

// `folder` the way the loader records a report folder: followed by the
// platform's path separator (a slash, or a backslash on Windows).
std::string WithTrailingSeparator(const std::filesystem::path& folder);

// The names of the files in `dir`, sorted.
std::vector<std::string> ListFiles(const std::filesystem::path& dir);

// Captures everything written to the console while alive.
class ConsoleCapture {
 public:
  ConsoleCapture();
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;
  const std::string& text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  std::string text_;
};

// A WritableFile that collects its bytes in memory.
class StringWritableFile final : public WritableFile {
 public:
  bool Append(std::string_view data, std::string*) override {
    contents.append(data);
    return true;
  }
  bool Close(std::string*) override { return true; }
  std::string contents;
};

// Runs `writer` on `aggregate` and returns what it wrote.
template <typename Writer>
std::string WriteToString(Writer&& writer, const StatsAggregate& aggregate) {
  StringWritableFile file;
  {
    ReportStream stream(&file);
    writer(aggregate, stream);
    std::string error;
    stream.Flush(&error);
  }
  return file.contents;
}
// The same for a section writer named by itself (it has an overload that
// takes the weapon rows).
inline std::string WriteToString(void (*writer)(const StatsAggregate&, ReportStream&),
                                 const StatsAggregate& aggregate) {
  return WriteToString<decltype(writer)>(std::move(writer), aggregate);
}

// Runs `write(stream)` on a fresh report stream and returns the bytes.
template <typename Write>
std::string WriteOnce(Write&& write) {
  StringWritableFile file;
  {
    ReportStream stream(&file);
    write(stream);
    std::string error;
    stream.Flush(&error);
  }
  return file.contents;
}

// Loads `bytes` as the file `name` (written into `dir`) into `aggregate`
// and returns the console text the loader wrote; `*result`, unless null,
// gets what became of the file.
std::string LoadBytes(const TempDir& dir, const std::string& name, std::string_view bytes,
                      StatsAggregate& aggregate, LoadResult* result = nullptr);

// What a program run by RunProgram did.
struct RunResult {
  int exitStatus = -1;  // -1 when it did not exit normally
  std::string out;      // standard output
  std::string err;      // standard error
};

// Runs `program` with `args` in the folder `cwd` through the system's shell
// (sh or cmd.exe), with standard input empty and both outputs captured
// (with "\n" line ends also where the console writes "\r\n").
// Arguments are quoted for that shell; they must not hold a double quote.
// In a Linux cross build the program runs under the build's emulator.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd);

// The shell words that start `program`: its quoted path, after the
// emulator's words in a Linux cross build.
std::string ProgramCommand(const std::string& program);

#ifndef _WIN32
// Runs the POSIX shell `script` in the folder `cwd` like RunProgram; the
// script starts the build's programs through ProgramCommand.
RunResult RunShell(const std::string& script, const std::filesystem::path& cwd);
#endif

// Converts UTF-8 text (the way the tests spell the report's Russian texts)
// to Windows code page 1251 bytes; handles Cyrillic and ASCII only.
std::string Cp1251(std::string_view utf8);

}  // namespace wus::test
