// SPDX-License-Identifier: GPL-3.0-or-later
// Wheels of the sizes players ask for: each case builds the wheel and proves
// it, as `ballwright-cli wheel` does, and shows the lines reached beside the
// most it may have (the best possible for the first five, within 10% of the
// best known for the next six, and the two-part bound for 3 if 6 on 49).
#include <benchmark/benchmark.h>

#include <numeric>

#include "wheel/wheel_generator.h"

namespace bw {
namespace {

struct WheelCase {
  const char* name;
  int v;
  WheelGuarantee guarantee;
  int most;
};

constexpr WheelCase kCases[] = {
    {"C(12,6,3)", 12, {3, 3}, 15},  {"C(10,6,5)", 10, {5, 5}, 50},  {"4if6_in_12", 12, {4, 6}, 6},
    {"3if5_in_12", 12, {3, 5}, 2},  {"2if6_in_49", 49, {2, 6}, 19}, {"C(12,6,4)", 12, {4, 4}, 45},
    {"C(15,6,3)", 15, {3, 3}, 34},  {"C(16,6,4)", 16, {4, 4}, 167}, {"C(20,6,3)", 20, {3, 3}, 78},
    {"3if6_in_20", 20, {3, 6}, 13}, {"3if4_in_15", 15, {3, 4}, 16}, {"3if6_in_49", 49, {3, 6}, 280},
};

void BM_Wheel(benchmark::State& bench, const WheelCase& wheelCase) {
  std::vector<int> chosen(static_cast<std::size_t>(wheelCase.v));
  std::iota(chosen.begin(), chosen.end(), 1);
  GeneratedWheel wheel;
  for (auto _ : bench) wheel = GenerateWheel(chosen, wheelCase.guarantee);
  bench.counters["lines"] = static_cast<double>(wheel.lines.size());
  bench.counters["most"] = wheelCase.most;
  bench.counters["lower_bound"] = static_cast<double>(wheel.lowerBound);
  if (!wheel.proof.holds) bench.SkipWithError("the wheel failed its proof");
  // 1 when the size target is met; the time shows either way.
  bench.counters["met"] = static_cast<int>(wheel.lines.size()) <= wheelCase.most ? 1 : 0;
}

const bool kRegistered = [] {
  for (const WheelCase& wheelCase : kCases) {
    benchmark::RegisterBenchmark((std::string("BM_Wheel/") + wheelCase.name).c_str(), BM_Wheel,
                                 wheelCase)
        ->Unit(benchmark::kSecond)
        ->Iterations(1)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
}  // namespace bw
BENCHMARK_MAIN();
