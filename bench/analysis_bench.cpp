// Speed of the line check and of the full system on the demo lottery.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include "analysis/all_lines_search.h"
#include "analysis/full_system.h"
#include "analysis/single_line_check.h"
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
    state.appFolder = fs::temp_directory_path() / "ballwright-analysis-bench";
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

std::vector<Line> RandomLines(int count) {
  std::mt19937 generator(1);
  std::vector<Line> lines;
  for (int i = 0; i < count; ++i) lines.push_back(LineAtRank(generator() % kAllLinesCount));
  return lines;
}

void BM_SingleLineCheckCached(benchmark::State& bench) {
  DemoLottery& demo = Demo();
  const auto lines = RandomLines(1024);
  std::size_t i = 0;
  for (auto _ : bench) {
    benchmark::DoNotOptimize(CheckSingleLine(lines[i++ % lines.size()], demo.DrawCount(),
                                             demo.state.settings, demo.state.tables, *demo.index));
  }
}
BENCHMARK(BM_SingleLineCheckCached);

void BM_SingleLineCheckReadingFiles(benchmark::State& bench) {
  DemoLottery& demo = Demo();
  FileIndexLookup index(demo.state);
  const auto lines = RandomLines(64);
  std::size_t i = 0;
  for (auto _ : bench) {
    benchmark::DoNotOptimize(CheckSingleLine(lines[i++ % lines.size()], demo.DrawCount(),
                                             demo.state.settings, demo.state.tables, index));
  }
}
BENCHMARK(BM_SingleLineCheckReadingFiles)->Unit(benchmark::kMicrosecond);

void BM_FullSystem924Lines(benchmark::State& bench) {
  DemoLottery& demo = Demo();
  const auto patterns = BuildSystemPatterns();
  for (auto _ : bench) {
    std::array<std::string, 13> selected{"",   "3",  "8",  "11", "17", "20", "24",
                                         "29", "33", "38", "41", "45", "49"};
    SystemCounters counters;
    std::size_t rowBytes = 0;
    SystemRunHooks hooks;
    hooks.onRow = [&rowBytes](int, const std::string& row, const SingleLineResult&) {
      rowBytes += row.size();
    };
    RunFullSystem(
        BuildSystemLines(selected, patterns),
        [&demo](const Line& line) {
          return CheckSingleLine(line, demo.DrawCount(), demo.state.settings, demo.state.tables,
                                 *demo.index);
        },
        counters, hooks);
    benchmark::DoNotOptimize(rowBytes);
  }
}
BENCHMARK(BM_FullSystem924Lines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
