// The micro-benchmarks' in-memory corpora.
#include "bench/bench_corpus.h"

#include <cstring>

#include "stats/loader.h"
#include "stats/wus_file.h"
#include "text/log.h"
#include "tools/sample.h"

namespace wus::bench {
namespace {

BenchCorpus MakeCorpus(const tool::SampleOptions& options) {
  BenchCorpus corpus;
  tool::SampleCorpus sample(options);
  WusFile file;
  std::string name;
  while (sample.Next(&file, &name)) {
    std::string path = "/corpus/" + name;
    std::string data = EncodeWusFile(file);
    for (const WusPlayer& player : file.players) {
      for (const WusWeapon& weapon : player.weapons) corpus.hits += weapon.hits.size();
    }
    corpus.totalBytes += data.size();
    corpus.paths.push_back(path);
    corpus.bytes.emplace(path, std::move(data));
  }
  return corpus;
}

class MemoryFile final : public SequentialFile {
 public:
  explicit MemoryFile(const std::string& bytes) : bytes_(bytes) {}
  bool Read(char* buffer, std::size_t n, std::size_t* got, std::string*) override {
    *got = std::min(n, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, *got);
    pos_ += *got;
    return true;
  }

 private:
  const std::string& bytes_;
  std::size_t pos_ = 0;
};

tool::SampleOptions Options(std::uint64_t seed, std::uint32_t files, std::uint32_t players,
                            std::uint32_t hits, std::uint32_t distinctPlayers) {
  tool::SampleOptions options;
  options.seed = seed;
  options.files = files;
  options.players = players;
  options.weapons = 12;
  options.hits = hits;
  options.distinctPlayers = distinctPlayers;
  return options;
}

}  // namespace

const BenchCorpus& MonthSlice() {
  static const BenchCorpus corpus = MakeCorpus(Options(1, 100, 16, 30, 0));
  return corpus;
}

const BenchCorpus& CrowdSlice() {
  static const BenchCorpus corpus = MakeCorpus(Options(2, 200, 100, 3, 20000));
  return corpus;
}

std::unique_ptr<SequentialFile> CorpusFileSystem::OpenForRead(const std::string& path,
                                                              std::string* error) {
  auto found = corpus_.bytes.find(path);
  if (found == corpus_.bytes.end()) {
    *error = "no such file";
    return nullptr;
  }
  return std::make_unique<MemoryFile>(found->second);
}

std::unique_ptr<WritableFile> CorpusFileSystem::CreateNew(const std::string&, std::string* error,
                                                          bool* exists) {
  if (exists != nullptr) *exists = false;
  *error = "read-only";
  return nullptr;
}

bool CorpusFileSystem::Rename(const std::string&, const std::string&, std::string* error) {
  *error = "read-only";
  return false;
}

void LoadCorpus(const BenchCorpus& corpus, StatsAggregate& aggregate) {
  CorpusFileSystem fileSystem(corpus);
  std::string console;
  SetConsoleCapture(&console);
  for (const std::string& path : corpus.paths) {
    LoadStatsFile(path, aggregate, fileSystem);
    console.clear();
  }
  SetConsoleCapture(nullptr);
}

}  // namespace wus::bench
