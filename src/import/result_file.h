// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a published result file of any common shape into draws: the shape
// is found over all rows (or settled by hand), each draw keeps its line
// number in the file, and each row that is no draw becomes a problem.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/result_columns.h"
#include "import/result_dates.h"
#include "import/result_text.h"
#include "model/day_number.h"
#include "model/numbers.h"

namespace bw {

// Day number of 31/12/9999: no upper limit on the dates.
inline constexpr int32_t kNoDayLimit = 2958465;

struct ImportOptions {
  ColumnChoice columns = {};
  std::optional<DateOrder> dateOrder = std::nullopt;
  // Only the rows of these dates (day numbers, both included) are read.
  std::optional<int32_t> since = std::nullopt;
  std::optional<int32_t> until = std::nullopt;
  // Today's day number: a draw dated after tomorrow is a problem row.
  int32_t today = kNoDayLimit;
  // What the lottery tells about the order of day and month: its draw list,
  // and the order of its last import.
  const std::vector<std::string>* history = nullptr;
  std::optional<DateOrder> lastImportOrder = std::nullopt;
};

struct ResultShape {
  std::string encoding;
  FieldSeparator separator = FieldSeparator::Comma;
  bool header = false;
  std::string dates;  // "yyyy-mm-dd", "dd/mm/yyyy", ...
  DateOrder dateOrder = DateOrder::DayMonthYear;
  bool dateOrderRead = false;      // a numeric date of the file reads in this order
  std::string dateOrderSettledBy;  // what settled it when no date could
  bool newestFirst = false;
  int dateColumn = -1;  // counted from 0
  int dateSpan = 1;     // 3 for a date spread over day, month and year columns
  NumberColumns numbers;
};

// "separator comma, header yes, dates yyyy-mm-dd, newest first no, date
// column 4, main columns 5-10, bonus column 11" (columns counted from 1).
std::string DescribeShape(const ResultShape& shape);

struct ResultDraw {
  int line = 0;
  CalendarDate date;
  Line numbers{};  // ascending
  std::optional<int> bonus;
};

struct RowProblem {
  int line = 0;
  std::string reason;
};

// The first data rows as split, so that a refusal can show them column by
// column.
struct SplitRow {
  int line = 0;
  std::vector<std::string> fields;
};

struct ResultFile {
  std::optional<std::string> refusal;  // the file as a whole cannot be read
  bool shapeRefusal = false;           // settling the columns by hand may help
  bool dateOrderOpen = false;          // refused: only the user can say the date order
  std::vector<SplitRow> firstRows;
  ResultShape shape;
  std::size_t rows = 0;              // data rows: draws and problems
  std::vector<ResultDraw> draws;     // in file order
  std::vector<RowProblem> problems;  // in file order
};

ResultFile ReadResultBytes(std::string_view bytes, const ImportOptions& options = {});
// A file that cannot be read (or is no regular file, such as a pipe) is
// refused with its name and the reason.
ResultFile ReadResultFile(const std::filesystem::path& file, const ImportOptions& options = {});

}  // namespace bw
