// SPDX-License-Identifier: GPL-3.0-or-later
// `lines` from the command line: what each subcommand prints and returns, the
// records of --format wherever it is given, the refusals that change nothing,
// and saves killed at any moment.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "cli/cli_support.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

class LinesCli : public ::testing::Test {
 protected:
  LinesCli() { WriteLotteries(folder_); }
  CliResult Run(const std::string& words) const { return RunIn(folder_, words); }
  TestFolder folder_;
};

TEST_F(LinesCli, EachSubcommandAnswersAndRefusesAsTheOtherCommandsDo) {
  const struct {
    std::string words;
    int code;
    std::string out;  // exact
    std::string err;  // contained
  } steps[] = {
      {"lines list", 0, "", "no saved lines"},
      {"lines add 3 2 1 10 11 12 --label two words --since 17/01/2000", 2, "", "a line needs 6"},
      {"lines add 3 2 1 10 11 12 --since 17/01/2000 --label family", 0, "Added 01-02-03-10-11-12\n",
       ""},
      {"lines add 20 21 22 23 24 26", 0, "Added 20-21-22-23-24-26\n", ""},
      {"lines add 1 2 3 10 11 12", 1, "", "among your lines already"},
      {"lines add 1 2 3 10 11 11", 2, "", "number 11 given twice"},
      {"lines add 1 2 3 10 11 50", 2, "", "not a number from 1 to 49: \"50\""},
      {"lines add 1 2 3 4 5 6 --since 30/02/2000", 2, "", "not a date"},
      {"lines add --format json 1 2 3 4 5 6", 2, "", "lines add has no --format"},
      {"lines list", 0, "01-02-03-10-11-12 | 17/01/2000 | family\n20-21-22-23-24-26\n", ""},
      {"lines list --format json", 0,
       "{\"line\":[1,2,3,10,11,12],\"label\":\"family\",\"since\":\"17/01/2000\"}\n"
       "{\"line\":[20,21,22,23,24,26],\"label\":\"\",\"since\":\"\"}\n",
       ""},
      {"lines check --draw 17/01/2000 --format json", 0,
       "{\"line\":[1,2,3,10,11,12],\"label\":\"family\",\"date\":\"17/01/2000\",\"class\":\"6\","
       "\"return\":1000000}\n"
       "{\"line\":[20,21,22,23,24,26],\"label\":\"\",\"date\":\"17/01/2000\",\"class\":\"\","
       "\"return\":0}\n",
       "Draw of 17/01/2000: 1 of your 2 lines won, 1000000 in all"},
      {"lines check", 0,
       "Draw of 31/01/2000: 01 02 03 04 20 30 + 06\n01-02-03-10-11-12 | 3 | 10 | family\n"
       "20-21-22-23-24-26 | - | 0\nDraw of 31/01/2000: 1 of your 2 lines won, 10 in all\n",
       ""},
      {"lines check --format csv --last 2", 0,
       "line,label,date,class,return\r\n01-02-03-10-11-12,family,24/01/2000,,0\r\n"
       "20-21-22-23-24-26,,24/01/2000,5+,100000\r\n01-02-03-10-11-12,family,31/01/2000,3,10\r\n"
       "20-21-22-23-24-26,,31/01/2000,,0\r\n",
       "Draw of 24/01/2000: 1 of your 2 lines won, 100000 in all"},
      {"lines check --draw 18/01/2000", 1, "", "holds no draw of 18/01/2000"},
      {"lines check --last 0", 2, "", "--last needs a count"},
      {"lines history --until 24/01/2000", 0,
       "01-02-03-10-11-12 |   |   |  |  | 1|   0%+ | 2 draws, staked 2, returned 1000000, "
       "balance 999998 | family\n"
       "20-21-22-23-24-26 |   |   |  | 1|  |   0%+ | 3 draws, staked 3, returned 100000, balance "
       "99997\n"
       "hits: 3: 0, 4: 0, 5: 0, 5+: 1, 6: 1\ntotal: 3 draws, staked 5, returned 1100000\n"
       "balance: 1099995\n",
       ""},
      {"lines history --since 01/01/2030", 1, "", "no draws"},
      {"lines remove 20 21 22 23 24 26", 0, "Removed 20-21-22-23-24-26\n", ""},
      {"lines remove 20 21 22 23 24 26", 1, "", "is not among your lines"},
      {"lines forget", 2, "", "unknown lines command"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.words);
    const CliResult result = Run(step.words);
    EXPECT_EQ(result.code, step.code) << result.err;
    EXPECT_EQ(result.out, step.out);
    EXPECT_NE(result.err.find(step.err), std::string::npos) << result.err;
  }
  EXPECT_EQ(folder_.Read("Tiny.lines"), "01 02 03 10 11 12 | 17/01/2000 | family\r\n");
}

