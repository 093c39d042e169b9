// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "app/draw_import.h"
#include "app/session.h"
#include "model/day_number.h"
#include "platform/file_system.h"
#include "platform/system_services.h"
#include "store/settings_files.h"
#include "store/store_support.h"

namespace bw::test {
namespace {

// Sessions over a lottery of the test's folder, each loaded as at a start.
class SessionTest : public ::testing::Test {
 protected:
  // Settings "": read from the lottery's .ini file.
  std::unique_ptr<Session> Open(const std::string& file, const std::string& settings = "") {
    auto session = std::make_unique<Session>(folder_.Path(), messages_, clock_);
    session->State().lottoFile = file;
    session->State().settings = {settings != "plain", 1, 10, 60, 1500, 100000, 1000000};
    if (settings.empty()) {
      EXPECT_TRUE(ReadLotterySettings(session->State()));
    }
    EXPECT_TRUE(session->LoadHistory());
    return session;
  }
  TestFolder folder_;
  RecordingSink messages_;
  SystemClock clock_;
};

// A lottery of two draws.
class SessionOnTwoDraws : public SessionTest {
 protected:
  void SetUp() override {
    folder_.Write("Two.opt", kTwoDraws);
    session_ = Restart();
  }
  std::unique_ptr<Session> Restart() { return Open("Two.opt", "bonus"); }

