// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/draw_range.h"

#include <algorithm>

#include "model/day_number.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

// "dd/mm/yyyy" of an open end: the first or last draw's date.
std::string EndText(const std::optional<int32_t>& end, const std::vector<DatedDraw>& draws,
                    bool first) {
  if (end) return FormatDrawDate(DateOfDayNumber(*end));
  if (draws.empty()) return first ? "the first draw" : "the last draw";
  const auto [oldest, newest] = std::minmax_element(
      draws.begin(), draws.end(), [](const auto& a, const auto& b) { return a.day < b.day; });
  return FormatDrawDate(DateOfDayNumber(first ? oldest->day : newest->day));
}

}  // namespace

uint64_t NumberMask(const Line& line) {
  uint64_t mask = 0;
  for (int number : line) mask |= uint64_t{1} << number;
  return mask;
}

std::vector<DatedDraw> DatedDrawsOf(const DrawList& draws) {
  std::vector<DatedDraw> dated;
  dated.reserve(draws.size());
  std::string dateText;
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const DrawFields fields = ParseDrawEntry(draws[i], &dateText);
    const auto date = ParseDrawDate(dateText);
    if (!date) continue;
    DatedDraw draw{i, DayNumber(*date), 0, 0};
    for (int k = 1; k <= 6; ++k) {
      const int number = FieldNumber(fields[k]);
      if (number >= kLowestNumber) draw.mainMask |= uint64_t{1} << number;
    }
    draw.bonus = std::max(FieldNumber(fields[7]), 0);
    dated.push_back(draw);
  }
  return dated;
}

std::vector<DatedDraw> DrawsInRange(const std::vector<DatedDraw>& draws, const DateRange& range) {
  std::vector<DatedDraw> chosen;
  std::copy_if(draws.begin(), draws.end(), std::back_inserter(chosen),
               [&range](const DatedDraw& draw) { return range.Holds(draw.day); });
  if (chosen.empty()) {
    throw EmptyRangeError("no draws between " + EndText(range.since, draws, true) + " and " +
                          EndText(range.until, draws, false));
  }
  return chosen;
}

DrawList EntriesOf(const std::vector<DatedDraw>& chosen, const DrawList& draws) {
  DrawList entries;
  entries.reserve(chosen.size());
  for (const DatedDraw& draw : chosen) entries.push_back(draws[draw.listIndex]);
  return entries;
}

}  // namespace bw
