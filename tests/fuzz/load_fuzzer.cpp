// libFuzzer target: the input is one WUS file, loaded and reported as
// wusreport does (see fuzz_checks.h for what is checked).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string failure =
      wus::fuzz::CheckWusFile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "wus_load_fuzzer: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
