// Writes the seed corpora of the fuzz targets: `wus_fuzz_seeds DIR` fills
// DIR/load and DIR/merge with the seeds of fuzz_seeds.h.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/fuzz/fuzz_seeds.h"

namespace {

bool WriteSeeds(const std::filesystem::path& dir, const std::vector<wus::fuzz::Seed>& seeds) {
  std::filesystem::create_directories(dir);
  for (const wus::fuzz::Seed& seed : seeds) {
    std::ofstream out(dir / seed.name, std::ios::binary);
    out.write(seed.bytes.data(), static_cast<std::streamsize>(seed.bytes.size()));
    if (!out) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wus_fuzz_seeds DIR\n");
    return 2;
  }
  std::filesystem::path dir = argv[1];
  if (!WriteSeeds(dir / "load", wus::fuzz::LoadSeeds()) ||
      !WriteSeeds(dir / "merge", wus::fuzz::MergeSeeds())) {
    std::fprintf(stderr, "wus_fuzz_seeds: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
