// Speed of the search through all 13,983,816 lines on the demo lottery.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "analysis/all_lines_search.h"
#include "store/history_file.h"
#include "store/integration.h"
#include "store/settings_files.h"

namespace bw {
namespace {

// The demo lottery copied into a scratch program folder and integrated.
struct DemoLottery {
  ProgramState state;
  std::unique_ptr<CachedIndexLookup> index;
  DemoLottery() {
    namespace fs = std::filesystem;
    state.appFolder = fs::temp_directory_path() / "ballwright-search-bench";
    fs::create_directories(state.appFolder);
    for (const char* name : {"Sample.opt", "Sample.ini"})
      fs::copy_file(fs::path(BALLWRIGHT_DEMO_DIR) / name, state.appFolder / name,
                    fs::copy_options::overwrite_existing);
    state.lottoFile = "Sample.opt";
    ReadLotterySettings(state);
    ReadHistoryFile(state, 45000);
    IntegrateDraws(state, true, true);
    index = std::make_unique<CachedIndexLookup>(state);
  }
  int32_t DrawCount() const { return static_cast<int32_t>(state.draws.size()); }
};

DemoLottery& Demo() {
  static DemoLottery demo;
  return demo;
}

// Everything a search of all lines costs: preparing it and all the slices.
void BM_WholeSearch(benchmark::State& bench) {
  DemoLottery& demo = Demo();
  const int threads = static_cast<int>(bench.range(0));
  std::size_t found = 0;
  for (auto _ : bench) {
    AllLinesSearch search(demo.state.tables, *demo.index, demo.DrawCount(), demo.state.settings,
                          threads);
    std::vector<FoundLine> lines;
    search.CheckSlice({1, 2, 3, 4, 5, 6}, kAllLinesCount, lines);
    found = lines.size();
  }
  bench.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_WholeSearch)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrepareSearch(benchmark::State& bench) {
  DemoLottery& demo = Demo();
  for (auto _ : bench) {
    AllLinesSearch search(demo.state.tables, *demo.index, demo.DrawCount(), demo.state.settings);
    benchmark::DoNotOptimize(&search);
  }
}
BENCHMARK(BM_PrepareSearch)->Unit(benchmark::kMillisecond);

// The window's way: slices of about a million lines one after the other.
void BM_WholeSearchInSlices(benchmark::State& bench) {
  DemoLottery& demo = Demo();
  for (auto _ : bench) {
    AllLinesSearch search(demo.state.tables, *demo.index, demo.DrawCount(), demo.state.settings);
    std::vector<FoundLine> lines;
    std::optional<Line> next = Line{1, 2, 3, 4, 5, 6};
    while (next) next = search.CheckSlice(*next, 1'000'000, lines).next;
    benchmark::DoNotOptimize(lines.size());
  }
}
BENCHMARK(BM_WholeSearchInSlices)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
