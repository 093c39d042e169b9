// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/result_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <variant>

#include "import/date_order.h"
#include "model/draw_date_rule.h"
#include "store/file_error.h"

namespace bw {
namespace {

constexpr std::size_t kLargestFile = 64u << 20;
constexpr std::size_t kFirstRowsKept = 5;
// Numbers above 49 in more rows than this (and more than 2% of them) are
// another game, not typing slips.
constexpr std::size_t kFewestOtherGameRows = 5;
// Rows without a number above 49 before the first with one: in a game of
// more numbers so long a run does not happen, so the game changed.
constexpr std::size_t kRowsBeforeChange = 12;

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// The fields of the data rows, all in one string: a million rows take a
// fraction of the memory of a string each.
class FieldTable {
 public:
  void Add(int line, const std::vector<std::string>& fields) {
    lines_.push_back(line);
    rowStart_.push_back(static_cast<uint32_t>(ends_.size()));
    for (const std::string& field : fields) {
      text_ += field;
      ends_.push_back(static_cast<uint32_t>(text_.size()));
    }
  }
  std::size_t Rows() const { return lines_.size(); }
  int Line(std::size_t row) const { return lines_[row]; }
  std::size_t Fields(std::size_t row) const { return RowEnd(row) - rowStart_[row]; }
  std::string_view Field(std::size_t row, int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= Fields(row)) return {};
    const std::size_t k = rowStart_[row] + static_cast<std::size_t>(column);
    const std::size_t start = k == 0 ? 0 : ends_[k - 1];
    return std::string_view(text_).substr(start, ends_[k] - start);
  }
  std::vector<std::string> RowFields(std::size_t row) const {
    std::vector<std::string> fields;
    for (std::size_t c = 0; c < Fields(row); ++c) {
      fields.emplace_back(Field(row, static_cast<int>(c)));
    }
    return fields;
  }

