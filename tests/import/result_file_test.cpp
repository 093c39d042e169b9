// Reading published result files: the real files, every shape lotteries
// write (made here from the demo history), decoy columns, and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "import/result_options.h"
#include "model/draw_fields.h"
#include "store/text_file.h"

namespace bw {
namespace {

const std::string kData = BALLWRIGHT_TEST_DATA_DIR;

std::vector<std::string> DemoLines() {
  return ReadTextLines(std::string(BALLWRIGHT_DEMO_DIR) + "/Sample.opt").lines;
}

std::vector<std::string> Entries(const ResultFile& file) {
  std::vector<std::string> entries;
  for (const ResultDraw& d : file.draws)
    entries.push_back(FormatDrawEntry(d.date, d.numbers, d.bonus));
  return entries;
}

std::string Problems(const ResultFile& file) {
  std::string text = file.refusal.value_or("");
  for (const RowProblem& p : file.problems)
    text += "line " + std::to_string(p.line) + ": " + p.reason + ";";
  return text;
}

// Files made by hand from the demo history with titles, decoy columns and
// other character sets (the published results are the command line's test).
TEST(ResultFile, PublishedAndHandMadeFilesGiveTheDemoDraws) {
  const struct {
    const char* file;
    const char* shape;
    std::size_t firstDemoLine, rows;  // the draws are these demo lines
  } cases[] = {
      {"semicolon-windows1252.csv",
       "separator semicolon, header yes, dates dd.mm.yyyy, newest first yes, date column 1, "
       "main columns 3-8, bonus column 9",
       3759, 40},
      {"tab-utf8-bom.txt",
       "separator tab, header yes, dates dd-Mon-yyyy, newest first no, date column 2, main "
       "columns 3-8, bonus column 9",
       100, 60},
      {"blanks-month-first.txt",
       "separator blanks, header no, dates mm/dd/yyyy, newest first no, date column 2, main "
       "columns 3-8, bonus column 9",
       3000, 60},
  };
  const std::vector<std::string> demo = DemoLines();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const ResultFile file = ReadResultFile(kData + "/" + c.file);
    EXPECT_EQ(Problems(file), "");
    EXPECT_EQ(DescribeShape(file.shape), c.shape);
    std::vector<std::string> entries = Entries(file);
    if (file.shape.newestFirst) std::reverse(entries.begin(), entries.end());
    const auto first = demo.begin() + static_cast<std::ptrdiff_t>(c.firstDemoLine);
    EXPECT_EQ(entries, std::vector(first, first + static_cast<std::ptrdiff_t>(c.rows)));
  }
}

// A published file of the first `rows` demo draws, one row a draw.
struct Layout {
  std::string separator = ",";
  std::function<std::string(const CalendarDate&)> date = FormatDrawDate;
  // A decoy column between the date and the numbers.
  std::function<std::string(std::size_t row)> between = [](std::size_t) { return ""; };
  std::string lineEnd = "\r\n";
  bool newestFirst = false;
  std::size_t rows = 60;
};

std::string Publish(const Layout& layout, const std::vector<std::string>& demo) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < layout.rows; ++i) {
    std::string date;
    const DrawFields fields = ParseDrawEntry(demo[i], &date);
    std::string row = layout.date(*ParseDrawDate(date)) + layout.between(i);
    for (int k : {4, 1, 6, 3, 2, 5, 7})
      row += layout.separator + std::to_string(std::stoi(fields[k]));
    rows.push_back(row);
  }
  if (layout.newestFirst) std::reverse(rows.begin(), rows.end());
  std::string text;
  for (const std::string& row : rows) text += row + layout.lineEnd;
  return text;
}

// Shapes the files above do not show.
TEST(ResultFile, EveryShapeGivesTheDrawsBack) {
  const auto dotted = [](const CalendarDate& d) {
    return "\"" + TwoDigits(d.day) + "." + TwoDigits(d.month) + "." + std::to_string(d.year) + "\"";
  };
  const auto named = [](const CalendarDate& d) {
    return "\"Sat, " + std::to_string(d.day) + " " +
           std::string("JanFebMarAprMayJunJulAugSepOctNovDec").substr(3 * (d.month - 1), 3) + " " +
           std::to_string(d.year) + " 20:00\"";
  };
  const auto drawNumber = [](std::size_t row) { return "," + std::to_string(row + 1); };
  const auto ballSet = [](std::size_t row) { return ";" + std::to_string(row % 12 + 1); };
  const struct {
    const char* name;
    Layout layout;
    const char* shape;  // the start of the description
  } cases[] = {
      {"draw number under 50 for 49 rows",
       {.between = drawNumber},
       "separator comma, header no, dates dd/mm/yyyy, newest first no, date column 1, main columns "
       "3-8, bonus column 9"},
      {"ball set, newest first, CR",
       {.separator = ";", .between = ballSet, .lineEnd = "\r", .newestFirst = true},
       "separator semicolon, header no, dates dd/mm/yyyy, newest first yes, date column 1, main "
       "columns 3-8, bonus column 9"},
      {"quoted dotted dates", {.date = dotted}, "separator comma, header no, dates dd.mm.yyyy"},
      {"weekday, month name, time",
       {.date = named},
       "separator comma, header no, dates dd Mon yyyy"},
  };
  const std::vector<std::string> demo = DemoLines();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ResultFile file = ReadResultBytes(Publish(c.layout, demo));
    EXPECT_EQ(Problems(file), "");
    EXPECT_TRUE(DescribeShape(file.shape).starts_with(c.shape)) << DescribeShape(file.shape);
    std::vector<std::string> entries = Entries(file);
    if (c.layout.newestFirst) std::reverse(entries.begin(), entries.end());
    EXPECT_EQ(entries, std::vector<std::string>(demo.begin(), demo.begin() + c.layout.rows));
  }
}

