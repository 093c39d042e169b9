#include "import/result_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <variant>

#include "store/file_error.h"

namespace bw {
namespace {

constexpr std::uintmax_t kLargestFile = 64u << 20;

struct Row {
  int line = 0;
  std::vector<std::string> fields;
};

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

bool Any(const std::vector<std::string>& fields, bool (*test)(const std::string&)) {
  return std::any_of(fields.begin(), fields.end(), test);
}

bool HasDigit(const std::string& field) {
  return field.find_first_of("0123456789") != std::string::npos;
}

bool HasLetter(const std::string& field) {
  return std::any_of(field.begin(), field.end(),
                     [](unsigned char c) { return std::isalpha(c) != 0 || c >= 0x80; });
}

bool IsDate(const std::string& field) {
  return ScanDate(field).has_value();
}

const std::string& FieldAt(const Row& row, int column) {
  static const std::string kEmpty;
  return column >= 0 && static_cast<std::size_t>(column) < row.fields.size() ? row.fields[column]
                                                                             : kEmpty;
}

// Lines with words and no date before the first dated row are a title and
// the header; the last of them names the columns. Lines without any digit
// (notes, footers) are no rows.
std::vector<Row> DataRows(const DecodedText& text, FieldSeparator separator,
                          std::vector<std::string>& header) {
  std::vector<Row> rows;
  bool inPreamble = true;
  for (const TextLine& line : text.lines) {
    Row row{line.number, SplitFields(line.text, separator)};
    if (inPreamble && !Any(row.fields, IsDate) && Any(row.fields, HasLetter)) {
      header = std::move(row.fields);
      continue;
    }
    inPreamble = false;
    if (Any(row.fields, HasDigit)) rows.push_back(std::move(row));
  }
  return rows;
}

bool NamesDate(const std::string& field) {
  const std::string lower = LowerCase(field);
  return lower.find("date") != std::string::npos || lower.find("datum") != std::string::npos;
}

// The column holding dates in most rows; a header naming one of several
// such columns settles which.
std::variant<int, std::string> FindDateColumn(const std::vector<Row>& rows,
                                              const std::vector<std::string>& header) {
  std::vector<std::size_t> counts;
  for (const Row& row : rows) {
    if (counts.size() < row.fields.size()) counts.resize(row.fields.size());
    for (std::size_t c = 0; c < row.fields.size(); ++c) counts[c] += IsDate(row.fields[c]);
  }
  const auto top = std::max_element(counts.begin(), counts.end());
  if (top == counts.end() || *top == 0) return std::string("no column holds dates");
  std::vector<int> best;
  for (std::size_t c = 0; c < counts.size(); ++c) {
    if (counts[c] == *top) best.push_back(static_cast<int>(c));
  }
  std::vector<int> named;
  std::copy_if(best.begin(), best.end(), std::back_inserter(named), [&](int c) {
    return static_cast<std::size_t>(c) < header.size() && NamesDate(header[c]);
  });
  if (best.size() == 1) return best.front();
  if (named.size() == 1) return named.front();
  return "columns " + ColumnListText(best) + " all hold dates";
}

std::vector<int> WholeNumbers(const Row& row) {
  std::vector<int> values;
  values.reserve(row.fields.size());
  for (const std::string& field : row.fields) values.push_back(WholeNumber(field));
  return values;
}

// The number of one column of a row, or why it is none.
std::variant<int, std::string> BallAt(const Row& row, int column, const char* what) {
  const std::string& field = FieldAt(row, column);
  if (field.empty()) return std::string(what) + " missing";
  const int value = WholeNumber(field);
  if (value < kLowestNumber || value > kHighestNumber) {
    return std::string(what) + " " + Quoted(field) + " is not a number from 1 to 49";
  }
  return value;
}

std::variant<ResultDraw, std::string> ReadRow(const Row& row, const ResultShape& shape) {
  const std::string& dateField = FieldAt(row, shape.dateColumn);
  const auto text = ScanDate(dateField);
  if (dateField.empty()) return std::string("no date");
  if (!text) return "not a date: " + Quoted(dateField);
  const auto date = DateOf(*text, shape.dateOrder);
  if (!date) return "not a date (" + shape.dates + "): " + Quoted(dateField);
  ResultDraw draw{row.line, *date, {}, std::nullopt};
  for (std::size_t k = 0; k < 6; ++k) {
    const auto ball = BallAt(row, shape.numbers.main[k], "main number");
    if (const auto* reason = std::get_if<std::string>(&ball)) return *reason;
    draw.numbers[k] = std::get<int>(ball);
  }
  std::sort(draw.numbers.begin(), draw.numbers.end());
  const auto twice = std::adjacent_find(draw.numbers.begin(), draw.numbers.end());
  if (twice != draw.numbers.end()) return "number " + std::to_string(*twice) + " drawn twice";
  if (!shape.numbers.bonus) return draw;
  const auto bonus = BallAt(row, *shape.numbers.bonus, "bonus number");
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

// The date column's dates: their order over all rows, and the style named
// after the first of them.
void DecideDates(const std::vector<Row>& rows, const ImportOptions& options, ResultShape& shape,
                 NumberGrid& grid) {
  std::vector<DateText> texts;
  for (const Row& row : rows) {
    if (const auto text = ScanDate(FieldAt(row, shape.dateColumn))) texts.push_back(*text);
  }
  const DateOrderChoice choice = ChooseDateOrder(texts);
  shape.dateOrder = options.dateOrder.value_or(choice.order);
  shape.dateOrderAssumed = !options.dateOrder && choice.assumed &&
                           std::any_of(texts.begin(), texts.end(), [](const DateText& t) {
                             return t.form == DateText::Form::Numeric;
                           });
  shape.dates = texts.empty() ? "" : DateStyleName(texts.front(), shape.dateOrder);
  for (const Row& row : rows) {
    const auto text = ScanDate(FieldAt(row, shape.dateColumn));
    if (text && DateOf(*text, shape.dateOrder)) grid.AddRow(WholeNumbers(row));
  }
}

void ReadRows(const std::vector<Row>& rows, ResultFile& result) {
  for (const Row& row : rows) {
    auto read = ReadRow(row, result.shape);
    if (auto* draw = std::get_if<ResultDraw>(&read)) {
      result.draws.push_back(*draw);
    } else {
      result.problems.push_back({row.line, std::get<std::string>(read)});
    }
  }
  result.shape.newestFirst = IsNewestFirst(result.draws);
}

}  // namespace

std::string DescribeShape(const ResultShape& shape) {
  const std::vector<int> main(shape.numbers.main.begin(), shape.numbers.main.end());
  std::string text = "separator " + std::string(SeparatorName(shape.separator)) + ", header " +
                     (shape.header ? "yes" : "no") + ", dates " + shape.dates;
  if (shape.dateOrderAssumed) text += " (assumed: no date tells the day from the month)";
  text += std::string(", newest first ") + (shape.newestFirst ? "yes" : "no") + ", date column " +
          std::to_string(shape.dateColumn + 1) + ", main columns " + ColumnListText(main);
  return text + (shape.numbers.bonus ? ", bonus column " + std::to_string(*shape.numbers.bonus + 1)
                                     : ", no bonus column");
}

ResultFile ReadResultBytes(std::string_view bytes, const ImportOptions& options) {
  ResultFile result;
  const DecodedText text = DecodeResultText(bytes);
  if (text.encoding != "UTF-16" && bytes.find('\0') != std::string_view::npos) {
    result.refusal = "the file is not text (save a spreadsheet as CSV first)";
    return result;
  }
  ResultShape& shape = result.shape;
  shape.encoding = text.encoding;
  shape.separator = ChooseSeparator(text.lines);
  std::vector<std::string> header;
  const std::vector<Row> rows = DataRows(text, shape.separator, header);
  shape.header = !header.empty();
  result.rows = rows.size();
  if (rows.empty()) {
    result.refusal = "the file holds no rows of draws";
    return result;
  }
  if (options.columns.date) {
    shape.dateColumn = *options.columns.date;
  } else {
    const auto column = FindDateColumn(rows, header);
    if (const auto* reason = std::get_if<std::string>(&column)) {
      result.refusal = *reason;
      return result;
    }
    shape.dateColumn = std::get<int>(column);
  }
  NumberGrid grid;
  DecideDates(rows, options, shape, grid);
  ColumnDecision columns = DecideNumberColumns(header, grid, shape.dateColumn, options.columns);
  shape.numbers = columns.columns;
  result.refusal = std::move(columns.refusal);
  if (!result.refusal) ReadRows(rows, result);
  return result;
}

ResultFile ReadResultFile(const std::filesystem::path& file, const ImportOptions& options) {
  ResultFile result;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size > kLargestFile) {
    result.refusal = "the file is larger than 64 MB, far more than any draw history";
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes;
  if (!error && in) {
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    in.clear();
  }
  if (error || !in) {
    const int16_t number = error ? FileErrorNumberOf(error) : int16_t{kPathFileAccess};
    result.refusal = "cannot read " + file.string() + ": Error " + std::to_string(number) + " " +
                     FileErrorDescription(number);
    return result;
  }
  return ReadResultBytes(bytes, options);
}

}  // namespace bw
