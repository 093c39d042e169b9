// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/counting_tables.h"

#include <gtest/gtest.h>

#include "model/day_number.h"
#include "model/draw_fields.h"
#include "model/numbers.h"
#include "model/statistics_text.h"

namespace bw {
namespace {

TEST(NumberTexts, DatesNumbersAndLines) {
  EXPECT_EQ(DayNumber({1899, 12, 30}), 0);
  EXPECT_EQ(DayNumber({1900, 1, 1}), 2);
  EXPECT_EQ(DayNumber({2000, 12, 5}), 36865);
  EXPECT_EQ(DateOfDayNumber(36865), (CalendarDate{2000, 12, 5}));
  EXPECT_EQ(FormatDrawDate({2000, 12, 5}), "05/12/2000");
  EXPECT_EQ(ParseDrawDate("5/1/2000"), (CalendarDate{2000, 1, 5}));
  EXPECT_EQ(ParseDrawDate("29/02/2000"), (CalendarDate{2000, 2, 29}));
  for (const char* bad : {"", "29/02/2001", "05/13/2000", "05/12/00", "05-12-2000", "005/12/2000",
                          "05/12/2000x", "/12/2000", "05/12/20000", "00/00/0000"})
    EXPECT_EQ(ParseDrawDate(bad), std::nullopt) << bad;
  EXPECT_EQ((std::vector<int>{LeadingNumber("  12abc"), LeadingNumber(""), LeadingNumber("71%")}),
            (std::vector<int>{12, 0, 71}));
  const Line line{3, 8, 11, 17, 25, 41};
  EXPECT_EQ(LineKey(line) + " " + JoinTwoDigits(line, "-"), "030811172541 03-08-11-17-25-41");
  EXPECT_TRUE(IsValidLine(line));
  for (const Line& bad :
       {Line{3, 3, 11, 17, 25, 41}, Line{0, 3, 11, 17, 25, 41}, Line{3, 8, 11, 17, 25, 50}})
    EXPECT_FALSE(IsValidLine(bad)) << LineKey(bad);
}

TEST(CountingTables, OnlyAscendingMainNumbersInRangeAreCounted) {
  CountingTables tables;
  tables.CountDraw(ParseDrawEntry("05/12/2000 01 02 03 04 05 06 07"));
  EXPECT_EQ(tables.Single(1) + tables.Double(1, 2) + tables.Treble(4, 5, 6), 3);
  EXPECT_EQ(tables.Quad(1, 2, 3, 6) + tables.QuadRow(1, 2, 3)[6] + tables.TrebleRow(4, 5)[6], 3);
  EXPECT_EQ(tables.Double(2, 1) + tables.Treble(6, 5, 4), 0);  // descending entries stay empty
  EXPECT_EQ(tables.Single(7) + tables.Double(6, 7), 0);        // the bonus is never counted
  // A field outside the tables skips only its own counts.
  tables.CountDraw(ParseDrawEntry("05/12/2000 21 22 23 24 25 99 "));
  EXPECT_EQ(tables.Single(21) + tables.Double(21, 22) + tables.Quad(21, 22, 23, 24), 3);
  tables.CountDraw({"", "ab", "-1", "", "12", "13", "50", "00"});
  EXPECT_EQ(tables.Single(12) + tables.Double(12, 13), 2);
  // A draw taken out again leaves the counts of the others.
  tables.UncountDraw(ParseDrawEntry("05/12/2000 01 02 03 04 05 06 07"));
  EXPECT_EQ(tables.Single(1) + tables.Double(1, 2) + tables.Quad(1, 2, 3, 6), 0);
  EXPECT_EQ(tables.Single(21) + tables.Double(21, 22) + tables.Quad(21, 22, 23, 24), 3);
}

TEST(StatisticsText, ListsOfSinglesDoublesAndTrebles) {
  CountingTables tables;
  tables.CountDraw(ParseDrawEntry("05/12/2000 01 02 03 04 05 06 "));
  for (int i = 0; i < 52; ++i) tables.CountDraw(ParseDrawEntry("x 07 12 20 30 40 49 "));
  tables.CountDraw(ParseDrawEntry("x 07 12 31 32 33 34 "));
  for (int i = 0; i < 50; ++i) tables.CountDraw(ParseDrawEntry("x 10 20 30 40 45 46 "));
  const auto singles = FillSinglesText(tables);
  ASSERT_EQ(singles.size(), 49u);
  EXPECT_EQ(singles[0] + singles[6] + singles[19] + singles[47],
            "  01=  1x  07= 53x  20=102x  48=  0x");
  const auto doubles = FillDoublesText(tables, 7);
  ASSERT_EQ(doubles.size(), 42u);
  EXPECT_EQ(doubles[0] + doubles[4], "  07-08=  0x  07-12= 53x");
  EXPECT_EQ(FillDoublesText(tables, 48), std::vector<std::string>{"  48-49=  0x"});
  EXPECT_EQ(FillTreblesText(tables, 1).size(), 1128u);
  const auto trebles = FillTreblesText(tables, 7);
  EXPECT_EQ(trebles[0] + trebles[165] + trebles[176],
            "  07-08-09=  0x  07-12-20= 52x  07-12-31=  1x");
  EXPECT_EQ(FillTreblesText(tables, 47), std::vector<std::string>{"  47-48-49=  0x"});
  for (int first : {-3, 0, 49, 50}) EXPECT_TRUE(FillDoublesText(tables, first).empty()) << first;
  EXPECT_TRUE(FillTreblesText(tables, 48).empty());
}

}  // namespace
}  // namespace bw
