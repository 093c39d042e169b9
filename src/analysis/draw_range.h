// SPDX-License-Identifier: GPL-3.0-or-later
// The dated draws of the history as bit masks, and the choice of the draws
// dated from one day to another, so that analyses restricted to a date range
// can count over the draws themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/numbers.h"
#include "model/program_state.h"

namespace bw {

// One draw of the draw list with a real date.
struct DatedDraw {
  std::size_t listIndex = 0;  // position in the draw list
  int32_t day = 0;            // day number of its date
  uint64_t mainMask = 0;      // bit n set for each main number n
  int bonus = 0;              // 0 = none
};

// Bit n set for each number n of the line.
uint64_t NumberMask(const Line& line);

// Every entry with a valid date, in the history's order; placeholders and
// entries without a date are left out.
std::vector<DatedDraw> DatedDrawsOf(const DrawList& draws);

// Both ends included; an end left open is the first or last draw.
struct DateRange {
  std::optional<int32_t> since, until;  // day numbers
  bool IsWholeHistory() const { return !since && !until; }
  bool Holds(int32_t day) const { return (!since || day >= *since) && (!until || day <= *until); }
  bool operator==(const DateRange&) const = default;
};

// A range without draws: "no draws between 01/01/2030 and 31/12/2030".
class EmptyRangeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The draws within the range, in the history's order. Throws EmptyRangeError
// when there are none.
std::vector<DatedDraw> DrawsInRange(const std::vector<DatedDraw>& draws, const DateRange& range);

// The draw list entries of chosen draws.
DrawList EntriesOf(const std::vector<DatedDraw>& chosen, const DrawList& draws);

}  // namespace bw
