// Reading result files: files of the demo draws (by hand and with decoy
// columns), day or month first, refusals and columns settled by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

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

// The first 60 demo draws, one row a draw, the numbers unsorted and a decoy
// column between the date and the numbers that counts from 1 to `cycle`.
std::string Publish(const std::string& separator, int cycle, const std::string& lineEnd,
                    bool newestFirst) {
  const std::vector<std::string> demo = DemoLines();
  std::vector<std::string> rows;
  for (int i = 0; i < 60; ++i) {
    std::string row;
    const DrawFields fields = ParseDrawEntry(demo[i], &row);
    row += separator + std::to_string(i % cycle + 1);
    for (int k : {4, 1, 6, 3, 2, 5, 7}) row += separator + std::to_string(std::stoi(fields[k]));
    rows.push_back(row + lineEnd);
  }
  if (newestFirst) std::reverse(rows.begin(), rows.end());
  return std::accumulate(rows.begin(), rows.end(), std::string());
}

// Files made by hand from the demo history with titles, other character sets
// and decoy columns (the published results are the command line's test).
TEST(ResultFile, FilesOfDemoDrawsGiveThemBack) {
  const struct {
    std::string file;  // in the test data, or the bytes below
    std::string bytes;
    std::size_t firstDemoLine, rows;  // the draws are these demo lines
    const char* shape;                // the start of its description
  } cases[] = {
      {"semicolon-windows1252.csv", "", 3759, 40,
       "separator semicolon, header yes, dates dd.mm.yyyy, newest first yes"},
      {"tab-utf8-bom.txt", "", 100, 60, "separator tab, header yes, dates dd-Mon-yyyy"},
      {"blanks-month-first.txt", "", 3000, 60, "separator blanks, header no, dates mm/dd/yyyy"},
      {"draw number under 50 for 49 rows", Publish(",", 60, "\r\n", false), 0, 60,
       "separator comma, header no, dates dd/mm/yyyy, newest first no"},
      {"ball set, newest first, CR", Publish(";", 12, "\r", true), 0, 60,
       "separator semicolon, header no, dates dd/mm/yyyy, newest first yes"},
  };
  const std::vector<std::string> demo = DemoLines();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const ResultFile file =
        c.bytes.empty() ? ReadResultFile(kData + "/" + c.file) : ReadResultBytes(c.bytes);
    EXPECT_EQ(Problems(file), "");
    EXPECT_TRUE(DescribeShape(file.shape).starts_with(c.shape)) << DescribeShape(file.shape);
    std::vector<std::string> entries = Entries(file);
    if (file.shape.newestFirst) std::reverse(entries.begin(), entries.end());
    const auto first = demo.begin() + static_cast<std::ptrdiff_t>(c.firstDemoLine);
    EXPECT_EQ(entries, std::vector(first, first + static_cast<std::ptrdiff_t>(c.rows)));
  }
}

// Row 1 cannot tell; 06/19 in row 2 can.
TEST(ResultFile, DayOrMonthFirstIsDecidedOverAllRows) {
  const std::string file = "06/12/1982,3,11,12,14,41,43,13\n06/19/1982,8,33,36,37,39,41,9\n";
  EXPECT_EQ(Entries(ReadResultBytes(file)),
            (std::vector<std::string>{"12/06/1982 03 11 12 14 41 43 13",
                                      "19/06/1982 08 33 36 37 39 41 09"}));
  EXPECT_EQ(Problems(ReadResultBytes(file, {.dateOrder = DateOrder::DayMonthYear})),
            "line 2: not a date (dd/mm/yyyy): \"06/19/1982\";");
}

TEST(ResultFile, FilesThatCannotBeReadAsDrawsAreRefused) {
  const struct {
    std::string bytes;
    const char* refusal;
  } cases[] = {
      {"", "the file holds no rows of draws"},
      {std::string("PK\x03\x04\0\0binary", 12),
       "the file is not text (save a spreadsheet as CSV first)"},
      {"Date,N1\n" + std::string(4097, '7') + "\n2020-01-01,1,2,3,4,5,6\n",
       "line 2 is longer than 4,096 characters: this is no file of draws"},
      {"Date\r\n\r\n" + std::string(20000, '7'),
       "line 3 is longer than 4,096 characters: this is no file of draws"},
      {"2020-01-01,2020-01-02,1,2,3,4,5,6\n", "columns 1-2 all hold dates"},
      {"2020-01-01,1,2,3,x,5,6\n",
       "no six columns hold six different numbers from 1 to 49 in most rows"},
      {"2020-01-01,1,2,3,4,5,6,x,7,8,9,10,11,12\n",
       "columns 2-7 and 9-14 both hold six different numbers"},
      {"Date,Bonus 1,Bonus 2,N1,N2,N3,N4,N5,N6\n2020-01-01,1,2,3,4,5,6,7,8\n",
       "the file draws 2 bonus numbers (columns 2-3); this lottery draws at most one"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadResultBytes(c.bytes).refusal, c.refusal) << c.bytes;
  EXPECT_EQ(ReadResultFile(kData + "/seven-numbers.csv").refusal,
            "the file draws 7 main numbers (columns 5-11); this lottery draws 6");
}

TEST(ResultFile, ColumnsAndDateOrderSettledByHand) {
  const std::string file = "2020-01-01,7,1,2,3,4,5,6\n";
  const auto choice = std::get<ColumnChoice>(ParseColumnChoice("date=1,main=3-8,bonus=2"));
  const ResultFile read = ReadResultBytes(file, {.columns = choice});
  EXPECT_EQ(Entries(read), std::vector<std::string>{"01/01/2020 01 02 03 04 05 06 07"});
  for (const char* bad :
       {"main=3-7", "date=0", "main=2,3,4,5,6,6", "bonus=x", "date=2,main=2-7", "year=1"})
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseColumnChoice(bad))) << bad;
  EXPECT_EQ(ParseDateOrder("mdy"), DateOrder::MonthDayYear);
  EXPECT_EQ(ParseDateOrder("md"), std::nullopt);
}

}  // namespace
}  // namespace bw
