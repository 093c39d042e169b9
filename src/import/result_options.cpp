// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/result_options.h"

#include <algorithm>
#include <set>
#include <vector>

namespace bw {
namespace {

constexpr int kLargestColumn = 999;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A column counted from 1, returned counted from 0; -1 when not one.
int ColumnOf(std::string_view word) {
  word = Trim(word);
  if (word.empty() || word.size() > 3 ||
      word.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  const int column = std::stoi(std::string(word));
  return column >= 1 && column <= kLargestColumn ? column - 1 : -1;
}

// "5-10", or single columns given one by one.
bool AddColumns(std::string_view word, std::vector<int>& columns) {
  const std::size_t dash = word.find('-');
  if (dash == std::string_view::npos) {
    const int column = ColumnOf(word);
    if (column >= 0) columns.push_back(column);
    return column >= 0;
  }
  const int first = ColumnOf(word.substr(0, dash));
  const int last = ColumnOf(word.substr(dash + 1));
  if (first < 0 || last < first) return false;
  for (int c = first; c <= last; ++c) columns.push_back(c);
  return true;
}

constexpr int kSpreadDateColumns = 3;  // day, month and year

// "3-5": the three columns of a date spread over day, month and year.
bool IsSpreadRange(std::string_view value) {
  std::vector<int> columns;
  return AddColumns(value, columns) && columns.size() == kSpreadDateColumns;
}

std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || separators.find(text[i]) != std::string_view::npos) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

std::optional<std::string> Check(const ColumnChoice& choice, const std::vector<int>& main) {
  if (choice.main && main.size() != 6) {
    return "main needs six columns, got " + std::to_string(main.size());
  }
  std::set<int> used(main.begin(), main.end());
  if (used.size() != main.size()) return "a main column is given twice";
  if (choice.date && !used.insert(*choice.date).second) return "the date column is a main column";
  if (choice.bonus == ColumnChoice::Bonus::Column && !used.insert(choice.bonusColumn).second) {
    return "the bonus column is also a date or main column";
  }
  return std::nullopt;
}

}  // namespace

std::variant<ColumnChoice, std::string> ParseColumnChoice(std::string_view text) {
  ColumnChoice choice;
  std::vector<int> main;
  std::string_view key;
  for (std::string_view part : SplitAt(text, ",")) {
    const std::size_t equals = part.find('=');
    if (equals != std::string_view::npos) key = Trim(part.substr(0, equals));
    const std::string_view value =
        Trim(equals == std::string_view::npos ? part : part.substr(equals + 1));
    const std::string bad = "not a column setting: \"" + std::string(Trim(part)) +
                            "\" (date=N, main=N-M, bonus=N or none)";
    if (key == "main" && (equals != std::string_view::npos || choice.main)) {
      choice.main.emplace();
      for (std::string_view word : SplitAt(value, "+")) {
        if (!AddColumns(word, main)) return bad;
      }
    } else if (key == "date" && equals != std::string_view::npos && ColumnOf(value) >= 0) {
      choice.date = ColumnOf(value);
    } else if (key == "date" && equals != std::string_view::npos && IsSpreadRange(value)) {
      choice.date = ColumnOf(value.substr(0, value.find('-')));
      choice.dateSpan = kSpreadDateColumns;
    } else if (key == "bonus" && equals != std::string_view::npos &&
               (value == "none" || ColumnOf(value) >= 0)) {
      choice.bonus = value == "none" ? ColumnChoice::Bonus::None : ColumnChoice::Bonus::Column;
      choice.bonusColumn = ColumnOf(value);
    } else {
      return bad;
    }
  }
  if (const auto problem = Check(choice, main)) return *problem;
  if (choice.main) std::copy(main.begin(), main.end(), choice.main->begin());
  return choice;
}

std::string ColumnChoiceText(const ResultShape& shape) {
  const std::vector<int> main(shape.numbers.main.begin(), shape.numbers.main.end());
  std::string text = "date=" + std::to_string(shape.dateColumn + 1);
  if (shape.dateSpan > 1) text += "-" + std::to_string(shape.dateColumn + shape.dateSpan);
  text += ",main=";
  const std::string list = ColumnListText(main);
  for (char c : list) text += c == ',' ? '+' : c;
  return text + ",bonus=" +
         (shape.numbers.bonus ? std::to_string(*shape.numbers.bonus + 1) : std::string("none"));
}

std::vector<ColumnRole> RolesOfShape(const ResultShape& shape, int columns) {
  std::vector<ColumnRole> roles(static_cast<std::size_t>(std::max(columns, 0)), ColumnRole::Other);
  const auto set = [&](int column, ColumnRole role) {
    if (column >= 0 && column < columns) roles[static_cast<std::size_t>(column)] = role;
  };
  if (shape.numbers.main != std::array<int, 6>{}) {
    for (int c : shape.numbers.main) set(c, ColumnRole::Main);
  }
  if (shape.numbers.bonus) set(*shape.numbers.bonus, ColumnRole::Bonus);
  for (int k = 0; k < shape.dateSpan && shape.dateColumn >= 0; ++k) {
    set(shape.dateColumn + k, ColumnRole::Date);
  }
  return roles;
}

std::string ColumnTextOfRoles(const std::vector<ColumnRole>& roles) {
  std::string date;
  std::string main;
  std::string bonus = "none";
  for (std::size_t c = 0; c < roles.size(); ++c) {
    const std::string column = std::to_string(c + 1);
    if (roles[c] == ColumnRole::Date) date = date.empty() ? column : date + "-" + column;
    if (roles[c] == ColumnRole::Main) main += (main.empty() ? "" : "+") + column;
    if (roles[c] == ColumnRole::Bonus) bonus = column;
  }
  // A spread date names its first and last column.
  if (const auto dash = date.find('-'); dash != std::string::npos) {
    date = date.substr(0, dash) + date.substr(date.rfind('-'));
  }
  std::string text = date.empty() ? "" : "date=" + date;
  // Without main columns the bonus too is found as usual, unless picked.
  if (!main.empty()) text += (text.empty() ? "main=" : ",main=") + main + ",bonus=" + bonus;
  if (main.empty() && bonus != "none") text += (text.empty() ? "bonus=" : ",bonus=") + bonus;
  return text;
}

std::optional<DateOrder> ParseDateOrder(std::string_view text) {
  if (text == "dmy") return DateOrder::DayMonthYear;
  if (text == "mdy") return DateOrder::MonthDayYear;
  if (text == "ymd") return DateOrder::YearMonthDay;
  return std::nullopt;
}

std::string_view DateOrderName(DateOrder order) {
  switch (order) {
    case DateOrder::DayMonthYear:
      return "dmy";
    case DateOrder::MonthDayYear:
      return "mdy";
    case DateOrder::YearMonthDay:
      return "ymd";
  }
  return "";
}

}  // namespace bw
