// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/draw_date_rule.h"

#include "model/day_number.h"

namespace bw {

std::optional<std::string> DrawDateRefusal(int32_t day, int32_t todayDayNumber) {
  if (day < kEarliestDrawDay) return "it is before 01/01/1900, when no lottery drew";
  if (day > todayDayNumber + 1) {
    return "it is after tomorrow, " + FormatDrawDate(DateOfDayNumber(todayDayNumber + 1));
  }
  return std::nullopt;
}

}  // namespace bw
