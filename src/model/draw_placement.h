// SPDX-License-Identifier: GPL-3.0-or-later
// Where a draw coming in by hand (the Update page, `add`, an edit) goes in
// the draw list: the history is kept in date order, a draw already there is
// not added twice, and a second, different draw on a date the history holds
// needs the user's word that the lottery drew twice that day.
#pragma once

#include <cstddef>
#include <string_view>

#include "model/program_state.h"

namespace bw {

struct DrawPlacement {
  enum Kind {
    Append,       // after the newest draw
    Insert,       // earlier than the newest draw: at `index`, in date order
    SameDraw,     // the history holds this draw on this date already
    SecondOfDay,  // the history holds another draw on this date
  } kind = Append;
  std::size_t index = 0;  // where the entry goes in the draw list
};

// Where the entry ("05/12/2000 03 11 17 25 38 44 09") goes: after the last
// entry whose date is not later (placeholders, which have none, are passed
// over). A second draw of a day goes after the first.
DrawPlacement PlaceDraw(const DrawList& draws, std::string_view entry);

// The same numbers and bonus: two entries of one draw.
bool SameDrawNumbers(std::string_view a, std::string_view b);

}  // namespace bw
