// In-memory corpora for the micro-benchmarks, made by wustool's sample
// generator: the files' bytes, a file system that serves them, and the
// aggregate they load into. Nothing touches the disk, so the numbers show
// the code alone.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "stats/model.h"

namespace wus::bench {

struct BenchCorpus {
  std::vector<std::string> paths;  // in load order
  std::map<std::string, std::string> bytes;
  std::uint64_t hits = 0;
  std::uint64_t totalBytes = 0;
};

// A slice of the month corpus: 100 files, 16 players of 32, 12 weapons,
// 30 hits per weapon. Made on first use; lives for the program.
const BenchCorpus& MonthSlice();
// A wide corpus: 200 files of 100 players each, drawn from 20000 names,
// 12 weapons, 3 hits per weapon.
const BenchCorpus& CrowdSlice();

// Serves a corpus's files for reading; writing is not supported.
class CorpusFileSystem final : public FileSystem {
 public:
  explicit CorpusFileSystem(const BenchCorpus& corpus) : corpus_(corpus) {}
  std::unique_ptr<SequentialFile> OpenForRead(const std::string& path, std::string* error) override;
  std::unique_ptr<WritableFile> CreateNew(const std::string&, std::string* error,
                                          bool* exists) override;
  bool Rename(const std::string&, const std::string&, std::string* error) override;
  void Remove(const std::string&) override {}

 private:
  const BenchCorpus& corpus_;
};

// Loads every file of `corpus` into `aggregate`; the console text is dropped.
void LoadCorpus(const BenchCorpus& corpus, StatsAggregate& aggregate);

// A WritableFile that counts and drops its bytes.
class NullWritableFile final : public WritableFile {
 public:
  bool Append(std::string_view data, std::string*) override {
    bytes += data.size();
    return true;
  }
  bool Close(std::string*) override { return true; }
  std::uint64_t bytes = 0;
};

}  // namespace wus::bench
