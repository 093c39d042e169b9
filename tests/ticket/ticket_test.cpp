// SPDX-License-Identifier: GPL-3.0-or-later
// The lines file kept whole through damage and failed saves, and what draws
// give the saved lines: one draw, the draws since the last look, the years.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/day_number.h"
#include "platform/file_system.h"
#include "store/settings_files.h"
#include "support/test_folder.h"
#include "ticket/ticket.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

int32_t Day(const char* date) {
  return DayNumber(*ParseDrawDate(date));
}

LinesBook BookIn(const TestFolder& folder) {
  return LinesBook(folder / "Lotto.lines", folder / "Lotto.lines.old");
}

TEST(SavedLineText, ReadsWhatItWritesAndSaysWhyOtherLinesAreNone) {
  const struct {
    std::string text;
    std::string reason;  // empty: it reads
  } rows[] = {
      {"03 11 17 25 38 44", ""},
      {"44 3 17 25 38 11 | 02/01/2021", ""},
      {"01 07 12 19 33 45 |  | birthdays | and more", ""},
      {"01 07 12 19 33", "it holds 5 numbers, not 6"},
      {"01 07 12 19 33 45 46", "it holds 7 numbers, not 6"},
      {"01 07 12 19 33 50", "\"50\" is not a number from 1 to 49"},
      {"01 07 12 19 33 x7", "\"x7\" is not a number from 1 to 49"},
      {"01 07 12 19 33 07", "a number is there twice"},
      {"01 07 12 19 33 45 | 31/02/2021", "\"31/02/2021\" is not a date dd/mm/yyyy"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const SavedLineParse parsed = ParseSavedLine(row.text);
    EXPECT_EQ(parsed.reason, row.reason);
    if (!parsed.line) continue;
    EXPECT_TRUE(IsValidLine(parsed.line->numbers));
    EXPECT_EQ(ParseSavedLine(SavedLineText(*parsed.line)).line, parsed.line);
  }
}

TEST(LinesBook, DamagedLinesStayByteForByteAtTheirPlaceThroughAChange) {
  const TestFolder folder;
  const std::string damaged = "01 02 03 | caf\xE9 \x80\r\n";
  folder.Write("Lotto.lines", "03 11 17 25 38 44 |  | m\xE8re\r\n" + damaged + "\r\n" +
                                  "03 11 17 25 38 44\r\n05 06 07 08 09 10\r\n");
  LinesBook book = BookIn(folder);
  const LinesRead read = book.Read();
  ASSERT_EQ(read.lines.size(), 2u);
  EXPECT_EQ(read.lines[0].label, "m\xC3\xA8re");
  const auto problems = read.Problems("Lotto.lines");
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("Lotto.lines, line 2:"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("line 4: \"03 11 17 25 38 44\" is not a saved line (the same numbers"),
            std::string::npos)
      << problems[1];
  ASSERT_EQ(book.Remove({5, 6, 7, 8, 9, 10}), "");
  EXPECT_EQ(folder.Read("Lotto.lines"),
            "03 11 17 25 38 44 |  | m\xE8re\r\n" + damaged + "\r\n03 11 17 25 38 44\r\n");
}

TEST(LinesBook, RefusesWhatWouldSpoilTheLinesAndChangesNothing) {
  const TestFolder folder;
  LinesBook book = BookIn(folder);
  ASSERT_EQ(book.Add({{1, 2, 3, 4, 5, 6}, " family "}), "");
  ASSERT_EQ(book.Add({{7, 8, 9, 10, 11, 12}}), "");
  const std::string before = folder.Read("Lotto.lines");
  EXPECT_EQ(before, "01 02 03 04 05 06 |  | family\r\n07 08 09 10 11 12\r\n");
  const struct {
    const char* what;
    std::string refusal;
  } rows[] = {
      {"the same line twice", book.Add({{1, 2, 3, 4, 5, 6}, "again"})},
      {"a line out of order", book.Add({{2, 1, 3, 4, 5, 6}})},
      {"a number above 49", book.Add({{1, 2, 3, 4, 5, 50}})},
      {"a label over two lines", book.Relabel({1, 2, 3, 4, 5, 6}, "a\nb", std::nullopt)},
      {"a label beyond Windows-1252",
       book.Relabel({1, 2, 3, 4, 5, 6}, "\xE2\x82\xAC\xE2\x88\x9E", std::nullopt)},
      {"a long label", book.Relabel({1, 2, 3, 4, 5, 6}, std::string(41, 'x'), std::nullopt)},
      {"removing a line not saved", book.Remove({1, 2, 3, 4, 5, 7})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_NE(row.refusal, "");
    EXPECT_EQ(folder.Read("Lotto.lines"), before);
  }
  ASSERT_EQ(book.Move({7, 8, 9, 10, 11, 12}, -5), "");
  EXPECT_EQ(book.Read().lines[0].numbers, (Line{7, 8, 9, 10, 11, 12}));
}

TEST(LinesBook, EveryFailedStepOfASaveLeavesTheLinesAsTheyWere) {
  const TestFolder folder;
  LinesBook book = BookIn(folder);
  ASSERT_EQ(book.Add({{1, 2, 3, 4, 5, 6}}), "");
  const std::string before = folder.Read("Lotto.lines");
  std::vector<FileChange> order;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("fault at change " + std::to_string(n));
    order.clear();
    SetFileChangeHook([&order, n](FileChange change, const fs::path&) {
      order.push_back(change);
      return static_cast<int>(order.size()) == n
                 ? std::make_error_code(std::errc::no_space_on_device)
                 : std::error_code();
    });
    const std::string refusal = book.Add({{7, 8, 9, 10, 11, 12}});
    SetFileChangeHook({});
    if (refusal.empty()) break;
    EXPECT_NE(refusal.find("could not be saved"), std::string::npos) << refusal;
    EXPECT_EQ(folder.Read("Lotto.lines"), before);
    for (const auto& [name, bytes] : folder.Files())
      EXPECT_EQ(name.find(".~"), std::string::npos) << name;
  }
  // Written and flushed aside, the old file kept as the backup, moved in, folder flushed.
  EXPECT_EQ(order,
            (std::vector<FileChange>{FileChange::Write, FileChange::Flush, FileChange::Remove,
                                     FileChange::Link, FileChange::Move, FileChange::FolderFlush}));
  EXPECT_EQ(folder.Read("Lotto.lines.old"), before);
}

const LotterySettings kReturns{true, 1, 10, 60, 1500, 100000, 1000000};

std::vector<DatedDraw> Draws(const DrawList& list) {
  return DatedDrawsOf(list);
}

TEST(Ticket, ADrawGivesEachPlayedLineItsClassAndOneSentenceSaysIt) {
  const auto draws = Draws({"12/12/2026 01 02 03 04 05 06 07"});
  const struct {
    std::vector<SavedLine> lines;
    std::vector<std::string> classes;
    std::string sentence;
  } rows[] = {
      {{{{1, 2, 3, 10, 11, 12}}, {{1, 2, 3, 4, 5, 7}}, {{20, 21, 22, 23, 24, 25}}},
       {"3", "5+", ""},
       "Draw of 12/12/2026: 2 of your 3 lines won, 100010 in all"},
      {{{{20, 21, 22, 23, 24, 25}}}, {""}, "Draw of 12/12/2026: none of your 1 line won"},
      // A line first played after the draw is not counted in it.
      {{{{1, 2, 3, 4, 10, 11}}, {{1, 2, 3, 4, 5, 6}, "", Day("13/12/2026")}},
       {"4", "6"},
       "Draw of 12/12/2026: 1 of your 1 line won, 60 in all"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.sentence);
    const auto outcomes = CheckLinesInDraw(row.lines, draws[0], kReturns);
    for (std::size_t i = 0; i < row.lines.size(); ++i)
      EXPECT_EQ(ClassText(outcomes[i].hitClass), row.classes[i]);
    EXPECT_EQ(WinningsSentence(WinningsOf(row.lines, draws[0], kReturns)), row.sentence);
  }
}

TEST(Ticket, TheDrawsAfterTheLastLookAreTheNewOnesAtMostTheNewestTen) {
  DrawList list = {"05/12/2026 01 02 03 04 05 06 07", "05/12/2026 11 12 13 14 15 16 17",
                   "12/12/2026 21 22 23 24 25 26 27"};
  for (int day = 1; day <= 12; ++day)
    list.push_back((day < 10 ? "0" : "") + std::to_string(day) + "/01/2027 01 02 03 04 05 06 07");
  const auto draws = Draws(list);
  const struct {
    ShownDraw shown;
    std::size_t count;
    int32_t first;
  } rows[] = {
      {{}, 0, 0},                                       // never looked: nothing
      {NewestShown(draws), 0, 0},                       // seen them all
      {{Day("05/12/2026"), 1}, 10, Day("03/01/2027")},  // a second draw of the day is new
      {{Day("12/01/2027"), 1}, 0, 0},
      {{Day("11/01/2027"), 1}, 1, Day("12/01/2027")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(ShownDrawText(row.shown));
    const auto after = DrawsAfter(draws, row.shown);
    ASSERT_EQ(after.size(), row.count);
    if (!after.empty()) {
      EXPECT_EQ(after[0].day, row.first);
    }
  }
  EXPECT_EQ(ParseShownDraw(ShownDrawText({Day("05/12/2026"), 2})),
            (ShownDraw{Day("05/12/2026"), 2}));
  EXPECT_EQ(ParseShownDraw("31/02/2026 1"), std::nullopt);
}

TEST(Ticket, TheNewestDrawShownIsRememberedOrLeftAsItWasWhenTheWriteFails) {
  const TestFolder folder;
  const std::string settings = "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\n";
  folder.Write("Lotto.ini", settings);
  ProgramState state;
  state.appFolder = folder.Path();
  state.lottoFile = "Lotto.opt";
  const auto draws = Draws({"12/12/2026 01 02 03 04 05 06 07", "12/12/2026 11 12 13 14 15 16 17"});
  std::vector<FileChange> order;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("fault at change " + std::to_string(n));
    ASSERT_TRUE(ReadLotterySettings(state));
    order.clear();
    SetFileChangeHook([&order, n](FileChange change, const fs::path&) {
      order.push_back(change);
      return static_cast<int>(order.size()) == n ? std::make_error_code(std::errc::io_error)
                                                 : std::error_code();
    });
    const bool written = RememberShown(state, draws);
    SetFileChangeHook({});
    if (written) break;
    EXPECT_EQ(folder.Read("Lotto.ini"), settings);
    EXPECT_EQ(state.settings.shownDraw, "");
  }
  EXPECT_EQ(order, (std::vector<FileChange>{FileChange::Write, FileChange::Move}));
  EXPECT_EQ(folder.Read("Lotto.ini"),
            "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=0\r\nret5p=0\r\nret6=0\r\n"
            "shown=12/12/2026 2\r\n");
  ASSERT_TRUE(ReadLotterySettings(state));
  EXPECT_EQ(ParseShownDraw(state.settings.shownDraw), NewestShown(draws));
}

TEST(Ticket, TheTicketOverTheYearsAddsUpItsLinesFromTheirFirstDates) {
  const DrawList list = {"03/01/2026 01 02 03 04 05 06 07", "10/01/2026 01 02 03 10 11 12 13",
                         "17/01/2026 01 02 03 04 20 30 06"};
  const auto draws = Draws(list);
  const std::vector<SavedLine> lines = {{{1, 2, 3, 40, 41, 42}},
                                        {{1, 2, 3, 4, 5, 7}, "", Day("10/01/2026")}};
  const TicketBacktest ticket = BacktestTicket(lines, draws, kReturns);
  // The first line is played in all three draws, as `hits` counts it.
  const LineHits hits = FindLineHits(lines[0].numbers, draws, list, kReturns);
  EXPECT_EQ(ticket.lines[0].totals.balance, hits.totals.balance);
  EXPECT_EQ(ticket.lines[0].result, CheckOverDraws(lines[0].numbers, draws, kReturns));
  EXPECT_EQ(ticket.lines[1].totals.draws, 2);
  EXPECT_EQ(ticket.lines[1].result.hits3, 1);
  EXPECT_EQ(ticket.lines[1].result.hits4, 1);
  EXPECT_EQ(ticket.hits.hits3, 4);
  EXPECT_EQ(ticket.totals.staked, 5);
  EXPECT_EQ(ticket.totals.returned, 100);
  EXPECT_EQ(ticket.totals.balance, 95);
  ASSERT_EQ(ticket.balance.size(), 3u);
  EXPECT_EQ(ticket.balance[0].balance, 9);
  EXPECT_EQ(ticket.balance[1].balance, 9 + 20 - 2);
  EXPECT_EQ(ticket.balance.back().balance, ticket.totals.balance);
}

}  // namespace
}  // namespace bw::test
