// Merging a result file into a history: new, already there, conflicts, the
// date order of the written history and the bonus of the lottery.
#include <gtest/gtest.h>

#include "import/draw_merge.h"

namespace bw {
namespace {

const DrawList kHistory = {"12/06/1982 03 11 12 14 41 43 13", "26/06/1982 01 06 23 24 27 39 34",
                           "03/07/1982 03 09 10 13 20 43 34"};

std::string Lines(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& e : entries) text += e.substr(0, 10) + (e == entries.back() ? "" : " ");
  return text;
}

TEST(DrawMerge, RowsAreNewAlreadyThereOrInConflictWithTheHistory) {
  const struct {
    const char* name;
    std::string file;
    const char* counts;
    const char* dates;  // of the merged history
    const char* problems;
  } cases[] = {
      {"newest first, one already there, one duplicate in the file",
       "Date,N1,N2,N3,N4,N5,N6,Bonus\n10/07/1982,5,14,21,31,34,47,45\n19/06/"
       "1982,8,33,36,37,39,41,9\n"
       "19/06/1982,8,33,36,37,39,41,9\n12/06/1982,3,11,12,14,41,43,13\n",
       "read 4 rows: 2 new draws, 2 already there, 0 problems",
       "12/06/1982 19/06/1982 26/06/1982 03/07/1982 10/07/1982", ""},
      {"a draw of a history date with other numbers",
       "26/06/1982,1,6,23,24,27,40,34\n01/01/1983,1,2,3,4,5,6,7\n30/02/1983,1,2,3,4,5,6,7\n",
       "read 3 rows: 1 new draw, 0 already there, 2 problems",
       "12/06/1982 26/06/1982 03/07/1982 01/01/1983",
       "line 1: conflicts with the draw of 26/06/1982 in the history;"
       "line 3: not a date (dd/mm/yyyy): \"30/02/1983\";"},
      {"a second draw of a date new to the history follows the first",
       "01/01/1983,1,2,3,4,5,6,7\n01/01/1983,7,8,9,10,11,12,13\n",
       "read 2 rows: 2 new draws, 0 already there, 0 problems",
       "12/06/1982 26/06/1982 03/07/1982 01/01/1983 01/01/1983", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DrawMerge merge = MergeDraws(kHistory, true, ReadResultBytes(c.file));
    EXPECT_EQ(MergeCountsText(merge), c.counts);
    EXPECT_EQ(Lines(merge.draws), c.dates);
    std::string problems;
    for (const RowProblem& p : merge.problems)
      problems += "line " + std::to_string(p.line) + ": " + p.reason + ";";
    EXPECT_EQ(problems, c.problems);
    EXPECT_EQ(merge.CanImport(false), problems.empty());
    EXPECT_TRUE(merge.CanImport(true));
  }
  const DrawMerge twoDraws = MergeDraws(kHistory, true, ReadResultBytes(cases[2].file));
  EXPECT_EQ(twoDraws.draws[4], "01/01/1983 07 08 09 10 11 12 13");
  EXPECT_EQ(twoDraws.placeOfEntry[2], 2u);
}

TEST(DrawMerge, ABonusOnlyWhereTheLotteryDrawsOne) {
  const ResultFile withBonus = ReadResultBytes("01/01/1983,1,2,3,4,5,6,7\n");
  const ResultFile without = ReadResultBytes("01/01/1983,1,2,3,4,5,6\n");
  EXPECT_EQ(MergeDraws(kHistory, false, withBonus).refusal,
            "the file has bonus numbers (column 8); this lottery draws none");
  EXPECT_EQ(MergeDraws(kHistory, true, without).refusal,
            "the file has no bonus numbers; this lottery draws one");
  EXPECT_FALSE(MergeDraws(kHistory, true, without).CanImport(true));
  EXPECT_EQ(MergeDraws({}, false, without).draws, DrawList{"01/01/1983 01 02 03 04 05 06 "});
}

}  // namespace
}  // namespace bw
