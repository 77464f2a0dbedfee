// Helpers shared by the tests.
#include "tests/test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "text/log.h"

namespace wus::test {

WusWeapon MakeWeapon(std::string id, std::string displayName) {
  WusWeapon weapon;
  weapon.record.id = std::move(id);
  weapon.record.displayName = std::move(displayName);
  return weapon;
}

WusHitRecord MakeHit(std::array<float, 3> from, std::array<float, 3> to, bool lethal,
                     std::string boneName, std::string text) {
  WusHitRecord hit;
  hit.pos1 = from;
  hit.pos2 = to;
  hit.lethal = lethal ? 1 : 0;
  hit.boneName = std::move(boneName);
  hit.text = std::move(text);
  return hit;
}

WusFile WorkedExample() {
  WusFile file;
  file.header = MakeHeader(2);
  file.header.totalPlayersAliveTime = {10000, 0, 0};
  file.header.totalPlayersMoneyRound = {500, 0, 0};
  file.header.totalNumRespawns = {2, 0, 0};
  WusPlayer& bob = file.players.emplace_back();
  bob.record.name = "Bob";
  bob.record.totalShots = 10;
  bob.record.totalAliveTime = {10000, 0, 0};
  bob.record.totalMoneyRound = {500, 0, 0};
  bob.record.numRespawned = {2, 0, 0};
  WusWeapon& weapon = bob.weapons.emplace_back(MakeWeapon("wpn_a", "A"));
  weapon.record.numBought = 1;
  weapon.record.numShots = 10;
  weapon.record.numHits = 3;
  weapon.record.numKills = 1;
  weapon.record.buyBuckets[0][0] = 1;
  weapon.hits.push_back(MakeHit({0, 0, 0}, {3, 4, 0}, true, "bip01_head", "T"));
  return file;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("wus-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, std::string_view bytes) const {
  std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.string();
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

std::string WithTrailingSeparator(const std::filesystem::path& folder) {
  return folder.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

std::vector<std::string> ListFiles(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

ConsoleCapture::ConsoleCapture() { SetConsoleCapture(&text_); }
ConsoleCapture::~ConsoleCapture() { SetConsoleCapture(nullptr); }

std::string LoadBytes(const TempDir& dir, const std::string& name, std::string_view bytes,
                      StatsAggregate& aggregate, LoadResult* result) {
  std::string path = dir.Write(name, bytes);
  ConsoleCapture console;
  LoadResult loaded = LoadStatsFile(path, aggregate);
  if (result != nullptr) *result = loaded;
  return console.text();
}

namespace {

std::string Quote(const std::string& arg) {
#ifdef _WIN32
  return "\"" + arg + "\"";
#else
  std::string quoted = "'";
  for (char c : arg) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
#endif
}

// The bytes a program wrote to a console stream. Windows programs write
// their console text in text mode, each "\n" as "\r\n"; the tests compare
// it as "\n".
std::string ConsoleText(std::string bytes) {
#ifdef _WIN32
  std::size_t out = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
      bytes[out++] = bytes[i];
  }
  bytes.resize(out);
#endif
  return bytes;
}

// The words of the emulator that runs the build's programs, each quoted
// for the shell, each followed by a space; empty where they run natively.
std::string EmulatorPrefix() {
  std::string prefix;
#ifdef WUS_PROGRAM_EMULATOR
  std::string_view words = WUS_PROGRAM_EMULATOR;  // separated by single spaces
  while (!words.empty()) {
    std::size_t end = std::min(words.find(' '), words.size());
    prefix += Quote(std::string(words.substr(0, end))) + " ";
    words.remove_prefix(std::min(end + 1, words.size()));
  }
#endif
  return prefix;
}

// Runs the shell words `start` and then `args` in the folder `cwd`.
RunResult RunCommand(const std::string& start, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd) {
  TempDir capture;
  std::filesystem::path outPath = capture.path() / "out";
  std::filesystem::path errPath = capture.path() / "err";
  std::filesystem::path inPath = capture.path() / "in";
  { std::ofstream create(inPath); }
#ifdef _WIN32
  std::string command = "cd /d " + Quote(cwd.string()) + " && " + start;
#else
  std::string command = "cd " + Quote(cwd.string()) + " && " + start;
#endif
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " <" + Quote(inPath.string()) + " >" + Quote(outPath.string()) + " 2>" +
             Quote(errPath.string());
#ifdef _WIN32
  // cmd.exe strips the outer quotes of a line that starts with one.
  command = "\"" + command + "\"";
#endif
  int status = std::system(command.c_str());
  RunResult result;
#ifdef _WIN32
  result.exitStatus = status;
#else
  result.exitStatus = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
#endif
  result.out = ConsoleText(ReadFileBytes(outPath));
  result.err = ConsoleText(ReadFileBytes(errPath));
  return result;
}

}  // namespace

std::string ProgramCommand(const std::string& program) { return EmulatorPrefix() + Quote(program); }

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd) {
  return RunCommand(ProgramCommand(program), args, cwd);
}

#ifndef _WIN32
RunResult RunShell(const std::string& script, const std::filesystem::path& cwd) {
  return RunCommand("/bin/sh", {"-c", script}, cwd);
}
#endif

std::string Cp1251(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if ((c & 0xE0) != 0xC0 || i + 1 >= utf8.size()) {
      ADD_FAILURE() << "Cp1251: unsupported UTF-8 byte";
      continue;
    }
    unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
    if (code >= 0x410 && code <= 0x44F) {
      out.push_back(static_cast<char>(code - 0x410 + 0xC0));
    } else if (code == 0x401) {
      out.push_back(static_cast<char>(0xA8));
    } else if (code == 0x451) {
      out.push_back(static_cast<char>(0xB8));
    } else {
      ADD_FAILURE() << "Cp1251: unsupported character " << code;
    }
  }
  return out;
}

}  // namespace wus::test
