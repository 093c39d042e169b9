// Start-up of the demo lottery (3,799 draws): the first start reads the
// history, counts it and builds the combination index; a later start finds
// the index marker and only reads and counts.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "model/counting_tables.h"
#include "model/program_state.h"
#include "store/history_file.h"
#include "store/integration.h"

namespace {

namespace fs = std::filesystem;

constexpr double kTableBytes =
    2.0 * (50 + 50 * 50 + 50 * 50 * 50 + 50.0 * 50 * 50 * 50);  // 16-bit counts

// A program folder holding only a copy of the demo history.
class DemoFolder {
 public:
  DemoFolder() {
    std::random_device device;
    path_ = fs::temp_directory_path() / ("ballwright-bench-" + std::to_string(device()));
    fs::create_directories(path_);
    fs::copy_file(fs::path(BALLWRIGHT_DEMO_DIR) / "Sample.opt", path_ / "Sample.opt");
  }
  ~DemoFolder() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }
  // Back to a folder that has never been started: the history file alone.
  void ForgetIndex() const {
    for (const auto& entry : fs::directory_iterator(path_)) {
      if (entry.path().filename() != "Sample.opt") fs::remove(entry.path());
    }
  }

 private:
  fs::path path_;
};

std::size_t Start(const DemoFolder& folder) {
  bw::ProgramState state;
  state.appFolder = folder.Path();
  state.lottoFile = "Sample.opt";
  bw::ReadHistoryFile(state, 1);
  bw::IntegrateDraws(state, true, false);
  return state.draws.size();
}

void BM_FirstStart(benchmark::State& state) {
  DemoFolder folder;
  for (auto _ : state) {
    state.PauseTiming();
    folder.ForgetIndex();
    state.ResumeTiming();
    benchmark::DoNotOptimize(Start(folder));
  }
  state.counters["table_MB"] = kTableBytes / 1e6;
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LaterStart(benchmark::State& state) {
  DemoFolder folder;
  Start(folder);  // builds the index and its marker
  for (auto _ : state) benchmark::DoNotOptimize(Start(folder));
  state.counters["table_MB"] = kTableBytes / 1e6;
}
BENCHMARK(BM_LaterStart)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
