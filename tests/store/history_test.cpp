#include <gtest/gtest.h>

#include "model/day_number.h"
#include "model/numbers.h"
#include "store/file_error.h"
#include "store/history_file.h"
#include "store/store_support.h"
#include "support/privileges.h"

namespace bw {
namespace {

using test::StoreTest;
constexpr int32_t kToday = 45000;

int32_t Day(int yyyymmdd) {
  return DayNumber({yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100});
}

std::string Joined(const std::vector<std::string>& draws) {
  std::string text;
  for (const std::string& draw : draws) text += (text.empty() ? "" : "|") + draw;
  return text;
}

// Files from other editors and web pages: every spelling gives these two draws.
constexpr char kTwoDraws[] = "05/12/2000 03 11 17 25 38 44 09|12/12/2000 01 02 03 04 05 06 10";

TEST_F(StoreTest, HistoryReadingRules) {
  const struct {
    std::string bytes, draws = kTwoDraws;  // the draws joined by "|"
    bool bonus = true;
    int32_t oldest = 20001205, newest = 20001212;  // yyyymmdd
  } cases[] = {
      {"05/12/2000 44 03 25 17 11 38\r\n", "05/12/2000 03 11 17 25 38 44 ", false, 20001205,
       20001205},
      {"05/12/2000 44 38 25 17 11 03 09\r\n", "05/12/2000 03 11 17 25 38 44 09", true, 20001205,
       20001205},
      // A bonus 00 is none but sets the flag.
      {"05/12/2000 03 11 17 25 38 44 00\r\n", "05/12/2000 03 11 17 25 38 44 ", true, 20001205,
       20001205},
      {"\r\n   \r\n1/2/2001    01 02 03 04 05 06   \n\r\n", "1/2/2001 01 02 03 04 05 06 ", false,
       20010201, 20010201},
      // Malformed lines are dropped; a dropped last line sets the flag.
      {"01/01/2001 50 02 03 04 05 06\r\n02/01/2001 01 02 03 04 00 06\r\n"
       "03/01/2001 01 02 03 04 05 50\r\n04/01/2001 01 02 03 04 05 06 50\r\n"
       "05/01/2001 01 02 03\r\n06/01/2001 01 02 03 04 05 +6\r\n"
       "07/01/2001 01 02 03 04 05 06 00\r\n08/01/2001 01 02 03 04 05 49 49\r\n"
       "13/01/2001 01 01 02 03 04 05 07\r\n14/01/2001 01 02 03 04 05 06 06\r\n"
       "09/01/2001 01 02 03 04 05 06 50 09\r\n10/01/2001 11 12 13 14 15 16 00 09\r\n"
       "11/01/2001 01 02 03 04 05 06 07 (draw 1234)\r\n12/01/2001 11 12 13 14 15 16 17 draw 12\r\n",
       "07/01/2001 01 02 03 04 05 06 ", true, 20010107, 20010107},
      {"01/01/2001 01 02 03 04 05 06\r\n02/01/2001 01 02 03 04 05 06 50\r\n\r\n",
       "01/01/2001 01 02 03 04 05 06 ", true, 20010101, 20010101},
      // Placeholders set no dates; an empty file dates today.
      {"00/00/0000 01 02 03 04 05 06\r\n10/06/2020 01 02 03 04 05 06\r\n"
       "12/06/1982 01 02 03 04 05 06\r\n00/00/00 07 08 09 10 11 12\r\n",
       "00/00/0000 01 02 03 04 05 06 |10/06/2020 01 02 03 04 05 06 |"
       "12/06/1982 01 02 03 04 05 06 |00/00/00 07 08 09 10 11 12 ",
       false, 19820612, 20200610},
      {"", "", false, 0, 0},
      {"05/12/2000 03 11 17 25 38 44 09\n12/12/2000 01 02 03 04 05 06 10"},
      {"05/12/2000 03 11 17 25 38 44 09\r12/12/2000 01 02 03 04 05 06 10\r\r"},
      {"\xEF\xBB\xBF"  // a UTF-8 mark
       "05/12/2000 03 11 17 25 38 44 09\r\n12/12/2000 01 02 03 04 05 06 10\r\n"},
      // Non-breaking spaces are blanks; separators are not read, whatever character they are.
      {"05/12/2000 03 11 17 25 38 44 09\xA0\r\n12/12/2000 \xA0"
       "01 02 03 04 05 06 10\xA0\xA0\r\n"},
      {"05/12/2000 03\x9D"
       "11\x80"
       "17 25 38 44\x81"
       "09\r\n12/12/2000 01\xA0"
       "02 03 04 05 06 10\r\n"},
      {"05/12/2000 03 11 17 25 38 44 09\r\r\n12/12/2000 01 02 03 04 05 06 10\r\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    folder.Write("Lotto.opt", c.bytes);
    state.oldestDrawDate = state.newestDrawDate = 0;  // a fresh start
    if (!c.bytes.empty()) state.settings.useBonus = !c.bonus;
    EXPECT_TRUE(ReadHistoryFile(state, kToday));
    EXPECT_EQ(Joined(state.draws), c.draws);
    EXPECT_EQ(state.settings.useBonus, c.bonus);
    EXPECT_EQ(std::pair(state.oldestDrawDate, state.newestDrawDate),
              c.oldest ? std::pair(Day(c.oldest), Day(c.newest)) : std::pair(kToday, kToday));
  }
  // Read from CR CR LF lines and saved, the lines end in CR LF and none is added.
  ASSERT_TRUE(WriteHistoryFile(state, false));
  EXPECT_EQ(folder.Read("Lotto.opt"),
            "05/12/2000 03 11 17 25 38 44 09\r\n"
            "12/12/2000 01 02 03 04 05 06 10\r\n");
}

TEST_F(StoreTest, HistoryReadingFailures) {
  // Not a date: the entry is kept and the read ends there.
  const std::pair<const char*, std::size_t> badDates[] = {
      {"31/02/2020 01 02 03 04 05 06\r\n", 1},
      {" 01 02 03 04 05 06\r\n", 1},
      {"01/02/20 01 02 03 04 05 06\r\n", 1},
      {"1.2.2020 01 02 03 04 05 06\r\n", 1},
      {"10/06/2020 01 02 03 04 05 06\r\n2020-06-11 01 02 03 04 05 07\r\n"
       "12/06/2020 01 02 03 04 05 08\r\n",
       2}};
  for (const auto& [bytes, kept] : badDates) {
    folder.Write("Lotto.opt", bytes);
    EXPECT_FALSE(ReadHistoryFile(state, kToday)) << bytes;
    EXPECT_EQ(state.fileErrorNumber, kTypeMismatch) << bytes;
    EXPECT_EQ(state.draws.size(), kept) << bytes;
  }
  EXPECT_EQ(state.draws.back(), "2020-06-11 01 02 03 04 05 07 ");
  EXPECT_EQ(state.newestDrawDate, Day(20200610));
  std::filesystem::remove(folder / "Lotto.opt");
  state.oldestDrawDate = state.newestDrawDate = 0;  // a missing file does not date today
  EXPECT_FALSE(ReadHistoryFile(state, kToday));
  EXPECT_EQ(state.fileErrorNumber, kFileNotFound);
  EXPECT_TRUE(state.draws.empty());
  EXPECT_EQ(state.oldestDrawDate + state.newestDrawDate, 0);
}

struct RecordingProgress : SaveProgress {
  void Show(bool visible) override { shown.push_back(visible); }
  void SetFill(float percent) override { fills.push_back(percent); }
  std::vector<bool> shown;
  std::vector<float> fills;
};

TEST_F(StoreTest, SavingKeepsTheLastFileAsBackupOrTheHistoryWhenItFails) {
  RecordingProgress progress;
  folder.Write("Lotto.opt", "previous\r\n");
  folder.Write("Lotto.old", "older\r\n");
  test::MarkReadOnly(folder / "Lotto.old");  // a read-only backup is replaced all the same
  state.draws = {"00/00/0000 01 02 03 04 05 06 ", "05/12/2000 03 11 17 25 38 44 ",
                 "12/12/2000 01 02 03 04 05 06 09"};
  EXPECT_TRUE(WriteHistoryFile(state, false, &progress));
  const std::string saved = "05/12/2000 03 11 17 25 38 44 \r\n12/12/2000 01 02 03 04 05 06 09\r\n";
  EXPECT_EQ(folder.Read("Lotto.opt"), saved);
  EXPECT_EQ(folder.Read("Lotto.old"), "previous\r\n");
  EXPECT_FALSE(test::IsReadOnly(folder / "Lotto.old"));
  EXPECT_EQ(progress.fills, (std::vector<float>{0.0f, 100.0f / 3, 100.0f / 3 * 2, 100.0f}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);

  test::RecordingSink sink;  // a second save moves the first into the backup
  state.draws.push_back("19/12/2000 01 02 03 04 05 07 ");
  EXPECT_EQ(SaveHistory(state, sink).outcome, HistorySaveOutcome::Saved);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(folder.Read("Lotto.old"), saved);

  // A failed save keeps both files and the history, and says why.
  const std::string kept = folder.Read("Lotto.opt") + folder.Read("Lotto.old");
  progress.shown.clear();
  {
    test::AsUnprivilegedUser nobody;
    if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
    EXPECT_EQ(SaveHistory(state, sink, &progress).outcome, HistorySaveOutcome::Failed);
  }
  EXPECT_EQ(folder.Read("Lotto.opt") + folder.Read("Lotto.old"), kept);
  EXPECT_EQ(progress.shown, (std::vector<bool>{true, false}));
  folder.Write("plain", "x");  // other errors than access have no in-use sentence
  state.appFolder = folder / "plain";
  SaveHistory(state, sink);
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[0].title, "Error saving file");
  EXPECT_EQ(sink.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(sink.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(sink.messages[0].text, "Could not save data file!\n\r" +
                                       (folder / "Lotto.opt").string() +
                                       "\n\rError 75 Permission denied");
  EXPECT_EQ(sink.messages[1].text, "Could not save data file!\n\r" +
                                       (folder / "plain" / "Lotto.opt").string() +
                                       "\n\rError 76 Path not found");
}

TEST_F(StoreTest, SetAsideLinesAreSavedInTheirPlaceByteForByte) {
  // Windows-1252 bytes in a line that is no draw, a number 50, a blank line
  // and a draw cut short: none of them may be lost or changed by a save.
  const std::string bytes =
      "x\x81\xE9 not a draw\r\n"
      "05/12/2000 03 11 17 25 38 44 \r\n"
      "06/12/2000 01 02 03 04 05 50 \r\n"
      "\r\n"
      "12/12/2000 01 02 03 04 05 06 \r\n"
      "13/12/2000 01 02 03\r\n";
  folder.Write("Lotto.opt", bytes);
  ASSERT_TRUE(ReadHistoryFile(state, kToday));
  EXPECT_EQ(state.draws.size(), 2u);
  EXPECT_EQ(state.historyRead.ReportedCount(), 3u);
  state.draws.push_back("19/12/2000 01 02 03 04 05 07 ");
  const std::string saved = bytes + "19/12/2000 01 02 03 04 05 07 \r\n";
  ASSERT_TRUE(WriteHistoryFile(state, false));
  EXPECT_EQ(folder.Read("Lotto.opt"), saved);
  ASSERT_TRUE(WriteHistoryFile(state, false));
  EXPECT_EQ(folder.Read("Lotto.opt") + folder.Read("Lotto.old"), saved + saved);
}

TEST_F(StoreTest, NewHistoryFilesHoldEightPlaceholders) {
  for (const bool bonus : {false, true}) {
    state.lottoFile = bonus ? "Bonus.opt" : "Plain.opt";
    state.settings.useBonus = bonus;
    state.newFileCreated = false;
    EXPECT_TRUE(WriteHistoryFile(state, true));
    EXPECT_TRUE(state.newFileCreated);
    std::string expected;
    for (int first = 1; first < 48; first += 6) {
      expected += "00/00/0000";
      for (int n = first; n < first + 6; ++n) expected += " " + TwoDigits(n);
      expected += bonus ? " 49\r\n" : "\r\n";
    }
    EXPECT_EQ(folder.Read(state.lottoFile), expected);
  }
}

}  // namespace
}  // namespace bw
