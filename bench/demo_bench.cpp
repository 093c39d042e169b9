// SPDX-License-Identifier: GPL-3.0-or-later
// Speed on the demo lottery (3,799 draws): the first and a later start, the
// line check, the full system of twelve numbers and the search of all lines.
#include <benchmark/benchmark.h>

#include <random>

#include "analysis/all_lines_search.h"
#include "analysis/full_system.h"
#include "bench_support.h"

namespace bw {
namespace {

void BM_FirstStart(benchmark::State& bench) {
  DemoFolder folder;
  for (auto _ : bench) {
    bench.PauseTiming();
    folder.ForgetIndex();
    ProgramState state;
    bench.ResumeTiming();
    folder.Start(state);
  }
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LaterStart(benchmark::State& bench) {
  DemoFolder folder;
  ProgramState first;
  folder.Start(first);  // builds the index and its marker
  for (auto _ : bench) {
    ProgramState state;
    folder.Start(state);
    benchmark::DoNotOptimize(state.draws.size());
  }
}
BENCHMARK(BM_LaterStart)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SingleLineCheckCached(benchmark::State& bench) {
  LoadedDemo& demo = Loaded();
  std::vector<Line> lines;
  for (std::mt19937 generator(1); lines.size() < 1024;)
    lines.push_back(LineAtRank(generator() % kAllLinesCount));
  std::size_t i = 0;
  for (auto _ : bench) benchmark::DoNotOptimize(demo.Check(lines[i++ % lines.size()]));
}
BENCHMARK(BM_SingleLineCheckCached);

void BM_FullSystem924Lines(benchmark::State& bench) {
  LoadedDemo& demo = Loaded();
  const auto patterns = BuildSystemPatterns();
  for (auto _ : bench) {
    std::array<std::string, 13> selected{"",   "3",  "8",  "11", "17", "20", "24",
                                         "29", "33", "38", "41", "45", "49"};
    SystemCounters counters;
    std::size_t rowBytes = 0;
    SystemRunHooks hooks;
    hooks.onRow = [&](int, const std::string& row, const SingleLineResult&) {
      rowBytes += row.size();
    };
    RunFullSystem(
        BuildSystemLines(selected, patterns), [&](const Line& line) { return demo.Check(line); },
        counters, hooks);
    benchmark::DoNotOptimize(rowBytes);
  }
}
BENCHMARK(BM_FullSystem924Lines)->Unit(benchmark::kMillisecond);

// Everything a search of all lines costs, on one thread and on two.
void BM_WholeSearch(benchmark::State& bench) {
  LoadedDemo& demo = Loaded();
  std::size_t found = 0;
  for (auto _ : bench) {
    AllLinesSearch search(demo.state.tables, demo.index,
                          static_cast<int32_t>(demo.state.draws.size()), demo.state.settings,
                          static_cast<int>(bench.range(0)));
    std::vector<FoundLine> lines;
    search.CheckSlice({1, 2, 3, 4, 5, 6}, kAllLinesCount, lines);
    found = lines.size();
  }
  bench.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_WholeSearch)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
