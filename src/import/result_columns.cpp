// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/result_columns.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "import/result_text.h"
#include "model/numbers.h"

namespace bw {
namespace {

constexpr std::size_t kCounterRows = 8;  // a ball column is never monotone this long
constexpr std::size_t kSmallRows = 5;    // nor stays within 1..12 this long
constexpr int kSmallTop = 12;            // ball sets, machines, 0-9 digits
constexpr int kHighestDrawn = 99;        // other games draw up to 59, 69, 90...

// A drawn number of any lottery game: the columns are found with these, and
// numbers above 49 then tell another game (or a typing slip).
bool IsDrawn(int value) {
  return value >= kLowestNumber && value <= kHighestDrawn;
}

// The runs of letters and of digits in a header field, in order.
std::vector<std::string> Words(std::string_view field) {
  std::vector<std::string> words;
  const auto kind = [](char c) {
    return std::isdigit(static_cast<unsigned char>(c))   ? 1
           : std::isalpha(static_cast<unsigned char>(c)) ? 2
                                                         : 0;
  };
  for (std::size_t i = 0; i < field.size();) {
    const int k = kind(field[i]);
    std::size_t end = i + 1;
    while (end < field.size() && k != 0 && kind(field[end]) == k) ++end;
    if (k != 0) words.push_back(LowerCase(field.substr(i, end - i)));
    i = end;
  }
  return words;
}

bool IsMainWord(std::string_view word) {
  static constexpr std::string_view kWords[] = {"number", "numbers", "num",  "no",     "nr",
                                                "n",      "nummer",  "ball", "balls",  "b",
                                                "bola",   "drawn",   "zahl", "winning"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords) ||
         word.ends_with("zahl");
}

bool IsDigits(const std::string& word) {
  return !word.empty() && std::isdigit(static_cast<unsigned char>(word[0]));
}

bool IsBonusName(const std::vector<std::string>& words) {
  static constexpr std::string_view kParts[] = {"bonus",  "extra",         "additional",
                                                "zusatz", "supplementary", "complementari"};
  static constexpr std::string_view kWords[] = {"addl", "special", "comp", "supp", "sup"};
  return std::any_of(words.begin(), words.end(), [](const std::string& word) {
    return std::any_of(std::begin(kParts), std::end(kParts),
                       [&](std::string_view b) { return word.find(b) != std::string::npos; }) ||
           std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
  });
}

// "Number 1", "n1", "Ball 1", "1. Zahl": a main word next to its number.
std::optional<int> MainNumberOfName(const std::vector<std::string>& words) {
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (IsMainWord(words[i]) && IsDigits(words[i + 1]) && words[i + 1].size() <= 2) {
      return std::stoi(words[i + 1]);
    }
    if (IsDigits(words[i]) && words[i].size() <= 2 && IsMainWord(words[i + 1])) {
      return std::stoi(words[i]);
    }
  }
  return std::nullopt;
}

struct NamedColumns {
  std::vector<int> main;
  std::vector<int> bonus;
};

// A bare number right after a numbered main name continues it ("Winning
// Number 1", "2", "3", ...).
NamedColumns Named(const std::vector<std::string>& header) {
  NamedColumns named;
  int lastNumber = 0;  // of the column before, 0 when it is no main column
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::vector<std::string> words = Words(header[c]);
    const bool bare = words.size() == 1 && IsDigits(words[0]) && words[0].size() <= 2;
    int number = MainNumberOfName(words).value_or(0);
    if (bare && lastNumber > 0 && std::stoi(words[0]) == lastNumber + 1) number = lastNumber + 1;
    lastNumber = 0;
    if (IsBonusName(words)) {
      named.bonus.push_back(static_cast<int>(c));
    } else if (number > 0) {
      named.main.push_back(static_cast<int>(c));
      lastNumber = number;
    }
  }
  return named;
}

// A draw number, sequence or constant: never falling, or never rising,
// from one row to the next in nearly all rows.
bool IsCounter(const NumberGrid& grid, int column) {
  if (grid.Rows() < kCounterRows) return false;
  std::size_t rising = 0;
  std::size_t falling = 0;
  for (std::size_t r = 1; r < grid.Rows(); ++r) {
    const int value = grid.Value(r, column);
    const int before = grid.Value(r - 1, column);
    if (value < 0 || before < 0) continue;
    rising += value >= before;
    falling += value <= before;
  }
  return IsClearMajority(std::max(rising, falling), grid.Rows() - 1);
}