TEST(ResultFile, DayOrMonthFirstIsDecidedOverAllRows) {
  const auto slashed = [](const CalendarDate& d) {
    return TwoDigits(d.month) + "/" + TwoDigits(d.day) + "/" + std::to_string(d.year);
  };
  // The first twelve-day-free row cannot tell; 19/06 in row 2 can.
  Layout layout{.date = slashed, .rows = 1};
  EXPECT_EQ(ReadResultBytes(Publish(layout, DemoLines())).refusal,
            "the dates do not say whether the day or the month comes first: give --date-order "
            "dmy or mdy");
  layout.rows = 40;
  EXPECT_NE(
      DescribeShape(ReadResultBytes(Publish(layout, DemoLines())).shape).find("dates mm/dd/yyyy,"),
      std::string::npos);
  const ResultFile forced =
      ReadResultBytes(Publish(layout, DemoLines()), {.dateOrder = DateOrder::DayMonthYear});
  EXPECT_EQ(forced.problems.size(), 23u);
  EXPECT_EQ(forced.problems.front().reason, "not a date (dd/mm/yyyy): \"06/19/1982\"");
}

// A note or a repeated heading is no row; a row short of a field is a
// problem, not a row whose next field moves up.
TEST(ResultFile, RowsThatAreNoDrawAreProblemsWithTheirLineNumbers) {
  const ResultFile file = ReadResultBytes(
      "Date,N1,N2,N3,N4,N5,N6,Bonus\n\n"
      "12/06/1982,3,11,12,14,41,43,13\n"
      "19/06/1982,8,33,36,37,39,41\n"
      "31/06/1982,1,6,23,24,27,39,34\n"
      "03/07/1982,3,9,10,13,50,43,34\n"
      "10/07/1982,5,14,21,21,34,47,45\n"
      "17/07/1982,5,14,21,31,34,47,14\n"
      "Total: 6 draws\n");
  EXPECT_EQ(Problems(file),
            "line 4: 7 fields where the other rows have 8;line 5: not a date (dd/mm/yyyy): "
            "\"31/06/1982\";line 6: main number \"50\" is not a number from 1 to 49;"
            "line 7: number 21 drawn twice;line 8: bonus number 14 is also a main number;");
  EXPECT_EQ(file.rows, 6u);
  EXPECT_EQ(file.draws.size(), 1u);
}

TEST(ResultFile, FilesThatCannotBeReadAsDrawsAreRefused) {
  const struct {
    std::string bytes;
    const char* refusal;
  } cases[] = {
      {"", "the file holds no rows of draws"},
      {std::string("PK\x03\x04\0\0binary", 12),
       "the file is not text (save a spreadsheet as CSV first)"},
      {"1,2,3,4,5,6,7,8\n", "no column holds dates"},
      {"Date,N1\n" + std::string(4097, '7') + "\n2020-01-01,1,2,3,4,5,6\n",
       "line 2 is longer than 4,096 characters: this is no file of draws"},
      {"Date\r\n\r\n" + std::string(20000, '7'),
       "line 3 is longer than 4,096 characters: this is no file of draws"},
      {"2020-01-01,2020-01-02,1,2,3,4,5,6\n", "columns 1-2 all hold dates"},
      {"2020-01-01,1,2,3,x,5,6\n",
       "no six columns hold six different numbers from 1 to 49 in most rows"},
      {"2020-01-01,1,2,3,4,5,6,x,7,8,9,10,11,12\n",
       "columns 2-7 and 9-14 both hold six different numbers"},
      {"2020-01-01,1,2,3,4,5,6,7,8\n",
       "column 9 holds a further drawn number: this lottery draws six numbers and at most a bonus"},
      {"Date,Bonus 1,Bonus 2,N1,N2,N3,N4,N5,N6\n2020-01-01,1,2,3,4,5,6,7,8\n",
       "the file draws 2 bonus numbers (columns 2-3); this lottery draws at most one"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadResultBytes(c.bytes).refusal, c.refusal) << c.bytes;
  EXPECT_NE(ReadResultFile(kData + "/missing.csv").refusal->find("Error 53 File not found"),
            std::string::npos);
  EXPECT_EQ(ReadResultFile(kData + "/seven-numbers.csv").refusal,
            "the file draws 7 main numbers (columns 5-11); this lottery draws 6");
}

TEST(ResultFile, ColumnsAndDateOrderSettledByHand) {
  const std::string file = "2020-01-01,7,1,2,3,4,5,6\n";
  const auto choice = std::get<ColumnChoice>(ParseColumnChoice("date=1,main=3-8,bonus=2"));
  const ResultFile read = ReadResultBytes(file, {.columns = choice});
  EXPECT_EQ(Entries(read), std::vector<std::string>{"01/01/2020 01 02 03 04 05 06 07"});
  EXPECT_EQ(ColumnChoiceText(read.shape), "date=1,main=3-8,bonus=2");
  for (const char* bad :
       {"main=3-7", "date=0", "main=2,3,4,5,6,6", "bonus=x", "date=2,main=2-7", "year=1"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseColumnChoice(bad))) << bad;
  }
  EXPECT_EQ(ParseDateOrder("mdy"), DateOrder::MonthDayYear);
  EXPECT_EQ(ParseDateOrder("md"), std::nullopt);
}

}  // namespace
}  // namespace bw
