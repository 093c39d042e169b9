// SPDX-License-Identifier: GPL-3.0-or-later
// `lines`: the player's saved lines from the command line: list, add,
// remove, what a draw gave them (check) and the ticket over the years
// (history).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/draw_range.h"
#include "cli/record_writer.h"
#include "model/numbers.h"

namespace bw {

class Session;

struct LinesRequest {
  enum class Kind { List, Add, Remove, Check, History } kind = Kind::List;
  Line numbers{};                // add, remove
  std::string label;             // add
  std::optional<int32_t> since;  // add: first date played
  std::optional<int32_t> draw;   // check --draw
  std::optional<int> last;       // check --last N
  DateRange range;               // history
  bool Writes() const { return kind == Kind::Add || kind == Kind::Remove; }
};

// The words after `lines`, without --format.
LinesRequest ParseLines(std::vector<std::string> words);

int RunLines(Session& session, const LinesRequest& request, std::ostream& out, std::ostream& err,
             OutputFormat format);

}  // namespace bw