struct SmallCounts {
  std::size_t numbers = 0;
  std::size_t small = 0;   // up to 12
  std::size_t digits = 0;  // up to 9
  bool zero = false;
  // 0-9 digits with a 0 among them: never a drawn number, however few rows.
  bool Digits() const { return zero && IsClearMajority(digits, numbers); }
};

SmallCounts CountSmall(const NumberGrid& grid, int column) {
  SmallCounts counts;
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    const int value = grid.Value(r, column);
    if (value < 0) continue;
    ++counts.numbers;
    counts.small += value <= kSmallTop;
    counts.digits += value <= 9;
    counts.zero = counts.zero || value == 0;
  }
  return counts;
}

bool IsDigitColumn(const NumberGrid& grid, int column) {
  return CountSmall(grid, column).Digits();
}

// Ball sets, machines and 0-9 digits: small numbers in nearly all rows.
bool IsSmall(const NumberGrid& grid, int column) {
  const SmallCounts counts = CountSmall(grid, column);
  return counts.Digits() ||
         (counts.numbers >= kSmallRows && IsClearMajority(counts.small, counts.numbers));
}

bool CanBeBall(const NumberGrid& grid, int column, int dateColumn) {
  return column >= 0 && column < grid.Columns() && column != dateColumn &&
         !IsCounter(grid, column) && !IsSmall(grid, column);
}

std::array<int, 6> RunFrom(int start) {
  return {start, start + 1, start + 2, start + 3, start + 4, start + 5};
}

bool HoldsSix(const NumberGrid& grid, std::size_t row, const std::array<int, 6>& main,
              bool* ascending = nullptr) {
  std::array<int, 6> values{};
  for (std::size_t k = 0; k < 6; ++k) {
    values[k] = grid.Value(row, main[k]);
    if (!IsDrawn(values[k])) return false;
  }
  if (ascending != nullptr) *ascending = std::is_sorted(values.begin(), values.end());
  std::sort(values.begin(), values.end());
  return std::adjacent_find(values.begin(), values.end()) == values.end();
}

// A drawn number that is none of the main numbers (nor `other`).
bool IsFurtherBall(const NumberGrid& grid, std::size_t row, const std::array<int, 6>& main,
                   int column, int other = -1) {
  const int value = grid.Value(row, column);
  if (!IsDrawn(value) || value == other) return false;
  return std::none_of(main.begin(), main.end(), [&](int c) { return grid.Value(row, c) == value; });
}

std::string RunText(int start) {
  const std::array<int, 6> run = RunFrom(start);
  return ColumnListText({run.begin(), run.end()});
}

struct RunScore {
  int start = -1;
  std::size_t rows = 0;
  bool ascending = true;
};

RunScore ScoreRun(const NumberGrid& grid, int start, int dateColumn) {
  RunScore score{start, 0, true};
  for (int c = start; c < start + 6; ++c) {
    if (c == dateColumn || IsCounter(grid, c) || IsDigitColumn(grid, c)) return {start, 0, false};
  }
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    bool ascending = false;
    if (HoldsSix(grid, r, RunFrom(start), &ascending)) {
      ++score.rows;
      score.ascending = score.ascending && ascending;
    }
  }
  return score;
}

// Five columns side by side holding five different numbers in most rows, where
// no six do: a game of five numbers.
std::optional<std::string> FiveNumbers(const NumberGrid& grid) {
  for (int start = 0; start + 5 <= grid.Columns(); ++start) {
    std::size_t rows = 0;
    for (std::size_t r = 0; r < grid.Rows(); ++r) {
      std::array<int, 5> values{};
      bool drawn = true;
      for (int k = 0; k < 5; ++k) {
        values[k] = grid.Value(r, start + k);
        drawn = drawn && IsDrawn(values[k]) && !IsCounter(grid, start + k);
      }
      std::sort(values.begin(), values.end());
      rows += drawn && std::adjacent_find(values.begin(), values.end()) == values.end();
    }
    if (rows * 2 >= grid.Rows() && rows > 0) {
      return "the rows hold 5 drawn numbers (columns " + std::to_string(start + 1) + "-" +
             std::to_string(start + 5) + "): this lottery draws 6";
    }
  }
  return std::nullopt;
}

