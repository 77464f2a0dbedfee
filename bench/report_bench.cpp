// Micro-benchmarks of the report: each section writer on the loaded month
// slice and on the wide crowd slice, into a sink that drops the bytes.
#include <benchmark/benchmark.h>

#include "app/driver.h"
#include "bench/bench_corpus.h"
#include "report/sections.h"
#include "text/report_stream.h"

namespace wus::bench {
namespace {

using Writer = void (*)(const StatsAggregate&, ReportStream&);

StatsAggregate& Loaded(const BenchCorpus& corpus) {
  static StatsAggregate month;
  static StatsAggregate crowd;
  static bool loaded[2] = {false, false};
  bool isMonth = &corpus == &MonthSlice();
  StatsAggregate& aggregate = isMonth ? month : crowd;
  if (!loaded[isMonth ? 0 : 1]) {
    LoadCorpus(corpus, aggregate);
    loaded[isMonth ? 0 : 1] = true;
  }
  return aggregate;
}

void BM_Write(benchmark::State& state, const BenchCorpus& (*corpusOf)(), Writer writer) {
  const StatsAggregate& aggregate = Loaded(corpusOf());
  NullWritableFile sink;
  for (auto _ : state) {
    ReportStream stream(&sink);
    writer(aggregate, stream);
    std::string error;
    stream.Flush(&error);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(sink.bytes));
  state.counters["players"] = static_cast<double>(aggregate.m_Players.size());
}

#define WUS_WRITER_BENCHMARKS(writer)                                                    \
  BENCHMARK_CAPTURE(BM_Write, writer##_month, &MonthSlice, static_cast<Writer>(&writer)) \
      ->Unit(benchmark::kMillisecond);                                                   \
  BENCHMARK_CAPTURE(BM_Write, writer##_crowd, &CrowdSlice, static_cast<Writer>(&writer)) \
      ->Unit(benchmark::kMillisecond)

WUS_WRITER_BENCHMARKS(WriteUsedFilesList);
WUS_WRITER_BENCHMARKS(WriteWeaponPurchaseTable);
WUS_WRITER_BENCHMARKS(WriteWeaponKillTable);
WUS_WRITER_BENCHMARKS(WriteWeaponEfficiencyTable);
WUS_WRITER_BENCHMARKS(WriteWeaponAccuracyTable);
WUS_WRITER_BENCHMARKS(WriteRangeEffectivenessTable);
WUS_WRITER_BENCHMARKS(WriteHitsByBoneTable);
WUS_WRITER_BENCHMARKS(WriteLethalHitsByBoneTable);
WUS_WRITER_BENCHMARKS(WriteAverageMoneyTable);
WUS_WRITER_BENCHMARKS(WriteItemPurchaseTable);
WUS_WRITER_BENCHMARKS(WriteAverageLifetimeTable);
WUS_WRITER_BENCHMARKS(WriteReport);

}  // namespace
}  // namespace wus::bench
