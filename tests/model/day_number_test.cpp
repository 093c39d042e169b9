#include "model/day_number.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(DayNumber, CountsFromTheLastDaysOf1899) {
  EXPECT_EQ(DayNumber({1899, 12, 30}), 0);
  EXPECT_EQ(DayNumber({1900, 1, 1}), 2);
  EXPECT_EQ(DayNumber({2000, 12, 5}), 36865);
  EXPECT_EQ(DateOfDayNumber(36865), (CalendarDate{2000, 12, 5}));
  EXPECT_EQ(FormatDrawDate({2000, 12, 5}), "05/12/2000");
}

TEST(DayNumber, DrawDatesReadDayMonthYear) {
  EXPECT_EQ(ParseDrawDate("05/12/2000"), (CalendarDate{2000, 12, 5}));
  EXPECT_EQ(ParseDrawDate("5/1/2000"), (CalendarDate{2000, 1, 5}));
  EXPECT_EQ(ParseDrawDate("29/02/2000"), (CalendarDate{2000, 2, 29}));
  for (const char* bad : {"", "29/02/2001", "05/13/2000", "05/12/00", "05-12-2000", "005/12/2000",
                          "05/12/2000x", "/12/2000", "05/12/20000", "00/00/0000"}) {
    EXPECT_EQ(ParseDrawDate(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace bw
