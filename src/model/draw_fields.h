// SPDX-License-Identifier: GPL-3.0-or-later
// One parsed draw as the counting and index procedures take it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/day_number.h"
#include "model/numbers.h"

namespace bw {

// Index 0 unused; 1..6 the six main numbers as two-digit texts (ascending
// in a well-formed entry); 7 the bonus slot: the two-digit bonus or "00".
using DrawFields = std::array<std::string, 8>;

// Splits a draw list entry ("dd/mm/yyyy 03 11 17 25 38 44 09") at its first
// blank. `date` receives the text before it. Fields 1..6 are the two
// characters of the rest at positions 1, 4, 7, 10, 13, 16; field 7 is the
// last two characters of the rest (trailing blanks removed) when that text is
// longer than 17 characters, else "00".
DrawFields ParseDrawEntry(std::string_view entry, std::string* date = nullptr);

// Integer value of a field, or -1 when it is not a number within 0..49
// (such a value must never index a counting table).
int FieldNumber(const std::string& field);

// The draw list entry (and history line) of a draw as it is entered by hand:
// "05/12/2000 03 11 17 25 38 44 09", or with a trailing blank and no bonus.
std::string FormatDrawEntry(const CalendarDate& date, const Line& ascending,
                            std::optional<int> bonus);

}  // namespace bw
