// The line check, and the index files it reads its fives and sixes from.
#include "analysis/single_line_check.h"

#include <gtest/gtest.h>

#include <random>

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

}  // namespace
}  // namespace bw
