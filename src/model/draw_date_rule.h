// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule for the date of a draw coming in, wherever it comes from (a
// typed draw, `add`, an import, an edit): no lottery drew before 1900, and no
// draw can be dated after tomorrow (tomorrow allows for a results file from a
// time zone ahead of ours).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace bw {

// Day number of 01/01/1900, the earliest date a draw may have.
inline constexpr int32_t kEarliestDrawDay = 2;

// Why a draw on `day` is refused ("it is after tomorrow, 07/12/2026"), or
// nullopt when the date is allowed.
std::optional<std::string> DrawDateRefusal(int32_t day, int32_t todayDayNumber);

}  // namespace bw
