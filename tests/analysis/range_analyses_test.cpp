// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "analysis/history_support.h"
#include "analysis/line_hits.h"
#include "analysis/number_frequency.h"
#include "analysis/percentage_distribution.h"
#include "model/day_number.h"

namespace bw::test {
namespace {

// The demo draws of the range by their dates alone.
std::vector<TestDraw> DemoDrawsIn(const DateRange& range) {
  std::vector<TestDraw> chosen;
  for (std::size_t i = 0; i < Demo().draws.size(); ++i)
    if (range.Holds(Demo().days[i])) chosen.push_back(Demo().draws[i]);
  return chosen;
}

std::vector<DatedDraw> DemoDatedDraws() {
  return DatedDrawsOf(Demo().lottery->state.draws);
}

int32_t Day(const char* text) {
  return DayNumber(*ParseDrawDate(text));
}

const DateRange kRanges[] = {
    {},
    {Day("01/01/2010"), std::nullopt},
    {std::nullopt, Day("31/12/1990")},
    {Day("01/01/1995"), Day("31/12/1999")},
    {Day("19/06/1982"), Day("19/06/1982")},  // one draw
};
// The first draw of the demo as a six, and with its bonus as a 5+.
const Line kLines[] = {{3, 11, 12, 14, 41, 43},
                       {3, 11, 12, 13, 14, 41},
                       {1, 2, 3, 4, 5, 6},
                       {7, 17, 23, 32, 38, 42},
                       {44, 45, 46, 47, 48, 49}};

// Hits, the check, number counts and fairness of each range equal counting
// the draws the range holds.
TEST(RangeAnalyses, EqualCountingEachDrawInTheRange) {
  const std::vector<DatedDraw> dated = DemoDatedDraws();
  const LotterySettings returns = Demo().lottery->state.settings;
  for (const DateRange& range : kRanges) {
    const std::vector<DatedDraw> chosen = DrawsInRange(dated, range);
    const std::vector<TestDraw> draws = DemoDrawsIn(range);
    ASSERT_EQ(chosen.size(), draws.size());
    for (const Line& line : kLines) {
      SCOPED_TRACE(JoinTwoDigits(line, " ") + " from " + std::to_string(range.since.value_or(0)));
      const SingleLineResult expected = ExpectedResult(line, draws, returns);
      EXPECT_EQ(CheckOverDraws(line, chosen, returns), expected);

      const LineHits hits = FindLineHits(line, chosen, Demo().lottery->state.draws, returns);
      std::map<std::string, int> classes;
      for (const LineHit& hit : hits.hits) ++classes[HitClassName(hit.hitClass)];
      EXPECT_EQ((std::array{classes["3"], classes["4"], classes["5"], classes["5+"], classes["6"]}),
                (std::array{expected.hits3, expected.hits4, expected.hits5, expected.hits5Bonus,
                            expected.hits6}));
      const int64_t returned =
          int64_t{expected.hits3} * returns.ret3 + int64_t{expected.hits4} * returns.ret4 +
          int64_t{expected.hits5} * returns.ret5 + int64_t{expected.hits5Bonus} * returns.ret5p +
          int64_t{expected.hits6} * returns.ret6;
      const auto drawCount = static_cast<int64_t>(draws.size());
      const int64_t staked = drawCount * returns.stake;
      EXPECT_EQ((std::array{hits.totals.draws, hits.totals.staked, hits.totals.returned,
                            hits.totals.balance}),
                (std::array{drawCount, staked, returned, returned - staked}));
      EXPECT_EQ(RunningBalance(hits, chosen, returns.stake).back().balance, returned - staked);
    }

    const NumberFrequency frequency = FrequencyOf(chosen);
    const double expected = 6.0 * static_cast<double>(draws.size()) / 49;
    double statistic = 0;
    for (int n = 1; n <= 49; ++n) {
      int main = 0, bonus = 0, since = static_cast<int>(draws.size());
      for (std::size_t i = 0; i < draws.size(); ++i) {
        const bool drawn = std::count(draws[i].main.begin(), draws[i].main.end(), n) > 0;
        main += drawn;
        bonus += draws[i].bonus == n;
        if (drawn) since = static_cast<int>(draws.size() - 1 - i);
      }
      const NumberCount& count = frequency.numbers[n - 1];
      EXPECT_EQ((std::array{count.number, count.mainCount, count.bonusCount, count.since}),
                (std::array{n, main, bonus, since}));
      statistic += (main - expected) * (main - expected) / expected;
    }
    EXPECT_NEAR(frequency.fairness.statistic, statistic * 48 / 43, 1e-9);
  }
  const FairnessTest whole = FrequencyOf(dated).fairness;
  EXPECT_EQ(std::round(whole.statistic * 100), 5291);
  EXPECT_EQ(std::round(whole.p * 1000), 290);
}

TEST(RangeAnalyses, AnEmptyRangeSaysWhichDatesHeldNoDraw) {
  const std::pair<DateRange, std::string> cases[] = {
      {{Day("01/01/2030"), std::nullopt}, "no draws between 01/01/2030 and 17/06/2020"},
      {{std::nullopt, Day("01/01/1980")}, "no draws between 12/06/1982 and 01/01/1980"},
      {{Day("13/06/1982"), Day("18/06/1982")}, "no draws between 13/06/1982 and 18/06/1982"}};
  for (const auto& [range, message] : cases) {
    EXPECT_THAT([&range = range] { DrawsInRange(DemoDatedDraws(), range); },
                ::testing::ThrowsMessage<EmptyRangeError>(message));
  }
}

// Slices at the start, around drawn lines and at the end, over the whole
// history (the check from the index) and over ranges (counting the draws).
TEST(PercentageDistribution, CountsEveryLineOnceAndAgreesWithTheCheckOnSlices) {
  const ProgramState& state = Demo().lottery->state;
  const std::vector<DatedDraw> dated = DemoDatedDraws();
  CachedIndexLookup index(state);
  std::vector<std::pair<int64_t, int64_t>> slices = {{0, 3000}, {kAllLinesCount - 2000, 2000}};
  for (std::size_t i = 0; i < Demo().draws.size(); i += 1200)
    slices.push_back({std::max<int64_t>(0, LineRank(Demo().draws[i].main) - 500), 1000});
  for (const DateRange& range : {kRanges[0], kRanges[3]}) {
    const std::vector<DatedDraw> chosen = DrawsInRange(dated, range);
    const DistributionInput input =
        range.IsWholeHistory()
            ? DistributionInput{state.draws, Demo().lottery->DrawCount(), state.settings}
            : DistributionInput{EntriesOf(chosen, state.draws), static_cast<int32_t>(chosen.size()),
                                state.settings};
    int64_t total = 0;
    for (const PercentageCount& count : PercentageDistribution(input)) total += count.lines;
    EXPECT_EQ(total, kAllLinesCount);
    for (const auto& [first, count] : slices) {
      std::map<int, int64_t> checked;
      for (int64_t rank = first; rank < first + count; ++rank) {
        const Line line = LineAtRank(rank);
        ++checked[range.IsWholeHistory() ? Demo().lottery->Check(line, index).percent
                                         : CheckOverDraws(line, chosen, state.settings).percent];
      }
      std::vector<PercentageCount> expected;
      for (const auto& [percent, lines] : checked) expected.push_back({percent, lines});
      EXPECT_EQ(PercentageDistribution(input, first, count), expected) << first;
    }
  }
}

TEST(PercentageDistribution, StandingCountsLinesBelowAndAbove) {
  const std::vector<PercentageCount> distribution = {
      {10, 1'000'000}, {20, 12'000'000}, {30, 983'000}, {95, 816}};
  const std::pair<int, const char*> cases[] = {
      {10, "better than 0.0% of all lines, 12983816 do better"},
      {20, "better than 7.1% of all lines, 983816 do better"},
      {25, "better than 92.9% of all lines, 983816 do better"},
      {95, "better than 99.9% of all lines, 0 do better"}};
  for (const auto& [percent, text] : cases)
    EXPECT_EQ(StandingText(StandingOf(distribution, percent)), text) << percent;
}

}  // namespace
}  // namespace bw::test
