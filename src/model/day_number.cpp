// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/day_number.h"

#include <array>
#include <chrono>

#include "model/numbers.h"

namespace bw {
namespace {

constexpr std::chrono::sys_days kDayZero =
    std::chrono::year{1899} / std::chrono::December / std::chrono::day{30};

// Reads 1..maxDigits digits at `pos`, advancing it; nullopt when none.
std::optional<int> ReadDigits(std::string_view text, std::size_t& pos, std::size_t minDigits,
                              std::size_t maxDigits) {
  std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos - start < minDigits) return std::nullopt;
  return value;
}

}  // namespace

int32_t DayNumber(const CalendarDate& date) {
  const std::chrono::sys_days days = std::chrono::year{date.year} /
                                     std::chrono::month{static_cast<unsigned>(date.month)} /
                                     std::chrono::day{static_cast<unsigned>(date.day)};
  return static_cast<int32_t>((days - kDayZero).count());
}

CalendarDate DateOfDayNumber(int32_t dayNumber) {
  const std::chrono::year_month_day ymd{kDayZero + std::chrono::days{dayNumber}};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::optional<CalendarDate> ParseDrawDate(std::string_view text) {
  std::size_t pos = 0;
  const auto day = ReadDigits(text, pos, 1, 2);
  if (!day || pos >= text.size() || text[pos++] != '/') return std::nullopt;
  const auto month = ReadDigits(text, pos, 1, 2);
  if (!month || pos >= text.size() || text[pos++] != '/') return std::nullopt;
  const auto year = ReadDigits(text, pos, 4, 4);
  if (!year || pos != text.size()) return std::nullopt;
  const std::chrono::year_month_day ymd{std::chrono::year{*year},
                                        std::chrono::month{static_cast<unsigned>(*month)},
                                        std::chrono::day{static_cast<unsigned>(*day)}};
  if (!ymd.ok() || *year < 100) return std::nullopt;
  return CalendarDate{*year, *month, *day};
}

std::string FormatDrawDate(const CalendarDate& date) {
  return TwoDigits(date.day) + "/" + TwoDigits(date.month) + "/" + std::to_string(date.year);
}

std::string FormatLongDate(const CalendarDate& date) {
  static const std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  return TwoDigits(date.day) + " " + kMonths[month - 1] + " " + std::to_string(date.year);
}

}  // namespace bw
