// `wustool sample`: options, and writing the corpus file by file.
#include <cstdio>
#include <filesystem>

#include "text/format.h"
#include "tools/command_line.h"
#include "tools/file_io.h"
#include "tools/sample.h"

namespace wus::tool {
namespace {

constexpr char kHelp[] =
    "Usage: wustool sample --seed N --files K [OPTIONS] DIR\n"
    "Writes K realistic WUS files into DIR (created if missing), named like\n"
    "(Alpha)_(Bravo)_17.wus. The same options always give the same bytes.\n"
    "Options:\n"
    "  --seed N              seed of the random choices (required)\n"
    "  --files K             number of files, 1 to 1000000 (required)\n"
    "  --players P           players in each file, 1 to 10000 (default 8)\n"
    "  --weapons W           weapons and items of each player, 0 to 1000 (default 6)\n"
    "  --hits H              hits per weapon on average, 0 to 100000 (default 10);\n"
    "                        items such as medkits never have hits\n"
    "  --version V           file version, 0 to 2 (default 2)\n"
    "  --distinct-players D  size of the pool of player names, at least P\n"
    "                        (default 2 x P); with K x P >= D every name occurs\n"
    "Player names mix Latin and Cyrillic (code page 1251) and now and then change\n"
    "their letter case between files; weapons carry \"wpn_\" identifiers, items\n"
    "such as \"grenade\" and \"medkit\" do not.\n"
    "Exit status: 0 done, 1 a file cannot be written, 2 wrong arguments.\n";

// The largest number of hits that one file may hold (a file is built in
// memory before it is written).
constexpr std::uint64_t kMaxHitsPerFile = 10'000'000;

constexpr OptionInfo kOptions[] = {
    {"seed", true}, {"files", true},   {"players", true},          {"weapons", true},
    {"hits", true}, {"version", true}, {"distinct-players", true},
};

}  // namespace

bool WriteSampleCorpus(const SampleOptions& options, const std::string& dir, std::uint64_t* bytes,
                       std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    *error = "cannot create '" + dir + "': " + ec.message();
    return false;
  }
  SampleCorpus corpus(options);
  WusFile file;
  std::string name;
  *bytes = 0;
  while (corpus.Next(&file, &name)) {
    std::string path = (std::filesystem::path(dir) / name).string();
    std::string data = EncodeWusFile(file);
    if (!WriteWholeFile(FileSystem::Default(), path, data, error)) {
      *error = "cannot write '" + path + "': " + *error;
      return false;
    }
    *bytes += data.size();
  }
  return true;
}

int RunSample(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, kOptions, &parsed, &error)) return UsageError("sample", error);
  if (parsed.help) return PrintText(kHelp);
  if (parsed.operands.size() != 1) return UsageError("sample", "expects exactly one DIR");

  SampleOptions options;
  struct NumberOption {
    const char* name;
    std::uint64_t min, max;
    bool required;
  };
  const NumberOption numbers[] = {
      {"seed", 0, UINT64_MAX, true},
      {"files", 1, 1'000'000, true},
      {"players", 1, 10'000, false},
      {"weapons", 0, 1'000, false},
      {"hits", 0, 100'000, false},
      {"version", 0, 2, false},
      {"distinct-players", 1, 10'000'000, false},
  };
  std::uint64_t values[std::size(numbers)] = {
      0, 0, options.players, options.weapons, options.hits, options.version, 0};
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    const NumberOption& n = numbers[i];
    auto it = parsed.values.find(n.name);
    if (it == parsed.values.end()) {
      if (n.required) return UsageError("sample", StringPrintf("--%s is required", n.name));
      continue;
    }
    if (!ParseNumber(it->second, n.min, n.max, &values[i])) {
      return UsageError(
          "sample", StringPrintf("--%s must be a whole number from %llu to %llu, not '%s'", n.name,
                                 static_cast<unsigned long long>(n.min),
                                 static_cast<unsigned long long>(n.max), it->second.c_str()));
    }
  }
  options.seed = values[0];
  options.files = static_cast<std::uint32_t>(values[1]);
  options.players = static_cast<std::uint32_t>(values[2]);
  options.weapons = static_cast<std::uint32_t>(values[3]);
  options.hits = static_cast<std::uint32_t>(values[4]);
  options.version = static_cast<std::uint32_t>(values[5]);
  options.distinctPlayers = static_cast<std::uint32_t>(values[6]);
  if (options.distinctPlayers != 0 && options.distinctPlayers < options.players) {
    return UsageError("sample", "--distinct-players must be at least --players");
  }
  if (std::uint64_t{options.players} * options.weapons * options.hits > kMaxHitsPerFile) {
    return UsageError("sample", StringPrintf("--players x --weapons x --hits may be at most %llu",
                                             static_cast<unsigned long long>(kMaxHitsPerFile)));
  }

  std::uint64_t bytes = 0;
  if (!WriteSampleCorpus(options, parsed.operands[0], &bytes, &error)) {
    return Failure("sample", error);
  }
  std::printf("Wrote %u files, %llu bytes, to %s\n", options.files,
              static_cast<unsigned long long>(bytes), parsed.operands[0].c_str());
  return kExitOk;
}

}  // namespace wus::tool
