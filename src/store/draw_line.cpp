// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/draw_line.h"

#include <array>
#include <utility>

#include "model/numbers.h"
#include "store/windows1252.h"

namespace bw {
namespace {

constexpr std::size_t kMainNumbers = 6;
constexpr std::size_t kNumbersWithoutBonus = 17;

// Spaces and non-breaking spaces (common in text copied from web pages).
std::string_view TrimLineBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \xA0";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Value of a two-character field as the range check reads it: leading blanks
// skipped, digits up to the first non-digit, 0 when there are none.
int FieldDigitsValue(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  int value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    value = value * 10 + field[i] - '0';
  return value;
}

bool InRange(int value) {
  return value >= kLowestNumber && value <= kHighestNumber;
}

std::string_view FieldAt(std::string_view text, std::size_t start) {
  return start < text.size() ? text.substr(start, 2) : std::string_view{};
}

// Every field from the first one on, every three characters up to the last
// two (the bonus), must be 1..49: the six main numbers, and anything written
// between the sixth number and the bonus. A bonus, when present, is 1..49 or
// "00". No other value may ever reach the counting tables or the index.
bool NumbersInRange(std::string_view numbers) {
  for (std::size_t start = 0; start < 3 * kMainNumbers || start + 3 <= numbers.size(); start += 3) {
    if (!InRange(FieldDigitsValue(FieldAt(numbers, start)))) return false;
  }
  if (numbers.size() <= kNumbersWithoutBonus) return true;
  const std::string_view bonus = numbers.substr(numbers.size() - 2);
  return bonus == "00" || InRange(FieldDigitsValue(bonus));
}

// One draw never holds a number twice: the six main numbers differ, and a
// bonus is none of them.
bool NumbersDistinct(std::string_view numbers) {
  std::array<bool, kHighestNumber + 1> seen{};
  const auto take = [&](int value) { return !std::exchange(seen[value], true); };
  for (std::size_t k = 0; k < kMainNumbers; ++k)
    if (!take(FieldDigitsValue(FieldAt(numbers, 3 * k)))) return false;
  if (numbers.size() <= kNumbersWithoutBonus) return true;
  const int bonus = FieldDigitsValue(numbers.substr(numbers.size() - 2));
  return bonus == 0 || take(bonus);
}

}  // namespace

std::optional<DrawLine> ParseDrawLine(std::string_view utf8Line) {
  const std::string line = Windows1252FromUtf8(utf8Line);  // one byte per character
  if (TrimLineBlanks(line).empty()) return std::nullopt;
  const std::size_t blank = line.find(' ');
  const std::size_t datePiece = blank == std::string::npos ? 0 : blank + 1;
  const std::string_view numbers = TrimLineBlanks(std::string_view(line).substr(datePiece));
  DrawLine draw;
  draw.dateText = Utf8FromWindows1252(line.substr(0, datePiece == 0 ? 0 : datePiece - 1));
  draw.bonusColumn = numbers.size() != kNumbersWithoutBonus;
  if (NumbersInRange(numbers) && NumbersDistinct(numbers)) {
    draw.entry = Utf8FromWindows1252(line.substr(0, datePiece) + SortDrawNumbers(numbers));
  }
  return draw;
}

std::string SortDrawNumbers(std::string_view numbersText) {
  std::array<std::string, 8> fields;
  for (std::size_t k = 1; k <= 6; ++k) fields[k] = std::string(FieldAt(numbersText, 3 * k - 3));
  fields[7] = numbersText.size() > kNumbersWithoutBonus
                  ? std::string(numbersText.substr(numbersText.size() - 2))
                  : "00";
  for (std::size_t i = 1; i <= 5; ++i) {
    for (std::size_t j = i + 1; j <= 6; ++j) {
      if (LeadingNumber(fields[j]) < LeadingNumber(fields[i])) std::swap(fields[i], fields[j]);
    }
  }
  if (fields[7] == "00") fields[7].clear();
  std::string entry;
  for (std::size_t k = 1; k <= 6; ++k) entry += fields[k] + " ";
  return entry + fields[7];
}

}  // namespace bw
