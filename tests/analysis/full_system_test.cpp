#include "analysis/full_system.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

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
