// libFuzzer target: the input is up to three WUS files joined by the merge
// separator, loaded one after the other into one report (see fuzz_checks.h).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string failure =
      wus::fuzz::CheckMergedWusFiles(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "wus_merge_fuzzer: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
