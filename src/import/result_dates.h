// SPDX-License-Identifier: GPL-3.0-or-later
// The dates of a published result file: the forms lotteries write them in,
// and the day/month order that the whole file shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/day_number.h"

namespace bw {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// A date field as written, before the file's day/month order is known.
struct DateText {
  enum class Form {
    YearFirst,  // 2020-06-17
    Numeric,    // 17/06/2020 or 06/17/2020: order decided by the file
    DayMonth,   // 17-Jun-2020
    MonthDay,   // Jun 17, 2020
  } form = Form::YearFirst;
  int first = 0;   // as written: year, or the first of day and month
  int second = 0;  // month, or the second of day and month
  int third = 0;   // day, or the year (two-digit years already in full)
  char separator = '-';
  bool shortYear = false;  // written with two digits: 00-49 are 20xx, 50-99 19xx
};

// nullopt when the field is not a date in any of the forms; a weekday
// before and a time after the date are allowed.
std::optional<DateText> ScanDate(std::string_view field);

// The calendar date, or nullopt when the numbers are no date in `order`
// (which matters only for Numeric dates).
std::optional<CalendarDate> DateOf(const DateText& text, DateOrder order);

// Decided over all Numeric dates: a first number above 12 settles day first,
// a second number above 12 month first; when both occur the more frequent
// wins. nullopt when no date settles it.
std::optional<DateOrder> OrderShownByDates(const std::vector<DateText>& dates);

// True when a Numeric date reads as two different dates in the two orders.
bool IsAmbiguous(const DateText& text);

// "yyyy-mm-dd", "dd/mm/yyyy", "mm/dd/yy", "dd.mm.yyyy", "dd-Mon-yyyy", ...
std::string DateStyleName(const DateText& text, DateOrder order);

}  // namespace bw
