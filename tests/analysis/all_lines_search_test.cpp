#include "analysis/all_lines_search.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/history_support.h"

namespace bw {
namespace {

using test::MemoryHistory;
using test::TestDraw;

// The search's stepping as a loop over six counters that carries when the
// last one passes 49; every line it checks, in order.
class CarryStepper {
 public:
  explicit CarryStepper(Line start) : p_(start) {
    if (p_[5] == 49) {
      p_[4] += 1;
      p_[5] = p_[4];
    } else {
      p_[5] -= 1;
    }
  }
  std::optional<Line> Next() {
    while (true) {
      p_[5] += 1;
      if (p_[5] <= 49) return p_;
      p_[4] += 1;
      p_[5] = p_[4];
      if (p_[4] > 48) Restart(3);
      if (p_[3] > 47) Restart(2);
      if (p_[2] > 46) Restart(1);
      if (p_[1] > 45) {
        p_[0] += 1;
        if (p_[0] > 44) return std::nullopt;
        Restart(0, false);
      }
    }
  }

 private:
  void Restart(int slot, bool raise = true) {
    if (raise) p_[slot] += 1;
    for (int j = slot + 1; j < 5; ++j) p_[j] = p_[j - 1] + 1;
    p_[5] = p_[4];
  }
  Line p_;
};

TEST(LineOrder, NextLineRankAndUnrankFollowTheSearchStepping) {
  CarryStepper stepper({1, 2, 3, 4, 5, 6});
  Line line{1, 2, 3, 4, 5, 6};
  int64_t rank = 0;
  bool same = true;
  for (auto stepped = stepper.Next(); stepped; stepped = stepper.Next(), ++rank) {
    same = same && *stepped == line && LineRank(line) == rank;
    if (rank % 997 == 0) same = same && LineAtRank(rank) == line;
    if (!same) {
      ADD_FAILURE() << "differs at rank " << rank << ": " << LineKey(line);
      break;
    }
    if (!NextLine(line)) {
      ++rank;
      EXPECT_FALSE(stepper.Next().has_value());
      break;
    }
  }
  EXPECT_EQ(rank, kAllLinesCount);
  EXPECT_EQ(line, (Line{44, 45, 46, 47, 48, 49}));
  EXPECT_FALSE(NextLine(line));
  EXPECT_EQ(line, (Line{44, 45, 46, 47, 48, 49}));
  EXPECT_EQ(LineRank({1, 2, 3, 4, 5, 7}), 1);
  EXPECT_EQ(LineRank({6, 5, 4, 3, 2, 1}), -1);
  EXPECT_EQ(LineRank({0, 2, 3, 4, 5, 6}), -1);
  EXPECT_EQ(LineAtRank(kAllLinesCount), (Line{44, 45, 46, 47, 48, 49}));
  EXPECT_EQ(LineAtRank(-3), (Line{1, 2, 3, 4, 5, 6}));
}

TEST(FirstLineToCheck, StartLineRules) {
  const auto first = [](Line start) { return FirstLineToCheck(start); };
  EXPECT_EQ(first({1, 2, 3, 4, 5, 6}), (Line{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(first({1, 2, 3, 4, 5, 49}), (Line{1, 2, 3, 4, 6, 7}));
  EXPECT_EQ(first({1, 2, 3, 4, 48, 49}), (Line{1, 2, 3, 5, 6, 7}));
  EXPECT_EQ(first({1, 45, 46, 47, 48, 49}), (Line{2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(first({43, 45, 46, 47, 48, 49}), (Line{44, 45, 46, 47, 48, 49}));
  EXPECT_EQ(first({44, 45, 46, 47, 48, 49}), std::nullopt);
  EXPECT_EQ(first({10, 20, 30, 40, 41, 48}), (Line{10, 20, 30, 40, 41, 48}));
  EXPECT_EQ(first({3, 2, 4, 5, 6, 7}), std::nullopt);
  EXPECT_EQ(first({0, 0, 0, 0, 0, 0}), std::nullopt);
  // The rule agrees with the stepping from any start line.
  std::mt19937 generator(9);
  for (int i = 0; i < 2000; ++i) {
    Line start = LineAtRank(generator() % kAllLinesCount);
    if (i % 2) start[5] = 49;
    if (i % 4 == 1) start[4] = 48;
    if (!IsValidLine(start)) continue;
    EXPECT_EQ(FirstLineToCheck(start), CarryStepper(start).Next()) << LineKey(start);
  }
}

TEST(FoundLineEntry, TwoDigitNumbersAndPercent) {
  EXPECT_EQ(FoundLineEntry({1, 12, 23, 31, 40, 49}, 71), "01-12-23-31-40-49=71%");
  EXPECT_EQ(FoundLineEntry({1, 2, 3, 4, 5, 6}, 100), "01-02-03-04-05-06=100%");
}

// A history rich in five, six and bonus hits: repeated draws, draws that
// share five numbers with different or matching bonuses.
std::vector<TestDraw> RichHistory() {
  std::vector<TestDraw> draws = test::RandomDraws(60, 21);
  draws.push_back({{1, 2, 3, 4, 5, 6}, 7});
  draws.push_back({{1, 2, 3, 4, 5, 6}, 8});    // a six twice
  draws.push_back({{1, 2, 3, 4, 5, 9}, 6});    // 5+ for 1..6
  draws.push_back({{1, 2, 3, 4, 5, 10}, 11});  // five for 1..5 and any
  draws.push_back({{40, 41, 42, 43, 44, 45}, 46});
  draws.push_back({{40, 41, 42, 43, 44, 47}, 45});
  draws.push_back({{40, 41, 42, 43, 44, 49}, 0});
  draws.push_back({{44, 45, 46, 47, 48, 49}, 1});
  draws.push_back({{10, 20, 30, 40, 45, 49}, 11});
  draws.push_back({{10, 20, 30, 40, 45, 48}, 49});
  return draws;
}

struct SearchCase {
  LotterySettings returns;
  std::string name;
};

std::vector<SearchCase> Cases() {
  std::vector<SearchCase> cases;
  const auto add = [&](int ret3, int ret4, int ret5, std::string name) {
    LotterySettings returns;
    returns.ret3 = ret3;
    returns.ret4 = ret4;
    returns.ret5 = ret5;
    returns.ret5p = 50;
    returns.ret6 = 1000;
    cases.push_back({returns, std::move(name)});
  };
  // 70 draws: one three at 47 gives exactly 67 (just found); at 46, 65.
  add(47, 0, 0, "one three just found");
  add(46, 90, 1, "fours decide");
  add(10, 60, 1500, "usual returns");
  add(-20, 600, 0, "negative three return");
  add(1000, 1000, 0, "most lines found");
  return cases;
}

// Every line from `from`, checked one by one.
std::vector<FoundLine> FoundOneByOne(Line from, int64_t count, const MemoryHistory& history,
                                     const LotterySettings& returns, IndexLookup& index) {
  std::vector<FoundLine> found;
  for (int64_t i = 0; i < count; ++i) {
    const auto result =
        CheckSingleLine(from, history.DrawCount(), returns, history.Tables(), index);
    if (result.percent >= kFoundThreshold) found.push_back({from, result.percent});
    if (!NextLine(from)) break;
  }
  return found;
}

void ExpectSameFound(const std::vector<FoundLine>& fast, const std::vector<FoundLine>& slow,
                     const std::string& what) {
  ASSERT_EQ(fast.size(), slow.size()) << what;
  for (std::size_t i = 0; i < fast.size(); ++i) {
    ASSERT_EQ(fast[i].line, slow[i].line) << what << " #" << i;
    ASSERT_EQ(fast[i].percent, slow[i].percent) << what << " " << LineKey(fast[i].line);
  }
}

TEST(AllLinesSearch, SlicesEqualTheCheckOfEachLine) {
  const auto draws = RichHistory();
  const MemoryHistory history(draws);
  std::mt19937 generator(17);
  for (const SearchCase& searchCase : Cases()) {
    CachedIndexLookup index(history.Reader());
    CachedIndexLookup fresh(history.Reader());  // same counts as reading each time
    AllLinesSearch search(history.Tables(), index, history.DrawCount(), searchCase.returns);
    std::vector<std::pair<Line, int64_t>> slices = {{{40, 41, 42, 43, 44, 45}, 126},
                                                    {{1, 2, 3, 4, 5, 6}, 3000},
                                                    {{39, 45, 46, 47, 48, 49}, 200}};
    for (const TestDraw& draw : draws) {  // around each draw's own line
      const int64_t rank = std::max<int64_t>(0, LineRank(draw.main) - 500);
      slices.push_back({LineAtRank(rank), 1000});
    }
    for (int i = 0; i < 3; ++i)
      slices.push_back({LineAtRank(generator() % (kAllLinesCount - 20000)), 20000});
    for (const auto& [from, count] : slices) {
      std::vector<FoundLine> found;
      const SliceResult slice = search.CheckSlice(from, count, found);
      const std::string what = searchCase.name + " from " + LineKey(from);
      ExpectSameFound(found, FoundOneByOne(from, count, history, searchCase.returns, fresh), what);
      EXPECT_EQ(slice.checked, std::min(count, kAllLinesCount - LineRank(from))) << what;
      EXPECT_EQ(slice.lastPercent, CheckSingleLine(slice.lastChecked, history.DrawCount(),
                                                   searchCase.returns, history.Tables(), fresh)
                                       .percent)
          << what;
    }
  }
}

TEST(AllLinesSearch, WholeSearchIsTheSameInSlicesAndOnOneThread) {
  const MemoryHistory history(RichHistory());
  const LotterySettings returns = Cases()[2].returns;
  CachedIndexLookup index(history.Reader());
  AllLinesSearch twoThreads(history.Tables(), index, history.DrawCount(), returns, 2);
  AllLinesSearch oneThread(history.Tables(), index, history.DrawCount(), returns, 1);

  std::vector<FoundLine> whole;
  const SliceResult all = twoThreads.CheckSlice({1, 2, 3, 4, 5, 6}, kAllLinesCount * 2, whole);
  EXPECT_EQ(all.checked, kAllLinesCount);
  EXPECT_EQ(all.lastChecked, (Line{44, 45, 46, 47, 48, 49}));
  EXPECT_FALSE(all.next.has_value());
  ASSERT_FALSE(whole.empty());

  std::vector<FoundLine> sliced;
  std::optional<Line> next = Line{1, 2, 3, 4, 5, 6};
  int64_t checked = 0;
  while (next) {
    const SliceResult slice = oneThread.CheckSlice(*next, 1'234'567, sliced);
    checked += slice.checked;
    next = slice.next;
  }
  EXPECT_EQ(checked, kAllLinesCount);
  ExpectSameFound(whole, sliced, "sliced");
  for (std::size_t i = 1; i < whole.size(); ++i)
    ASSERT_LT(LineRank(whole[i - 1].line), LineRank(whole[i].line));
}

TEST(AllLinesSearch, EdgesOfASlice) {
  const MemoryHistory history(RichHistory());
  CachedIndexLookup index(history.Reader());
  AllLinesSearch search(history.Tables(), index, history.DrawCount(), Cases()[0].returns);
  std::vector<FoundLine> found;
  SliceResult last = search.CheckSlice({44, 45, 46, 47, 48, 49}, 10, found);
  EXPECT_EQ(last.checked, 1);
  EXPECT_FALSE(last.next.has_value());
  SliceResult none = search.CheckSlice({1, 2, 3, 4, 5, 6}, 0, found);
  EXPECT_EQ(none.checked, 0);
  EXPECT_EQ(none.next, (Line{1, 2, 3, 4, 5, 6}));
  SliceResult bad = search.CheckSlice({5, 4, 3, 2, 1, 0}, 10, found);
  EXPECT_EQ(bad.checked, 0);
  EXPECT_FALSE(bad.next.has_value());
  SliceResult one = search.CheckSlice({1, 2, 3, 4, 5, 49}, 1, found);
  EXPECT_EQ(one.lastChecked, (Line{1, 2, 3, 4, 5, 49}));
  EXPECT_EQ(one.next, (Line{1, 2, 3, 4, 6, 7}));
}

TEST(AllLinesSearch, ExactlySixtySixIsFoundSixtyFourIsNot) {
  std::vector<TestDraw> draws(49, TestDraw{{40, 41, 42, 43, 44, 45}, 0});
  draws.push_back({{1, 2, 3, 10, 11, 12}, 0});  // the only three of 1 2 3 4 5 6
  const MemoryHistory history(draws);
  CachedIndexLookup index(history.Reader());
  for (const int ret3 : {33, 32}) {
    LotterySettings returns;
    returns.ret3 = ret3;
    AllLinesSearch search(history.Tables(), index, history.DrawCount(), returns);
    std::vector<FoundLine> found;
    const SliceResult slice = search.CheckSlice({1, 2, 3, 4, 5, 6}, 1, found);
    EXPECT_EQ(slice.lastPercent, 2 * ret3);
    EXPECT_EQ(found.size(), ret3 == 33 ? 1u : 0u);
  }
}

TEST(AllLinesSearch, NoDrawsFindsNothing) {
  const MemoryHistory history({});
  CachedIndexLookup index(history.Reader());
  AllLinesSearch search(history.Tables(), index, 0, Cases()[4].returns);
  std::vector<FoundLine> found;
  EXPECT_EQ(search.CheckSlice({1, 2, 3, 4, 5, 6}, 500'000, found).checked, 500'000);
  EXPECT_TRUE(found.empty());
}

}  // namespace
}  // namespace bw
