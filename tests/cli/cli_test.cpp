#include <unistd.h>

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "cli/cli_support.h"
#include "support/privileges.h"

namespace bw::test {
namespace {

class CliOnTiny : public ::testing::Test {
 protected:
  void SetUp() override { WriteTinyLottery(folder_); }
  CliResult Run(std::vector<std::string> args) { return RunIn(folder_, std::move(args)); }
  TestFolder folder_;
};

TEST_F(CliOnTiny, CheckRowsWorkedOutByHand) {
  const CliResult result = Run({"check", "6",  "5",  "4",  "3",  "2",  "1",  // any order
                                "1",     "2",  "3",  "4",  "5",  "7",        //
                                "1",     "2",  "3",  "40", "41", "42",       //
                                "44",    "45", "46", "47", "48", "49"});
  ASSERT_EQ(result.code, 0) << result.err;
  // 100/4 draws x (3-hits x 10 + 4-hits x 60); 5, 5+ and 6 only mark "+".
  EXPECT_EQ(result.out,
            "01-02-03-04-05-06 |  1|  1|  |  | 1| 1750%+\n"
            "01-02-03-04-05-07 |  1|  1|  | 1|  | 1750%+\n"
            "01-02-03-40-41-42 |  3|   |  |  |  | 750%\n"
            "44-45-46-47-48-49 |   |   |  |  |  |   0%\n");
}

TEST_F(CliOnTiny, FirstStartBuildsTheIndexLaterStartsReuseIt) {
  ASSERT_FALSE(folder_.Exists("Tiny.dnd"));
  const CliResult first = Run({"check", "1", "2", "3", "4", "5", "6"});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_TRUE(folder_.Exists("Tiny.dnd"));
  EXPECT_TRUE(folder_.Exists("01_S_Tiny.opt"));
  const auto afterFirst = Snapshot(folder_);
  const CliResult second = Run({"check", "1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(second.out, first.out);
  EXPECT_EQ(Snapshot(folder_), afterFirst);
}

TEST_F(CliOnTiny, ArgumentErrorsExitTwoAndChangeNothing) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"dance"},
      {"--colour", "check"},
      {"--lottery"},
      {"--lottery", "Nowhere", "check", "1", "2", "3", "4", "5", "6"},
      {"--lottery", "../Tiny", "check", "1", "2", "3", "4", "5", "6"},
      {"check"},
      {"check", "1", "2", "3", "4", "5"},
      {"check", "1", "2", "3", "4", "5", "6", "7"},
      {"check", "1", "2", "3", "4", "5", "50"},
      {"check", "0", "2", "3", "4", "5", "6"},
      {"check", "1", "2", "3", "4", "5", "5"},
      {"check", "1", "2", "3", "4", "5", "6x"},
      {"check", "1", "2", "3", "4", "5", "-6"},
      {"system", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"},
      {"system", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "1"},
      {"random", "now"},
      {"search", "--lines", "0"},
      {"search", "--lines", "ten"},
      {"search", "--lines"},
      {"search", "--from", "1", "2", "3"},
      {"search", "--from", "1", "2", "3", "4", "5", "6", "--resume"},
      {"search", "--fast"},
      {"stats"},
      {"stats", "quads", "1"},
      {"stats", "doubles"},
      {"stats", "trebles", "50"},
      {"stats", "singles", "3"},
      {"add", "31/02/2001", "1", "2", "3", "4", "5", "6", "7"},
      {"add", "2001-02-03", "1", "2", "3", "4", "5", "6", "7"},
      {"add", "03/02/2001", "1", "2", "3", "4", "5", "6"},       // bonus missing
      {"add", "03/02/2001", "1", "2", "3", "4", "5", "6", "6"},  // bonus repeats
      {"add", "03/02/2001", "1", "2", "3", "4", "5", "6", "7", "8"},
  };
  const auto before = Snapshot(folder_);
  for (const auto& args : wrong) {
    std::string joined;
    for (const auto& word : args) joined += word + " ";
    const CliResult result = Run(args);
    EXPECT_EQ(result.code, 2) << joined;
    EXPECT_TRUE(result.out.empty()) << joined;
    // One line naming the problem.
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << joined << result.err;
    EXPECT_EQ(Snapshot(folder_), before) << joined;
  }
}

TEST_F(CliOnTiny, ErrorsNameTheProblem) {
  EXPECT_NE(Run({"check", "1", "2", "3", "4", "5", "50"}).err.find("\"50\""), std::string::npos);
  EXPECT_NE(Run({"check", "1", "2", "3", "4", "5", "5"}).err.find("5 given twice"),
            std::string::npos);
  EXPECT_NE(Run({"--lottery", "Nowhere", "random"}).err.find("unknown lottery \"Nowhere\""),
            std::string::npos);
  EXPECT_NE(Run({"dance"}).err.find("unknown command \"dance\""), std::string::npos);
  EXPECT_NE(Run({"add", "03/02/2001", "1", "2", "3", "4", "5", "6"}).err.find("bonus"),
            std::string::npos);
}

TEST_F(CliOnTiny, HelpPrintsUsage) {
  const CliResult result = Run({"--help"});
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.out.rfind("Usage: ballwright-cli", 0), 0u);
  EXPECT_TRUE(Snapshot(folder_).count("Tiny.dnd") == 0);
}

TEST_F(CliOnTiny, FullSystemListsAll924RowsAndCounts) {
  const CliResult result =
      Run({"system", "12", "11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1"});
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = result.OutLines();
  ASSERT_EQ(lines.size(), 925u);
  EXPECT_EQ(lines[0], "01-02-03-04-05-06 |  1|  1|  |  | 1| 1750%+");
  EXPECT_EQ(lines[923].substr(0, 19), "07-08-09-10-11-12 |");
  // 72 lines share fewer than three numbers with every draw, and 9 hold five
  // of the second draw (two of 1..3, all of 10..12, one of 7..9), which earns
  // no percentage: those 81 stay at 0%, all others reach 250% or more.
  EXPECT_EQ(lines[204], "01-02-07-10-11-12 |   |   | 1|  |  |   0%+");
  EXPECT_EQ(lines[924], "924 lines: 0 at 50 to 65%, 843 at 66% or more");
}

TEST_F(CliOnTiny, RandomDealsEightCheckedLinesAndOneNumberLeft) {
  const CliResult result = Run({"random"});
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = result.OutLines();
  ASSERT_EQ(lines.size(), 9u);
  std::set<int> numbers;
  for (int n = 0; n < 8; ++n) {
    const std::string prefix = "Line " + std::to_string(n + 1) + "  ";
    ASSERT_EQ(lines[n].rfind(prefix, 0), 0u) << lines[n];
    const std::string row = lines[n].substr(prefix.size());
    EXPECT_EQ(row[18], '|');
    for (int i = 0; i < 6; ++i) numbers.insert(std::stoi(row.substr(i * 3, 2)));
  }
  ASSERT_EQ(lines[8].rfind("Not placed   >> ", 0), 0u);
  numbers.insert(std::stoi(lines[8].substr(16)));
  EXPECT_EQ(numbers.size(), 49u);
  EXPECT_EQ(*numbers.begin(), 1);
  EXPECT_EQ(*numbers.rbegin(), 49);
}

TEST_F(CliOnTiny, StatisticsLists) {
  const auto singles = Run({"stats", "singles"}).OutLines();
  ASSERT_EQ(singles.size(), 49u);
  EXPECT_EQ(singles[0], "  01=  3x");
  EXPECT_EQ(singles[19], "  20=  2x");
  EXPECT_EQ(singles[48], "  49=  0x");
  const auto doubles = Run({"stats", "doubles", "1"}).OutLines();
  ASSERT_EQ(doubles.size(), 48u);
  EXPECT_EQ(doubles[0], "  01-02=  3x");
  EXPECT_EQ(Run({"stats", "doubles", "48"}).OutLines(), std::vector<std::string>{"  48-49=  0x"});
  EXPECT_TRUE(Run({"stats", "doubles", "49"}).out.empty());
  const auto trebles = Run({"stats", "trebles", "1"}).OutLines();
  ASSERT_EQ(trebles.size(), 1128u);
  EXPECT_EQ(trebles[0], "  01-02-03=  3x");
  EXPECT_EQ(trebles[1127], "  01-48-49=  0x");
  EXPECT_TRUE(Run({"stats", "trebles", "48"}).out.empty());
}

TEST_F(CliOnTiny, AddAppendsSavesWithBackupAndCountsAtOnce) {
  ASSERT_EQ(Run({"check", "1", "2", "3", "4", "5", "6"}).code, 0);  // builds the index
  const CliResult added = Run({"add", "7/2/2000", "6", "5", "4", "3", "2", "1", "9"});
  ASSERT_EQ(added.code, 0) << added.err;
  EXPECT_EQ(added.out, "Added 07/02/2000 01 02 03 04 05 06 09\n");
  EXPECT_EQ(folder_.Read("Tiny.opt"), kTinyHistory + "07/02/2000 01 02 03 04 05 06 09\r\n");
  EXPECT_EQ(folder_.Read("Tiny.old"), kTinyHistory);
  // Five draws now; two of them hold the whole line.
  EXPECT_EQ(Run({"check", "1", "2", "3", "4", "5", "6"}).out,
            "01-02-03-04-05-06 |  1|  1|  |  | 2| 1400%+\n");
  EXPECT_EQ(Run({"stats", "singles"}).OutLines()[0], "  01=  4x");
}

TEST_F(CliOnTiny, AddedDrawCountsLikeAFreshStart) {
  ASSERT_EQ(Run({"add", "07/02/2000", "1", "2", "3", "4", "5", "8", "6"}).code, 0);
  const std::string afterAdd = Run({"check", "1", "2", "3", "4", "5", "6"}).out;
  // Rebuilding the index from the saved history gives the same result.
  std::filesystem::remove(folder_ / "Tiny.dnd");
  EXPECT_EQ(Run({"check", "1", "2", "3", "4", "5", "6"}).out, afterAdd);
  // The new draw has five of the line's numbers and its sixth as bonus.
  EXPECT_EQ(afterAdd, "01-02-03-04-05-06 |  1|  1|  | 1| 1| 1400%+\n");
}

TEST_F(CliOnTiny, FailedSaveKeepsTheHistoryAndExitsOne) {
  ASSERT_EQ(Run({"check", "1", "2", "3", "4", "5", "6"}).code, 0);
  const auto before = Snapshot(folder_);
  std::filesystem::permissions(
      folder_.Path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                          std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                          std::filesystem::perms::others_exec);
  CliResult result;
  {
    AsUnprivilegedUser nobody;
    if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
    result = Run({"add", "07/02/2000", "1", "2", "3", "4", "5", "6", "9"});
  }
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("Could not save data file!"), std::string::npos) << result.err;
  EXPECT_EQ(folder_.Read("Tiny.opt"), kTinyHistory);
  EXPECT_EQ(Snapshot(folder_), before);
}

