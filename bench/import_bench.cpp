// Speed of importing published results: the demo lottery's 3,799-row file
// into a new lottery (reading, writing, index build and flush), and the
// preview of a 10,000-row file against the demo history.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "app/draw_import.h"
#include "bench_support.h"
#include "model/draw_fields.h"
#include "platform/system_services.h"
#include "store/history_file.h"
#include "store/text_file.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class QuietMessages : public MessageSink {
 public:
  MessageAnswer Show(const Message&) override { return MessageAnswer::Ok; }
};

void BM_ImportIntoNewLottery(benchmark::State& bench) {
  const ScratchFolder scratch("ballwright-import-bench-");
  const fs::path& folder = scratch.Path();
  QuietMessages messages;
  SystemClock clock;
  LotterySettings settings{true, 1, 10, 60, 1500, 100000, 1000000};
  for (auto _ : bench) {
    bench.PauseTiming();
    fs::remove_all(folder);
    fs::create_directories(folder);
    Session session(folder, messages, clock);
    bench.ResumeTiming();
    const DrawMerge merge =
        PlanImport(session, fs::path(BALLWRIGHT_IMPORT_DATA) / "Sample-results.csv", {}, true);
    std::string error;
    if (!CreateLotteryFromDraws(session, "Demo", settings, merge, error))
      bench.SkipWithError(error.c_str());
  }
}
BENCHMARK(BM_ImportIntoNewLottery)->Unit(benchmark::kMillisecond)->Iterations(10);

// 10,000 rows: the demo draws again and again, a week apart from 2021 on.
void WriteLargeFile(const fs::path& file) {
  const ReadResult demo = ReadTextLines(fs::path(BALLWRIGHT_DEMO_DIR) / "Sample.opt");
  std::ofstream out(file, std::ios::binary);
  out << "\"DRAW NUMBER\",\"DRAW DATE\",\"NUMBER DRAWN 1\",\"NUMBER DRAWN 2\",\"NUMBER DRAWN 3\","
         "\"NUMBER DRAWN 4\",\"NUMBER DRAWN 5\",\"NUMBER DRAWN 6\",\"BONUS NUMBER\"\n";
  const int32_t firstDay = DayNumber({2021, 1, 2});
  for (int row = 0; row < 10'000; ++row) {
    const DrawFields fields = ParseDrawEntry(demo.lines[row % demo.lines.size()]);
    const CalendarDate date = DateOfDayNumber(firstDay + 7 * row);
    out << row + 1 << ",\"" << date.year << "-" << TwoDigits(date.month) << "-"
        << TwoDigits(date.day) << "\"";
    for (int k = 1; k <= 7; ++k) out << "," << std::stoi(fields[k]);
    out << "\n";
  }
}

void BM_PreviewOf10000Rows(benchmark::State& bench) {
  const DemoFolder demo;
  const fs::path& folder = demo.Path();
  WriteLargeFile(folder / "large.csv");
  QuietMessages messages;
  SystemClock clock;
  Session session(folder, messages, clock);
  session.State().lottoFile = "Sample.opt";
  session.ReadHistory();
  for (auto _ : bench) {
    const DrawMerge merge = PlanImport(session, folder / "large.csv", {});
    if (merge.newEntries.size() != 10'000) bench.SkipWithError("not every row read");
  }
}
BENCHMARK(BM_PreviewOf10000Rows)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
