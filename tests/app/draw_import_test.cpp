#include "app/draw_import.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/file_system.h"
#include "platform/system_services.h"
#include "store/settings_files.h"
#include "store/store_support.h"

namespace bw::test {
namespace {

// Lines that are no draw stay after the draw they followed, wherever the
// imported draws fall between the history's draws.
TEST(DrawImport, SetAsideLinesStayAfterTheDrawTheyFollowed) {
  TestFolder folder;
  folder.Write("Lotto.opt",
               "note at the top\r\n10/01/2000 01 02 03 04 05 06 \r\nchecked by hand\r\n"
               "24/01/2000 20 21 22 23 24 25 \r\n\r\n");
  folder.Write("new.csv", "2000-01-17,7,8,9,10,11,12\r\n2000-01-31,30,31,32,33,34,35\r\n");
  RecordingSink messages;
  SystemClock clock;
  Session session(folder.Path(), messages, clock);
  session.State().lottoFile = "Lotto.opt";
  session.State().settings = {false, 1, 10, 60, 1500, 100000, 1000000};
  ASSERT_TRUE(session.LoadHistory());

  const DrawMerge merge = PlanImport(session, folder / "new.csv", {}, false);
  ASSERT_TRUE(merge.CanImport(false)) << merge.refusal.value_or("");
  ASSERT_EQ(ImportIntoCurrent(session, merge, nullptr).save, HistorySaveOutcome::Saved);
  EXPECT_EQ(folder.Read("Lotto.opt"),
            "note at the top\r\n10/01/2000 01 02 03 04 05 06 \r\nchecked by hand\r\n"
            "17/01/2000 07 08 09 10 11 12 \r\n24/01/2000 20 21 22 23 24 25 \r\n\r\n"
            "31/01/2000 30 31 32 33 34 35 \r\n");
}

// The order of day and month that an import read is kept in NAME.ini, so
// that a later file that cannot tell is read the same way; a failed write
// of the settings at any file change keeps the old settings whole.
TEST(DrawImport, TheDateOrderReadIsKeptForTheNextImport) {
  TestFolder folder;
  const std::string settings =
      "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\nret6="
      "1000000\r\n";
  folder.Write("Lotto.opt", "10/01/2000 01 02 03 04 05 06 07\r\n");
  folder.Write("first.csv", "2/17/2024,4,13,26,34,35,42,1\r\n");
  folder.Write("later.csv", "3/2/2024,5,12,20,33,40,49,2\r\n");
  RecordingSink messages;
  SystemClock clock;
  for (int n = 1;; ++n) {
    SCOPED_TRACE("fault at change " + std::to_string(n));
    folder.Write("Lotto.ini", settings);
    Session session(folder.Path(), messages, clock);
    session.State().lottoFile = "Lotto.opt";
    ASSERT_TRUE(ReadLotterySettings(session.State()));
    ASSERT_TRUE(session.LoadHistory());
    const DrawMerge merge = PlanImport(session, folder / "first.csv", {});
    ASSERT_EQ(DateOrderToKeep(merge, ""), "mdy");
    SetFileChangeHook([n, count = 0](FileChange, const std::filesystem::path&) mutable {
      return ++count == n ? std::make_error_code(std::errc::no_space_on_device) : std::error_code();
    });
    const bool kept = RememberDateOrder(session, merge);
    SetFileChangeHook({});
    for (const auto& [name, bytes] : folder.Files()) EXPECT_EQ(name.find(".~"), std::string::npos);
    if (!kept) {
      EXPECT_EQ(folder.Read("Lotto.ini"), settings);
      EXPECT_EQ(session.State().settings.dateOrder, "");
      EXPECT_EQ(session.State().fileErrorNumber, 61);
      continue;
    }
    EXPECT_GT(n, 1);
    EXPECT_EQ(folder.Read("Lotto.ini"), settings + "dateorder=mdy\r\n");
    session.State().settings.dateOrder.clear();
    ASSERT_TRUE(ReadLotterySettings(session.State()));
    const DrawMerge later = PlanImport(session, folder / "later.csv", {});
    EXPECT_EQ(later.refusal, std::nullopt);
    EXPECT_EQ(later.newEntries, std::vector<std::string>{"02/03/2024 05 12 20 33 40 49 02"});
    break;
  }
}

// A pipe or a folder as the file to import is refused at once (a pipe would
// block the read for ever), naming the file.
TEST(DrawImport, AFileThatIsNoRegularFileIsRefusedAtOnce) {
  TestFolder folder;
  std::filesystem::create_directory(folder / "folder.csv");
  std::vector<std::filesystem::path> files = {folder / "folder.csv"};
#ifndef _WIN32
  ASSERT_EQ(mkfifo((folder / "pipe.csv").c_str(), 0600), 0);
  files.push_back(folder / "pipe.csv");
#endif
  for (const auto& file : files)
    EXPECT_EQ(
        ReadResultFile(file).refusal,
        file.string() + " is not a regular file (a folder, pipe or device): give a file of draws");
}

}  // namespace
}  // namespace bw::test
