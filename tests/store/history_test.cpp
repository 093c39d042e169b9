// SPDX-License-Identifier: GPL-3.0-or-later
// The history file: how it is read and saved; what a save leaves behind when
// the disk fills, a permission is refused, or the file changed under it; how
// a missing history comes back; and the bounds that keep damaged or huge
// files from costing the memory.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/counting_tables.h"
#include "model/day_number.h"
#include "model/draw_fields.h"
#include "model/numbers.h"
#include "platform/file_system.h"
#include "store/file_error.h"
#include "store/history_file.h"
#include "store/store_support.h"
#include "support/privileges.h"

namespace bw::test {
namespace {

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

namespace fs = std::filesystem;

const std::string kOld = "10/01/2000 01 02 03 04 05 06 \r\nnot a draw\r\n";
const std::string kAdded = "17/01/2000 07 08 09 10 11 12 ";
const std::string kNew = kOld + kAdded + "\r\n";

// Fails the n-th file change with `fault` while it lives.
class FailingNthChange {
 public:
  FailingNthChange(int n, std::errc fault) {
    SetFileChangeHook([n, fault, count = 0](FileChange, const fs::path&) mutable {
      return ++count == n ? std::make_error_code(fault) : std::error_code();
    });
  }
  ~FailingNthChange() { SetFileChangeHook({}); }
};

class SafeSave : public StoreTest {
 protected:
  void ReadOld() {
    folder.Write("Lotto.opt", kOld);
    ASSERT_TRUE(ReadHistoryFile(state, 1));
  }
};

TEST_F(SafeSave, EveryFailedStepOfASaveLeavesTheHistoryWholeAndNoTemporaryFile) {
  for (const std::errc fault : {std::errc::no_space_on_device, std::errc::permission_denied}) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE("fault at change " + std::to_string(n));
      ReadOld();
      state.draws.push_back(kAdded);
      RecordingSink sink;
      HistorySaveOutcome outcome;
      {
        const FailingNthChange failing(n, fault);
        outcome = SaveHistory(state, sink).outcome;
      }
      if (outcome == HistorySaveOutcome::Saved) {  // no step was left to fail
        EXPECT_GT(n, 3);
        EXPECT_EQ(folder.Read("Lotto.opt"), kNew);
        EXPECT_EQ(folder.Read("Lotto.old"), kOld);
        break;
      }
      EXPECT_EQ(folder.Read("Lotto.opt"), kOld);
      ASSERT_EQ(sink.messages.size(), 1u);
      EXPECT_EQ(sink.messages[0].title, "Error saving file");
      const std::string number = fault == std::errc::no_space_on_device ? "61" : "75";
      EXPECT_NE(sink.messages[0].text.find("Error " + number), std::string::npos)
          << sink.messages[0].text;
      for (const auto& [name, bytes] : folder.Files())
        EXPECT_EQ(name.find(".~"), std::string::npos) << name;  // no temporary file left
    }
  }
}

TEST_F(SafeSave, AMissingHistoryIsRestoredFromTheNewestCompleteCopy) {
  // A new file's name ends in the size it will have when complete.
  const std::string newFile = "Lotto.opt.~new-7-1-" + std::to_string(kNew.size());
  using Files = std::vector<std::pair<std::string, std::string>>;  // oldest first
  const auto backupAnd = [](const std::string& name, const std::string& bytes) {
    return Files{{"Lotto.old", kOld}, {name, bytes}};
  };
  const struct {
    const char* name;
    Files files;
    std::string restored, from;
  } cases[] = {
      {"backup only", Files{{"Lotto.old", kOld}}, kOld, "Lotto.old"},
      {"unfinished save newer than the backup", backupAnd(newFile, kNew), kNew, newFile},
      {"a save cut short mid-line is no copy", backupAnd(newFile, kNew.substr(0, kNew.size() - 4)),
       kOld, "Lotto.old"},
      {"a save cut short at a line end is no copy", backupAnd(newFile, kNew.substr(0, kOld.size())),
       kOld, "Lotto.old"},
      {"a new file whose name says no size is no copy", backupAnd("Lotto.opt.~new-7-1", kNew), kOld,
       "Lotto.old"},
      {"nothing to restore", Files{{"Other.old", kOld}}, "", ""},
  };
#ifndef _WIN32
  // A link named like a new file never brings in a file from elsewhere.
  const TestFolder outside;
  outside.Write("planted", kNew);
#endif
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder.Path());
    fs::create_directories(folder.Path());
