// SPDX-License-Identifier: GPL-3.0-or-later
// The history command: the draws listed, one corrected or deleted by hand.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/draw_range.h"
#include "app/session.h"
#include "cli/record_writer.h"
#include "model/day_number.h"
#include "model/numbers.h"

namespace bw {

// history list [--since D] [--until D] | edit D N1..N6 [BONUS] [--was N1..N6]
// | delete D [--was N1..N6]
struct HistoryRequest {
  enum class Kind { List, Edit, Delete } kind = Kind::List;
  DateRange range;    // list
  CalendarDate date;  // edit, delete: the draw's date
  Line numbers{};     // edit: the corrected numbers, ascending
  std::optional<int> bonus;
  std::optional<Line> was;  // which of two draws of the date
};

// `words` after "history" (a --format among them already taken out).
HistoryRequest ParseHistory(std::vector<std::string> words);

bool WritesHistory(const HistoryRequest& request);

// The record of a draw: `date`, `numbers` (the six), `bonus` (0 without one).
Record DrawRecord(const std::string& entry);

int RunHistory(Session& session, const HistoryRequest& request, std::ostream& out,
               std::ostream& err, OutputFormat format);

}  // namespace bw
