// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of a correction of one draw by hand, the save of the history and the
// index brought up to date included: in the demo lottery (3,799 draws) and in
// the longest history the counting tables take (32,767 draws).
#include <benchmark/benchmark.h>

#include <fstream>

#include "app/history_edit.h"
#include "bench_support.h"
#include "model/draw_fields.h"
#include "platform/system_services.h"

namespace bw {
namespace {

class QuietSink : public MessageSink {
 public:
  MessageAnswer Show(const Message&) override { return MessageAnswer::Yes; }
};

// A history of `count` draws, one a day from 1920, numbers dealt at random.
void WriteLongHistory(const std::filesystem::path& folder, int count) {
  std::filesystem::copy_file(std::filesystem::path(BALLWRIGHT_DEMO_DIR) / "Sample.ini",
                             folder / "Long.ini");
  std::ofstream file(folder / "Long.opt", std::ios::binary);
  std::mt19937 generator(7);
  const int32_t first = DayNumber({1920, 1, 1});
  for (int i = 0; i < count; ++i) {
    std::vector<int> numbers(kHighestNumber);
    std::iota(numbers.begin(), numbers.end(), kLowestNumber);
    std::shuffle(numbers.begin(), numbers.end(), generator);
    Line line;
    std::copy_n(numbers.begin(), 6, line.begin());
    std::sort(line.begin(), line.end());
    file << FormatDrawEntry(DateOfDayNumber(first + i), line, numbers[6]) << "\r\n";
  }
}

// Corrects the middle draw of the lottery's history (its numbers shifted by
// one), then takes the correction back, each one correction timed.
void CorrectMiddleDraw(benchmark::State& bench, const std::filesystem::path& folder,
                       const std::string& lottery) {
  QuietSink messages;
  SystemClock clock;
  Session session(folder, messages, clock);
  session.State().lottoFile = lottery + ".opt";
  ReadLotterySettings(session.State());
  session.LoadHistory();
  const std::size_t middle = session.State().draws.size() / 2;
  std::string date;
  DrawFields fields = ParseDrawEntry(session.State().draws[middle], &date);
  Line line;
  for (int k = 0; k < 6; ++k) line[k] = FieldNumber(fields[k + 1]);
  const int spare = line[5] == kHighestNumber ? line[0] - 1 : line[5] + 1;
  line[line[5] == kHighestNumber ? 0 : 5] = spare;
  std::sort(line.begin(), line.end());
  const PlannedEdit planned = PlanCorrection(
      session, middle, FormatDrawEntry(*ParseDrawDate(date), line, FieldNumber(fields[7])));
  if (planned.refusal) bench.SkipWithError(planned.refusal->text.c_str());
  HistoryEdit edit = planned.edit;
  for (auto _ : bench) {
    const HistoryChangeResult result = ApplyHistoryEdit(session, edit);
    if (result.save != HistorySaveOutcome::Saved || !result.indexComplete)
      bench.SkipWithError("the correction was not saved whole");
    edit = edit.Inverse();
  }
  bench.counters["draws"] = static_cast<double>(session.State().draws.size());
}

void BM_CorrectDrawDemo(benchmark::State& bench) {
  DemoFolder folder;
  CorrectMiddleDraw(bench, folder.Path(), "Sample");
}
BENCHMARK(BM_CorrectDrawDemo)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

void BM_CorrectDrawLongest(benchmark::State& bench) {
  test::TestFolder folder;
  WriteLongHistory(folder.Path(), CountingTables::kMaxDraws);
  CorrectMiddleDraw(bench, folder.Path(), "Long");
}
BENCHMARK(BM_CorrectDrawLongest)->Unit(benchmark::kMillisecond)->Iterations(6)->UseRealTime();

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
