// `wustool sample`: a reproducible corpus of realistic WUS files. The same
// options give the same files, byte for byte. Files are made and written one
// at a time, so a corpus of any size needs the memory of one file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/wus_file.h"
#include "tools/sample_random.h"

namespace wus::tool {

struct SampleOptions {
  std::uint64_t seed = 0;
  std::uint32_t files = 0;
  std::uint32_t players = 8;  // players in each file
  std::uint32_t weapons = 6;  // weapon records of each player
  std::uint32_t hits = 10;    // hit records per weapon, on average
  std::uint32_t version = 2;
  std::uint32_t distinctPlayers = 0;  // size of the name pool; 0: twice `players`
};

// Makes the files of a corpus in order. Players are drawn from a pool of
// distinct names (distinct also with ASCII case folded) in rounds: every
// name is used once before any is used again, so a corpus of at least
// distinctPlayers / players files holds every name of the pool.
class SampleCorpus {
 public:
  // `options` must be valid: players >= 1, players <= pool size, version <= 2.
  explicit SampleCorpus(const SampleOptions& options);

  // Returns false when every file has been made; otherwise fills `*file`
  // and `*name` (for example "(Alpha)_(Bravo)_17.wus") with the next one.
  bool Next(WusFile* file, std::string* name);

  const std::vector<std::string>& namePool() const { return pool_; }

 private:
  void BuildPool();
  // The names of the next file's players, as spelled in that file.
  void PickPlayers(std::uint32_t fileIndex, SampleRandom& rng, std::vector<std::string>* names);
  void MakePlayer(SampleRandom& rng, const std::vector<std::string>& names, std::size_t index,
                  std::size_t team, WusFile* file);
  void MakeWeapon(SampleRandom& rng, const std::vector<std::string>& names, std::size_t self,
                  std::size_t team, std::uint32_t catalogIndex, WusWeapon* weapon);

  SampleOptions options_;
  std::uint32_t poolSize_;
  std::vector<std::string> pool_;
  std::vector<std::uint32_t> round_;  // the current round's order of the pool
  std::uint64_t roundNumber_ = 0;
  std::size_t roundPos_ = 0;
  std::vector<std::uint32_t> lastFileUse_;  // per pool name: 1 + the last file using it
  std::vector<std::uint32_t> loadout_;      // scratch: catalogue indices to choose from
  std::uint32_t nextFile_ = 0;
};

// Writes the corpus of `options` into `dir`, which is created if missing;
// files of the same names are replaced. Returns false, with `*error`, at the
// first file that cannot be written. `*bytes` gets the corpus size.
bool WriteSampleCorpus(const SampleOptions& options, const std::string& dir, std::uint64_t* bytes,
                       std::string* error);

// The command; `args` are the arguments after "sample". Returns the exit status.
int RunSample(const std::vector<std::string>& args);

}  // namespace wus::tool