#ifndef _WIN32
    fs::create_symlink(outside / "planted",
                       folder / ("Lotto.opt.~new-9-9-" + std::to_string(kNew.size())));
#endif
    auto time = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& [name, bytes] : c.files) {
      folder.Write(name, bytes);
      fs::last_write_time(folder / name, time += std::chrono::minutes(1));
    }
    EXPECT_EQ(ReadHistoryFile(state, 1), !c.restored.empty());
    EXPECT_EQ(folder.Read("Lotto.opt"), c.restored);
    EXPECT_EQ(state.historyRead.restoredFrom, c.from);
    EXPECT_EQ(folder.Read(c.from), c.from.empty() ? "" : c.restored);  // the copy stays
  }
}

TEST_F(SafeSave, OversizedFilesAndLinesAreRefusedUnreadAndNeverWrittenOver) {
  const std::string longLine(kLongestHistoryLine + 1, '1');
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"a line too long", [&] { folder.Write("Lotto.opt", kOld + longLine + "\r\n"); }},
#ifndef _WIN32
      {"a link to an endless device",
       [&] { fs::create_symlink("/dev/zero", folder / "Lotto.opt"); }},
      {"a pipe nobody writes", [&] { mkfifo((folder / "Lotto.opt").c_str(), 0600); }},
#endif
  };
  for (const auto& [name, make] : cases) {
    SCOPED_TRACE(name);
    fs::remove(folder / "Lotto.opt");
    make();
    EXPECT_FALSE(ReadHistoryFile(state, 1));
    EXPECT_EQ(state.historyRead.errorNumber,
              std::string(name) == "a line too long" ? kFileTooLarge : kBadFileMode);
    EXPECT_TRUE(HistoryWriteRefusal(state));
  }
}

TEST_F(SafeSave, TheHistoryHoldsAtMostTheDrawsTheTablesCanCount) {
  CountingTables tables;
  const DrawFields fields = ParseDrawEntry("10/01/2000 01 02 03 04 05 06");
  for (int i = 0; i < CountingTables::kMaxDraws; ++i) tables.CountDraw(fields);
  EXPECT_EQ(tables.Single(1), CountingTables::kMaxDraws);
  EXPECT_EQ(tables.Quad(3, 4, 5, 6), CountingTables::kMaxDraws);

  std::string history;
  for (int i = 0; i <= CountingTables::kMaxDraws; ++i)
    history += "10/01/2000 01 02 03 04 05 06\r\n";
  folder.Write("Lotto.opt", history);
  EXPECT_FALSE(ReadHistoryFile(state, 1));
  EXPECT_EQ(state.draws.size(), static_cast<std::size_t>(CountingTables::kMaxDraws));
  EXPECT_EQ(StoppedLineText(state.historyRead),
            "line 32768: the history holds more than 32,767 draws, the most this program can "
            "count");
  folder.Write("Lotto.opt", history.substr(30));
  ASSERT_TRUE(ReadHistoryFile(state, 1));
  const auto full = HistoryWriteRefusal(state);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->title, "History full");
  EXPECT_FALSE(HistorySaveRefusal(state));  // what it holds is still saved
}

#ifdef _WIN32
// Windows lets a program that opened a file keep it from being replaced (no
// share-delete); the save then fails as any other.
TEST_F(SafeSave, AHistoryHeldOpenByAnotherProgramIsReportedAndKept) {
  for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    SCOPED_TRACE(share);
    ReadOld();
    state.draws.push_back(kAdded);
    const HANDLE held = CreateFileW((folder / "Lotto.opt").c_str(), GENERIC_READ, share, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RecordingSink sink;
    const HistorySaveOutcome outcome = SaveHistory(state, sink).outcome;
    CloseHandle(held);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].title, "Error saving file");
    EXPECT_EQ(outcome, HistorySaveOutcome::Failed);
    EXPECT_EQ(folder.Read("Lotto.opt"), kOld);
  }
}
#endif

}  // namespace
}  // namespace bw::test