TEST_F(CliOnTiny, SearchListsFoundLinesInOrderAndSummarises) {
  const CliResult result = Run({"search", "--lines", "5"});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out,
            "01-02-03-04-05-06=1750%\n"
            "01-02-03-04-05-07=1750%\n"
            "01-02-03-04-05-08=1750%\n"
            "01-02-03-04-05-09=1750%\n"
            "01-02-03-04-05-10=3000%\n"
            "checked 5 lines, found 5, last line reached 01-02-03-04-05-10\n");
  EXPECT_FALSE(folder_.Exists("Tiny.ful"));  // only --resume keeps a position
}

TEST_F(CliOnTiny, SearchFromFollowsTheStartLineRule) {
  const auto firstLine = [this](std::vector<std::string> from) {
    from.insert(from.begin(), {"search", "--lines", "1", "--from"});
    return Run(from).OutLines().back();
  };
  EXPECT_EQ(firstLine({"1", "2", "3", "4", "5", "49"}),
            "checked 1 lines, found 1, last line reached 01-02-03-04-06-07");
  EXPECT_EQ(firstLine({"1", "2", "3", "4", "48", "49"}),
            "checked 1 lines, found 1, last line reached 01-02-03-05-06-07");
  EXPECT_EQ(firstLine({"49", "48", "47", "46", "45", "43"}),
            "checked 1 lines, found 0, last line reached 44-45-46-47-48-49");
  const CliResult none = Run({"search", "--from", "44", "45", "46", "47", "48", "49"});
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.out, "checked 0 lines, found 0\n");
}