  static constexpr const char* kTwoDraws =
      "10/01/2000 01 02 03 04 05 06 07\r\n17/01/2000 01 02 03 10 11 12 13\r\n";
  std::unique_ptr<Session> session_;
};

TEST_F(SessionOnTwoDraws, AddedDrawsAreSavedInDateOrderAndCountAtOnce) {
  const Line line{1, 2, 3, 4, 5, 6}, other{20, 21, 22, 23, 24, 25};
  EXPECT_EQ(session_->Check(line), (SingleLineResult{1, 0, 0, 0, 1, 500, true}));
  std::vector<FoundLine> found;
  session_->Search().CheckSlice(other, 1, found);  // both fill their caches
  EXPECT_TRUE(found.empty());

  const std::string added[] = {"24/01/2000 01 02 03 04 05 06 09",
                               "03/01/2000 20 21 22 23 40 41 26",  // four of the other line
                               "12/01/2000 30 31 32 33 34 35 36"};
  for (const std::string& entry : added)
    EXPECT_EQ(session_->AddDraw(entry).save, HistorySaveOutcome::Saved);
  // 100 / 5 draws x one three of 10; a four of 60.
  EXPECT_EQ(session_->Check(line), (SingleLineResult{1, 0, 0, 0, 2, 200, true}));
  session_->Search().CheckSlice(other, 1, found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].percent, 1200);
  EXPECT_EQ(session_->State().oldestDrawDate, DayNumber({2000, 1, 3}));
  EXPECT_EQ(session_->State().newestDrawDate, DayNumber({2000, 1, 24}));
}

// Damage behind the marker's back, or a kill between an add's index update
// and its history save: every count shown equals a clean index's. Only a
// change is saved.
TEST_F(SessionOnTwoDraws, NoCountIsShownFromAStaleIndex) {
  const Line line{1, 2, 3, 4, 5, 6};
  const auto search = [&](Session& session) {
    std::vector<FoundLine> found;
    EXPECT_FALSE(session.CheckSlice(line, 100, found).impossible);
    std::string texts;
    for (const FoundLine& one : found) texts += FoundLineEntry(one.line, one.percent) + " ";
    return texts;
  };
  const SingleLineResult clean = session_->Check(line);
  const std::string cleanFound = search(*session_);
  // Read after a start that trusted the index: the check and the search
  // meet the impossible count, rebuild and count again.
  for (const auto& [file, line12] : {std::pair{"01_S_Two.opt", "010203040506=  9:"},
                                     {"01_F_Two.opt", "010203040500=360000000:"},
                                     {"01_P_Two.opt", "010203040506= -1:"}}) {
    SCOPED_TRACE(file);
    for (bool searchFirst : {false, true}) {
      auto session = Restart();
      folder_.Write(file, std::string(line12) + "\r\n");
      if (searchFirst) {
        EXPECT_EQ(search(*session), cleanFound);
      }
      EXPECT_EQ(session->Check(line), clean);
      EXPECT_EQ(search(*session), cleanFound);
    }
  }
  // Added, the marker vouches for the index again and a start trusts it.
  auto again = Restart();
  again->AddDraw("24/01/2000 01 02 03 04 05 06 09");
  EXPECT_EQ(folder_.Read("Two.opt"),
            std::string(kTwoDraws) + "24/01/2000 01 02 03 04 05 06 09\r\n");
  auto afterAdd = Restart();
  EXPECT_FALSE(afterAdd->State().indexRebuild);
  EXPECT_EQ(afterAdd->Check(line).hits6, 2);
  EXPECT_TRUE(messages_.messages.empty());
}

// Lines that are no draw stay after the draw they followed, wherever the
// imported draws fall between the history's draws.
TEST_F(SessionTest, ImportedDrawsLeaveSetAsideLinesAfterTheDrawTheyFollowed) {
  folder_.Write("Lotto.opt",
                "note at the top\r\n10/01/2000 01 02 03 04 05 06 \r\nchecked by hand\r\n"
                "24/01/2000 20 21 22 23 24 25 \r\n\r\n");
  folder_.Write("new.csv", "2000-01-17,7,8,9,10,11,12\r\n2000-01-31,30,31,32,33,34,35\r\n");
  const auto session = Open("Lotto.opt", "plain");
  const DrawMerge merge = PlanImport(*session, folder_ / "new.csv", {}, false);
  ASSERT_TRUE(merge.CanImport(false)) << merge.refusal.value_or("");
  ASSERT_EQ(ImportIntoCurrent(*session, merge, nullptr).save, HistorySaveOutcome::Saved);
  EXPECT_EQ(folder_.Read("Lotto.opt"),
            "note at the top\r\n10/01/2000 01 02 03 04 05 06 \r\nchecked by hand\r\n"
            "17/01/2000 07 08 09 10 11 12 \r\n24/01/2000 20 21 22 23 24 25 \r\n\r\n"
            "31/01/2000 30 31 32 33 34 35 \r\n");
}

// The order of day and month that an import read is kept in NAME.ini, so
// that a later file that cannot tell is read the same way; a failed write
// of the settings at any file change keeps the old settings whole.
TEST_F(SessionTest, TheDateOrderAnImportReadIsKeptForTheNextImport) {
  const std::string settings =
      "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\nret6="
      "1000000\r\n";
  folder_.Write("Lotto.opt", "10/01/2000 01 02 03 04 05 06 07\r\n");
  folder_.Write("first.csv", "2/17/2024,4,13,26,34,35,42,1\r\n");
  folder_.Write("later.csv", "3/2/2024,5,12,20,33,40,49,2\r\n");
  for (int n = 1;; ++n) {
    SCOPED_TRACE("fault at change " + std::to_string(n));
    folder_.Write("Lotto.ini", settings);
    const auto session = Open("Lotto.opt");
    const DrawMerge merge = PlanImport(*session, folder_ / "first.csv", {});
    ASSERT_EQ(DateOrderToKeep(merge, ""), "mdy");
    SetFileChangeHook([n, count = 0](FileChange, const std::filesystem::path&) mutable {
      return ++count == n ? std::make_error_code(std::errc::no_space_on_device) : std::error_code();
    });
    const bool kept = RememberDateOrder(*session, merge);
    SetFileChangeHook({});
    for (const auto& [name, bytes] : folder_.Files()) EXPECT_EQ(name.find(".~"), std::string::npos);
    if (!kept) {
      EXPECT_EQ(folder_.Read("Lotto.ini"), settings);
      EXPECT_EQ(session->State().settings.dateOrder, "");
      EXPECT_EQ(session->State().fileErrorNumber, 61);
      continue;
    }
    EXPECT_GT(n, 1);
    EXPECT_EQ(folder_.Read("Lotto.ini"), settings + "dateorder=mdy\r\n");
    session->State().settings.dateOrder.clear();
    ASSERT_TRUE(ReadLotterySettings(session->State()));
    const DrawMerge later = PlanImport(*session, folder_ / "later.csv", {});
    EXPECT_EQ(later.refusal, std::nullopt);
    EXPECT_EQ(later.newEntries, std::vector<std::string>{"02/03/2024 05 12 20 33 40 49 02"});
    break;
  }
}

// A pipe or a folder as the file to import is refused at once (a pipe would
// block the read for ever), naming the file.
TEST_F(SessionTest, AFileToImportThatIsNoRegularFileIsRefusedAtOnce) {
  std::filesystem::create_directory(folder_ / "folder.csv");
  std::vector<std::filesystem::path> files = {folder_ / "folder.csv"};
#ifndef _WIN32
  ASSERT_EQ(mkfifo((folder_ / "pipe.csv").c_str(), 0600), 0);
  files.push_back(folder_ / "pipe.csv");
#endif
  for (const auto& file : files)
    EXPECT_EQ(
        ReadResultFile(file).refusal,
        file.string() + " is not a regular file (a folder, pipe or device): give a file of draws");
}

}  // namespace
}  // namespace bw::test
