#include "analysis/single_line_check.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/history_support.h"

namespace bw {
namespace {

using test::MemoryHistory;
using test::TestDraw;

LotterySettings Returns(int ret3, int ret4, int ret5 = 1500, int ret5p = 100000,
                        int ret6 = 1000000) {
  LotterySettings returns;
  returns.ret3 = ret3;
  returns.ret4 = ret4;
  returns.ret5 = ret5;
  returns.ret5p = ret5p;
  returns.ret6 = ret6;
  return returns;
}

SingleLineResult Check(const Line& line, const MemoryHistory& history,
                       const LotterySettings& returns = Returns(10, 60)) {
  FileIndexLookup index(history.Reader());
  return CheckSingleLine(line, history.DrawCount(), returns, history.Tables(), index);
}

TEST(ResultFromRawHits, WorkedExampleGivesTwentySixPercent) {
  RawHits raw;
  raw.hits3 = 24;  // 20 draws with three, plus the four sets of three of the one four
  raw.hits4 = 1;
  const SingleLineResult result = ResultFromRawHits(raw, 1000, Returns(10, 60));
  EXPECT_EQ(result.hits3, 20);
  EXPECT_EQ(result.hits4, 1);
  EXPECT_EQ(result.percent, 26);
  EXPECT_FALSE(result.plus);
  EXPECT_EQ(VerdictOf(result), Verdict::Moody);
  const ResultCaptions captions = CaptionsOf(result);
  EXPECT_EQ(captions.three, "20");
  EXPECT_EQ(captions.four, "1");
  EXPECT_EQ(captions.five, "");
  EXPECT_EQ(captions.digit, "26");
  EXPECT_EQ(captions.ret, "%");
}

TEST(ResultFromRawHits, PercentKeepsTheOrderOfOperationsAndTruncates) {
  RawHits raw;
  raw.hits3 = 1;
  // (100 / 29) * 145 is just below 500 in double precision.
  EXPECT_EQ(ResultFromRawHits(raw, 29, Returns(145, 0)).percent, 499);
  // Truncation is toward zero for a negative return.
  EXPECT_EQ(ResultFromRawHits(raw, 3, Returns(-1, 0)).percent, -33);
  // No draws: no percentage, but the plus rule still applies.
  raw.hits6 = 1;
  raw.hits5 = 6;
  raw.hits4 = 15;
  raw.hits3 = 20;
  const SingleLineResult empty = ResultFromRawHits(raw, 0, Returns(10, 60));
  EXPECT_EQ(empty.percent, 0);
  EXPECT_TRUE(empty.plus);
}

TEST(ResultFromRawHits, HighReturnsSetThePlusButNeverThePercent) {
  RawHits raw;
  raw.hits5Bonus = 1;
  raw.hits5 = 1;  // the same draw, found as a five too
  raw.hits4 = 5;
  raw.hits3 = 10;
  const SingleLineResult result = ResultFromRawHits(raw, 100, Returns(10, 60, 0, 5, 0));
  EXPECT_EQ(result.hits5, 0);
  EXPECT_EQ(result.hits5Bonus, 1);
  EXPECT_EQ(result.hits4, 0);
  EXPECT_EQ(result.hits3, 0);
  EXPECT_EQ(result.percent, 0);
  EXPECT_TRUE(result.plus);
  EXPECT_EQ(CaptionsOf(result).ret, "%+");
  EXPECT_EQ(VerdictOf(result), Verdict::Happy);
  // A zero return for the hit leaves the marker plain.
  EXPECT_FALSE(ResultFromRawHits(raw, 100, Returns(10, 60, 0, 0, 0)).plus);
}

TEST(VerdictOf, BoundariesOfTheFaces) {
  SingleLineResult result;
  result.percent = 45;
  EXPECT_EQ(VerdictOf(result), Verdict::Happy);
  result.percent = 44;
  EXPECT_EQ(VerdictOf(result), Verdict::Moody);
  result.percent = 25;
  EXPECT_EQ(VerdictOf(result), Verdict::Moody);
  result.percent = 24;
  EXPECT_EQ(VerdictOf(result), Verdict::VeryMoody);
  result.plus = true;
  EXPECT_EQ(VerdictOf(result), Verdict::Happy);
}

TEST(CheckSingleLine, LineEqualToOneDrawHasOnlyASix) {
  const MemoryHistory history({{{3, 11, 17, 25, 38, 44}, 9}, {{1, 2, 4, 5, 6, 7}, 0}});
  const SingleLineResult result = Check({3, 11, 17, 25, 38, 44}, history);
  EXPECT_EQ(result.hits6, 1);
  EXPECT_EQ(result.hits5, 0);
  EXPECT_EQ(result.hits5Bonus, 0);
  EXPECT_EQ(result.hits4, 0);
  EXPECT_EQ(result.hits3, 0);
  EXPECT_EQ(result.percent, 0);
  EXPECT_TRUE(result.plus);
  const ResultCaptions captions = CaptionsOf(result);
  EXPECT_EQ(captions.three + captions.four + captions.five + captions.fivePlus, "");
  EXPECT_EQ(captions.six, "1");
  EXPECT_EQ(captions.digit, "0");
}

TEST(CheckSingleLine, BonusDecidesBetweenFiveAndFivePlus) {
  const Line line{5, 10, 15, 20, 25, 30};
  // Five on the line and the sixth as bonus: 5+ only.
  EXPECT_EQ(Check(line, MemoryHistory({{{5, 10, 15, 20, 25, 44}, 30}})),
            (SingleLineResult{0, 0, 0, 1, 0, 0, true}));
  // Another bonus: a plain five.
  EXPECT_EQ(Check(line, MemoryHistory({{{5, 10, 15, 20, 25, 44}, 43}})),
            (SingleLineResult{0, 0, 1, 0, 0, 0, true}));
  // A bonus on the line with only four main numbers on it: a four.
  EXPECT_EQ(Check(line, MemoryHistory({{{5, 10, 15, 20, 43, 44}, 30}})).hits4, 1);
  EXPECT_EQ(Check(line, MemoryHistory({{{5, 10, 15, 20, 43, 44}, 30}})).hits5Bonus, 0);
}

TEST(CheckSingleLine, BonusCandidateIsTheWholeLeftOutNumber) {
  // Without 12 the five read 0123304045, which holds "12" across two numbers.
  const MemoryHistory history({{{1, 23, 30, 40, 45, 46}, 12}});
  const SingleLineResult result = Check({1, 12, 23, 30, 40, 45}, history);
  EXPECT_EQ(result.hits5Bonus, 1);
  EXPECT_EQ(result.hits5, 0);
}

TEST(CheckSingleLine, LotteryWithoutBonusNeverHasFivePlus) {
  const MemoryHistory history({{{1, 2, 3, 4, 5, 6}, 0}});
  const SingleLineResult result = Check({1, 2, 3, 4, 5, 7}, history);
  EXPECT_EQ(result.hits5, 1);
  EXPECT_EQ(result.hits5Bonus, 0);
}

TEST(CheckSingleLine, MissingOrDamagedIndexReadsAsNoHits) {
  MemoryHistory history({{{1, 2, 3, 4, 5, 6}, 0}});
  history.SetIndexLine(IndexKind::Six, "01", "");
  history.SetIndexLine(IndexKind::Five, "01", "garbage=;:x");
  history.SetIndexLine(IndexKind::Five, "02", "02030405060");  // cut short
  const SingleLineResult result = Check({1, 2, 3, 4, 5, 6}, history);
  EXPECT_EQ(result.hits6, 0);
  EXPECT_EQ(result.hits5, 0);
  // The tables still count the draw: 15 fours peel into 4 x 15 threes.
  EXPECT_EQ(result.hits4, 15);
  EXPECT_EQ(result.hits3, 20 - 60);
}

TEST(CheckSingleLine, InvalidLineHitsNothing) {
  const MemoryHistory history({{{1, 2, 3, 4, 5, 6}, 0}});
  for (const Line& bad : {Line{0, 2, 3, 4, 5, 6}, Line{1, 2, 3, 4, 5, 50}, Line{6, 5, 4, 3, 2, 1},
                          Line{1, 1, 2, 3, 4, 5}, Line{-7, 2, 3, 4, 5, 99999}})
    EXPECT_EQ(Check(bad, history), SingleLineResult{}) << LineKey(bad);
}

TEST(CheckSingleLine, AgreesWithCountingDrawByDraw) {
  const auto draws = test::RandomDraws(400, 7);
  MemoryHistory history(draws);
  // Repeat some draws so that counts above one and mixed hits occur.
  std::vector<TestDraw> all = draws;
  for (int i = 0; i < 40; ++i) {
    TestDraw again = draws[i];
    again.bonus = draws[i + 1].main[0];
    if (std::count(again.main.begin(), again.main.end(), again.bonus)) again.bonus = 0;
    all.push_back(again);
    history.AddDraw(again);
  }
  std::mt19937 generator(3);
  const LotterySettings returns = Returns(10, 60);
  FileIndexLookup index(history.Reader());
  for (int i = 0; i < 300; ++i) {
    // Lines near draws: a draw with one or two numbers moved.
    Line line = all[generator() % all.size()].main;
    for (int moves = i % 3; moves > 0; --moves) line[generator() % 6] = 1 + generator() % 49;
    std::sort(line.begin(), line.end());
    if (!IsValidLine(line)) continue;
    EXPECT_EQ(CheckSingleLine(line, history.DrawCount(), returns, history.Tables(), index),
              test::ExpectedResult(line, all, returns))
        << LineKey(line);
  }
}

}  // namespace
}  // namespace bw
