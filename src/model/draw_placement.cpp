// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/draw_placement.h"

#include <optional>

#include "model/day_number.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

std::optional<int32_t> EntryDay(std::string_view entry) {
  std::string date;
  ParseDrawEntry(entry, &date);
  if (IsPlaceholderEntry(date)) return std::nullopt;
  const auto parsed = ParseDrawDate(date);
  return parsed ? std::optional(DayNumber(*parsed)) : std::nullopt;
}

}  // namespace

bool SameDrawNumbers(std::string_view a, std::string_view b) {
  const DrawFields x = ParseDrawEntry(a), y = ParseDrawEntry(b);
  for (int k = 1; k <= 7; ++k)
    if (FieldNumber(x[k]) != FieldNumber(y[k])) return false;
  return true;
}

DrawPlacement PlaceDraw(const DrawList& draws, std::string_view entry) {
  const std::optional<int32_t> day = EntryDay(entry);
  std::optional<std::size_t> lastNotLater, firstLater;
  bool sameDay = false;
  for (std::size_t i = 0; i < draws.size() && day; ++i) {
    const std::optional<int32_t> other = EntryDay(draws[i]);
    if (!other) continue;
    if (*other > *day) {
      if (!firstLater) firstLater = i;
      continue;
    }
    lastNotLater = i;
    if (*other != *day) continue;
    if (SameDrawNumbers(draws[i], entry)) return {DrawPlacement::SameDraw, i};
    sameDay = true;
  }
  DrawPlacement placement;
  placement.index = lastNotLater ? *lastNotLater + 1 : firstLater.value_or(draws.size());
  bool laterFollows = false;
  for (std::size_t i = placement.index; i < draws.size() && !laterFollows; ++i)
    laterFollows = EntryDay(draws[i]) > day;
  if (sameDay) {
    placement.kind = DrawPlacement::SecondOfDay;
  } else if (laterFollows) {
    placement.kind = DrawPlacement::Insert;
  }
  return placement;
}

}  // namespace bw
