// The shapes real result files come in, each as a small file: it imports to
// exactly the draws it holds, or is refused whole with its true reason.
#include <gtest/gtest.h>

#include <functional>

#include "import/draw_merge.h"
#include "model/draw_fields.h"

namespace bw {
namespace {

const int32_t kToday = DayNumber({2026, 12, 6});

struct Lottery {
  DrawList history;
  std::optional<bool> bonus;  // nullopt: a new lottery
};

// The refusal, or the new draws (when a few), the counts, the dates drawn
// twice and the problems.
std::string Outcome(const std::string& bytes, ImportOptions options, const Lottery& lottery) {
  options.today = kToday;
  options.history = &lottery.history;
  const DrawMerge merge =
      MergeDraws(lottery.history, lottery.bonus, ReadResultBytes(bytes, options));
  if (merge.refusal) return "refused: " + *merge.refusal;
  std::string text;
  if (merge.newEntries.size() <= 4) {
    for (std::string entry : merge.newEntries) {
      if (entry.back() == ' ') entry.pop_back();
      text += entry + "; ";
    }
  }
  text += MergeCountsText(merge);
  for (const std::string& note : merge.doubleDates) text += "; " + note;
  for (const RowProblem& p : merge.problems) {
    text += "; line " + std::to_string(p.line) + ": " + p.reason;
  }
  return text;
}

// Weekly draws from `first`: sorted numbers, the bonus beside them, and
// numbers up to 58 in the rows `high` picks.
std::string Weekly(CalendarDate first, int rows, const std::function<bool(int)>& high,
                   const std::string& extra = "") {
  std::string text;
  for (int i = 0; i < rows; ++i) {
    const CalendarDate date = DateOfDayNumber(DayNumber(first) + 7 * i);
    text += FormatDrawDate(date) + "," + std::to_string(1 + 3 * i % 8) + "," +
            std::to_string(11 + 5 * i % 8) + "," + std::to_string(21 + 3 * i % 8) + "," +
            std::to_string(31 + i % 3) + "," + std::to_string(41 + i % 3) + "," +
            std::to_string(high(i) ? 50 + i % 9 : 45 + i % 4) + "," + (i % 2 ? "19" : "29") +
            extra + "\n";
  }
  return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to,
                     bool all = true) {
  for (auto at = text.find(from); at != std::string::npos; at = all ? text.find(from, at) : at) {
    text.replace(at, from.size(), to);
    if (!all) break;
    at += to.size();
  }
  return text;
}

DrawList HistoryOf(const std::string& weekly) {
  DrawList history;
  const ResultFile file = ReadResultBytes(weekly);
  for (const ResultDraw& d : file.draws)
    history.push_back(FormatDrawEntry(d.date, d.numbers, d.bonus));
  return history;
}

const auto kNever = [](int) { return false; };

// ASCII text as a Windows editor saves it as "Unicode".
std::string Utf16(const std::string& text) {
  std::string bytes = "\xFF\xFE";
  for (char c : text) bytes += std::string{c, '\0'};
  return bytes;
}

TEST(RealShapes, EachImportsItsDrawsOrIsRefusedForItsTrueReason) {
  const std::string monthFirstUpdate =
      "3/2/2024,4,13,26,34,35,42,1\n3/6/2024,5,12,20,33,40,49,2\n3/9/2024,1,7,18,23,30,44,9\n";
  const Lottery monthFirstLottery{
      {"02/03/2024 04 13 26 34 35 42 01", "06/03/2024 05 12 20 33 40 49 02",
       "09/03/2024 01 07 18 23 30 44 09"},
      true};
  const std::string gameChange =
      Weekly({2015, 7, 4}, 14, kNever) + Weekly({2015, 10, 10}, 8, [](int i) { return i != 3; });
  const std::string weekly = Weekly({2024, 1, 6}, 10, kNever);
  std::string digitTypo = Weekly({2024, 1, 6}, 30, kNever, ",3");
  digitTypo.replace(digitTypo.find(",3\n"), 3, ",0\n");
  digitTypo.replace(digitTypo.rfind(",3\n"), 3, ",43\n");
  const struct {
    const char* name;
    std::string file;
    ImportOptions options;
    Lottery lottery;
    std::string outcome;
  } cases[] = {
      // Day or month first.
      {"month first update, settled by the history's draws",
       monthFirstUpdate,
       {},
       monthFirstLottery,
       "read 3 rows: 0 new draws, 3 already there, 0 problems"},
      {"month first, settled by the last import",
       monthFirstUpdate,
       {.lastImportOrder = DateOrder::MonthDayYear},
       {{}, true},
       "02/03/2024 04 13 26 34 35 42 01; 06/03/2024 05 12 20 33 40 49 02; 09/03/2024 01 07 18 23 "
       "30 "
       "44 09; read 3 rows: 3 new draws, 0 already there, 0 problems"},
      {"month first, settled by the draw days (Saturday and Wednesday)",
       monthFirstUpdate,
       {{}, true},
       "02/03/2024 04 13 26 34 35 42 01; 06/03/2024 05 12 20 33 40 49 02; 09/03/2024 01 07 18 23 "
       "30 "
       "44 09; read 3 rows: 3 new draws, 0 already there, 0 problems"},
      {"nothing tells day from month",
       "3/2/2024,4,13,26,34,35,42,1\n",
       {{}, true},
       "refused: the dates do not say whether the day or the month comes first: give --date-order "
       "dmy or mdy"},
      {"the order given",
       "3/2/2024,4,13,26,34,35,42,1\n",
       {.dateOrder = DateOrder::DayMonthYear},
       {{}, true},
       "03/02/2024 04 13 26 34 35 42 01; read 1 row: 1 new draw, 0 already there, 0 problems"},
      {"one year-first date among month-first ones",
       "2/17/2024,4,13,26,34,35,42,1\n2025-02-21,5,12,20,33,40,49,2\n",
       {{}, true},
       "17/02/2024 04 13 26 34 35 42 01; 21/02/2025 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      // Header names.
      {"Addl names the bonus",
       "Date,Num1,Num2,Num3,Num4,Num5,Num6,Addl\n2024-02-03,4,13,26,34,35,42,1\n",
       {{}, true},
       "03/02/2024 04 13 26 34 35 42 01; read 1 row: 1 new draw, 0 already there, 0 problems"},
      {"complementario, and a 0-9 reintegro that is no ball",
       "fecha,n1,n2,n3,n4,n5,n6,complementario,reintegro\n13/02/2024,4,13,26,34,35,42,1,0\n"
       "15/02/2024,5,12,20,33,40,49,2,7\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; 15/02/2024 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"a header naming the six but no bonus: the next column is judged by what it holds",
       "Date,N1,N2,N3,N4,N5,N6,Sorteo\n13/02/2024,4,13,26,34,35,42,1\n"
       "15/02/2024,5,12,20,33,40,49,2\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; 15/02/2024 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"bare digits continue a numbered name",
       "Draw,Date,Winning Number 1,2,3,4,5,6,Extra Number ,From Last,Sets Sold\n"
       "4001,13/02/2024,4,13,26,34,35,42,1,rolled,5\n4002,17/02/2024,5,12,20,33,40,49,2,,6\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; 17/02/2024 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"ball set and machine name no number column",
       "Draw Number,Draw Date,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus Ball,Ball "
       "Set,Machine\n"
       "9,13-Feb-2024,42,4,26,13,35,34,1,3,Arthur\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; read 1 row: 1 new draw, 0 already there, 0 problems"},
      // Other games and lotteries.
      {"a game of more than 49 numbers",
       Weekly({2024, 1, 6}, 8, [](int i) { return i != 2 && i != 5; }),
       {{}, true},
       "refused: this file's numbers go up to 57 in 6 of 8 rows: it is not a 6 from 49 lottery"},
      {"a slip above 49 is a problem row",
       Weekly({2024, 1, 6}, 8, [](int i) { return i == 2; }),
       {{}, true},
       "read 8 rows: 7 new draws, 0 already there, 1 problem; line 3: main number \"52\" is not a "
       "number from 1 to 49"},
      {"the game changes at a date",
       gameChange,
       {{}, true},
       "refused: the file is of a 6 from 49 lottery until 03/10/2015, then of another game "
       "(numbers up to 57 from 10/10/2015): give --until 03/10/2015 to import the draws until "
       "then"},
      {"--until keeps the draws of the 6 from 49 game",
       gameChange,
       {.until = DayNumber({2015, 10, 3})},
       {{}, true},
       "read 14 rows: 14 new draws, 0 already there, 0 problems"},
      {"seven numbers in order",
       "2024-02-03,1,5,9,13,22,30,41\n2024-02-10,2,6,10,14,23,31,42\n"
       "2024-02-17,3,7,11,15,24,32,43\n2024-02-24,4,8,12,16,25,33,44\n2024-03-02,5,9,13,17,26,34,"
       "45\n",
       {{}, true},
       "refused: the rows hold 7 drawn numbers in order (columns 2-8): this lottery draws 6"},
      {"five numbers",
       "2024-02-03,1,5,9,13,22\n2024-02-10,2,6,10,14,23\n",
       {{}, true},
       "refused: the rows hold 5 drawn numbers (columns 2-6): this lottery draws 6"},
      {"another lottery's draws on the history's dates",
       Replaced(Replaced(weekly, ",19\n", ",20\n"), ",29\n", ",30\n"),
       {HistoryOf(weekly), true},
       "refused: the file is not of this lottery: 10 of 10 rows conflict with the draws of its "
       "history"},
      {"one row in conflict is a slip",
       Replaced(weekly, ",19\n", ",20\n", false),
       {HistoryOf(weekly), true},
       "read 10 rows: 0 new draws, 9 already there, 1 problem; line 2: conflicts with the draw of "
       "13/01/2024 in the history"},
      {"a 0-9 digit column with one typed 43 stays a digit column",
       digitTypo,
       {{}, true},
       "read 30 rows: 30 new draws, 0 already there, 0 problems"},
      // Dates.
      {"two-digit year after a month name",
       "7-May-26,4,13,26,34,35,42,1\n",
       {{}, true},
       "07/05/2026 04 13 26 34 35 42 01; read 1 row: 1 new draw, 0 already there, 0 problems"},
      {"dd/mm/yy",
       "21/02/26,4,13,26,34,35,42,1\n14/03/98,5,12,20,33,40,49,2\n",
       {{}, true},
       "14/03/1998 05 12 20 33 40 49 02; 21/02/2026 04 13 26 34 35 42 01; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"a date spread over columns, bonus in brackets",
       "Draw,Day,Date,Month,Year,N1,N2,N3,N4,N5,N6,Bonus\n2678,Sat,21,Aug,2021,3,13,19,21,26,33,(7)"
       "\n"
       "2679,Wed,25,August,2021,4,13,26,34,35,42,(1)\n",
       {{}, true},
       "21/08/2021 03 13 19 21 26 33 07; 25/08/2021 04 13 26 34 35 42 01; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"draw number, dotted date, numbers joined by commas",
       "1. 27.01.1957 8,12,31,39,43,45\n2. 03.02.1957 5,10,11,22,25,27\n",
       {{}, std::nullopt},
       "27/01/1957 08 12 31 39 43 45; 03/02/1957 05 10 11 22 25 27; read 2 rows: 2 new draws, 0 "
       "already there, 0 problems"},
      {"the numbers in one field of a CSV row",
       "Draw Date,Winning Numbers,Bonus #,Extra\n02/17/2024,04 13 26 34 35 42,01,5\n"
       "02/21/2024,05-12-20-33-40-49,02,0\n",
       {{}, true},
       "17/02/2024 04 13 26 34 35 42 01; 21/02/2024 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"weekday and blanks between the parts of a date",
       "Sat 21 Aug 2021 3 13 19 21 26 33 7\nWed 25 Aug 2021 4 13 26 34 35 42 1\n",
       {{}, true},
       "21/08/2021 03 13 19 21 26 33 07; 25/08/2021 04 13 26 34 35 42 01; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"a month name that is none",
       "21 February 2021,3,13,19,21,26,33,7\n"
       "24 Febraury 2021,4,13,26,34,35,42,1\n",
       {{}, true},
       "21/02/2021 03 13 19 21 26 33 07; read 2 rows: 1 new draw, 0 already there, 1 problem; line "
       "2: "
       "not a date: \"24 Febraury 2021\""},
      {"month name, day, comma, year in quotes",
       "\"June 12, 1982\",3,11,12,14,41,43,13\n",
       {{}, true},
       "12/06/1982 03 11 12 14 41 43 13; read 1 row: 1 new draw, 0 already there, 0 problems"},
      {"spreadsheet dates with a time, and day-Mon-yy",
       "2024-02-03 00:00:00,4,13,26,34,35,42,1\n7-Feb-24,5,12,20,33,40,49,2\n",
       {{}, true},
       "03/02/2024 04 13 26 34 35 42 01; 07/02/2024 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"dates nobody drew",
       "1066-10-14,4,13,26,34,35,42,1\n9990-01-01,5,12,20,33,40,49,2\n"
       "2026-12-07,1,2,3,4,5,6,7\n",
       {{}, true},
       "07/12/2026 01 02 03 04 05 06 07; read 3 rows: 1 new draw, 0 already there, 2 problems; "
       "line "
       "1: the date 14/10/1066 is refused: it is before 01/01/1900, when no lottery drew; line 2: "
       "the "
       "date 01/01/9990 is refused: it is after tomorrow, 07/12/2026"},
      // Text.
      {"byte-order mark, quoted fields, semicolons, trailing separators, CR line ends",
       "\xEF\xBB\xBF\"Datum\";\"Zahl 1\";\"Zahl 2\";\"Zahl 3\";\"Zahl 4\";\"Zahl 5\";\"Zahl "
       "6\";\"Zusatzzahl\";\r\"13.02.2024\";\"4\";\"13\";\"26\";\"34\";\"35\";\"42\";\"1\";\r",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; read 1 row: 1 new draw, 0 already there, 0 problems"},
      {"UTF-16 text",
       Utf16("Date\tN1\tN2\tN3\tN4\tN5\tN6\tBonus\r\n13/02/2024\t4\t13\t26\t34\t35\t42\t1\r\n"),
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; read 1 row: 1 new draw, 0 already there, 0 problems"},
      {"notes and a repeated heading are no rows",
       "Date,N1,N2,N3,N4,N5,N6,Bonus\n13/02/2024,4,13,26,34,35,42,1\nDate,N1,N2,N3,N4,N5,N6,Bonus\n"
       "Jackpot not won,,,,,,,\n17/02/2024,5,12,20,33,40,49,2\nTotal: 2 draws\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; 17/02/2024 05 12 20 33 40 49 02; read 2 rows: 2 new "
       "draws, 0 "
       "already there, 0 problems"},
      {"a row short of one field",
       "13/08/2025,3,13,19,21,26,33,8,7\n7/8/2025,3,13,19,21,26,33,7\n20/08/"
       "2025,4,13,26,34,35,42,1,0\n",
       {{}, true},
       "13/08/2025 03 13 19 21 26 33 08; 20/08/2025 04 13 26 34 35 42 01; read 3 rows: 2 new "
       "draws, 0 "
       "already there, 1 problem; line 2: 8 fields where the other rows have 9"},
      {"some rows end with a separator, some have a note",
       "13/02/2024,4,13,26,34,35,42,1,\n17/02/2024,5,12,20,33,40,49,2\n"
       "21/02/2024 (Wed),1,7,18,23,30,44,9,rollover\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; 17/02/2024 05 12 20 33 40 49 02; 21/02/2024 01 07 18 23 "
       "30 "
       "44 09; read 3 rows: 3 new draws, 0 already there, 0 problems"},
      // Two draws of one date.
      {"two draws of one date kept, an equal row written once",
       "13/02/2024,4,13,26,34,35,42,1\n13/02/2024,5,12,20,33,40,49,2\n13/02/"
       "2024,4,13,26,34,35,42,1\n",
       {{}, true},
       "13/02/2024 04 13 26 34 35 42 01; 13/02/2024 05 12 20 33 40 49 02; read 3 rows: 2 new "
       "draws, 1 "
       "already there, 0 problems; 2 draws on 13/02/2024: lines 1 and 2"},
      {"the history's draw of a date and a second one",
       "13/02/2024,4,13,26,34,35,42,1\n13/02/2024,5,12,20,33,40,49,2\n",
       {{"13/02/2024 04 13 26 34 35 42 01"}, true},
       "13/02/2024 05 12 20 33 40 49 02; read 2 rows: 1 new draw, 1 already there, 0 problems; 2 "
       "draws on 13/02/2024: lines 1 and 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Outcome(c.file, c.options, c.lottery), c.outcome);
  }
}

}  // namespace
}  // namespace bw
