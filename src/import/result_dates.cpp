// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/result_dates.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>

#include "import/result_text.h"

namespace bw {
namespace {

struct Token {
  std::string_view text;
  std::string_view before;  // the separator text before it
  bool digits = false;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::vector<Token> Tokens(std::string_view field) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < field.size()) {
    const std::size_t sepStart = i;
    while (i < field.size() && !IsDigit(field[i]) && !IsLetter(field[i])) ++i;
    if (i == field.size()) break;
    const std::size_t start = i;
    const bool digits = IsDigit(field[i]);
    while (i < field.size() && (digits ? IsDigit(field[i]) : IsLetter(field[i]))) ++i;
    tokens.push_back(
        {field.substr(start, i - start), field.substr(sepStart, start - sepStart), digits});
  }
  return tokens;
}

// 1..12 for an English month name or its abbreviation, else 0.
int MonthOfName(std::string_view word) {
  static constexpr std::array<std::string_view, 12> kNames = {
      "january", "february", "march",     "april",   "may",      "june",
      "july",    "august",   "september", "october", "november", "december"};
  const std::string lower = LowerCase(word);
  for (std::size_t m = 0; m < kNames.size(); ++m) {
    if (lower == kNames[m] || lower == kNames[m].substr(0, 3)) return static_cast<int>(m) + 1;
  }
  return lower == "sept" ? 9 : 0;
}

bool IsWeekdayName(std::string_view word) {
  static constexpr std::array<std::string_view, 7> kNames = {
      "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};
  const std::string lower = LowerCase(word);
  return lower.size() >= 2 && std::any_of(kNames.begin(), kNames.end(),
                                          [&](std::string_view n) { return n.starts_with(lower); });
}

int Value(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool IsNumber(const Token& token, std::size_t minDigits, std::size_t maxDigits) {
  return token.digits && token.text.size() >= minDigits && token.text.size() <= maxDigits;
}

bool IsNumericSeparator(std::string_view first, std::string_view second) {
  return first.size() == 1 && first == second &&
         std::string_view("-/.").find(first) != std::string_view::npos;
}

bool IsNameSeparator(std::string_view separator) {
  return !separator.empty() && separator.size() <= 2 &&
         separator.find_first_not_of(" -/.,") == std::string_view::npos;
}

// What may follow a date in its field: a time of day, or a weekday ("Sat",
// "(Saturday)").
bool IsTimeRest(std::string_view rest) {
  if (rest.empty()) return true;
  const std::size_t start = rest.find_first_not_of(" ,(");
  const std::size_t end = rest.find_last_not_of(" )");
  if (rest[0] == ' ' && start != std::string_view::npos && end >= start &&
      IsWeekdayName(rest.substr(start, end - start + 1))) {
    return true;
  }
  return (rest[0] == ' ' || rest[0] == 'T') &&
         rest.find_first_not_of("0123456789:. TZ+-APMapm") == std::string::npos;
}

// A year of four digits, or of two (00-49 are 20xx, 50-99 19xx).
bool IsYear(const Token& token) {
  return token.digits && (token.text.size() == 4 || token.text.size() == 2);
}

int YearOf(const Token& token) {
  const int value = Value(token.text);
  if (token.text.size() == 4) return value;
  return value < 50 ? 2000 + value : 1900 + value;
}

std::optional<DateText> FormOf(const Token& a, const Token& b, const Token& c) {
  const int monthA = a.digits ? 0 : MonthOfName(a.text);
  const int monthB = b.digits ? 0 : MonthOfName(b.text);
  const bool shortYear = c.text.size() == 2;
  if (IsNumber(a, 4, 4) && IsNumber(b, 1, 2) && IsNumber(c, 1, 2) &&
      IsNumericSeparator(b.before, c.before)) {
    return DateText{
        DateText::Form::YearFirst, Value(a.text), Value(b.text), Value(c.text), b.before[0], false};
  }
  if (IsNumber(a, 1, 2) && IsNumber(b, 1, 2) && IsYear(c) &&
      IsNumericSeparator(b.before, c.before)) {
    return DateText{
        DateText::Form::Numeric, Value(a.text), Value(b.text), YearOf(c), b.before[0], shortYear};
  }
  if (IsNumber(a, 1, 2) && monthB != 0 && IsYear(c) && IsNameSeparator(b.before) &&
      IsNameSeparator(c.before)) {
    return DateText{
        DateText::Form::DayMonth, Value(a.text), monthB, YearOf(c), b.before[0], shortYear};
  }
  if (monthA != 0 && IsNumber(b, 1, 2) && IsYear(c) && IsNameSeparator(b.before) &&
      IsNameSeparator(c.before)) {
    return DateText{
        DateText::Form::MonthDay, monthA, Value(b.text), YearOf(c), b.before[0], shortYear};
  }
  return std::nullopt;
}

std::optional<CalendarDate> Valid(int year, int month, int day) {
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok() || year < 1000 || month < 1 || day < 1) return std::nullopt;
  return CalendarDate{year, month, day};
}

}  // namespace

std::optional<DateText> ScanDate(std::string_view field) {
  // Most fields are plain numbers: a date has at least a day and a year.
  constexpr std::size_t kFewestDigits = 3;
  constexpr std::size_t kLongestDate = 48;
  if (field.size() > kLongestDate || static_cast<std::size_t>(std::count_if(
                                         field.begin(), field.end(), IsDigit)) < kFewestDigits) {
    return std::nullopt;
  }
  const std::vector<Token> tokens = Tokens(field);
  std::size_t at = 0;
  if (!tokens.empty() && !tokens[0].digits && IsWeekdayName(tokens[0].text)) at = 1;
  // Nothing but a weekday (with its comma or full stop) may stand before the date.
  if (tokens.size() < at + 3 || tokens[0].before.find_first_not_of(' ') != std::string::npos ||
      tokens[at].before.find_first_not_of(" ,.") != std::string::npos) {
    return std::nullopt;
  }
  const Token& last = tokens[at + 2];
  const std::size_t end =
      static_cast<std::size_t>(last.text.data() - field.data()) + last.text.size();
  if (!IsTimeRest(field.substr(end))) return std::nullopt;
  return FormOf(tokens[at], tokens[at + 1], last);
}

std::optional<CalendarDate> DateOf(const DateText& text, DateOrder order) {
  switch (text.form) {
    case DateText::Form::YearFirst:
      return Valid(text.first, text.second, text.third);
    case DateText::Form::DayMonth:
      return Valid(text.third, text.second, text.first);
    case DateText::Form::MonthDay:
      return Valid(text.third, text.first, text.second);
    case DateText::Form::Numeric:
      if (order == DateOrder::YearMonthDay) return std::nullopt;
      return order == DateOrder::DayMonthYear ? Valid(text.third, text.second, text.first)
                                              : Valid(text.third, text.first, text.second);
  }
  return std::nullopt;
}

std::optional<DateOrder> OrderShownByDates(const std::vector<DateText>& dates) {
  std::size_t dayFirst = 0;
  std::size_t monthFirst = 0;
  for (const DateText& date : dates) {
    if (date.form != DateText::Form::Numeric) continue;
    if (date.first > 12 && date.second <= 12) ++dayFirst;
    if (date.second > 12 && date.first <= 12) ++monthFirst;
  }
  if (dayFirst == 0 && monthFirst == 0) return std::nullopt;
  return monthFirst > dayFirst ? DateOrder::MonthDayYear : DateOrder::DayMonthYear;
}

bool IsAmbiguous(const DateText& text) {
  return text.form == DateText::Form::Numeric && text.first != text.second && text.first <= 12 &&
         text.second <= 12;
}

std::string DateStyleName(const DateText& text, DateOrder order) {
  const std::string sep(1, text.separator);
  const std::string year = text.shortYear ? "yy" : "yyyy";
  switch (text.form) {
    case DateText::Form::YearFirst:
      return "yyyy" + sep + "mm" + sep + "dd";
    case DateText::Form::DayMonth:
      return "dd" + sep + "Mon" + sep + year;
    case DateText::Form::MonthDay:
      return "Mon dd, " + year;
    case DateText::Form::Numeric:
      break;
  }
  return order == DateOrder::MonthDayYear ? "mm" + sep + "dd" + sep + year
                                          : "dd" + sep + "mm" + sep + year;
}

}  // namespace bw
