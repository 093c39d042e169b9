// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the analyses over dates on the demo lottery (3,799 draws): the
// hits of a line, a change of date range (the check and the hits again), and
// the distribution of all 13,983,816 lines, alone and from a cold start.
#include <benchmark/benchmark.h>

#include "analysis/line_hits.h"
#include "analysis/percentage_distribution.h"
#include "bench_support.h"
#include "model/day_number.h"

namespace bw {
namespace {

const Line kLine{3, 11, 12, 14, 41, 43};

void BM_LineHitsWholeHistory(benchmark::State& bench) {
  const LoadedDemo& demo = Loaded();
  const std::vector<DatedDraw> draws = DatedDrawsOf(demo.state.draws);
  for (auto _ : bench)
    benchmark::DoNotOptimize(FindLineHits(kLine, draws, demo.state.draws, demo.state.settings));
}
BENCHMARK(BM_LineHitsWholeHistory)->Unit(benchmark::kMicrosecond);

// What the window does when the range changes: choose the draws, check the
// line over them and list its hits with the running balance.
void BM_RangeChange(benchmark::State& bench) {
  const LoadedDemo& demo = Loaded();
  const std::vector<DatedDraw> draws = DatedDrawsOf(demo.state.draws);
  const DateRange range{DayNumber({1995, 1, 1}), DayNumber({2015, 12, 31})};
  for (auto _ : bench) {
    const std::vector<DatedDraw> chosen = DrawsInRange(draws, range);
    benchmark::DoNotOptimize(CheckOverDraws(kLine, chosen, demo.state.settings));
    const LineHits hits = FindLineHits(kLine, chosen, demo.state.draws, demo.state.settings);
    benchmark::DoNotOptimize(RunningBalance(hits, chosen, demo.state.settings.stake));
  }
}
BENCHMARK(BM_RangeChange)->Unit(benchmark::kMicrosecond);

void BM_DistributionOfAllLines(benchmark::State& bench) {
  const LoadedDemo& demo = Loaded();
  const DistributionInput input{demo.state.draws, static_cast<int32_t>(demo.state.draws.size()),
                                demo.state.settings};
  for (auto _ : bench) benchmark::DoNotOptimize(PercentageDistribution(input));
}
BENCHMARK(BM_DistributionOfAllLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command line's work: start the lottery, then count all lines.
void BM_DistributionFromStart(benchmark::State& bench) {
  const LoadedDemo& demo = Loaded();
  for (auto _ : bench) {
    ProgramState state;
    demo.folder.Start(state);
    benchmark::DoNotOptimize(PercentageDistribution(
        {state.draws, static_cast<int32_t>(state.draws.size()), state.settings}));
  }
}
BENCHMARK(BM_DistributionFromStart)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
