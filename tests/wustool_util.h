// Helpers for wustool's tests: dump and make on bytes in memory.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "tools/dump.h"
#include "tools/make.h"

namespace wus::test {

// A SequentialFile over bytes in memory, handed out in pieces of 7 bytes so
// that reads cross piece boundaries.
class StringSequentialFile final : public SequentialFile {
 public:
  explicit StringSequentialFile(std::string_view bytes) : bytes_(bytes) {}
  bool Read(char* buffer, std::size_t n, std::size_t* got, std::string*) override {
    *got = std::min({n, bytes_.size() - pos_, std::size_t{7}});
    std::memcpy(buffer, bytes_.data() + pos_, *got);
    pos_ += *got;
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Returns the JSON that `wustool dump` writes for a file holding `bytes`,
// or "" if it refuses: then `*error` gets the reason, or, without `error`,
// the test fails.
inline std::string DumpBytes(std::string_view bytes, std::string* error = nullptr) {
  StringSequentialFile file(bytes);
  std::string json;
  std::string reason;
  tool::DumpSummary summary;
  bool ok = tool::DumpWusFile(
      file, [&json](std::string_view text) { json.append(text); }, &summary, &reason);
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
  std::string bytes;
  std::string error;
  std::vector<std::string> warnings;
  EXPECT_TRUE(tool::MakeWusBytes(json, &bytes, &warnings, &error)) << error;
  return bytes;
}

}  // namespace wus::test