 private:
  std::size_t RowEnd(std::size_t row) const {
    return row + 1 < rowStart_.size() ? rowStart_[row + 1] : ends_.size();
  }
  std::string text_;
  std::vector<uint32_t> ends_;
  std::vector<uint32_t> rowStart_;
  std::vector<int> lines_;
};

bool HasDigit(std::string_view field) {
  return field.find_first_of("0123456789") != std::string_view::npos;
}

bool HasLetter(std::string_view field) {
  return std::any_of(field.begin(), field.end(),
                     [](unsigned char c) { return std::isalpha(c) != 0 || c >= 0x80; });
}

// "21", "Aug", "2021" in three columns: a date spread over day, month and
// year (or month, day and year), with the month named.
bool IsSpreadDate(const std::vector<std::string>& fields, std::size_t column) {
  if (column + 3 > fields.size()) return false;
  const std::string& a = fields[column];
  const std::string& b = fields[column + 1];
  if (a.empty() || b.empty() || !(HasLetter(a) != HasLetter(b))) return false;
  return ScanDate(a + " " + b + " " + fields[column + 2]).has_value();
}

bool HasDate(const std::vector<std::string>& fields) {
  for (std::size_t c = 0; c < fields.size(); ++c) {
    if (ScanDate(fields[c]) || IsSpreadDate(fields, c)) return true;
  }
  return false;
}

std::string DateField(const FieldTable& table, std::size_t row, int column, int span) {
  std::string text(table.Field(row, column));
  for (int k = 1; k < span; ++k) text += " " + std::string(table.Field(row, column + k));
  return text;
}

// A header above rows that join a draw's numbers in one field gets empty
// names for the fields made of it, so that its names stay above their
// columns.
std::vector<std::string> AlignedHeader(const std::vector<std::string>& header,
                                       std::string_view firstRow, FieldSeparator separator) {
  const std::vector<std::string> fields = SplitFields(firstRow, separator, false);
  std::vector<std::string> aligned;
  for (std::size_t c = 0; c < header.size(); ++c) {
    aligned.push_back(header[c]);
    const std::size_t joined = c < fields.size() ? JoinedNumberCount(fields[c], separator) : 0;
    if (joined > 1) aligned.resize(aligned.size() + joined - 1);
  }
  return aligned;
}

// Lines with words and no date before the first dated row are a title and
// the header; the last of them names the columns. Lines without any digit
// (notes, footers) are no rows.
FieldTable DataRows(const std::vector<TextLine>& lines, FieldSeparator separator,
                    std::vector<std::string>& header) {
  FieldTable rows;
  bool inPreamble = true;
  std::vector<std::string> fields;
  for (const TextLine& line : lines) {
    SplitFields(line.text, separator, fields);
    const bool digits =
        std::any_of(fields.begin(), fields.end(), [](const std::string& f) { return HasDigit(f); });
    if (inPreamble &&
        std::any_of(fields.begin(), fields.end(),
                    [](const std::string& f) { return HasLetter(f); }) &&
        !HasDate(fields)) {
      header = fields;
      continue;
    }
    if (inPreamble && !header.empty()) header = AlignedHeader(header, line.text, separator);
    inPreamble = false;
    if (digits) rows.Add(line.number, fields);
  }
  return rows;
}

// A row's fields without the empty ones at its end.
std::size_t FilledFields(const FieldTable& rows, std::size_t row) {
  std::size_t fields = rows.Fields(row);
  while (fields > 0 && rows.Field(row, static_cast<int>(fields) - 1).empty()) --fields;
  return fields;
}

std::size_t MostFrequent(const std::vector<std::size_t>& counts) {
  return static_cast<std::size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

// The number of fields most rows have, with and without the empty fields at
// their end (some files end only some rows with a separator). Notes and
// repeated headings do not count.
struct FieldCounts {
  std::size_t all = 0;
  std::size_t filled = 0;
};

FieldCounts UsualFieldCounts(const FieldTable& rows, const std::vector<std::size_t>& draws) {
  std::vector<std::size_t> all;
  std::vector<std::size_t> filled;
  for (std::size_t r : draws) {
    const std::size_t fields = rows.Fields(r);
    if (all.size() <= fields) {
      all.resize(fields + 1);
      filled.resize(fields + 1);
    }
    ++all[fields];
    ++filled[FilledFields(rows, r)];
  }
  return {MostFrequent(all), MostFrequent(filled)};
}

bool NamesDate(const std::string& field) {
  const std::string lower = LowerCase(field);
  return lower.find("date") != std::string::npos || lower.find("datum") != std::string::npos ||
         lower.find("fecha") != std::string::npos;
}

struct DateColumn {
  int column = -1;
  int span = 1;
};

// The column holding dates in most rows (a date spread over three columns
// counts for the first); a header naming one of several such columns
// settles which.
std::variant<DateColumn, std::string> FindDateColumn(const FieldTable& rows,
                                                     const std::vector<std::string>& header) {
  std::vector<std::size_t> single;
  std::vector<std::size_t> spread;
  // A spread sample of rows finds the column as well as all of them.
  constexpr std::size_t kSampleRows = 1000;
  const std::size_t step = std::max<std::size_t>(1, rows.Rows() / kSampleRows);
  for (std::size_t r = 0; r < rows.Rows(); r += step) {
    const std::vector<std::string> fields = rows.RowFields(r);
    if (single.size() < fields.size()) {
      single.resize(fields.size());
      spread.resize(fields.size());
    }
    for (std::size_t c = 0; c < fields.size(); ++c) {
      if (ScanDate(fields[c])) {
        ++single[c];
      } else if (IsSpreadDate(fields, c)) {
        ++spread[c];
      }
    }
  }
  const auto topSingle = std::max_element(single.begin(), single.end());
  const auto topSpread = std::max_element(spread.begin(), spread.end());
  if (topSingle == single.end() || (*topSingle == 0 && *topSpread == 0)) {
    return std::string("no column holds dates");
  }
  if (*topSpread > *topSingle) {
    return DateColumn{static_cast<int>(topSpread - spread.begin()), 3};
  }
  std::vector<int> best;
  for (std::size_t c = 0; c < single.size(); ++c) {
    if (single[c] == *topSingle) best.push_back(static_cast<int>(c));
  }
  std::vector<int> named;
  std::copy_if(best.begin(), best.end(), std::back_inserter(named), [&](int c) {
    return static_cast<std::size_t>(c) < header.size() && NamesDate(header[c]);
  });
  if (best.size() == 1) return DateColumn{best.front(), 1};
  if (named.size() == 1) return DateColumn{named.front(), 1};
  return "columns " + ColumnListText(best) + " all hold dates";
}

bool IsDateColumn(const ResultShape& shape, int column) {
  return column >= shape.dateColumn && column < shape.dateColumn + shape.dateSpan;
}

// The whole numbers of a row, with its date's columns left out (a day or a
// year is no drawn number).
std::vector<int> WholeNumbers(const FieldTable& rows, std::size_t row, const ResultShape& shape) {
  std::vector<int> values(rows.Fields(row));
  for (std::size_t c = 0; c < values.size(); ++c) {
    const int column = static_cast<int>(c);
    values[c] = IsDateColumn(shape, column) ? -1 : WholeNumber(rows.Field(row, column));
  }
  return values;
}

uint64_t NumbersOfRow(const std::vector<int>& values) {
  uint64_t numbers = 0;
  for (int value : values) {
    if (value >= kLowestNumber && value <= kHighestNumber) numbers |= uint64_t{1} << value;
  }
  return numbers;
}

// The date order: given, shown by the dates, or settled by the lottery and
// the file; left open (and the file refused) when nothing settles it.
bool DecideDateOrder(const FieldTable& rows, const ImportOptions& options, ResultFile& result) {
  ResultShape& shape = result.shape;
  DateOrderClues clues{{}, {}, options.history, options.lastImportOrder};
  for (std::size_t r = 0; r < rows.Rows(); ++r) {
    const auto text = ScanDate(DateField(rows, r, shape.dateColumn, shape.dateSpan));
    if (!text) continue;
    clues.dates.push_back(*text);
    if (IsAmbiguous(*text))
      clues.ambiguous.push_back({*text, NumbersOfRow(WholeNumbers(rows, r, shape))});
  }
  const auto numeric = std::find_if(clues.dates.begin(), clues.dates.end(), [](const DateText& t) {
    return t.form == DateText::Form::Numeric;
  });
  shape.dateOrderRead = numeric != clues.dates.end();
  const DateOrderDecision decision =
      options.dateOrder ? DateOrderDecision{options.dateOrder, ""} : SettleDateOrder(clues);
  if (!decision.order) {
    result.refusal =
        "the dates do not say whether the day or the month comes first: give --date-order dmy "
        "or mdy";
    result.dateOrderOpen = true;
    return false;
  }
  shape.dateOrder = *decision.order;
  shape.dateOrderSettledBy = decision.settledBy;
  if (!clues.dates.empty()) {
    shape.dates = DateStyleName(numeric != clues.dates.end() ? *numeric : clues.dates.front(),
                                shape.dateOrder);
  }
  return true;
}

// A row to judge with the day number of its date (nullopt when it has none).
struct JudgedRow {
  std::size_t row;
  std::optional<int32_t> day;
};

std::optional<int32_t> DayOfRow(const FieldTable& rows, std::size_t row, const ResultShape& shape) {
  const auto text = ScanDate(DateField(rows, row, shape.dateColumn, shape.dateSpan));
  const auto date = text ? DateOf(*text, shape.dateOrder) : std::nullopt;
  if (!date) return std::nullopt;
  return DayNumber(*date);
}

bool InRange(int32_t day, const ImportOptions& options) {
  return day >= options.since.value_or(INT32_MIN) && day <= options.until.value_or(INT32_MAX);
}

// The rows the import judges: those with a date in the range asked for, or
// with a date that cannot be read (a problem row, wherever it belongs).
std::vector<JudgedRow> RowsToJudge(const FieldTable& rows, const ResultShape& shape,
                                   const ImportOptions& options) {
  std::vector<JudgedRow> judged;
  for (std::size_t r = 0; r < rows.Rows(); ++r) {
    const auto day = DayOfRow(rows, r, shape);
    if (!day || InRange(*day, options)) judged.push_back({r, day});
  }
  return judged;
}

bool HasMainNumber(const FieldTable& rows, std::size_t row, const NumberColumns& columns) {
  return std::any_of(columns.main.begin(), columns.main.end(),
                     [&](int c) { return WholeNumber(rows.Field(row, c)) >= 0; });
}

// The largest number in the main and bonus columns of a row.
int TopNumber(const FieldTable& rows, std::size_t row, const NumberColumns& columns) {
  int top = columns.bonus ? WholeNumber(rows.Field(row, *columns.bonus)) : -1;
  for (int c : columns.main) top = std::max(top, WholeNumber(rows.Field(row, c)));
  return top;
}

struct DatedTop {
  int32_t day;
  int top;
};

// Numbers above 49 in many rows: another game, or a change of game at some
// date (then the file is refused with that date).
std::optional<std::string> OtherGame(const FieldTable& rows, const std::vector<JudgedRow>& judged,
                                     const ResultShape& shape) {
  std::vector<DatedTop> dated;
  std::size_t high = 0;
  int top = 0;
  for (const auto& [r, day] : judged) {
    if (!day || !HasMainNumber(rows, r, shape.numbers)) continue;
    const int rowTop = TopNumber(rows, r, shape.numbers);
    dated.push_back({*day, rowTop});
    if (rowTop > kHighestNumber) {
      ++high;
      top = std::max(top, rowTop);
    }
  }
  if (high <= kFewestOtherGameRows || high * 50 <= dated.size()) return std::nullopt;
  std::stable_sort(dated.begin(), dated.end(),
                   [](const DatedTop& a, const DatedTop& b) { return a.day < b.day; });
  const auto isHigh = [](const DatedTop& d) { return d.top > kHighestNumber; };
  const auto first = std::find_if(dated.begin(), dated.end(), isHigh);
  const auto last = std::find_if(dated.rbegin(), dated.rend(), isHigh).base() - 1;
  const auto date = [](int32_t day) { return FormatDrawDate(DateOfDayNumber(day)); };
  const std::string topText = std::to_string(top);
  if (static_cast<std::size_t>(first - dated.begin()) >= kRowsBeforeChange) {
    const int32_t lastBefore = (first - 1)->day;
    return "the file is of a 6 from 49 lottery until " + date(lastBefore) +
           ", then of another game (numbers up to " + topText + " from " + date(first->day) +
           "): give --until " + date(lastBefore) + " to import the draws until then";
  }
  if (static_cast<std::size_t>(dated.end() - last) > kRowsBeforeChange) {
    const int32_t firstAfter = (last + 1)->day;
    return "the file is of another game (numbers up to " + topText + ") until " + date(last->day) +
           ", then of a 6 from 49 lottery from " + date(firstAfter) + ": give --since " +
           date(firstAfter) + " to import the draws from then on";
  }
  return "this file's numbers go up to " + topText + " in " + std::to_string(high) + " of " +
         CountText(dated.size(), "row", "rows") + ": it is not a 6 from 49 lottery";
}

// The number of one column of a row, or why it is none.
std::variant<int, std::string> BallAt(const FieldTable& rows, std::size_t row, int column,
                                      const char* what) {
  const std::string_view field = rows.Field(row, column);
  if (field.empty()) return std::string(what) + " missing";
  const int value = WholeNumber(field);
  if (value < kLowestNumber || value > kHighestNumber) {
    return std::string(what) + " " + Quoted(field) + " is not a number from 1 to 49";
  }
  return value;
}

// Why the row's date is none or is refused; `day` is its day number when
// it was read.
std::string DateProblem(const FieldTable& rows, const JudgedRow& judged, const ResultShape& shape,
                        const ImportOptions& options, CalendarDate& date) {
  if (judged.day) {
    date = DateOfDayNumber(*judged.day);
    const auto refusal = DrawDateRefusal(*judged.day, options.today);
    return refusal ? "the date " + FormatDrawDate(date) + " is refused: " + *refusal : "";
  }
  const std::size_t row = judged.row;
  const std::string field = DateField(rows, row, shape.dateColumn, shape.dateSpan);
  if (field.find_first_not_of(' ') == std::string::npos) return "no date";
  const auto text = ScanDate(field);
  if (!text) return "not a date: " + Quoted(field);
  const auto read = DateOf(*text, shape.dateOrder);
  if (!read) return "not a date (" + shape.dates + "): " + Quoted(field);
  date = *read;
  if (const auto refusal = DrawDateRefusal(DayNumber(date), options.today)) {
    return "the date " + FormatDrawDate(date) + " is refused: " + *refusal;
  }
  return "";
}

std::variant<ResultDraw, std::string> ReadRow(const FieldTable& rows, const JudgedRow& judged,
                                              const FieldCounts& usual, const ResultShape& shape,
                                              const ImportOptions& options) {
  const std::size_t row = judged.row;
  const std::size_t fields = rows.Fields(row);
  if (fields != usual.all && FilledFields(rows, row) != usual.filled) {
    return CountText(fields, "field", "fields") + " where the other rows have " +
           std::to_string(usual.all);
  }
  ResultDraw draw{rows.Line(row), {}, {}, std::nullopt};
  if (std::string problem = DateProblem(rows, judged, shape, options, draw.date);
      !problem.empty()) {
    return problem;
  }
  for (std::size_t k = 0; k < 6; ++k) {
    const auto ball = BallAt(rows, row, shape.numbers.main[k], "main number");
    if (const auto* reason = std::get_if<std::string>(&ball)) return *reason;
    draw.numbers[k] = std::get<int>(ball);
  }
  std::sort(draw.numbers.begin(), draw.numbers.end());
  const auto twice = std::adjacent_find(draw.numbers.begin(), draw.numbers.end());
  if (twice != draw.numbers.end()) return "number " + std::to_string(*twice) + " drawn twice";
  if (!shape.numbers.bonus) return draw;
  const auto bonus = BallAt(rows, row, *shape.numbers.bonus, "bonus number");
  if (const auto* reason = std::get_if<std::string>(&bonus)) return *reason;
  draw.bonus = std::get<int>(bonus);
  if (std::find(draw.numbers.begin(), draw.numbers.end(), *draw.bonus) != draw.numbers.end()) {
    return "bonus number " + std::to_string(*draw.bonus) + " is also a main number";
  }
  return draw;
}

bool IsNewestFirst(const std::vector<ResultDraw>& draws) {
  std::size_t falling = 0;
  std::size_t rising = 0;
  for (std::size_t i = 1; i < draws.size(); ++i) {
    const int32_t step = DayNumber(draws[i].date) - DayNumber(draws[i - 1].date);
    falling += step < 0;
    rising += step > 0;
  }
  return falling > rising;
}

// Rows without a number in any main column (notes, repeated headings, empty
// fields) are neither draws nor problems.
void ReadRows(const FieldTable& rows, const std::vector<JudgedRow>& judged,
              const ImportOptions& options, ResultFile& result) {
  std::vector<std::size_t> draws;
  for (const JudgedRow& row : judged) {
    if (HasMainNumber(rows, row.row, result.shape.numbers)) draws.push_back(row.row);
  }
  const FieldCounts usual = UsualFieldCounts(rows, draws);
  for (const JudgedRow& row : judged) {
    if (!HasMainNumber(rows, row.row, result.shape.numbers)) continue;
    ++result.rows;
    auto read = ReadRow(rows, row, usual, result.shape, options);
    if (auto* draw = std::get_if<ResultDraw>(&read)) {
      result.draws.push_back(*draw);
    } else {
      result.problems.push_back({rows.Line(row.row), std::get<std::string>(read)});
    }
  }
  result.shape.newestFirst = IsNewestFirst(result.draws);
}

void KeepFirstRows(const FieldTable& rows, ResultFile& result) {
  for (std::size_t r = 0; r < rows.Rows() && r < kFirstRowsKept; ++r) {
    result.firstRows.push_back({rows.Line(r), rows.RowFields(r)});
  }
}

void RefuseShape(ResultFile& result, std::string reason) {
  result.refusal = std::move(reason);
  result.shapeRefusal = true;
}

// The columns: settled by hand, named by the header, or found over the rows
// of the range asked for.
bool DecideColumns(const FieldTable& rows, const std::vector<JudgedRow>& judged,
                   const std::vector<std::string>& header, const ImportOptions& options,
                   ResultFile& result) {
  NumberGrid grid;
  for (const auto& [r, day] : judged) {
    if (day) grid.AddRow(WholeNumbers(rows, r, result.shape));
  }
  ColumnDecision columns =
      DecideNumberColumns(header, grid, result.shape.dateColumn, options.columns);
  result.shape.numbers = columns.columns;
  if (columns.refusal) {
    // A game of other counts of numbers is no question of shape.
    result.refusal = std::move(columns.refusal);
    result.shapeRefusal = !columns.otherGame;
    return false;
  }
  return true;
}

// The data rows of the file (the decoded text is let go when they are
// taken), or nullopt when the file is refused.
// Watches the bytes of a file as they come for a line whose bytes could not
// be 4,096 characters even in UTF-8, so that it is refused as soon as seen.
class HugeLineWatch {
 public:
  // The number of the first such line in `bytes` so far (which grow at their
  // end between calls); 0 while there is none.
  int Scan(std::string_view bytes) {
    constexpr std::size_t kLongestUtf8 = 4 * kLongestLine;
    for (; at_ < bytes.size(); ++at_) {
      const char c = bytes[at_];
      if (c == '\r' || c == '\n') {
        if (c == '\r' || at_ == 0 || bytes[at_ - 1] != '\r') ++line_;
        lineStart_ = at_ + 1;
      } else if (at_ - lineStart_ >= kLongestUtf8) {
        return line_;
      }
    }
    return 0;
  }

 private:
  int line_ = 1;
  std::size_t lineStart_ = 0;
  std::size_t at_ = 0;
};

bool IsUtf16(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string LongLineRefusal(int line) {
  static_assert(kLongestLine == 4096);
  return "line " + std::to_string(line) +
         " is longer than 4,096 characters: this is no file of draws";
}

std::optional<FieldTable> ReadTable(std::string_view bytes, std::vector<std::string>& header,
                                    ResultFile& result) {
  if (const int huge = IsUtf16(bytes) ? 0 : HugeLineWatch().Scan(bytes); huge != 0) {
    result.refusal = LongLineRefusal(huge);  // at once, however large the file
    return std::nullopt;
  }
  const DecodedText text = DecodeResultText(bytes);
  if (text.encoding != "UTF-16" && bytes.find('\0') != std::string_view::npos) {
    result.refusal = "the file is not text (save a spreadsheet as CSV first)";
    return std::nullopt;
  }
  const SplitText split = SplitResultLines(text.text);
  if (split.tooLongLine != 0) {
    result.refusal = LongLineRefusal(split.tooLongLine);
    return std::nullopt;
  }
  result.shape.encoding = text.encoding;
  result.shape.separator = ChooseSeparator(split.lines);
  return DataRows(split.lines, result.shape.separator, header);
}

}  // namespace

std::string DescribeShape(const ResultShape& shape) {
  const std::vector<int> main(shape.numbers.main.begin(), shape.numbers.main.end());
  std::string text = "separator " + std::string(SeparatorName(shape.separator)) + ", header " +
                     (shape.header ? "yes" : "no");
  if (!shape.dates.empty()) text += ", dates " + shape.dates;
  if (!shape.dateOrderSettledBy.empty()) text += " (" + shape.dateOrderSettledBy + ")";
  const std::string dateColumns = shape.dateSpan == 1
                                      ? "date column " + std::to_string(shape.dateColumn + 1)
                                      : "date columns " + std::to_string(shape.dateColumn + 1) +
                                            "-" + std::to_string(shape.dateColumn + shape.dateSpan);
  text += std::string(", newest first ") + (shape.newestFirst ? "yes" : "no") + ", " + dateColumns +
          ", main columns " + ColumnListText(main);
  return text + (shape.numbers.bonus ? ", bonus column " + std::to_string(*shape.numbers.bonus + 1)
                                     : ", no bonus column");
}

ResultFile ReadResultBytes(std::string_view bytes, const ImportOptions& options) {
  ResultFile result;
  ResultShape& shape = result.shape;
  std::vector<std::string> header;
  const std::optional<FieldTable> table = ReadTable(bytes, header, result);
  if (!table) return result;
  const FieldTable& rows = *table;
  shape.header = !header.empty();
  KeepFirstRows(rows, result);
  if (rows.Rows() == 0) {
    RefuseShape(result, "the file holds no rows of draws");
    return result;
  }
  if (options.columns.date) {
    shape.dateColumn = *options.columns.date;
    shape.dateSpan = options.columns.dateSpan;
  } else {
    const auto column = FindDateColumn(rows, header);
    if (const auto* reason = std::get_if<std::string>(&column)) {
      RefuseShape(result, *reason);
      return result;
    }
    shape.dateColumn = std::get<DateColumn>(column).column;
    shape.dateSpan = std::get<DateColumn>(column).span;
  }
  if (!DecideDateOrder(rows, options, result)) return result;
  const std::vector<JudgedRow> judged = RowsToJudge(rows, shape, options);
  if (!DecideColumns(rows, judged, header, options, result)) return result;
  result.refusal = OtherGame(rows, judged, shape);
  if (!result.refusal) ReadRows(rows, judged, options, result);
  return result;
}

ResultFile ReadResultFile(const std::filesystem::path& file, const ImportOptions& options) {
  ResultFile result;
  const auto refuse = [&](const std::string& reason) {
    result.refusal = reason;
    return result;
  };
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (std::filesystem::exists(status) && status.type() != std::filesystem::file_type::regular) {
    // A pipe or a device would block the read for ever.
    return refuse(file.string() + " is not a regular file (a folder, pipe or device): give a " +
                  "file of draws");
  }
  error.clear();
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size > kLargestFile) {
    return refuse(file.string() + " is larger than 64 MB, far more than any draw history");
  }
  std::ifstream in(file, std::ios::binary);
  if (error || !in) {
    const int16_t number = error ? FileErrorNumberOf(error) : int16_t{kPathFileAccess};
    return refuse("cannot read " + file.string() + ": Error " + std::to_string(number) + " " +
                  FileErrorDescription(number));
  }
  // In pieces, so that a line too long for a file of draws is refused as
  // soon as it is read.
  constexpr std::size_t kPiece = 1 << 20;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  HugeLineWatch watch;
  while (in && bytes.size() <= kLargestFile) {
    const std::size_t had = bytes.size();
    bytes.resize(had + kPiece);
    in.read(bytes.data() + had, static_cast<std::streamsize>(kPiece));
    bytes.resize(had + static_cast<std::size_t>(in.gcount()));
    if (const int huge = IsUtf16(bytes) ? 0 : watch.Scan(bytes); huge != 0) {
      return refuse(LongLineRefusal(huge));
    }
  }
  if (bytes.size() > kLargestFile) {
    return refuse(file.string() + " is larger than 64 MB, far more than any draw history");
  }
  if (in.bad()) {
    return refuse("cannot read " + file.string() + ": Error " + std::to_string(kPathFileAccess) +
                  " " + FileErrorDescription(kPathFileAccess));
  }
  return ReadResultBytes(bytes, options);
}

}  // namespace bw
