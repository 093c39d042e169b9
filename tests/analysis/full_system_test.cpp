#include "analysis/full_system.h"

#include <gtest/gtest.h>

#include <set>

namespace bw {
namespace {

ResultCaptions Captions(std::string three, std::string four, std::string digit,
                        std::string ret = "%") {
  ResultCaptions captions;
  captions.three = std::move(three);
  captions.four = std::move(four);
  captions.digit = std::move(digit);
  captions.ret = std::move(ret);
  return captions;
}

TEST(BuildSystemPatterns, AllSixOfTwelveInLexicographicOrder) {
  const auto patterns = BuildSystemPatterns();
  ASSERT_EQ(patterns.size(), 924u);
  EXPECT_EQ(patterns[0], "******------");
  EXPECT_EQ(patterns[1], "*****-*-----");
  EXPECT_EQ(patterns[923], "------******");
  EXPECT_EQ(std::set<std::string>(patterns.begin(), patterns.end()).size(), 924u);
  for (const auto& pattern : patterns)
    EXPECT_EQ(std::count(pattern.begin(), pattern.end(), '*'), 6);
  EXPECT_TRUE(std::is_sorted(patterns.begin(), patterns.end()));  // "*" sorts before "-"
}

TEST(BuildSystemLines, SortsTheNumbersAndExpandsThemInOrder) {
  std::array<std::string, 13> selected{"",   "12", "3", "7", "1",  "11", "2",
                                       "10", "9",  "4", "8", " 5", "6"};
  const auto lines = BuildSystemLines(selected, BuildSystemPatterns());
  ASSERT_EQ(lines.size(), 924u);
  EXPECT_EQ(SystemLineText(lines[0]), "01-02-03-04-05-06");
  EXPECT_EQ(SystemLineText(lines[1]), "01-02-03-04-05-07");
  EXPECT_EQ(SystemLineText(lines[923]), "07-08-09-10-11-12");
  EXPECT_EQ(selected[1], "1");
  EXPECT_EQ(selected[5], " 5");  // moved, not trimmed
  EXPECT_EQ(selected[12], "12");
}

TEST(BuildSystemLines, SameLinesWhateverTheOrderOfEntry) {
  std::array<std::string, 13> first{"",   "3",  "8",  "11", "17", "20", "24",
                                    "29", "33", "38", "41", "45", "49"};
  std::array<std::string, 13> second{"",   "49", "45", "3",  "41", "8", "38",
                                     "11", "33", "17", "29", "20", "24"};
  const auto patterns = BuildSystemPatterns();
  EXPECT_EQ(BuildSystemLines(first, patterns), BuildSystemLines(second, patterns));
  EXPECT_EQ(first, second);
}

TEST(BuildSystemLines, MissingNumbersDoNotCrash) {
  std::array<std::string, 13> selected{"", "", "4", "", "123", "x"};
  const auto lines = BuildSystemLines(selected, BuildSystemPatterns());
  EXPECT_EQ(lines.size(), 924u);
}

TEST(FormatResultRow, ColumnsStandUnderTheHeader) {
  const std::string row = FormatResultRow("03-07-12-19-33-41", Captions("5", "1", "12"));
  EXPECT_EQ(row, "03-07-12-19-33-41 |  5|  1|  |  |  |  12%");
  EXPECT_EQ(row.size(), 41u);
  const std::string header = ResultRowHeader();
  EXPECT_EQ(header, "                  | 3 | 4 | 5|5+| 6|result");
  for (std::size_t column : {19u, 23u, 27u, 30u, 33u, 36u}) {
    EXPECT_EQ(row[column - 1], '|') << column;
    EXPECT_EQ(header[column - 1], '|') << column;
  }
}

TEST(FormatResultRow, WidthsOfCountsAndPercent) {
  ResultCaptions captions = Captions("123", "45", "100", "%+");
  captions.five = "3";
  captions.fivePlus = "12";
  captions.six = "1";
  EXPECT_EQ(FormatResultRow("01-02-03-04-05-06", captions),
            "01-02-03-04-05-06 |123| 45| 3|12| 1| 100%+");
  // A line that never hit three: only blanks between the bars.
  EXPECT_EQ(FormatResultRow("01-02-03-04-05-06", Captions("", "", "0")),
            "01-02-03-04-05-06 |   |   |  |  |  |   0%");
}

TEST(SystemCounters, BandsOfFiftyAndSixtySix) {
  SystemCounters counters;
  for (int percent : {66, 65, 50, 49, 120, 0}) counters.Count(percent);
  EXPECT_EQ(counters.analysed, 6);
  EXPECT_EQ(counters.atLeast66, 2);
  EXPECT_EQ(counters.from50to65, 2);
}

// Runs five lines whose results are 10, 20, ... and stops when `stopAt`
// (the n-th test of the flag, 1-based) is reached.
struct StopRun {
  std::vector<int> listed;
  SystemCounters counters;
  int events = 0;
  bool complete = false;
  explicit StopRun(int stopAt) {
    std::vector<Line> lines(5, Line{1, 2, 3, 4, 5, 6});
    int tests = 0, checked = 0;
    SystemRunHooks hooks;
    hooks.letEventsRun = [this] { ++events; };
    hooks.stopRequested = [&tests, stopAt] { return ++tests >= stopAt; };
    hooks.onRow = [this](int i, const std::string& row, const SingleLineResult&) {
      listed.push_back(i);
      EXPECT_EQ(row.size(), 41u);
    };
    complete = RunFullSystem(
        lines,
        [&checked](const Line&) {
          SingleLineResult result;
          result.percent = 10 * ++checked;
          return result;
        },
        counters, hooks);
  }
};

TEST(RunFullSystem, StopAfterTheCheckLeavesTheLineUnlisted) {
  StopRun run(5);  // line 3's first test
  EXPECT_FALSE(run.complete);
  EXPECT_EQ(run.listed, (std::vector<int>{0, 1}));
  EXPECT_EQ(run.counters.analysed, 2);
  EXPECT_EQ(run.events, 3);
}

TEST(RunFullSystem, StopAfterTheCountersKeepsTheLineListed) {
  StopRun run(4);  // line 2's second test
  EXPECT_FALSE(run.complete);
  EXPECT_EQ(run.listed, (std::vector<int>{0, 1}));
  EXPECT_EQ(run.counters.analysed, 2);
}

TEST(RunFullSystem, WithoutStopEveryLineIsListed) {
  StopRun run(1000);
  EXPECT_TRUE(run.complete);
  EXPECT_EQ(run.listed.size(), 5u);
  EXPECT_EQ(run.counters.analysed, 5);
  EXPECT_EQ(run.counters.from50to65, 1);
  EXPECT_EQ(run.events, 5);
}

}  // namespace
}  // namespace bw
