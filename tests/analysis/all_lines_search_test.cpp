#include "analysis/all_lines_search.h"

#include <gtest/gtest.h>

#include "analysis/history_support.h"

namespace bw {
namespace {

using test::Returns;
using test::TestDraw;
using test::TestLottery;

TEST(LineOrder, NextLineRankAndUnrankWalkEveryLineInOrder) {
  Line line{1, 2, 3, 4, 5, 6}, previous = line;
  int64_t rank = 0;
  do {
    if (!IsValidLine(line) || LineRank(line) != rank || (rank > 0 && !(previous < line)) ||
        (rank % 997 == 0 && LineAtRank(rank) != line)) {
      ADD_FAILURE() << "wrong at rank " << rank << ": " << LineKey(line);
      break;
    }
    previous = line;
    ++rank;
  } while (NextLine(line));
  EXPECT_EQ(rank, kAllLinesCount);
  EXPECT_EQ(line, (Line{44, 45, 46, 47, 48, 49}));  // left as it was at the end
  EXPECT_EQ(LineRank({6, 5, 4, 3, 2, 1}), -1);
  EXPECT_EQ(LineRank({0, 2, 3, 4, 5, 6}), -1);
  EXPECT_EQ(LineAtRank(kAllLinesCount), (Line{44, 45, 46, 47, 48, 49}));
  EXPECT_EQ(LineAtRank(-3), (Line{1, 2, 3, 4, 5, 6}));
}

TEST(FirstLineToCheck, StartLineRulesAndEntries) {
  const std::pair<Line, std::optional<Line>> cases[] = {
      {{1, 2, 3, 4, 5, 6}, Line{1, 2, 3, 4, 5, 6}},
      {{1, 2, 3, 4, 5, 49}, Line{1, 2, 3, 4, 6, 7}},
      {{1, 2, 3, 4, 48, 49}, Line{1, 2, 3, 5, 6, 7}},
      {{1, 45, 46, 47, 48, 49}, Line{2, 3, 4, 5, 6, 7}},
      {{43, 45, 46, 47, 48, 49}, Line{44, 45, 46, 47, 48, 49}},
      {{44, 45, 46, 47, 48, 49}, std::nullopt},
      {{3, 2, 4, 5, 6, 7}, std::nullopt},
      {{0, 0, 0, 0, 0, 0}, std::nullopt}};
  for (const auto& [start, first] : cases)
    EXPECT_EQ(FirstLineToCheck(start), first) << LineKey(start);
  EXPECT_EQ(FoundLineEntry({1, 12, 23, 31, 40, 49}, 100), "01-12-23-31-40-49=100%");
}

// Rich in fives, sixes and bonus hits: repeated draws and near repeats.
std::vector<TestDraw> RichHistory() {
  std::vector<TestDraw> draws = test::RandomDraws(60, 21);
  draws.insert(draws.end(), {{{1, 2, 3, 4, 5, 6}, 7},
                             {{1, 2, 3, 4, 5, 6}, 8},
                             {{1, 2, 3, 4, 5, 9}, 6},
                             {{1, 2, 3, 4, 5, 10}, 11},
                             {{40, 41, 42, 43, 44, 45}, 46},
                             {{40, 41, 42, 43, 44, 47}, 45},
                             {{40, 41, 42, 43, 44, 49}, 0},
                             {{44, 45, 46, 47, 48, 49}, 1},
                             {{10, 20, 30, 40, 45, 49}, 11},
                             {{10, 20, 30, 40, 45, 48}, 49}});
  return draws;
}

// Slices at both ends, empty and cut short by the end, over every line
// starting with 30 and round drawn lines, with returns that find nothing, a
// few lines and many.
TEST(AllLinesSearch, SlicesEqualTheCheckOfEachLine) {
  const std::vector<TestDraw> richDraws = RichHistory(), none;
  const TestLottery rich(richDraws), empty(none);
  const struct {
    const std::vector<TestDraw>& draws;
    const TestLottery& lottery;
    std::size_t drawStep;
    std::vector<std::pair<LotterySettings, bool>> returnsAndFindsSome;
  } cases[] = {{test::Demo().draws,
                *test::Demo().lottery,
                950,
                {{Returns(), false}, {Returns(30, 200), true}}},
               // 70 draws: one three at 47 gives exactly 67 (just found); at 46, 65.
               {richDraws,
                rich,
                1,
                {{Returns(47, 0, 0, 50, 1000), true},
                 {Returns(46, 90, 1, 50, 1000), true},
                 {Returns(10, 60, 1500, 50, 1000), true},
                 {Returns(-20, 600, 0, 50, 1000), true},
                 {Returns(1000, 1000, 0, 50, 1000), true}}},
               {none, empty, 1, {{Returns(1000, 1000), false}}}};
  for (const auto& c : cases) {
    std::vector<std::pair<Line, int64_t>> slices = {
        {{1, 2, 3, 4, 5, 6}, 3000},      {{1, 2, 3, 4, 5, 6}, 0},
        {{1, 2, 3, 4, 5, 49}, 1},        {{30, 31, 32, 33, 34, 35}, 11628},
        {{39, 45, 46, 47, 48, 49}, 200}, {{44, 45, 46, 47, 48, 49}, 10}};
    for (std::size_t i = 0; i < c.draws.size(); i += c.drawStep)
      slices.push_back({LineAtRank(std::max<int64_t>(0, LineRank(c.draws[i].main) - 300)), 600});
    for (const auto& [returns, findsSome] : c.returnsAndFindsSome) {
      SCOPED_TRACE(std::to_string(c.draws.size()) + " draws, " + std::to_string(returns.ret3));
      EXPECT_EQ(test::ExpectSlicesMatchEachLine(c.lottery, returns, slices) > 0, findsSome);
    }
  }
}

TEST(AllLinesSearch, ExactlySixtySixIsFoundSixtyFourIsNot) {
  std::vector<TestDraw> draws(49, TestDraw{{40, 41, 42, 43, 44, 45}, 0});
  draws.push_back({{1, 2, 3, 10, 11, 12}, 0});  // the only three of 1 2 3 4 5 6
  const TestLottery lottery(draws);
  CachedIndexLookup index(lottery.state);
  for (const int ret3 : {33, 32}) {
    AllLinesSearch search(lottery.state.tables, index, lottery.DrawCount(), Returns(ret3, 0));
    std::vector<FoundLine> found;
    EXPECT_EQ(search.CheckSlice({1, 2, 3, 4, 5, 6}, 1, found).lastPercent, 2 * ret3);
    EXPECT_EQ(found.size(), ret3 == 33 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace bw