// The first run of six columns holding six different numbers 1..49 in the
// most rows (sorted runs first, so a decoy beside a sorted draw loses).
ColumnDecision FindMainRun(const NumberGrid& grid, int dateColumn) {
  std::vector<RunScore> best;
  for (int start = 0; start + 6 <= grid.Columns(); ++start) {
    const RunScore score = ScoreRun(grid, start, dateColumn);
    if (score.rows == 0 || (!best.empty() && score.rows < best.front().rows)) continue;
    if (!best.empty() && score.rows > best.front().rows) best.clear();
    best.push_back(score);
  }
  ColumnDecision decision;
  if (best.empty() || best.front().rows * 2 < grid.Rows()) {
    const auto five = FiveNumbers(grid);
    decision.refusal =
        five.value_or("no six columns hold six different numbers from 1 to 49 in most rows");
    decision.otherGame = five.has_value();
    return decision;
  }
  const auto sorted = std::find_if(best.begin(), best.end(), [](auto& s) { return s.ascending; });
  const RunScore chosen = sorted != best.end() ? *sorted : best.front();
  for (const RunScore& other : best) {
    if (std::abs(other.start - chosen.start) >= 6 && (sorted == best.end() || other.ascending)) {
      decision.refusal = "columns " + RunText(chosen.start) + " and " + RunText(other.start) +
                         " both hold six different numbers";
      return decision;
    }
  }
  decision.columns.main = RunFrom(chosen.start);
  return decision;
}

std::vector<std::size_t> RowsHoldingSix(const NumberGrid& grid, const std::array<int, 6>& main) {
  std::vector<std::size_t> rows;
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    if (HoldsSix(grid, r, main)) rows.push_back(r);
  }
  return rows;
}

// The column right after the six, when it holds a further drawn number in
// nearly every row (a few typing slips aside).
std::optional<int> FindBonus(const NumberGrid& grid, const std::array<int, 6>& main,
                             int dateColumn) {
  const int column = *std::max_element(main.begin(), main.end()) + 1;
  if (!CanBeBall(grid, column, dateColumn)) return std::nullopt;
  const std::vector<std::size_t> rows = RowsHoldingSix(grid, main);
  const auto misses = std::count_if(rows.begin(), rows.end(), [&](std::size_t r) {
    return !IsFurtherBall(grid, r, main, column);
  });
  if (rows.empty() || !IsClearMajority(rows.size() - static_cast<std::size_t>(misses), rows.size()))
    return std::nullopt;
  return column;
}

// A column after the six (and the bonus) that holds yet another drawn number
// in most rows: the lottery draws more numbers than this one.
std::optional<std::string> FurtherNumbers(const NumberGrid& grid, const NumberColumns& columns,
                                          int dateColumn) {
  const int column = std::max(columns.bonus.value_or(-1),
                              *std::max_element(columns.main.begin(), columns.main.end())) +
                     1;
  if (!CanBeBall(grid, column, dateColumn)) return std::nullopt;
  const std::vector<std::size_t> rows = RowsHoldingSix(grid, columns.main);
  const auto hits = std::count_if(rows.begin(), rows.end(), [&](std::size_t r) {
    return IsFurtherBall(grid, r, columns.main, column,
                         columns.bonus ? grid.Value(r, *columns.bonus) : -1);
  });
  if (static_cast<std::size_t>(hits) * 2 <= rows.size()) return std::nullopt;
  return "column " + std::to_string(column + 1) +
         " holds a further drawn number: this lottery draws six numbers and at most a bonus";
}

// Six numbers and a seventh above them all in nearly every row: a game of
// seven numbers drawn in order, not a bonus (which tops the six one time in 7).
std::optional<std::string> SevenInOrder(const NumberGrid& grid, const NumberColumns& columns) {
  if (!columns.bonus || grid.Rows() < kSmallRows) return std::nullopt;
  std::array<int, 7> seven{};
  std::copy(columns.main.begin(), columns.main.end(), seven.begin());
  seven[6] = *columns.bonus;
  std::size_t inOrder = 0;
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    bool ascending = true;
    for (std::size_t k = 1; k < seven.size(); ++k) {
      ascending = ascending && grid.Value(r, seven[k]) > grid.Value(r, seven[k - 1]);
    }
    inOrder += ascending;
  }
  if (!IsClearMajority(inOrder, grid.Rows())) return std::nullopt;
  return "the rows hold 7 drawn numbers in order (columns " +
         ColumnListText({seven.begin(), seven.end()}) + "): this lottery draws 6";
}

bool HoldsAnyBall(const NumberGrid& grid, int column) {
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    if (IsDrawn(grid.Value(r, column))) return true;
  }
  return false;
}

