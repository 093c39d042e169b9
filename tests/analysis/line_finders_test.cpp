// SPDX-License-Identifier: GPL-3.0-or-later
// The Random Line Finder's deal of all 49 numbers, and the full system of
// twelve numbers the Line Optimiser checks.
#include "analysis/random_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <set>

#include "analysis/full_system.h"

namespace bw {
namespace {

// Plays a script of values, then a seeded generator; or one stuck value.
struct ScriptedRandom : RandomSource {
  explicit ScriptedRandom(std::deque<double> values = {}) : script(std::move(values)) {}
  void Seed(uint64_t seed) override { generator.seed(seeds.emplace_back(seed)); }
  double Next() override {
    if (stuck) return *stuck;
    if (script.empty()) return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    const double value = script.front();
    script.pop_front();
    return value;
  }
  std::deque<double> script;
  std::optional<double> stuck;
  std::vector<uint64_t> seeds;
  std::mt19937_64 generator;
};

// Every number 1..49 once, each line of six ascending.
void ExpectWellDealt(const std::array<int, 49>& numbers) {
  const std::set<int> all(numbers.begin(), numbers.end());
  EXPECT_TRUE(all.size() == 49u && *all.begin() == 1 && *all.rbegin() == 49);
  for (int first = 0; first < 48; first += 6)
    EXPECT_TRUE(std::is_sorted(numbers.begin() + first, numbers.begin() + first + 6)) << first;
}

TEST(DealRandomSet, EveryNumberOnceTheSeedDecidesAndOddPositionsAreDrawnAgain) {
  for (uint64_t seed : {1u, 123456u}) {
    ScriptedRandom random, again;
    const auto numbers = DealRandomSet(random, seed);
    ExpectWellDealt(numbers);
    EXPECT_EQ(random.seeds, std::vector<uint64_t>{seed});
    EXPECT_EQ(DealRandomSet(again, seed), numbers);
  }
  for (double value : {0.0, 1.0, -3.0, std::numeric_limits<double>::quiet_NaN()}) {
    ScriptedRandom stuck;  // a broken source must not hang
    stuck.stuck = value;
    ExpectWellDealt(DealRandomSet(stuck, 0));
  }
  // 0.0 and 0.01 fall on position 1 (odd); 0.015 on 2: the number 1.
  // Then 0.99 of the 96 left is position 96: the number 49.
  ScriptedRandom scripted({0.0, 0.01, 0.015, 0.99});
  const auto numbers = DealRandomSet(scripted, 5);
  EXPECT_EQ((std::array{numbers[0], numbers[5]}), (std::array{1, 49}));
}

TEST(FullSystem, AllSixOfTwelveInOrder) {
  const auto patterns = BuildSystemPatterns();
  ASSERT_EQ(patterns.size(), 924u);
  for (const auto& pattern : patterns)
    EXPECT_EQ(std::count(pattern.begin(), pattern.end(), '*'), 6) << pattern;
  // Strictly ascending ("*" sorts before "-"), so no pattern twice.
  EXPECT_EQ(std::adjacent_find(patterns.begin(), patterns.end(), std::greater_equal<>()),
            patterns.end());
  // The lines of twelve numbers given in any order, sorted by value.
  std::array<std::string, 13> selected{"",   "12", "3", "7", "1",  "11", "2",
                                       "10", "9",  "4", "8", " 5", "6"};
  const auto lines = BuildSystemLines(selected, patterns);
  ASSERT_EQ(lines.size(), 924u);
  EXPECT_EQ(SystemLineText(lines[0]), "01-02-03-04-05-06");
  EXPECT_EQ(SystemLineText(lines[923]), "07-08-09-10-11-12");
  EXPECT_EQ(selected[1] + selected[5] + selected[12], "1 512");      // moved, not trimmed
  std::array<std::string, 13> missing{"", "", "4", "", "123", "x"};  // must not crash
  EXPECT_EQ(BuildSystemLines(missing, patterns).size(), 924u);
}

TEST(FormatResultRow, ColumnsStandUnderTheHeader) {
  EXPECT_EQ(ResultRowHeader(), "                  | 3 | 4 | 5|5+| 6|result");
  const std::pair<ResultCaptions, std::string> cases[] = {
      {{"5", "1", "", "", "", "12", "%"}, "01-02-03-04-05-06 |  5|  1|  |  |  |  12%"},
      {{"123", "45", "3", "12", "1", "100", "%+"}, "01-02-03-04-05-06 |123| 45| 3|12| 1| 100%+"},
      {{"", "", "", "", "", "0", "%"}, "01-02-03-04-05-06 |   |   |  |  |  |   0%"}};
  for (const auto& [captions, row] : cases)
    EXPECT_EQ(FormatResultRow("01-02-03-04-05-06", captions), row);
}

// Stopping a run is walked through on the Line Optimiser page.
TEST(SystemCounters, BandsOf50To65And66OrMore) {
  SystemCounters bands;
  for (int percent : {66, 65, 50, 49, 120, 0}) bands.Count(percent);
  EXPECT_EQ((std::array{bands.analysed, bands.atLeast66, bands.from50to65}), (std::array{6, 2, 2}));
}

}  // namespace
}  // namespace bw
