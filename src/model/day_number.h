// SPDX-License-Identifier: GPL-3.0-or-later
// Calendar dates as day numbers: day 0 is 30 December 1899, so the numbers
// compare like dates and match the serials other tools use for dates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  bool operator==(const CalendarDate&) const = default;
};

int32_t DayNumber(const CalendarDate& date);
CalendarDate DateOfDayNumber(int32_t dayNumber);

// Reads a draw date "d/m/yyyy" (one or two digits for day and month, four for
// the year, "/" between); anything else, or a day that does not exist, is not
// a date.
std::optional<CalendarDate> ParseDrawDate(std::string_view text);

// "05/12/2000".
std::string FormatDrawDate(const CalendarDate& date);
// "05 December 2000": the long form used in messages and date labels.
std::string FormatLongDate(const CalendarDate& date);

}  // namespace bw
