// `wustool make`: JSON in, WUS file out. Nothing is written unless the whole
// document is valid.
#include "tools/make.h"

#include <cstdio>

#include "tools/command_line.h"
#include "tools/file_io.h"
#include "tools/json_codec.h"

namespace wus::tool {
namespace {

constexpr char kHelp[] =
    "Usage: wustool make IN.json OUT.wus\n"
    "Writes the WUS file that IN.json describes to OUT.wus, byte for byte. IN.json\n"
    "has the form that 'wustool dump' prints, so dump followed by make gives back\n"
    "the same file. Missing numbers are 0, missing texts and lists empty, and a\n"
    "missing count (NumPlayers, NumWeapons, dwNumHits) is the length of its list.\n"
    "Floats are numbers or \"Infinity\", \"-Infinity\", \"NaN\" or \"0x\" and eight hex\n"
    "digits (the float's bits). Unknown keys, wrong types and values out of range\n"
    "are errors, and then nothing is written.\n"
    "Exit status: 0 done, 1 IN.json is not valid or OUT.wus cannot be written,\n"
    "2 wrong arguments.\n";

}  // namespace

bool MakeWusBytes(std::string_view json, std::string* bytes, std::vector<std::string>* warnings,
                  std::string* error) {
  WusDescription description;
  if (!ParseWusJson(json, &description, error)) return false;
  if (!EncodeDescription(description, bytes, error)) return false;
  *warnings = std::move(description.warnings);
  return true;
}

int RunMake(const std::vector<std::string>& args) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {}, &parsed, &error)) return UsageError("make", error);
  if (parsed.help) return PrintText(kHelp);
  if (parsed.operands.size() != 2) return UsageError("make", "expects IN.json and OUT.wus");
  const std::string& in = parsed.operands[0];
  const std::string& out = parsed.operands[1];
  std::string json;
  if (!ReadWholeFile(in, &json, &error))
    return Failure("make", "cannot read '" + in + "': " + error);
  std::string bytes;
  std::vector<std::string> warnings;
  if (!MakeWusBytes(json, &bytes, &warnings, &error)) return Failure("make", in + ": " + error);
  for (const std::string& warning : warnings) {
    std::fprintf(stderr, "wustool make: %s: warning: %s\n", in.c_str(), warning.c_str());
  }
  if (!WriteWholeFile(FileSystem::Default(), out, bytes, &error)) {
    return Failure("make", "cannot write '" + out + "': " + error);
  }
  return kExitOk;
}

}  // namespace wus::tool
