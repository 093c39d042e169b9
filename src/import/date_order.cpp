// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/date_order.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "import/result_text.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

constexpr std::array kReadings = {DateOrder::DayMonthYear, DateOrder::MonthDayYear};

std::optional<int32_t> DayOf(const DateText& date, DateOrder order) {
  const auto calendar = DateOf(date, order);
  if (!calendar) return std::nullopt;
  return DayNumber(*calendar);
}

std::size_t WeekdayOf(int32_t day) {
  return static_cast<std::size_t>((day % 7 + 7) % 7);  // days before 1900 are below 0
}

struct HistoryDraws {
  std::unordered_map<int32_t, std::vector<uint64_t>> numbersOfDay;
  std::array<std::size_t, 7> weekdays{};
  std::size_t draws = 0;
};

HistoryDraws ReadHistory(const std::vector<std::string>& history) {
  HistoryDraws read;
  for (const std::string& entry : history) {
    std::string dateText;
    const DrawFields fields = ParseDrawEntry(entry, &dateText);
    const auto date = ParseDrawDate(dateText);
    if (!date) continue;
    uint64_t numbers = 0;
    for (std::size_t k = 1; k <= 6; ++k) {
      const int n = FieldNumber(fields[k]);
      if (n >= 1 && n <= 49) numbers |= uint64_t{1} << n;
    }
    const int32_t day = DayNumber(*date);
    read.numbersOfDay[day].push_back(numbers);
    ++read.weekdays[WeekdayOf(day)];
    ++read.draws;
  }
  return read;
}

// The reading the clue counts more rows for, when one clearly leads.
std::optional<DateOrder> Leader(const std::array<std::size_t, 2>& counts, std::size_t rows) {
  const bool first = IsClearMajority(counts[0], rows);
  const bool second = IsClearMajority(counts[1], rows);
  if (first == second) return std::nullopt;
  return first ? kReadings[0] : kReadings[1];
}

std::optional<DateOrder> ByHistoryDraws(const HistoryDraws& history,
                                        const std::vector<AmbiguousRow>& rows) {
  std::array<std::size_t, 2> matches{};
  for (const AmbiguousRow& row : rows) {
    for (std::size_t r = 0; r < kReadings.size(); ++r) {
      const auto day = DayOf(row.date, kReadings[r]);
      const auto found = day ? history.numbersOfDay.find(*day) : history.numbersOfDay.end();
      if (found == history.numbersOfDay.end()) continue;
      matches[r] += std::any_of(found->second.begin(), found->second.end(), [&](uint64_t six) {
        return six != 0 && (six & row.numbers) == six;
      });
    }
  }
  if (matches[0] == matches[1]) return std::nullopt;
  return matches[0] > matches[1] ? kReadings[0] : kReadings[1];
}

std::optional<DateOrder> ByHistoryWeekdays(const HistoryDraws& history,
                                           const std::vector<AmbiguousRow>& rows) {
  std::array<std::size_t, 2> onDrawDays{};
  for (const AmbiguousRow& row : rows) {
    for (std::size_t r = 0; r < kReadings.size(); ++r) {
      // A weekday the lottery drew on at least one time in twenty.
      const auto day = DayOf(row.date, kReadings[r]);
      onDrawDays[r] += day && history.weekdays[WeekdayOf(*day)] * 20 >= history.draws;
    }
  }
  return Leader(onDrawDays, rows.size());
}

// One reading puts the draws on one or two weekdays, the other scatters them.
std::optional<DateOrder> ByFileWeekdays(const DateOrderClues& clues) {
  std::array<std::size_t, 2> onTopTwo{};
  std::size_t rows = 0;
  for (std::size_t r = 0; r < kReadings.size(); ++r) {
    std::array<std::size_t, 7> weekdays{};
    rows = 0;
    for (const DateText& date : clues.dates) {
      const auto day = DayOf(date, kReadings[r]);
      if (!day) continue;
      ++weekdays[WeekdayOf(*day)];
      ++rows;
    }
    std::partial_sort(weekdays.begin(), weekdays.begin() + 2, weekdays.end(), std::greater<>());
    onTopTwo[r] = weekdays[0] + weekdays[1];
  }
  return Leader(onTopTwo, rows);
}

}  // namespace

DateOrderDecision SettleDateOrder(const DateOrderClues& clues) {
  if (const auto shown = OrderShownByDates(clues.dates)) return {shown, ""};
  if (clues.ambiguous.empty()) return {DateOrder::DayMonthYear, ""};
  if (clues.history != nullptr && !clues.history->empty()) {
    const HistoryDraws history = ReadHistory(*clues.history);
    if (const auto order = ByHistoryDraws(history, clues.ambiguous)) {
      return {order, "as the history's draws show"};
    }
    if (const auto order = ByHistoryWeekdays(history, clues.ambiguous)) {
      return {order, "as the lottery's draw days show"};
    }
  }
  if (clues.lastImportOrder) return {clues.lastImportOrder, "as in the last import"};
  if (const auto order = ByFileWeekdays(clues)) return {order, "as the draw days show"};
  return {std::nullopt, ""};
}

}  // namespace bw
