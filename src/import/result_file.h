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

struct ImportOptions {
  ColumnChoice columns = {};
  std::optional<DateOrder> dateOrder = std::nullopt;
};

struct ResultShape {
  std::string encoding;
  FieldSeparator separator = FieldSeparator::Comma;
  bool header = false;
  std::string dates;  // "yyyy-mm-dd", "dd/mm/yyyy", ...
  DateOrder dateOrder = DateOrder::DayMonthYear;
  bool dateOrderAssumed = false;  // no row tells day and month apart
  bool newestFirst = false;
  int dateColumn = -1;  // counted from 0
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

struct ResultFile {
  std::optional<std::string> refusal;  // the file as a whole cannot be read
  ResultShape shape;
  std::size_t rows = 0;              // data rows: draws and problems
  std::vector<ResultDraw> draws;     // in file order
  std::vector<RowProblem> problems;  // in file order
};

ResultFile ReadResultBytes(std::string_view bytes, const ImportOptions& options = {});
// A file that cannot be read is refused with its error number and description.
ResultFile ReadResultFile(const std::filesystem::path& file, const ImportOptions& options = {});

}  // namespace bw