TEST_F(CliOnTiny, SearchResumeSavesAndReadsThePosition) {
  const CliResult first = Run({"search", "--lines", "10", "--resume"});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.OutLines().back(),
            "checked 10 lines, found 10, last line reached 01-02-03-04-05-15");
  EXPECT_EQ(folder_.Read("Tiny.ful"), "01 02 03 04 05 15\r\n");
  // The saved line is checked again first, as after a stop on the page.
  const CliResult second = Run({"search", "--lines", "10", "--resume"});
  EXPECT_EQ(second.OutLines().front(), "01-02-03-04-05-15=1750%");
  EXPECT_EQ(folder_.Read("Tiny.ful"), "01 02 03 04 05 24\r\n");
  // A position ending in 49 resumes with the line after it.
  folder_.Write("Tiny.ful", "01 02 03 04 05 49\r\n");
  EXPECT_EQ(Run({"search", "--lines", "1", "--resume"}).OutLines().front(),
            "01-02-03-04-06-07=1750%");
  EXPECT_EQ(folder_.Read("Tiny.ful"), "01 02 03 04 06 07\r\n");
}

TEST_F(CliOnTiny, SearchResumeRejectsABrokenPositionFile) {
  for (const std::string bad : {"01 02 xx 04 05 06\r\n", "01 02 03\r\n", "05 05 06 07 08 09\r\n",
                                "01 02 03 04 05 77\r\n"}) {
    folder_.Write("Tiny.ful", bad);
    const CliResult result = Run({"search", "--lines", "3", "--resume"});
    EXPECT_EQ(result.code, 1) << bad;
    EXPECT_NE(result.err.find("Tiny.ful"), std::string::npos);
    EXPECT_EQ(folder_.Read("Tiny.ful"), bad);
  }
  // An empty file reads as no position: the search starts at 1 2 3 4 5 6.
  folder_.Write("Tiny.ful", "");
  EXPECT_EQ(Run({"search", "--lines", "1", "--resume"}).OutLines().front(),
            "01-02-03-04-05-06=1750%");
}

