// SPDX-License-Identifier: GPL-3.0-or-later
// Which columns of a result file hold the six main numbers and the bonus:
// named by a header row, settled by hand, or found from the numbers
// themselves over all rows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Columns are counted from 0 here; texts for people count them from 1.
struct NumberColumns {
  std::array<int, 6> main{};
  std::optional<int> bonus;
};

// Columns settled by hand; what is not given is found as usual.
struct ColumnChoice {
  std::optional<int> date;
  int dateSpan = 1;  // 3: the date is spread over day, month and year columns
  std::optional<std::array<int, 6>> main;
  enum class Bonus { Detect, None, Column } bonus = Bonus::Detect;
  int bonusColumn = -1;
};

// The whole numbers of the rows that have a date, column by column;
// -1 where a field is not a whole number.
class NumberGrid {
 public:
  void AddRow(const std::vector<int>& values);
  int Value(std::size_t row, int column) const;
  std::size_t Rows() const { return rowStart_.size(); }
  int Columns() const { return columns_; }

 private:
  std::vector<int16_t> values_;  // all rows one after the other, to spare memory
  std::vector<uint32_t> rowStart_;
  int columns_ = 0;
};

// The value of a field holding a whole number ("07", "7", "7.0", "(7)"),
// else -1.
int WholeNumber(std::string_view field);

// Either the columns or the reason why the file is refused as a whole.
struct ColumnDecision {
  NumberColumns columns;
  std::optional<std::string> refusal;
  bool otherGame = false;  // refused for drawing other counts of numbers, not for its shape
};

// `header` is empty when the file has none; `dateColumn` is never a number
// column.
ColumnDecision DecideNumberColumns(const std::vector<std::string>& header, const NumberGrid& grid,
                                   int dateColumn, const ColumnChoice& choice);

// "5-10" for a run, "4,5,7" otherwise; counted from 1.
std::string ColumnListText(const std::vector<int>& columns);

}  // namespace bw