// The header decides what it names; a named bonus column that never holds a
// number (a lottery that left it at 0) is no bonus. A bonus it does not name
// is looked for in the columns as usual.
std::optional<std::string> ApplyHeader(NamedColumns named, const NumberGrid& grid,
                                       NumberColumns& columns, bool& mainKnown, bool& bonusKnown) {
  // "Extra" or "Special" over a 0-9 digit is a supplementary digit, not a ball.
  std::erase_if(named.bonus, [&](int c) { return IsDigitColumn(grid, c); });
  if (!named.main.empty() && !mainKnown) {
    if (named.main.size() != 6) {
      return "the file draws " + CountText(named.main.size(), "main number", "main numbers") +
             " (columns " + ColumnListText(named.main) + "); this lottery draws 6";
    }
    std::copy(named.main.begin(), named.main.end(), columns.main.begin());
    mainKnown = true;
  }
  if (!named.bonus.empty() && !bonusKnown) {
    if (named.bonus.size() > 1) {
      return "the file draws " + std::to_string(named.bonus.size()) + " bonus numbers (columns " +
             ColumnListText(named.bonus) + "); this lottery draws at most one";
    }
    if (mainKnown && std::find(columns.main.begin(), columns.main.end(), named.bonus.front()) !=
                         columns.main.end()) {
      return "column " + std::to_string(named.bonus.front() + 1) +
             " is named a bonus and a main column";
    }
    if (HoldsAnyBall(grid, named.bonus.front())) columns.bonus = named.bonus.front();
    bonusKnown = true;
  }
  return std::nullopt;
}

}  // namespace

void NumberGrid::AddRow(const std::vector<int>& values) {
  columns_ = std::max(columns_, static_cast<int>(values.size()));
  rowStart_.push_back(static_cast<uint32_t>(values_.size()));
  for (int value : values) values_.push_back(static_cast<int16_t>(std::min(value, 9999)));
}

int NumberGrid::Value(std::size_t row, int column) const {
  const std::size_t start = rowStart_[row];
  const std::size_t end = row + 1 < rowStart_.size() ? rowStart_[row + 1] : values_.size();
  return column >= 0 && start + static_cast<std::size_t>(column) < end
             ? values_[start + static_cast<std::size_t>(column)]
             : -1;
}

int WholeNumber(std::string_view field) {
  if (field.size() > 2 && ((field.front() == '(' && field.back() == ')') ||
                           (field.front() == '[' && field.back() == ']'))) {
    field = field.substr(1, field.size() - 2);  // a bonus in brackets
  }
  std::size_t end = field.find('.');
  if (end == std::string::npos) end = field.size();
  if (end == 0 || end > 9 || field.find_first_not_of("0123456789") < end) return -1;
  if (end < field.size() && field.find_first_not_of('0', end + 1) != std::string::npos) return -1;
  int value = 0;
  for (char c : field.substr(0, end)) value = value * 10 + (c - '0');
  return value;
}

ColumnDecision DecideNumberColumns(const std::vector<std::string>& header, const NumberGrid& grid,
                                   int dateColumn, const ColumnChoice& choice) {
  ColumnDecision decision;
  NumberColumns& columns = decision.columns;
  bool mainKnown = choice.main.has_value();
  bool bonusKnown = choice.bonus != ColumnChoice::Bonus::Detect;
  if (choice.main) columns.main = *choice.main;
  if (choice.bonus == ColumnChoice::Bonus::Column) columns.bonus = choice.bonusColumn;
  decision.refusal = ApplyHeader(Named(header), grid, columns, mainKnown, bonusKnown);
  decision.otherGame = decision.refusal.has_value();
  if (decision.refusal) return decision;
  const bool guessed = !mainKnown;
  if (!mainKnown) {
    const ColumnDecision run = FindMainRun(grid, dateColumn);
    if (run.refusal) return run;
    columns.main = run.columns.main;
  }
  if (!bonusKnown) columns.bonus = FindBonus(grid, columns.main, dateColumn);
  if (guessed) decision.refusal = FurtherNumbers(grid, columns, dateColumn);
  if (guessed && !decision.refusal && choice.bonus == ColumnChoice::Bonus::Detect) {
    decision.refusal = SevenInOrder(grid, columns);
  }
  decision.otherGame = decision.refusal.has_value();
  return decision;
}

std::string ColumnListText(const std::vector<int>& columns) {
  const bool run = !columns.empty() &&
                   std::adjacent_find(columns.begin(), columns.end(),
                                      [](int a, int b) { return b != a + 1; }) == columns.end();
  if (run && columns.size() > 1) {
    return std::to_string(columns.front() + 1) + "-" + std::to_string(columns.back() + 1);
  }
  std::string text;
  for (int c : columns) text += (text.empty() ? "" : ",") + std::to_string(c + 1);
  return text;
}

}  // namespace bw