TEST(CliDataErrors, MissingSettingsHistoryOrReturnsExitOne) {
  TestFolder folder;
  // No vomrix.ini and no --lottery.
  CliResult result = RunIn(folder, {"check", "1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("Error reading initialisation file..."), std::string::npos);
  EXPECT_NE(result.err.find("There seems to be no lottery data file available"), std::string::npos);

  WriteTinyLottery(folder);
  std::filesystem::remove(folder / "Tiny.opt");
  result = RunIn(folder, {"check", "1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("No past draws available"), std::string::npos);
  EXPECT_FALSE(folder.Exists("Tiny.dnd"));

  WriteTinyLottery(folder);
  folder.Write("Tiny.ini", "bonus=true\r\nstake=1\r\nret3=0\r\nret4=60\r\n");
  result = RunIn(folder, {"check", "1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(result.code, 1);
  EXPECT_NE(result.err.find("There are some unresolved details please correct first."),
            std::string::npos);
}

TEST(CliAdd, WithoutBonusTheLineEndsInABlank) {
  TestFolder folder;
  WritePlainLottery(folder);
  const CliResult result =
      RunIn(folder, {"--lottery", "Plain", "add", "24/01/2000", "41", "5", "33", "9", "11", "20"});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(folder.Read("Plain.opt"),
            "10/01/2000 01 02 03 04 05 06 \r\n"
            "17/01/2000 07 08 09 10 11 12 \r\n"
            "24/01/2000 05 09 11 20 33 41 \r\n");
  const CliResult withBonus =
      RunIn(folder, {"--lottery", "Plain", "add", "31/01/2000", "1", "2", "3", "4", "5", "6", "7"});
  EXPECT_EQ(withBonus.code, 2);
}

TEST(CliAdd, StartsAHistoryWhenThereIsNone) {
  TestFolder folder;
  WritePlainLottery(folder);
  std::filesystem::remove(folder / "Plain.opt");
  const CliResult result =
      RunIn(folder, {"--lottery", "Plain", "add", "24/01/2000", "1", "2", "3", "4", "5", "6"});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(folder.Read("Plain.opt"), "24/01/2000 01 02 03 04 05 06 \r\n");
  EXPECT_EQ(RunIn(folder, {"--lottery", "Plain", "stats", "singles"}).OutLines()[0], "  01=  1x");
}

TEST(CliDemo, DefaultsToTheProgramFolderAndItsLottery) {
  TestFolder folder;
  for (const char* name : {"Sample.opt", "Sample.ini", "vomrix.ini"}) folder.CopyDemo(name);
  std::ostringstream out, err;
  const int code = RunCli(
      {(folder.Path() / "ballwright-cli").string(), "check", "3", "11", "12", "14", "41", "43"},
      out, err);
  ASSERT_EQ(code, 0) << err.str();
  EXPECT_EQ(out.str().substr(0, 19), "03-11-12-14-41-43 |");
  EXPECT_NE(out.str().find("%+"), std::string::npos);  // the first draw of the demo
  EXPECT_TRUE(folder.Exists("Sample.dnd"));
  const CliResult named =
      RunIn(folder, {"--lottery", "Sample", "check", "43", "41", "14", "12", "11", "3"});
  EXPECT_EQ(named.out, out.str());
}

}  // namespace
}  // namespace bw::test
