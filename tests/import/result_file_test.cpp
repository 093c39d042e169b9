// SPDX-License-Identifier: GPL-3.0-or-later
// Reading result files: files of the demo draws (by hand and with decoy
// columns), day or month first, refusals and columns settled by hand; and the
// shapes real result files come in, each as a small file: it imports to
// exactly the draws it holds, or is refused whole with its true reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

#include "import/draw_merge.h"
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

const int32_t kToday = DayNumber({2026, 12, 6});

// The two draws most files below hold: {A} and {B} in a file's text, A and B
// in an outcome.
const std::string kA = "04 13 26 34 35 42 01", kB = "05 12 20 33 40 49 02";

std::string Replaced(std::string text, const std::string& from, const std::string& to,
                     int times = 1 << 30) {
  for (auto at = text.find(from); at != std::string::npos && times-- > 0;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

struct Lottery {
  DrawList history;
  std::optional<bool> bonus = true;  // nullopt: a new lottery
};
const Lottery noBonus{{}, false}, newLottery{{}, std::nullopt};
Lottery Having(const DrawList& history) {
  return {history};
}

// The refusal, or the new draws (when a few), the counts, the dates drawn
// twice and the problems.
std::string Outcome(const std::string& bytes, ImportOptions options, const Lottery& lottery) {
  options.today = kToday;
  options.history = &lottery.history;
  const std::string file =
      Replaced(Replaced(bytes, "{A}", "4,13,26,34,35,42,1"), "{B}", "5,12,20,33,40,49,2");
  const DrawMerge merge =
      MergeDraws(lottery.history, lottery.bonus, ReadResultBytes(file, options));
  if (merge.refusal) return "refused: " + *merge.refusal;
  std::string text;
  for (std::string entry : merge.newEntries) {
    if (merge.newEntries.size() > 4) break;
    if (entry.back() == ' ') entry.pop_back();
    text += Replaced(Replaced(entry, kA, "A"), kB, "B") + "; ";
  }
  text += std::to_string(merge.rows) + " rows, " + std::to_string(merge.newEntries.size()) +
          " new, " + std::to_string(merge.alreadyThere) + " there";
  for (const std::string& note : merge.doubleDates) text += "; " + note;
  for (const RowProblem& p : merge.problems)
    text += "; line " + std::to_string(p.line) + ": " + p.reason;
  return text;
}

// Weekly draws from `first`: sorted numbers, the bonus beside them, and
// numbers up to 58 in the rows `high` picks.
std::string Weekly(CalendarDate first, int rows, const std::function<bool(int)>& high = {},
                   const std::string& extra = "") {
  std::string text;
  for (int i = 0; i < rows; ++i) {
    text += FormatDrawDate(DateOfDayNumber(DayNumber(first) + 7 * i));
    for (int n : {1 + 3 * i % 8, 11 + 5 * i % 8, 21 + 3 * i % 8, 31 + i % 3, 41 + i % 3,
                  high && high(i) ? 50 + i % 9 : 45 + i % 4, i % 2 ? 19 : 29})
      text += "," + std::to_string(n);
    text += extra + "\n";
  }
  return text;
}

// ASCII text as a Windows editor saves it as "Unicode".
std::string Utf16(const std::string& text) {
  std::string bytes = "\xFF\xFE";
  for (char c : text) bytes += std::string{c, '\0'};
  return bytes;
}

TEST(RealShapes, EachImportsItsDrawsOrIsRefusedForItsTrueReason) {
  const std::string monthFirst = "3/2/2024,{A}\n3/6/2024,{B}\n3/9/2024,1,7,18,23,30,44,9\n";
  const std::string gameChange =
      Weekly({2015, 7, 4}, 14) + Weekly({2015, 10, 10}, 8, [](int i) { return i != 3; });
  const std::string weekly = Weekly({2024, 1, 6}, 10);
  std::string digitTypo = Weekly({2024, 1, 6}, 30, {}, ",3");
  digitTypo.replace(digitTypo.find(",3\n"), 3, ",0\n");
  digitTypo.replace(digitTypo.rfind(",3\n"), 3, ",43\n");
  const std::string twoDraws = "13/02/2024,{A}\n13/02/2024,{B}\n";
  const struct {
    const char* name;
    std::string file;
    std::string outcome;
    Lottery lottery = {};
    ImportOptions options = {};
  } cases[] = {
      // Day or month first.
      {"month first update, settled by the history's draws", monthFirst, "3 rows, 0 new, 3 there",
       Having({"02/03/2024 " + kA, "06/03/2024 " + kB, "09/03/2024 01 07 18 23 30 44 09"})},
      {"month first, settled by the draw days (Saturday and Wednesday)", monthFirst,
       "02/03/2024 A; 06/03/2024 B; 09/03/2024 01 07 18 23 30 44 09; 3 rows, 3 new, 0 there"},
      {"one year-first date among month-first ones", "2/17/2024,{A}\n2025-02-21,{B}\n",
       "17/02/2024 A; 21/02/2025 B; 2 rows, 2 new, 0 there"},
      // Header names.
      {"complementario, and a 0-9 reintegro that is no ball",
       "fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro\n13/02/2024,{A},0\n15/02/2024,{B},7\n",
       "13/02/2024 A; 15/02/2024 B; 2 rows, 2 new, 0 there"},
      {"a header naming the six but no bonus: the next column is judged by what it holds",
       "Date,N1,N2,N3,N4,N5,N6,Sorteo\n13/02/2024,{A}\n15/02/2024,{B}\n",
       "13/02/2024 A; 15/02/2024 B; 2 rows, 2 new, 0 there"},
      {"bare digits continue a numbered name",
       "Draw,Date,Winning Number 1,2,3,4,5,6,Extra Number ,From Last,Sets Sold\n"
       "4001,13/02/2024,{A},rolled,5\n4002,17/02/2024,{B},,6\n",
       "13/02/2024 A; 17/02/2024 B; 2 rows, 2 new, 0 there"},
      {"ball set and machine name no number column",
       "Draw Number,Draw Date,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus Ball,Ball Set,"
       "Machine\n9,13-Feb-2024,42,4,26,13,35,34,1,3,Arthur\n",
       "13/02/2024 A; 1 rows, 1 new, 0 there"},
      // Other games and lotteries.
      {"a game of more than 49 numbers",
       Weekly({2024, 1, 6}, 8, [](int i) { return i != 2 && i != 5; }),
       "refused: this file's numbers go up to 57 in 6 of 8 rows: it is not a 6 from 49 lottery"},
      {"the game changes at a date", gameChange,
       "refused: the file is of a 6 from 49 lottery until 03/10/2015, then of another game "
       "(numbers up to 57 from 10/10/2015): give --until 03/10/2015 to import the draws until "
       "then"},
      {"--since and --until keep draws of the 6 from 49 game", gameChange,
       "13 rows, 13 new, 0 there", Lottery(),
       ImportOptions{.since = DayNumber({2015, 7, 11}), .until = DayNumber({2015, 10, 3})}},
      {"seven numbers in order",
       "2024-02-03,1,5,9,13,22,30,41\n2024-02-10,2,6,10,14,23,31,42\n2024-02-17,3,7,11,15,24,32,"
       "43\n2024-02-24,4,8,12,16,25,33,44\n2024-03-02,5,9,13,17,26,34,45\n",
       "refused: the rows hold 7 drawn numbers in order (columns 2-8): this lottery draws 6"},
      {"five numbers", "2024-02-03,1,5,9,13,22\n2024-02-10,2,6,10,14,23\n",
       "refused: the rows hold 5 drawn numbers (columns 2-6): this lottery draws 6"},
      {"another lottery's draws on the history's dates",
       Replaced(Replaced(weekly, ",19\n", ",20\n"), ",29\n", ",30\n"),
       "refused: the file is not of this lottery: 10 of 10 rows conflict with the draws of its "
       "history",
       Having(Entries(ReadResultBytes(weekly)))},
      {"a history date drawn otherwise is a slip, newest first",
       "10/07/1982,5,14,21,31,34,47,45\n26/06/1982,1,6,23,24,27,40,34\n"
       "12/06/1982,3,11,12,14,41,43,13\n",
       "10/07/1982 05 14 21 31 34 47 45; 3 rows, 1 new, 1 there; line 2: conflicts with the draw "
       "of 26/06/1982 in the history",
       Having({"12/06/1982 03 11 12 14 41 43 13", "26/06/1982 01 06 23 24 27 39 34"})},
      {"a bonus the lottery does not draw", "13/02/2024,{A}\n",
       "refused: the file has bonus numbers (column 8); this lottery draws none", noBonus},
      {"no bonus where the lottery draws one", "13/02/2024,4,13,26,34,35,42\n",
       "refused: the file has no bonus numbers; this lottery draws one"},
      {"a 0-9 digit column with one typed 43 stays a digit column", digitTypo,
       "30 rows, 30 new, 0 there"},
      // Dates.
      {"dd/mm/yy", "21/02/26,{A}\n14/03/98,{B}\n",
       "14/03/1998 B; 21/02/2026 A; 2 rows, 2 new, 0 there"},
      {"a date spread over columns, bonus in brackets",
       "Draw,Day,Date,Month,Year,N1,N2,N3,N4,N5,N6,Bonus\n2678,Sat,21,Aug,2021,3,13,19,21,26,33,"
       "(7)\n2679,Wed,25,August,2021,4,13,26,34,35,42,(1)\n",
       "21/08/2021 03 13 19 21 26 33 07; 25/08/2021 A; 2 rows, 2 new, 0 there"},
      {"draw number, dotted date, numbers joined by commas",
       "1. 27.01.1957 8,12,31,39,43,45\n2. 03.02.1957 5,10,11,22,25,27\n",
       "27/01/1957 08 12 31 39 43 45; 03/02/1957 05 10 11 22 25 27; 2 rows, 2 new, 0 there",
       newLottery},
      {"the numbers in one field of a CSV row",
       "Draw Date,Winning Numbers,Bonus #,Extra\n02/17/2024,04 13 26 34 35 42,01,5\n"
       "02/21/2024,05-12-20-33-40-49,02,0\n",
       "17/02/2024 A; 21/02/2024 B; 2 rows, 2 new, 0 there"},
      {"weekday and blanks between the parts of a date",
       "Sat 21 Aug 2021 3 13 19 21 26 33 7\nWed 25 Aug 2021 4 13 26 34 35 42 1\n",
       "21/08/2021 03 13 19 21 26 33 07; 25/08/2021 A; 2 rows, 2 new, 0 there"},
      {"a month name that is none", "21 February 2021,{A}\n24 Febraury 2021,{B}\n",
       "21/02/2021 A; 2 rows, 1 new, 0 there; line 2: not a date: \"24 Febraury 2021\""},
      {"month name, day, comma, year in quotes; weekday, comma and time",
       "\"June 12, 1982\",3,11,12,14,41,43,13\n\"Sat, 19 Jun 1982 20:00\",{A}\n",
       "12/06/1982 03 11 12 14 41 43 13; 19/06/1982 A; 2 rows, 2 new, 0 there"},
      {"spreadsheet dates with a time, and day-Mon-yy", "2024-02-03 00:00:00,{A}\n7-Feb-24,{B}\n",
       "03/02/2024 A; 07/02/2024 B; 2 rows, 2 new, 0 there"},
      {"dates nobody drew", "1066-10-14,{A}\n9990-01-01,{B}\n2026-12-07,1,2,3,4,5,6,7\n",
       "07/12/2026 01 02 03 04 05 06 07; 3 rows, 1 new, 0 there; line 1: the date 14/10/1066 is "
       "refused: it is before 01/01/1900, when no lottery drew; line 2: the date 01/01/9990 is "
       "refused: it is after tomorrow, 07/12/2026"},
      // Text.
      {"byte-order mark, quoted fields, semicolons, trailing separators, CR line ends",
       "\xEF\xBB\xBF\"Datum\";\"Zahl 1\";\"Zahl 2\";\"Zahl 3\";\"Zahl 4\";\"Zahl 5\";\"Zahl 6\";"
       "\"Zusatzzahl\";\r\"13.02.2024\";\"4\";\"13\";\"26\";\"34\";\"35\";\"42\";\"1\";\r",
       "13/02/2024 A; 1 rows, 1 new, 0 there"},
      {"UTF-16 text, Addl names the bonus",
       Utf16("Date\tN1\tN2\tN3\tN4\tN5\tN6\tAddl\r\n13/02/2024\t4\t13\t26\t34\t35\t42\t1\r\n"),
       "13/02/2024 A; 1 rows, 1 new, 0 there"},
      {"notes and a repeated heading are no rows",
       "Date,N1,N2,N3,N4,N5,N6,Bonus\n13/02/2024,{A}\nDate,N1,N2,N3,N4,N5,N6,Bonus\n"
       "Jackpot not won,,,,,,,\n17/02/2024,{B}\nTotal: 2 draws\n",
       "13/02/2024 A; 17/02/2024 B; 2 rows, 2 new, 0 there"},
      {"a row short of one field",
       "13/08/2025,3,13,19,21,26,33,8,7\n7/8/2025,3,13,19,21,26,33,7\n20/08/2025,{A},0\n",
       "13/08/2025 03 13 19 21 26 33 08; 20/08/2025 A; 3 rows, 2 new, 0 there; line 2: 8 fields "
       "where the other rows have 9"},
      {"a number twice, the bonus among the six, a day the month lacks; lines counted with blanks",
       "Date,N1,N2,N3,N4,N5,N6,Bonus\n\n13/02/2024,{A}\n17/02/2024,5,14,21,21,34,47,45\n"
       "20/02/2024,5,14,21,31,34,47,14\n31/06/2024,{B}\n",
       "13/02/2024 A; 4 rows, 1 new, 0 there; line 4: number 21 drawn twice; line 5: bonus number "
       "14 is also a main number; line 6: not a date (dd/mm/yyyy): \"31/06/2024\""},
      {"some rows end with a separator, some have a note",
       "13/02/2024,{A},\n17/02/2024,{B}\n21/02/2024 (Wed),1,7,18,23,30,44,9,rollover\n",
       "13/02/2024 A; 17/02/2024 B; 21/02/2024 01 07 18 23 30 44 09; 3 rows, 3 new, 0 there"},
      // Two draws of one date.
      {"two draws of one date kept, an equal row written once", twoDraws + "13/02/2024,{A}\n",
       "13/02/2024 A; 13/02/2024 B; 3 rows, 2 new, 1 there; 2 draws on 13/02/2024: lines 1 and 2"},
      {"the history's draw of a date and a second one", twoDraws,
       "13/02/2024 B; 2 rows, 1 new, 1 there; 2 draws on 13/02/2024: lines 1 and 2",
       Having({"13/02/2024 " + kA})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Outcome(c.file, c.options, c.lottery), c.outcome);
  }
}

}  // namespace
}  // namespace bw
