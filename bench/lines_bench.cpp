// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the player's ticket on the demo lottery (3,799 draws): 1,000 saved
// lines read from their file, checked against the newest draw and backtested
// over the whole history. The target is under 50 ms.
#include <benchmark/benchmark.h>

#include <random>
#include <set>

#include "bench_support.h"
#include "store/text_file.h"
#include "ticket/ticket.h"

namespace bw {
namespace {

struct Ticket {
  DemoFolder folder;
  ProgramState state;
  Ticket() {
    state.appFolder = folder.Path();
    state.lottoFile = "Sample.opt";
    ReadLotterySettings(state);
    ReadHistoryFile(state, 1);
    // 1,000 different lines, half with a first date played.
    std::mt19937 random(1000);
    std::set<Line> lines;
    while (lines.size() < 1000) {
      std::set<int> numbers;
      while (numbers.size() < 6) numbers.insert(static_cast<int>(random() % 49) + 1);
      Line line{};
      std::copy(numbers.begin(), numbers.end(), line.begin());
      lines.insert(line);
    }
    std::vector<std::string> text;
    for (const Line& line : lines) {
      SavedLine saved{line, "bench"};
      if (text.size() % 2 == 1) saved.since = 35000 + static_cast<int32_t>(text.size());
      text.push_back(SavedLineText(saved));
    }
    WriteTextLines(LinesFilePath(state), text);
  }
};

void BM_TicketOfAThousandLines(benchmark::State& bench) {
  static Ticket ticket;
  const ProgramState& state = ticket.state;
  const std::vector<DatedDraw> draws = DatedDrawsOf(state.draws);
  for (auto _ : bench) {
    const LinesRead read = LinesBook(state).Read();
    benchmark::DoNotOptimize(CheckLinesInDraw(read.lines, draws.back(), state.settings));
    benchmark::DoNotOptimize(BacktestTicket(read.lines, draws, state.settings));
  }
  bench.counters["target_ms"] = 50;
}
BENCHMARK(BM_TicketOfAThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bw

BENCHMARK_MAIN();
