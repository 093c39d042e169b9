// SPDX-License-Identifier: GPL-3.0-or-later
// How the history reader takes one line of a history file: the date text, the
// numbers text after it, the check of every number field and the draw list
// entry. Positions and lengths count Windows-1252 characters, as the file
// holds them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw {

struct DrawLine {
  std::string dateText;      // the text before the first blank
  std::string entry;         // the draw list entry; empty when a field is out of range
  bool bonusColumn = false;  // the numbers text is not 17 characters long
};

// Nothing for a line of blanks only (spaces and non-breaking spaces).
std::optional<DrawLine> ParseDrawLine(std::string_view utf8Line);

// The entry text after the date piece for a line's numbers text: the six main
// numbers ascending, each followed by a blank, then the bonus when present
// and not "00".
std::string SortDrawNumbers(std::string_view numbersText);

}  // namespace bw
