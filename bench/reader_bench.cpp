// Micro-benchmarks of the input side: the byte reader walking every record
// of a file, and the loader summing whole files into an aggregate.
#include <benchmark/benchmark.h>

#include "bench/bench_corpus.h"
#include "stats/byte_reader.h"
#include "stats/loader.h"
#include "stats/wus_records.h"
#include "text/log.h"

namespace wus::bench {
namespace {

// Reads every record of every file of the month slice, as wustool's dump
// and the loader do, without summing anything.
void BM_ReadRecords(benchmark::State& state) {
  const BenchCorpus& corpus = MonthSlice();
  CorpusFileSystem fileSystem(corpus);
  WusPlayerRecord player;
  WusWeaponRecord weapon;
  WusHitRecord hit;
  for (auto _ : state) {
    for (const std::string& path : corpus.paths) {
      std::string error;
      auto file = fileSystem.OpenForRead(path, &error);
      ByteReader in(file.get());
      in.ReadU32();
      std::uint32_t version = in.ReadU32();
      for (int i = 0; i < 3; ++i) ReadTriple(in);
      std::uint32_t players = in.ReadU32();
      for (std::uint32_t p = 0; p < players; ++p) {
        ReadPlayerRecord(in, &player);
        for (std::uint32_t w = 0; w < player.numWeapons; ++w) {
          ReadWeaponRecord(in, &weapon);
          for (std::uint32_t h = 0; h < weapon.numHitRecords; ++h) ReadHitRecord(in, version, &hit);
        }
      }
      benchmark::DoNotOptimize(hit);
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.totalBytes));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(corpus.hits));
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMillisecond);

// Loads every file of a corpus into a fresh aggregate.
void BM_LoadCorpus(benchmark::State& state, const BenchCorpus& (*corpusOf)()) {
  const BenchCorpus& corpus = corpusOf();
  for (auto _ : state) {
    StatsAggregate aggregate;
    LoadCorpus(corpus, aggregate);
    benchmark::DoNotOptimize(aggregate.m_Players.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.totalBytes));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(corpus.hits));
}
BENCHMARK_CAPTURE(BM_LoadCorpus, month, &MonthSlice)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadCorpus, crowd, &CrowdSlice)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wus::bench
