// SPDX-License-Identifier: GPL-3.0-or-later
// The check of one line, the index files it reads its fives and sixes
// from, and the search of all lines, which must find what checking each
// line finds.
#include "analysis/single_line_check.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/all_lines_search.h"
#include "analysis/history_support.h"
#include "analysis/index_lookup.h"

namespace bw {
namespace {

using test::Returns;
using test::TestDraw;
using test::TestLottery;

TEST(ResultFromRawHits, CorrectionPercentPlusAndFaces) {
  const SingleLineResult kImpossible{.impossible = true};
  const struct {
    const char* name;
    RawHits raw;
    int32_t draws;
    LotterySettings returns;
    SingleLineResult expected;
  } cases[] = {// 20 threes plus the four sets of three of the one four; 26.0 %.
               {"worked example", {24, 1}, 1000, Returns(), {20, 1, 0, 0, 0, 26, false}},
               // (100 / 29) * 145 is just below 500 in double precision.
               {"order of operations", {1}, 29, Returns(145, 0), {1, 0, 0, 0, 0, 499, false}},
               {"truncated toward zero", {1}, 3, Returns(-1, 0), {1, 0, 0, 0, 0, -33, false}},
               // Counts no history can give: the index disagrees with the draws.
               {"no draws", {20, 15, 6, 0, 1}, 0, Returns(), kImpossible},
               {"more sixes than draws", {0, 0, 0, 0, 3}, 2, Returns(), kImpossible},
               {"negative after correction", {1, 1}, 100, Returns(), kImpossible},
               {"a draw in two counts", {6, 1}, 2, Returns(), kImpossible},
               {"sums beyond 32 bits",
                {7'200'000'000, 5'400'000'000, 2'160'000'000, 0, 360'000'000},
                3799,
                Returns(),
                kImpossible},
               // A 5+ is found as a five too; its fours and threes are its own.
               {"5+ only", {10, 5, 1, 1}, 100, Returns(10, 60, 0, 5, 0), {0, 0, 0, 1, 0, 0, true}},
               {"zero high return",
                {10, 5, 1, 1},
                100,
                Returns(10, 60, 0, 0, 0),
                {0, 0, 0, 1, 0, 0, false}}};
  for (const auto& c : cases)
    EXPECT_EQ(ResultFromRawHits(c.raw, c.draws, c.returns), c.expected) << c.name;
  const std::tuple<int, bool, Verdict> faces[] = {{45, false, Verdict::Happy},
                                                  {44, false, Verdict::Moody},
                                                  {25, false, Verdict::Moody},
                                                  {24, false, Verdict::VeryMoody},
                                                  {24, true, Verdict::Happy}};
  for (const auto& [percent, plus, face] : faces)
    EXPECT_EQ(VerdictOf({0, 0, 0, 0, 0, percent, plus}), face) << percent << plus;
}

TEST(CheckSingleLine, DamagedIndexAndInvalidLines) {
  const TestLottery lottery({{{1, 2, 3, 4, 5, 6}, 0}});
  FileIndexLookup index(lottery.state);
  for (const Line& bad : {Line{0, 2, 3, 4, 5, 6}, Line{1, 2, 3, 4, 5, 50}, Line{6, 5, 4, 3, 2, 1},
                          Line{1, 1, 2, 3, 4, 5}})
    EXPECT_EQ(lottery.Check(bad, index), SingleLineResult{}) << LineKey(bad);
  lottery.DamageIndex(IndexKind::Six, "01", "");
  lottery.DamageIndex(IndexKind::Five, "01", "garbage=;:x");
  lottery.DamageIndex(IndexKind::Five, "02", "02030405060");  // cut short
  // The tables still count the draw: 15 fours peel 60 threes off 20.
  EXPECT_TRUE(lottery.Check({1, 2, 3, 4, 5, 6}, index).impossible);
}

TEST(CheckSingleLine, AgreesWithCountingDrawByDraw) {
  std::vector<TestDraw> draws = test::RandomDraws(400, 7);
  for (int i = 0; i < 40; ++i) {  // repeats, with another bonus or none
    TestDraw again{draws[i].main, draws[i + 1].main[0]};
    if (std::count(again.main.begin(), again.main.end(), again.bonus)) again.bonus = 0;
    draws.push_back(again);
  }
  // Fives with the sixth line number as bonus or another; a four with it; a
  // bonus 12 whose five reads 0123304045, holding "12" across two numbers.
  draws.insert(draws.end(), {{{5, 10, 15, 20, 25, 44}, 30},
                             {{5, 10, 15, 20, 25, 44}, 43},
                             {{5, 10, 15, 20, 43, 44}, 30},
                             {{1, 23, 30, 40, 45, 46}, 12},
                             {{1, 2, 3, 4, 5, 6}, 0}});
  std::vector<Line> lines = {
      {5, 10, 15, 20, 25, 30}, {1, 12, 23, 30, 40, 45}, {1, 2, 3, 4, 5, 7}, {1, 2, 3, 4, 5, 6}};
  std::mt19937 generator(3);
  for (int i = 0; i < 300; ++i) {  // lines near draws: none, one or two numbers moved
    Line line = draws[generator() % draws.size()].main;
    for (int moves = i % 3; moves > 0; --moves) line[generator() % 6] = 1 + generator() % 49;
    std::sort(line.begin(), line.end());
    if (IsValidLine(line)) lines.push_back(line);
  }
  const TestLottery lottery(draws);
  CachedIndexLookup index(lottery.state);
  int fivePlus = 0;
  for (const Line& line : lines) {
    const SingleLineResult result = lottery.Check(line, index);
    EXPECT_EQ(result, test::ExpectedResult(line, draws, Returns())) << LineKey(line);
    fivePlus += result.hits5Bonus;
  }
  EXPECT_GE(fivePlus, 2);
}

// Counts among other keys and counts that grew are read in the store's tests.
TEST(CountInIndexLine, ReadsTheNumberAfterTheKey) {
  const std::tuple<std::string, std::string, int> cases[] = {
      {"", "031215203041", 0},
      {"031215203040", "031215203040", 0},      // no count after it
      {"031215203040=  7", "031215203040", 7},  // no ":" at the end
  };
  for (const auto& [text, key, count] : cases) EXPECT_EQ(CountInIndexLine(text, key), count) << key;
}

TEST(CachedIndexLookup, GivesTheSameCountsAsReadingEachTime) {
  const TestLottery lottery(test::RandomDraws(300, 11));
  // Damaged lines: a key twice (the first counts), text around, a cut entry,
  // a key filed under the wrong first number (no check can find it).
  lottery.DamageIndex(IndexKind::Six, "07", "070809101112=  2:070809101112=  5:x0710");
  lottery.DamageIndex(IndexKind::Five, "08", "junk 0809101112001= 3:080910111200=  4");
  lottery.DamageIndex(IndexKind::Six, "04", "050607080910=  1:040506070809=  3:");
  FileIndexLookup fresh(lottery.state);
  CachedIndexLookup cached(lottery.state);
  std::vector<std::pair<IndexKind, std::string>> keys = {{IndexKind::Six, "070809101112"},
                                                         {IndexKind::Five, "080910111200"},
                                                         {IndexKind::Five, "809101112001"}};
  for (const IndexKind kind : {IndexKind::Six, IndexKind::FivePlus, IndexKind::Five})
    for (const IndexEntry& entry : cached.AllEntries(kind)) keys.emplace_back(kind, entry.key);
  for (const auto& [kind, key] : keys)
    EXPECT_EQ(cached.Count(kind, key), fresh.Count(kind, key)) << key;
  EXPECT_EQ(cached.Count(IndexKind::Six, "070809101112"), 2);
  const std::vector<IndexEntry> sixes = cached.AllEntries(IndexKind::Six);
  EXPECT_EQ(std::count(sixes.begin(), sixes.end(), IndexEntry{"040506070809", 3}), 1);
  EXPECT_EQ(std::count_if(sixes.begin(), sixes.end(),
                          [](const IndexEntry& entry) { return entry.key == "050607080910"; }),
            0);
  for (const char* bad : {"03111725384", "03111725384x"})  // not 12 digits
    EXPECT_EQ(cached.Count(IndexKind::Six, bad), 0) << bad;
}

TEST(IndexReaders, AnUnreadableFolderCountsNothing) {
  const Line line{3, 11, 12, 14, 41, 43};
  const TestLottery lottery({{line, 9}});
  ProgramState elsewhere;
  elsewhere.appFolder = lottery.folder / "Test.opt";  // a file, not a folder
  elsewhere.lottoFile = "Test.opt";
  FileIndexLookup fresh(lottery.state), freshElsewhere(elsewhere);
  CachedIndexLookup cachedElsewhere(elsewhere);
  EXPECT_EQ(lottery.Check(line, fresh).hits6, 1);
  const SingleLineResult result = lottery.Check(line, freshElsewhere);
  EXPECT_EQ(result.hits6 + result.hits5 + result.hits5Bonus, 0);
  EXPECT_EQ(lottery.Check(line, cachedElsewhere), result);
}

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
