// SPDX-License-Identifier: GPL-3.0-or-later
// A wheel written as text, one line of six numbers to a row: the command's
// own output, CSV and JSON read back, and what a player types.
#pragma once

#include <string>
#include <vector>

#include "model/numbers.h"

namespace bw {

// The numbers of each row: any runs of digits; rows without any are skipped.
// `source` names the text in messages ("\"w.txt\""). Throws
// std::invalid_argument naming the source and the row when a number is not
// among `chosen` (ascending), a row is not six different numbers, or there
// are no lines at all.
std::vector<Line> ParseWheelText(const std::vector<std::string>& rows,
                                 const std::vector<int>& chosen, const std::string& source);

}  // namespace bw
