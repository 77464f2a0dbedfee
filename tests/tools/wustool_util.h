// Helpers for wustool's tests: dump and make on bytes in memory.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "tests/faulty_file_system.h"
#include "tests/memory_file_system.h"
#include "tools/dump.h"
#include "tools/make.h"

namespace wus::test {

// Returns the JSON that `wustool dump` writes for a file holding `bytes`,
// read in pieces of 7 bytes so that reads cross piece boundaries; or "" if
// it refuses: then `*error` gets the reason, or, without `error`, the test
// fails.
inline std::string DumpBytes(std::string_view bytes, std::string* error = nullptr) {
  MemoryFileSystem memory;
  memory.SetFile("f.wus", std::string(bytes));
  FaultPlan plan;
  plan.readChunk = 7;
  FaultyFileSystem pieces(memory, plan);
  std::string json, reason;
  tool::DumpSummary summary;
  bool ok = tool::DumpWusFile(
      *pieces.OpenForRead("f.wus", &reason), [&json](std::string_view text) { json.append(text); },
      &summary, &reason);
  if (error != nullptr) {
    *error = reason;
  } else {
    EXPECT_TRUE(ok) << reason;
  }
  return ok ? json : std::string();
}

// Returns the parsed JSON of DumpBytes(bytes).
inline nlohmann::json DumpAsJson(std::string_view bytes) {
  return nlohmann::json::parse(DumpBytes(bytes));
}

// Returns what `wustool make` writes for `json`; the test fails if it refuses.
inline std::string MakeBytes(std::string_view json) {
  std::string bytes, error;
  std::vector<std::string> warnings;
  EXPECT_TRUE(tool::MakeWusBytes(json, &bytes, &warnings, &error)) << error;
  return bytes;
}

}  // namespace wus::test
