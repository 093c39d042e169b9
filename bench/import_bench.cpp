// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and memory of importing published results: 10,000 rows into a new
// lottery (reading, writing, index build and flush), the preview of such a
// file against the demo history, and the peak memory of reading a million
// rows and of a file that is one 60 MB line.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>

#include "app/draw_import.h"
#include "bench_support.h"
#include "model/draw_fields.h"
#include "platform/system_services.h"
#include "store/text_file.h"

// Every allocation of this program is counted, so that the peak of the bytes
// in use can be reported as a counter.
namespace {
std::atomic<std::size_t> gBytesInUse{0};
std::atomic<std::size_t> gPeakBytes{0};
constexpr std::size_t kSizeHeader = alignof(std::max_align_t);

// Out of line, so that the compiler does not take the block for one of
// operator new's own.
#if defined(__GNUC__)
[[gnu::noinline]]
#endif
void FreeBlock(void* memory) {
  char* block = static_cast<char*>(memory) - kSizeHeader;
  gBytesInUse -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size + kSizeHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t inUse = gBytesInUse += size;
  for (std::size_t peak = gPeakBytes; inUse > peak;)
    if (gPeakBytes.compare_exchange_weak(peak, inUse)) break;
  return static_cast<char*>(block) + kSizeHeader;
}

void operator delete(void* memory) noexcept {
  if (memory != nullptr) FreeBlock(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  operator delete(memory);
}

namespace bw {
namespace {

namespace fs = std::filesystem;

class QuietMessages : public MessageSink {
 public:
  MessageAnswer Show(const Message&) override { return MessageAnswer::Ok; }
} gMessages;
SystemClock gClock;

// `rows` rows of the demo draws again and again, one a day from 1900 on (no
// date of the demo history), in the shape of a common publisher.
void WriteLargeFile(const fs::path& file, int rows) {
  const ReadResult demo = ReadTextLines(fs::path(BALLWRIGHT_DEMO_DIR) / "Sample.opt");
  std::ofstream out(file, std::ios::binary);
  out << "\"DRAW NUMBER\",\"DRAW DATE\",\"NUMBER DRAWN 1\",\"NUMBER DRAWN 2\",\"NUMBER DRAWN 3\","
         "\"NUMBER DRAWN 4\",\"NUMBER DRAWN 5\",\"NUMBER DRAWN 6\",\"BONUS NUMBER\"\n";
  const int32_t firstDay = DayNumber({1900, 1, 1});
  for (int row = 0; row < rows; ++row) {
    const DrawFields fields = ParseDrawEntry(demo.lines[row % demo.lines.size()]);
    const CalendarDate date = DateOfDayNumber(firstDay + row % 40'000);
    out << row + 1 << ",\"" << date.year << "-" << TwoDigits(date.month) << "-"
        << TwoDigits(date.day) << "\"";
    for (int k = 1; k <= 7; ++k) out << "," << std::stoi(fields[k]);
    out << "\n";
  }
}

// 10,000 rows into a new lottery (`intoNew`: read, write, index build and
// flush), or their preview against the demo history.
void BM_TenThousandRows(benchmark::State& bench, bool intoNew) {
  const DemoFolder demo;
  const fs::path file = demo.Path() / "large.csv", folder = demo.Path() / "new";
  WriteLargeFile(file, 10'000);
  Session preview(demo.Path(), gMessages, gClock);
  preview.State().lottoFile = "Sample.opt";
  preview.ReadHistory();
  for (auto _ : bench) {
    if (!intoNew) {
      if (PlanImport(preview, file, {}).newEntries.size() != 10'000)
        bench.SkipWithError("not every row read");
      continue;
    }
    bench.PauseTiming();
    fs::remove_all(folder);
    fs::create_directories(folder);
    Session session(folder, gMessages, gClock);
    bench.ResumeTiming();
    std::string error;
    if (!CreateLotteryFromDraws(session, "Demo", {true, 1, 10, 60, 1500, 100000, 1000000, ""},
                                PlanImport(session, file, {}, true), error))
      bench.SkipWithError(error.c_str());
  }
}

// The peak of the bytes in use while reading a file of `rows` rows (0: one
// line of 60 MB), against the limit of 10 bytes for each byte of the file plus 50 MB.
void BM_PeakMemory(benchmark::State& bench, int rows) {
  const DemoFolder demo;
  const fs::path file = demo.Path() / "peak.csv";
  if (rows > 0)
    WriteLargeFile(file, rows);
  else
    std::ofstream(file, std::ios::binary) << std::string(60 << 20, '7');
  Session session(demo.Path(), gMessages, gClock);
  const double fileBytes = static_cast<double>(fs::file_size(file));
  std::size_t peak = 0;
  for (auto _ : bench) {
    gPeakBytes = gBytesInUse.load();
    const std::size_t before = gBytesInUse;
    benchmark::DoNotOptimize(PlanImport(session, file, {}, true).refusal);
    peak = std::max(peak, gPeakBytes.load() - before);
  }
  const double limit = 10 * fileBytes + 50e6;
  bench.counters["file_MB"] = fileBytes / 1e6;
  bench.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  bench.counters["within_limit"] = static_cast<double>(peak) < limit ? 1 : 0;
  if (static_cast<double>(peak) >= limit) bench.SkipWithError("over 10 bytes a byte plus 50 MB");
}

// Each case a fixed number of times, in milliseconds.
#define IMPORT_CASE(function, name, argument, runs) \
  BENCHMARK_CAPTURE(function, name, argument)->Unit(benchmark::kMillisecond)->Iterations(runs)
IMPORT_CASE(BM_TenThousandRows, import_into_new_lottery, true, 10);
IMPORT_CASE(BM_TenThousandRows, preview, false, 10);
IMPORT_CASE(BM_PeakMemory, million_rows, 1'000'000, 1);
IMPORT_CASE(BM_PeakMemory, one_line_of_60MB, 0, 1);

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