TEST_F(LinesCli, AWindowHoldingTheFolderStopsWritersNotReaders) {
  ASSERT_EQ(Run("lines add 1 2 3 4 5 6").code, 0);
  FolderLock window(folder_.Path());
  ASSERT_TRUE(window.MarkWindowOpen());
  const CliResult add = Run("lines add 7 8 9 10 11 12");
  EXPECT_EQ(add.code, 1);
  EXPECT_NE(add.err.find("would save over any change made here"), std::string::npos) << add.err;
  EXPECT_EQ(Run("lines list").out, "01-02-03-04-05-06\n");
}

TEST_F(LinesCli, AHandDamagedFileIsReportedAndItsLinesKept) {
  folder_.Write("Tiny.lines", "01 02 03 04 05 06\r\n01 02 03 04 05\r\n");
  const CliResult list = Run("lines list");
  EXPECT_EQ(list.out, "01-02-03-04-05-06\n");
  EXPECT_NE(list.err.find("Tiny.lines, line 2: \"01 02 03 04 05\" is not a saved line (it holds 5"),
            std::string::npos)
      << list.err;
  ASSERT_EQ(Run("lines add 7 8 9 10 11 12").code, 0);
  EXPECT_EQ(folder_.Read("Tiny.lines"),
            "01 02 03 04 05 06\r\n01 02 03 04 05\r\n07 08 09 10 11 12\r\n");
}

#ifndef _WIN32
// `lines add` killed before each of its file changes, then at random
// moments: the file holds the old lines or the new ones, whole.
TEST_F(LinesCli, ASaveKilledAtAnyMomentLeavesTheOldLinesOrTheNew) {
  ASSERT_EQ(Run("lines add 1 2 3 4 5 6 --label old").code, 0);
  const std::string old = folder_.Read("Tiny.lines");
  const std::string added = old + "07 08 09 10 11 12\r\n";
  const auto killedAdd = [&](const std::function<void(pid_t)>& killAt) {
    const pid_t child = InChild([&] {
      killAt(0);
      return Run("lines add 7 8 9 10 11 12").code;
    });
    killAt(child);
    const bool killed = ExitCodeOf(child) == -1;
    const std::string now = folder_.Read("Tiny.lines");
    EXPECT_TRUE(now == old || now == added) << now;
    EXPECT_EQ(Run("lines list").code, 0);
    folder_.Write("Tiny.lines", old);
    return killed;
  };
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE("killed before change " + std::to_string(n));
    const bool killed = killedAdd([n](pid_t child) {
      if (child != 0) return;
      SetFileChangeHook([n, count = 0](FileChange, const fs::path&) mutable {
        if (++count == n) raise(SIGKILL);
        return std::error_code();
      });
    });
    if (!killed) break;
  }
  EXPECT_GT(n, 5);
  for (int delay : {0, 500, 1500, 3000, 6000, 12000}) {
    SCOPED_TRACE("killed after " + std::to_string(delay) + " us");
    killedAdd([delay](pid_t child) {
      if (child == 0) return;
      std::this_thread::sleep_for(std::chrono::microseconds(delay));
      kill(child, SIGKILL);
    });
  }
}
#endif

}  // namespace
}  // namespace bw::test
