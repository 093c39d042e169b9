// SPDX-License-Identifier: GPL-3.0-or-later
// The history command: the draws listed in every format, and a draw
// corrected or deleted with the same refusals as a draw added.
#include <gtest/gtest.h>

#include "cli/cli_support.h"

namespace bw::test {
namespace {

// Tiny with a second draw on 17/01/2000 and a line that is no draw.
const std::string kHistory =
    "10/01/2000 01 02 03 04 05 06 07\r\n"
    "17/01/2000 01 02 03 10 11 12 13\r\n"
    "not a draw\r\n"
    "17/01/2000 30 31 32 33 34 35 36\r\n"
    "24/01/2000 20 21 22 23 24 25 26\r\n";

class HistoryCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteLotteries(folder_);
    folder_.Write("Tiny.opt", kHistory);
  }
  CliResult Run(const std::string& words) const { return RunIn(folder_, words); }
  TestFolder folder_;
};

TEST_F(HistoryCommand, ListsTheDrawsOfARangeInEveryFormat) {
  const struct {
    std::string words, out;
  } rows[] = {
      {"history list --since 17/01/2000 --until 17/01/2000",
       "17/01/2000 01 02 03 10 11 12 13\n17/01/2000 30 31 32 33 34 35 36\n"},
      {"history list --until 10/01/2000 --format json",
       "{\"date\":\"10/01/2000\",\"numbers\":[1,2,3,4,5,6],\"bonus\":7}\n"},
      {"--format csv history list --since 24/01/2000",
       "date,numbers,bonus\r\n24/01/2000,20-21-22-23-24-25,26\r\n"},
  };
  for (const auto& row : rows) {
    const CliResult result = Run(row.words);
    EXPECT_EQ(result.code, 0) << row.words << result.err;
    EXPECT_EQ(result.out, row.out) << row.words;
  }
}

TEST_F(HistoryCommand, CorrectsOrDeletesOneDrawAndRefusesWhatIsWrong) {
  const struct {
    std::string words;
    int code;
    std::string said;
    std::string history;  // empty: unchanged
  } rows[] = {
      {"history edit 10/01/2000 1 2 3 4 5 8 7", 0, "Corrected 10/01/2000 01 02 03 04 05 06 07",
       "10/01/2000 01 02 03 04 05 08 07\r\n" + kHistory.substr(33)},
      {"history edit 17/01/2000 1 2 3 10 11 14 13 --was 1 2 3 10 11 12", 0, "",
       "10/01/2000 01 02 03 04 05 06 07\r\n17/01/2000 01 02 03 10 11 14 13\r\n" +
           kHistory.substr(66)},
      {"history delete 17/01/2000 --was 30 31 32 33 34 35", 0,
       "Deleted 17/01/2000 30 31 32 33 34 35 36",
       kHistory.substr(0, 78) + "24/01/2000 20 21 22 23 24 25 26\r\n"},
      {"history delete 17/01/2000", 2, "2 draws of 17/01/2000; give --was", ""},
      {"history delete 17/01/2000 --was 1 2 3 4 5 6", 1, "no draw of 17/01/2000 with", ""},
      {"history delete 11/01/2000", 1, "no draw of 11/01/2000", ""},
      {"history edit 10/01/2000 1 2 3 4 5 6", 2, "needs a bonus number", ""},
      {"history edit 10/01/2000 1 2 3 4 5 5 7", 2, "number 5 given twice", ""},
      {"history edit 31/02/2000 1 2 3 4 5 6 7", 2, "not a draw date", ""},
      {"history delete 10/01/2000 --format json", 2, "no --format", ""},
      {"history remove 10/01/2000", 2, "history needs list", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.words);
    folder_.Write("Tiny.opt", kHistory);
    const CliResult result = Run(row.words);
    EXPECT_EQ(result.code, row.code) << result.err;
    EXPECT_NE((result.out + result.err).find(row.said), std::string::npos)
        << result.out << result.err;
    EXPECT_EQ(folder_.Read("Tiny.opt"), row.history.empty() ? kHistory : row.history);
    // Counts come from the saved draws.
    const CliResult check = Run("--format json check 1 2 3 4 5 6");
    EXPECT_EQ(check.code, 0) << check.err;
  }
}

}  // namespace
}  // namespace bw::test
