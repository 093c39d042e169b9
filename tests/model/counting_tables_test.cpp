#include "model/counting_tables.h"

#include <gtest/gtest.h>

#include "model/draw_fields.h"
#include "model/statistics_text.h"

namespace bw {
namespace {

TEST(CountingTables, OneDrawFillsOnlyAscendingEntries) {
  CountingTables tables;
  tables.CountDraw(ParseDrawEntry("05/12/2000 01 02 03 04 05 06 "));
  EXPECT_EQ(tables.Single(1), 1);
  EXPECT_EQ(tables.Single(7), 0);
  EXPECT_EQ(tables.Double(1, 2), 1);
  EXPECT_EQ(tables.Double(2, 1), 0);
  EXPECT_EQ(tables.Treble(4, 5, 6), 1);
  EXPECT_EQ(tables.Treble(6, 5, 4), 0);
  EXPECT_EQ(tables.Quad(1, 2, 3, 6), 1);
  EXPECT_EQ(tables.QuadRow(1, 2, 3)[6], 1);
  EXPECT_EQ(tables.TrebleRow(4, 5)[6], 1);
}

TEST(CountingTables, TheBonusIsNeverCounted) {
  CountingTables tables;
  tables.CountDraw(ParseDrawEntry("05/12/2000 01 02 03 04 05 06 07"));
  EXPECT_EQ(tables.Single(7), 0);
  EXPECT_EQ(tables.Double(6, 7), 0);
}

TEST(CountingTables, FieldsOutsideTheTablesSkipOnlyTheirCounts) {
  CountingTables tables;
  DrawFields fields = ParseDrawEntry("05/12/2000 01 02 03 04 05 99 ");
  tables.CountDraw(fields);
  EXPECT_EQ(tables.Single(1), 1);
  EXPECT_EQ(tables.Double(1, 2), 1);
  EXPECT_EQ(tables.Quad(1, 2, 3, 4), 1);
  fields = {"", "ab", "-1", "", "12", "13", "50", "00"};
  tables.CountDraw(fields);
  EXPECT_EQ(tables.Single(12), 1);
  EXPECT_EQ(tables.Double(12, 13), 1);
}

class StatisticsText : public ::testing::Test {
 protected:
  StatisticsText() {
    tables.CountDraw(ParseDrawEntry("05/12/2000 01 02 03 04 05 06 "));
    for (int i = 0; i < 52; ++i) tables.CountDraw(ParseDrawEntry("x 07 12 20 30 40 49 "));
    tables.CountDraw(ParseDrawEntry("x 07 12 31 32 33 34 "));
    for (int i = 0; i < 50; ++i) tables.CountDraw(ParseDrawEntry("x 10 20 30 40 45 46 "));
  }
  CountingTables tables;
};

TEST_F(StatisticsText, SinglesListEveryNumber) {
  const auto lines = FillSinglesText(tables);
  ASSERT_EQ(lines.size(), 49u);
  EXPECT_EQ(lines[0], "  01=  1x");
  EXPECT_EQ(lines[6], "  07= 53x");
  EXPECT_EQ(lines[19], "  20=102x");
  EXPECT_EQ(lines[47], "  48=  0x");
}

TEST_F(StatisticsText, DoublesListTheHigherNumbers) {
  const auto lines = FillDoublesText(tables, 7);
  ASSERT_EQ(lines.size(), 42u);
  EXPECT_EQ(lines[0], "  07-08=  0x");
  EXPECT_EQ(lines[4], "  07-12= 53x");
  EXPECT_EQ(FillDoublesText(tables, 48), std::vector<std::string>{"  48-49=  0x"});
  EXPECT_TRUE(FillDoublesText(tables, 49).empty());
  EXPECT_TRUE(FillDoublesText(tables, 0).empty());
  EXPECT_TRUE(FillDoublesText(tables, 50).empty());
}

TEST_F(StatisticsText, TreblesListThePairsOfHigherNumbers) {
  EXPECT_EQ(FillTreblesText(tables, 1).size(), 1128u);
  const auto lines = FillTreblesText(tables, 7);
  EXPECT_EQ(lines.front(), "  07-08-09=  0x");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "  07-12-31=  1x"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "  07-12-20= 52x"), lines.end());
  EXPECT_EQ(FillTreblesText(tables, 47), std::vector<std::string>{"  47-48-49=  0x"});
  EXPECT_TRUE(FillTreblesText(tables, 48).empty());
  EXPECT_TRUE(FillTreblesText(tables, -3).empty());
}

TEST(GetAllNumbers, SortsByValueAndJoinsWithoutATrailingDash) {
  SelectedNumbers selected = {"",   "7",  "23", "3",  "49", "11", "8",
                              "17", "20", "24", "29", "33", "45"};
  GetAllNumbers(selected);
  EXPECT_EQ(selected[0], "3-7-8-11-17-20-23-24-29-33-45-49");
  EXPECT_EQ(selected[1], "3");
  EXPECT_EQ(selected[12], "49");
}

TEST(GetAllNumbers, EmptyEntriesMoveToTheFront) {
  SelectedNumbers selected = {"old", "9", "", "4", "", "", "", "", "", "", "", "", "1"};
  GetAllNumbers(selected);
  EXPECT_EQ(selected[10], "1");
  EXPECT_EQ(selected[11], "4");
  EXPECT_EQ(selected[12], "9");
  EXPECT_EQ(selected[1], "");
  EXPECT_EQ(selected[0], "1-4-9");
  SelectedNumbers none{};
  GetAllNumbers(none);
  EXPECT_EQ(none[0], "");
}

}  // namespace
}  // namespace bw
