// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the day or the month comes first in a result file whose numeric
// dates all have both below 13: never guessed, but settled by what the
// lottery and the file show, or left open for the user to say.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/result_dates.h"

namespace bw {

// A row whose date reads as two dates, with the numbers it holds (bit n set
// for a number n from 1 to 49 in any of its fields).
struct AmbiguousRow {
  DateText date;
  uint64_t numbers = 0;
};

struct DateOrderClues {
  std::vector<DateText> dates;                        // the date column of every row
  std::vector<AmbiguousRow> ambiguous;                // the rows whose date reads two ways
  const std::vector<std::string>* history = nullptr;  // the lottery's draw list
  std::optional<DateOrder> lastImportOrder;           // kept in the lottery's settings
};

struct DateOrderDecision {
  std::optional<DateOrder> order;  // nullopt: nothing settles it
  std::string settledBy;           // empty when the dates themselves do
};

// In this order: a date with a day above 12; the history (rows equal to its
// draws on their dates, or the draws on the weekdays it draws on); the order
// of the lottery's last import; the file's own weekdays.
DateOrderDecision SettleDateOrder(const DateOrderClues& clues);

}  // namespace bw
