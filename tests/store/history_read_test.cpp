#include <gtest/gtest.h>

#include "model/day_number.h"
#include "store/file_error.h"
#include "store/history_file.h"
#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw {
namespace {

constexpr int32_t kToday = 45000;

class HistoryRead : public ::testing::Test {
 protected:
  HistoryRead() {
    state.appFolder = folder.Path();
    state.lottoFile = "Lotto.opt";
  }
  bool Read(const std::string& bytes) {
    folder.Write("Lotto.opt", bytes);
    return ReadHistoryFile(state, kToday);
  }
  static int32_t Day(int year, int month, int day) { return DayNumber({year, month, day}); }
  test::TestFolder folder;
  ProgramState state;
};

TEST(SortDrawNumbers, OrdersMainNumbersAndKeepsTheBonusLast) {
  EXPECT_EQ(SortDrawNumbers("44 03 25 17 11 38"), "03 11 17 25 38 44 ");
  EXPECT_EQ(SortDrawNumbers("03 11 17 25 38 44 09"), "03 11 17 25 38 44 09");
  EXPECT_EQ(SortDrawNumbers("44 38 25 17 11 03 01"), "03 11 17 25 38 44 01");
  EXPECT_EQ(SortDrawNumbers("03 11 17 25 38 44 00"), "03 11 17 25 38 44 ");
}

TEST_F(HistoryRead, EntriesAreSortedAndBonusFollowsTheLength) {
  EXPECT_TRUE(Read("05/12/2000 44 03 25 17 11 38\r\n"));
  ASSERT_EQ(state.draws.size(), 1u);
  EXPECT_EQ(state.draws[0], "05/12/2000 03 11 17 25 38 44 ");
  EXPECT_FALSE(state.settings.useBonus);

  EXPECT_TRUE(Read("05/12/2000 03 11 17 25 38 44 09\r\n"));
  EXPECT_EQ(state.draws, DrawList{"05/12/2000 03 11 17 25 38 44 09"});
  EXPECT_TRUE(state.settings.useBonus);

  EXPECT_TRUE(Read("05/12/2000 03 11 17 25 38 44 00\r\n"));
  EXPECT_EQ(state.draws, DrawList{"05/12/2000 03 11 17 25 38 44 "});
  EXPECT_TRUE(state.settings.useBonus);
}

TEST_F(HistoryRead, BlanksAroundNumbersAndBlankLinesAreIgnored) {
  EXPECT_TRUE(Read("\r\n   \r\n1/2/2001    01 02 03 04 05 06   \n\r\n"));
  EXPECT_EQ(state.draws, DrawList{"1/2/2001 01 02 03 04 05 06 "});
  EXPECT_EQ(state.oldestDrawDate, Day(2001, 2, 1));
}

TEST_F(HistoryRead, LinesOutsideTheRangeAreRejected) {
  EXPECT_TRUE(
      Read("01/01/2001 50 02 03 04 05 06\r\n"     // first field 50
           "02/01/2001 01 02 03 04 00 06\r\n"     // fifth field 00
           "03/01/2001 01 02 03 04 05 50\r\n"     // the sixth main number as well
           "04/01/2001 01 02 03 04 05 06 50\r\n"  // a bonus outside 1..49
           "05/01/2001 01 02 03\r\n"              // fields missing
           "06/01/2001 01 02 03 04 05 +6\r\n"     // no digits
           "07/01/2001 01 02 03 04 05 06 00\r\n"  // bonus "00" is no bonus
           "08/01/2001 01 02 03 04 05 49 49\r\n"));
  EXPECT_EQ(state.draws,
            (DrawList{"07/01/2001 01 02 03 04 05 06 ", "08/01/2001 01 02 03 04 05 49 49"}));
  EXPECT_EQ(state.oldestDrawDate, Day(2001, 1, 7));
}

TEST_F(HistoryRead, BonusFlagFollowsTheLastNonBlankLineEvenWhenRejected) {
  EXPECT_TRUE(Read("01/01/2001 01 02 03 04 05 06\r\n02/01/2001 01 02 03 04 05 06 50\r\n\r\n"));
  EXPECT_EQ(state.draws.size(), 1u);
  EXPECT_TRUE(state.settings.useBonus);
}

TEST_F(HistoryRead, DatesSetTheRangeAndPlaceholdersDoNot) {
  EXPECT_TRUE(
      Read("00/00/0000 01 02 03 04 05 06\r\n"
           "10/06/2020 01 02 03 04 05 06\r\n"
           "12/06/1982 01 02 03 04 05 06\r\n"
           "00/00/00 07 08 09 10 11 12\r\n"
           "17/06/2020 01 02 03 04 05 06\r\n"));
  EXPECT_EQ(state.draws.size(), 5u);
  EXPECT_EQ(state.draws[0], "00/00/0000 01 02 03 04 05 06 ");
  EXPECT_EQ(state.oldestDrawDate, Day(1982, 6, 12));
  EXPECT_EQ(state.newestDrawDate, Day(2020, 6, 17));
}

TEST_F(HistoryRead, NotADateEndsTheReadAfterAppendingItsEntry) {
  EXPECT_FALSE(
      Read("10/06/2020 01 02 03 04 05 06\r\n"
           "2020-06-11 01 02 03 04 05 07\r\n"
           "12/06/2020 01 02 03 04 05 08\r\n"));
  EXPECT_EQ(state.fileErrorNumber, kTypeMismatch);
  EXPECT_EQ(state.draws,
            (DrawList{"10/06/2020 01 02 03 04 05 06 ", "2020-06-11 01 02 03 04 05 07 "}));
  EXPECT_EQ(state.newestDrawDate, Day(2020, 6, 10));
  EXPECT_EQ(state.oldestDrawDate, Day(2020, 6, 10));
}

TEST_F(HistoryRead, ImpossibleDatesAndMissingDatesAreNotDates) {
  for (const char* line : {"31/02/2020 01 02 03 04 05 06", " 01 02 03 04 05 06",
                           "01/02/20 01 02 03 04 05 06", "1.2.2020 01 02 03 04 05 06"}) {
    EXPECT_FALSE(Read(std::string(line) + "\r\n")) << line;
    EXPECT_EQ(state.fileErrorNumber, kTypeMismatch);
    EXPECT_EQ(state.draws.size(), 1u) << line;
  }
}

TEST_F(HistoryRead, MissingFileLeavesEverythingEmpty) {
  state.draws = {"stale"};
  EXPECT_FALSE(ReadHistoryFile(state, kToday));
  EXPECT_EQ(state.fileErrorNumber, kFileNotFound);
  EXPECT_TRUE(state.draws.empty());
  EXPECT_EQ(state.oldestDrawDate, 0);
  EXPECT_EQ(state.newestDrawDate, 0);

  EXPECT_TRUE(Read(""));
  EXPECT_EQ(state.oldestDrawDate, kToday);
  EXPECT_EQ(state.newestDrawDate, kToday);
}

TEST_F(HistoryRead, UnreadableFileIsAnAccessError) {
  folder.Write("Lotto.opt", "10/06/2020 01 02 03 04 05 06\r\n");
  std::filesystem::permissions(folder / "Lotto.opt", std::filesystem::perms::owner_read);
  test::AsUnprivilegedUser nobody;
  if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
  EXPECT_FALSE(ReadHistoryFile(state, kToday));
  EXPECT_EQ(state.fileErrorNumber, kPathFileAccess);
}

}  // namespace
}  // namespace bw
