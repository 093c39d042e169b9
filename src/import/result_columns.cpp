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

bool IsBall(int value) {
  return value >= kLowestNumber && value <= kHighestNumber;
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
  static constexpr std::string_view kWords[] = {
      "number", "numbers", "num", "no", "nr", "n", "nummer", "ball", "balls", "b", "drawn", "zahl"};
  return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords) ||
         word.ends_with("zahl");
}

bool IsBonusName(const std::vector<std::string>& words) {
  static constexpr std::string_view kWords[] = {"bonus", "extra", "additional", "zusatz"};
  return std::any_of(words.begin(), words.end(), [](const std::string& word) {
    return std::any_of(std::begin(kWords), std::end(kWords),
                       [&](std::string_view b) { return word.find(b) != std::string::npos; });
  });
}

bool IsMainName(const std::vector<std::string>& words) {
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (IsMainWord(words[i]) && std::isdigit(static_cast<unsigned char>(words[i + 1][0]))) {
      return true;
    }
  }
  return false;
}

struct NamedColumns {
  std::vector<int> main;
  std::vector<int> bonus;
};

NamedColumns Named(const std::vector<std::string>& header) {
  NamedColumns named;
  for (std::size_t c = 0; c < header.size(); ++c) {
    const std::vector<std::string> words = Words(header[c]);
    if (IsBonusName(words)) {
      named.bonus.push_back(static_cast<int>(c));
    } else if (IsMainName(words)) {
      named.main.push_back(static_cast<int>(c));
    }
  }
  return named;
}

// A draw number, sequence or constant: never falling, or never rising.
bool IsCounter(const NumberGrid& grid, int column) {
  if (grid.Rows() < kCounterRows) return false;
  bool rising = true;
  bool falling = true;
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    const int value = grid.Value(r, column);
    if (value < 0) return false;
    if (r > 0) {
      rising = rising && value >= grid.Value(r - 1, column);
      falling = falling && value <= grid.Value(r - 1, column);
    }
  }
  return rising || falling;
}

bool IsSmall(const NumberGrid& grid, int column) {
  if (grid.Rows() < kSmallRows) return false;
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    if (grid.Value(r, column) > kSmallTop) return false;
  }
  return true;
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
    if (!IsBall(values[k])) return false;
  }
  if (ascending != nullptr) *ascending = std::is_sorted(values.begin(), values.end());
  std::sort(values.begin(), values.end());
  return std::adjacent_find(values.begin(), values.end()) == values.end();
}

// A number 1..49 that is none of the main numbers (nor `other`).
bool IsFurtherBall(const NumberGrid& grid, std::size_t row, const std::array<int, 6>& main,
                   int column, int other = -1) {
  const int value = grid.Value(row, column);
  if (!IsBall(value) || value == other) return false;
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
    if (c == dateColumn || IsCounter(grid, c)) return {start, 0, false};
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
    decision.refusal = "no six columns hold six different numbers from 1 to 49 in most rows";
    return decision;
  }
  const auto sorted = std::find_if(best.begin(), best.end(), [](auto& s) { return s.ascending; });
  const RunScore chosen = sorted != best.end() ? *sorted : best.front();
  for (const RunScore& other : best) {
    if (std::abs(other.start - chosen.start) >= 6 && (sorted == best.end() || other.ascending)) {
      decision.refusal = "columns " + RunText(chosen.start) + " and " + RunText(other.start) +
                         " both hold six different numbers from 1 to 49";
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

// The column right after the six, when it holds a further number 1..49 in
// every row (a few typing slips aside).
std::optional<int> FindBonus(const NumberGrid& grid, const std::array<int, 6>& main,
                             int dateColumn) {
  const int column = *std::max_element(main.begin(), main.end()) + 1;
  if (!CanBeBall(grid, column, dateColumn)) return std::nullopt;
  const std::vector<std::size_t> rows = RowsHoldingSix(grid, main);
  const auto misses = std::count_if(rows.begin(), rows.end(), [&](std::size_t r) {
    return !IsFurtherBall(grid, r, main, column);
  });
  if (rows.empty() || static_cast<std::size_t>(misses) > rows.size() / 50) return std::nullopt;
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

bool HoldsAnyBall(const NumberGrid& grid, int column) {
  for (std::size_t r = 0; r < grid.Rows(); ++r) {
    if (IsBall(grid.Value(r, column))) return true;
  }
  return false;
}

// The header decides what it names; a named bonus column that never holds a
// number (a lottery that left it at 0) is no bonus.
std::optional<std::string> ApplyHeader(const NamedColumns& named, const NumberGrid& grid,
                                       NumberColumns& columns, bool& mainKnown, bool& bonusKnown) {
  if (!named.main.empty() && !mainKnown) {
    if (named.main.size() != 6) {
      return "the file draws " + std::to_string(named.main.size()) + " main numbers (columns " +
             ColumnListText(named.main) + "); this lottery draws 6";
    }
    std::copy(named.main.begin(), named.main.end(), columns.main.begin());
    mainKnown = true;
    bonusKnown = bonusKnown || named.bonus.empty();
  }
  if (!named.bonus.empty() && !bonusKnown) {
    if (named.bonus.size() > 1) {
      return "the file draws " + std::to_string(named.bonus.size()) + " bonus numbers (columns " +
             ColumnListText(named.bonus) + "); this lottery draws at most one";
    }
    if (HoldsAnyBall(grid, named.bonus.front())) columns.bonus = named.bonus.front();
    bonusKnown = true;
  }
  return std::nullopt;
}

}  // namespace

void NumberGrid::AddRow(std::vector<int> values) {
  columns_ = std::max(columns_, static_cast<int>(values.size()));
  rows_.push_back(std::move(values));
}

int NumberGrid::Value(std::size_t row, int column) const {
  const std::vector<int>& values = rows_[row];
  return column >= 0 && static_cast<std::size_t>(column) < values.size() ? values[column] : -1;
}

int WholeNumber(const std::string& field) {
  std::size_t end = field.find('.');
  if (end == std::string::npos) end = field.size();
  if (end == 0 || end > 9 || field.find_first_not_of("0123456789") < end) return -1;
  if (end < field.size() && field.find_first_not_of('0', end + 1) != std::string::npos) return -1;
  return std::stoi(field.substr(0, end));
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
  if (decision.refusal) return decision;
  const bool guessed = !mainKnown;
  if (!mainKnown) {
    const ColumnDecision run = FindMainRun(grid, dateColumn);
    if (run.refusal) return run;
    columns.main = run.columns.main;
  }
  if (!bonusKnown) columns.bonus = FindBonus(grid, columns.main, dateColumn);
  if (guessed) decision.refusal = FurtherNumbers(grid, columns, dateColumn);
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
