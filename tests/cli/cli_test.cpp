// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cli/cli_support.h"
#include "cli/record_writer.h"
#include "platform/file_system.h"
#include "platform/folder_lock.h"
#include "support/privileges.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;
using Result = CliResult;

const std::string kCheck = "check 1 2 3 4 5 6";
const std::string kRow = "01-02-03-04-05-06 |  1|  1|  |  | 1| 1750%+\n";

class Cli : public ::testing::Test {
 protected:
  void SetUp() override { WriteLotteries(folder_); }
  Result Run(const std::string& words, bool folderOption = true) {
    return RunIn(folder_, words, folderOption);
  }
  TestFolder folder_;
};

TEST_F(Cli, TheIndexIsBuiltOnceAndTheProgramsOwnFolderIsTheDefault) {
  ASSERT_EQ(Run(kCheck).out, kRow);
  EXPECT_TRUE(folder_.Exists("Tiny.dnd"));
  const auto built = folder_.Files();
  EXPECT_EQ(Run(kCheck, false).out, kRow);
  EXPECT_EQ(folder_.Files(), built);
}

TEST_F(Cli, ArgumentErrorsExitTwoWithOneLineAndChangeNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "no command"},
      {"dance", "unknown command \"dance\""},
      {"--colour check", "unknown option \"--colour\""},
      {"--lottery", "--lottery needs a value"},
      {"--lottery ../Tiny random", "unknown lottery \"../Tiny\""},
      {"random now", "no arguments"},
      {"check 1 2 3 4 5 6 7", "six numbers"},
      {"check 0 2 3 4 5 6", "\"0\""},
      {"system 1 2 3 4 5 6 7 8 9 10 11", "12 numbers"},
      {"search --lines 0", "1 or more"},
      {"search --lines", "needs a count"},
      {"search --from 1 2 3", "six numbers"},
      {"search --fast", "\"--fast\""},
      {"search --from 1 2 3 4 5 6 --resume", "cannot be used together"},
      {"stats", "singles"},
      {"stats quads 1", "unknown statistics list \"quads\""},
      {"stats doubles", "one number"},
      {"stats trebles 50", "\"50\""},
      {"stats singles 3", "takes no number"},
      {"add 31/02/2001 1 2 3 4 5 6 7", "not a draw date"},
      {"add 03/02/2001 1 2 3 4 5 6", "needs a bonus"},
      {"add 03/02/2001 1 2 3 4 5 6 7 8", "six numbers"},
      {"add 03/02/2001 1 2 3 4 5 6 6", "6 given twice"},
      {"--lottery Plain add 03/02/2001 1 2 3 4 5 6 7", "draws no bonus"},
      {"--format xml check 1 2 3 4 5 6", "unknown format \"xml\""},
      {"check --format", "--format needs a value"},
      {"--format csv check --format json 1 2 3 4 5 6", "--format given twice"},
      {"random --format csv", "random has no --format"},
      {"check 1 2 3 4 5 6 --format csv", "--format goes before the numbers"},
      {"--where random", "--where takes no command"},
      {"hits 1 2 3 4 5", "needs 6 numbers"},
      {"check --since 1 2 3 4 5 6", "not a date"},
      {"frequency --until", "needs a date"},
      {"distribution --since 2/1/2000 --until 1/1/2000", "--since is after --until"},
      {"hits --since 1/1/2000 --since 2/1/2000 1 2 3 4 5 6", "given twice"},
      {"frequency 7", "only --since and --until"},
      {"check --rnak 1 2 3 4 5 6", "\"--rnak\""},
      // Settled before the file is read: it need not exist.
      {"import x.csv --columns main=2-8", "main needs six columns, got 7"},
      {"import x.csv --stake 2", "--new NAME goes with --stake S and --returns"},
      {"import x.csv --new Tiny --stake 1 --returns 1,2,3,4,5", "\"Tiny\" exists already"},
      {"import", "import needs a FILE"},
  };
  const auto before = folder_.Files();
  for (const auto& [words, says] : cases) {
    SCOPED_TRACE(words);
    const Result result = Run(words);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
    EXPECT_EQ(folder_.Files(), before);
  }
}

// Every listing in text and as CSV or JSON, over the history or a date
// range; machine-readable listings name every field and leave the summary to
// the error stream. An output ending in "..." is the start of the whole.
TEST_F(Cli, ListingsWorkedOutByHand) {
  const std::string checkJson =
      R"({"line":[1,2,3,4,5,6],"hits3":1,"hits4":1,"hits5":0,"hits5bonus":0,"hits6":1,)"
      R"("percent":1750,"plus":true})"
      "\n";
  const std::string checkCsv = "line,hits3,hits4,hits5,hits5bonus,hits6,percent,plus\r\n";
  const std::string hits = "total: 4 draws, staked 4, returned 1000070\nbalance: 1000066\n";
  const std::string rank = " | better than 0.0% of all lines, 260365 do better\n";
  const struct {
    std::string words, out, err = "";
    int code = 0;
  } cases[] = {
      {"check 6 5 4 3 2 1 1 2 3 4 5 7 1 2 3 40 41 42 44 45 46 47 48 49",
       kRow + "01-02-03-04-05-07 |  1|  1|  | 1|  | 1750%+\n"
              "01-02-03-40-41-42 |  3|   |  |  |  | 750%\n"
              "44-45-46-47-48-49 |   |   |  |  |  |   0%\n"},
      {"check --format json 1 2 3 4 5 6", checkJson},
      {"--format json check 1 2 3 4 5 6", checkJson},
      {"check --format text 1 2 3 4 5 6", kRow},
      {"--format csv check 1 2 3 4 5 6 1 2 3 40 41 42",
       checkCsv + "01-02-03-04-05-06,1,1,0,0,1,1750,true\r\n"
                  "01-02-03-40-41-42,3,0,0,0,0,750,false\r\n"},
      {"search --format csv --lines 1 --from 1 2 3 4 5 49",
       "line,percent\r\n01-02-03-04-06-07,1750\r\n",
       "checked 1 lines, found 1, last line reached 01-02-03-04-06-07\n"},
      {"search --format json --lines 1 --from 44 45 46 47 48 49", "", "checked 0 lines, found 0\n"},
      {"stats --format csv doubles 48", "numbers,count\r\n48-49,0\r\n"},
      {"stats --format json trebles 1 ", "{\"numbers\":[1,2,3],\"count\":3}\n..."},
      {"hits --format json 1 2 3 4 5 6",
       R"({"date":"10/01/2000","numbers":[1,2,3,4,5,6],"bonus":7,"class":"6","return":1000000})"
       "\n...",
       hits},
      {"--format csv frequency", "number,count,bonus_count,since\r\n1,3,0,0\r\n...",
       "chi-square 78.05 on 48 degrees of freedom, p = 0.004\n"},
      {"--format json distribution", R"({"percent":0,"lines":13079169}...)"},
      {"hits 1 2 3 4 5 6",
       "10/01/2000 01 02 03 04 05 06 07 | 6\n17/01/2000 01 02 03 10 11 12 13 | 3\n"
       "31/01/2000 01 02 03 04 20 30 06 | 4\n" +
           hits},
      {"hits --until 10/1/2000 1 2 3 4 5 7",
       "10/01/2000 01 02 03 04 05 06 07 | 5+\ntotal: 1 draws, staked 1, returned 100000\n"
       "balance: 99999\n"},
      {"hits --since 17/01/2000 --until 24/01/2000 20 21 22 23 24 30",
       "24/01/2000 20 21 22 23 24 25 26 | 5\ntotal: 2 draws, staked 2, returned 1500\n"
       "balance: 1498\n"},
      {"hits 40 41 42 43 44 45", "total: 4 draws, staked 4, returned 0\nbalance: -4\n"},
      // Three draws: one 3 and one 4 make (100 / 3) x 70.
      {"check --since 17/1/2000 1 2 3 4 5 6", "01-02-03-04-05-06 |  1|  1|  |  |  | 2333%\n"},
      {"check --rank --until 10/1/2000 1 2 3 4 5 6 43 44 45 46 47 48",
       "01-02-03-04-05-06 |   |   |  |  | 1|   0%+" + rank +
           "43-44-45-46-47-48 |   |   |  |  |  |   0%" + rank},
      {"--format json check --rank --until 10/1/2000 44 45 46 47 48 49",
       R"({"line":[44,45,46,47,48,49],"hits3":0,"hits4":0,"hits5":0,"hits5bonus":0,"hits6":0,)"
       R"("percent":0,"plus":false,"lines_lower":0,"lines_higher":260365})"
       "\n"},
      {"distribution --since 1/2/2000", "",
       "ballwright-cli: no draws between 01/02/2000 and 31/01/2000\n", 1},
      {"--help", "Usage: ballwright-cli..."},
      {"import --help", "Usage: ballwright-cli [--folder DIR] [--lottery NAME] import..."},
      {"--version dance", "ballwright-cli " BALLWRIGHT_VERSION "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const Result result = Run(c.words);
    EXPECT_EQ(result.code, c.code);
    const bool start = c.out.ends_with("...");
    const std::string out = start ? c.out.substr(0, c.out.size() - 3) : c.out;
    EXPECT_EQ(start ? result.out.substr(0, out.size()) : result.out, out);
    EXPECT_EQ(result.err, c.err);
  }
  const auto system = Run("system --format json 12 11 10 9 8 7 6 5 4 3 2 1");
  EXPECT_EQ(system.Lines().size(), 924u);
  EXPECT_EQ(system.Lines()[0] + "\n", checkJson);
  EXPECT_EQ(system.err, "924 lines: 0 at 50 to 65%, 843 at 66% or more\n");
  const auto frequency = Run("frequency --since 17/01/2000").Lines();
  ASSERT_EQ(frequency.size(), 50u);
  EXPECT_EQ(frequency[0] + frequency[4] + frequency[19], "01 2 005 0 320 2 0");
  EXPECT_EQ(frequency[49], "chi-square 58.91 on 48 degrees of freedom, p = 0.134");
}

TEST(RecordWriter, QuotesCsvTextsOnlyWhereNeededAndEscapesJsonTexts) {
  const std::pair<std::string, std::pair<std::string, std::string>> cases[] = {
      {"plain", {"plain", R"("plain")"}},
      {"a,b", {R"("a,b")", R"("a,b")"}},
      {"say \"hi\"", {R"("say ""hi""")", R"("say \"hi\"")"}},
      {"two\r\nlines\\", {"\"two\r\nlines\\\"", R"("two\u000d\u000alines\\")"}},
  };
  for (const auto& [text, expected] : cases) {
    std::ostringstream csv, json;
    RecordWriter(csv, OutputFormat::Csv).Write({{"name", text}});
    RecordWriter(json, OutputFormat::Json).Write({{"name", text}});
    EXPECT_EQ(csv.str(), "name\r\n" + expected.first + "\r\n");
    EXPECT_EQ(json.str(), R"({"name":)" + expected.second + "}\n");
  }
}

// Where each layout keeps its lotteries is settled by the platform tests;
// here the command line hands it the program, the environment and --folder.
TEST(CliWhere, GivenFolderOrTheUserDataFolderOfAnInstalledProgram) {
  TestFolder root;
  fs::create_directories(root / "usr/bin");
  fs::create_directories(root / "usr/share/ballwright-data");
  WriteLotteries(root, "usr/share/ballwright-data/");
  const fs::path userFolder = root / "data" / "Ballwright";
  CliOptions options;
  options.environment = [&root](const std::string& name) -> std::optional<std::string> {
    if (name == "XDG_DATA_HOME" || name == "APPDATA") return (root / "data").string();
    return std::nullopt;
  };
  const auto run = [&](const std::string& words) {
    return RunProgram(root / "usr/bin/ballwright-cli", words, options);
  };
  EXPECT_EQ(run("--folder " + (root / "usr").string() + " --where").out,
            (root / "usr").string() + "\n");
  EXPECT_EQ(run("--where").out, userFolder.string() + "\n");
  EXPECT_FALSE(fs::exists(userFolder));  // --where only tells

  const Result first = run(kCheck);
  EXPECT_EQ(first.out, kRow) << first.err;
  EXPECT_EQ(root.Read("data/Ballwright/Tiny.opt"), kTiny);
}

TEST(CliDataErrors, ExitOneNameTheProblemAndChangeNothing) {
  const std::string add = "add 07/02/2000 1 2 3 4 5 6 9";
  // What spoils the folder after a good start.
  enum Spoil { Write, Remove, FolderInstead, NoAccess, ReadOnlyFolder };
  const struct {
    Spoil spoil;
    const char* file;
    std::string bytes, words;
    const char* says;
  } cases[] = {
      {Remove, "vomrix.ini", "", kCheck, "Error reading initialisation file...\n"},
      {Remove, "vomrix.ini", "", kCheck, "no lottery data file available"},
      {Remove, "Tiny.opt", "", kCheck, "No past draws available"},
      {FolderInstead, "Tiny.opt", "", kCheck, "Tiny.opt could not be read"},
      {NoAccess, "Tiny.opt", "", add, "Tiny.opt could not be read"},
      // A line that is not a date ends the read: no save may drop the lines after it.
      {Write, "Tiny.opt", kTiny.substr(0, 33) + "31/02/2000 01 02 03 04 05 06 07\r\n" + kTiny, add,
       "line 2: \"31/02/2000\" is not a date"},
      {Write, "Tiny.ini", "bonus=true\r\nstake=1\r\nret3=0\r\nret4=60\r\n", kCheck,
       "There are some unresolved details please correct first."},
      {Write, "Tiny.ini", "bonus=true\r\nstake=-18\r\nret3=10\r\nret4=60\r\n", kCheck,
       "Tiny.ini: stake=-18 is not a whole amount from 1 to 2,000,000,000"},
      {Write, "vomrix.ini", "file=../x/Tiny.opt\r\n", kCheck,
       "vomrix.ini: file=../x/Tiny.opt is not the name of a file in the lottery folder"},
      {Write, "Tiny.ful", "05 05 06 07 08 09\r\n", "search --resume", "Tiny.ful"},
      // A search that cannot keep its position says so, rather than lose the work.
      {FolderInstead, "Tiny.ful", "", "search --lines 2 --resume",
       "the search position could not be saved"},
      {ReadOnlyFolder, "", "", add, "Could not save data file!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    TestFolder folder;
    WriteLotteries(folder);
    ASSERT_EQ(RunIn(folder, kCheck).code, 0);
    if (c.spoil == Write) folder.Write(c.file, c.bytes);
    if (c.spoil == Remove || c.spoil == FolderInstead) fs::remove(folder / c.file);
    if (c.spoil == FolderInstead) fs::create_directory(folder / c.file);
    if (c.spoil == NoAccess) fs::permissions(folder / c.file, fs::perms::none);
    if (c.spoil == ReadOnlyFolder)
      fs::permissions(folder.Path(), fs::perms::others_write, fs::perm_options::remove);
    const bool needsNobody = c.spoil == NoAccess || c.spoil == ReadOnlyFolder;
    // A lock file every user of the folder may write, as in a shared folder.
    if (needsNobody) fs::permissions(folder / "ballwright.lock", fs::perms::all);
    const auto before = folder.Files();
    std::optional<AsUnprivilegedUser> nobody;
    if (needsNobody && !nobody.emplace().Switched()) continue;  // only root can become another user
    const Result result = RunIn(folder, c.words);
    nobody.reset();
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(folder.Files(), before);
  }
}

// Lines set aside are reported and saved in their places; a history read up
// to a line that is not a date is still checked.
TEST_F(Cli, LinesNotReadAreReportedAndKept) {
  const std::string first = "10/01/2000 01 02 03 04 05 06 07\r\n";
  const std::string history = first + "17/01/2000 01 02 03 04 05 50 07\r\n\r\n" + first;
  folder_.Write("Tiny.opt", history);
  const std::string says = "1 line of Tiny.opt is not a draw and was set aside: line 2";
  for (const Result& result : {Run(kCheck), Run("add 07/02/2000 1 2 3 4 5 6 9")}) {
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
  }
  EXPECT_EQ(folder_.Read("Tiny.opt"), history + "07/02/2000 01 02 03 04 05 06 09\r\n");
  folder_.Write("Tiny.opt", first + "31/02/2000 01 02 03 04 05 06 07\r\n");
  const Result partial = Run(kCheck);
  EXPECT_EQ(partial.code, 0);
  EXPECT_NE(partial.err.find("line 2: \"31/02/2000\" is not a date"), std::string::npos);
}

// That the index after an add counts as a fresh build does is the lock tests'.
TEST_F(Cli, AddKeepsABackupAndCountsTheNewDrawAtOnce) {
  ASSERT_EQ(Run(kCheck).code, 0);
  const Result added = Run("add 7/2/2000 8 6 5 4 3 2 1");
  ASSERT_EQ(added.code, 0) << added.err;
  EXPECT_EQ(added.out, "Added 07/02/2000 02 03 04 05 06 08 01\n");
  EXPECT_EQ(folder_.Read("Tiny.opt"), kTiny + "07/02/2000 02 03 04 05 06 08 01\r\n");
  EXPECT_EQ(folder_.Read("Tiny.old"), kTiny);
  // The new draw holds five of the line's numbers and its sixth as bonus.
  const std::string row = "01-02-03-04-05-06 |  1|  1|  | 1| 1| 1400%+\n";
  EXPECT_EQ(Run(kCheck).out, row);
  // Without a bonus the first draw starts a history and lines end in a blank.
  ASSERT_EQ(Run("--lottery Plain add 10/01/2000 41 5 33 9 11 20").code, 0);
  EXPECT_EQ(folder_.Read("Plain.opt"), "10/01/2000 05 09 11 20 33 41 \r\n");
  EXPECT_EQ(Run("--lottery Plain stats singles").Lines()[4], "  05=  1x");
}

// One rule for where a typed draw goes: in date order, never twice, a second
// draw of a day only when asked, no date before 1900 or after tomorrow.
TEST_F(Cli, AddKeepsTheHistoryInDateOrderAndRefusesRepeatsAndImpossibleDates) {
  const std::string first = kTiny.substr(0, 33), rest = kTiny.substr(33);
  const struct {
    std::string words;
    int code;
    std::string says, history;  // history "": unchanged
  } cases[] = {
      {"add 10/01/2000 1 2 3 4 5 6 7", 1, "holds this draw of 10/01/2000 already", ""},
      {"add 10/01/2000 1 2 3 4 5 9 7", 1, "give --same-day", ""},
      {"add 10/01/2000 1 2 3 4 5 9 7 --same-day", 0, "",
       first + "10/01/2000 01 02 03 04 05 09 07\r\n" + rest},
      {"add 12/01/2000 1 2 3 4 5 9 7", 0, "", first + "12/01/2000 01 02 03 04 05 09 07\r\n" + rest},
      {"add 31/12/1899 1 2 3 4 5 9 7", 1, "before 01/01/1900", ""},
      {"add 01/01/2200 1 2 3 4 5 9 7", 1, "after tomorrow", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    folder_.Write("Tiny.opt", kTiny);
    const Result result = Run(c.words);
    EXPECT_EQ(result.code, c.code) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(folder_.Read("Tiny.opt"), c.history.empty() ? kTiny : c.history);
  }
  // A history another program changes during the add keeps its change; the
  // draw goes beside it, and the add says it was not added.
  folder_.Write("Tiny.opt", kTiny);
  SetFileChangeHook([this, first, done = false](FileChange, const fs::path&) mutable {
    if (!std::exchange(done, true)) folder_.Write("Tiny.opt", first);
    return std::error_code();
  });
  const Result beside = Run("add 07/02/2000 1 2 3 4 5 9 7");
  SetFileChangeHook({});
  EXPECT_EQ(beside.code, 1);
  EXPECT_NE(beside.err.find("was not added to Tiny.opt: it was saved in Tiny.unsaved-"),
            std::string::npos)
      << beside.err;
  EXPECT_EQ(folder_.Read("Tiny.opt"), first);
}

TEST_F(Cli, SearchListsFoundLinesInOrderAndResumesWhereItStopped) {
  EXPECT_EQ(Run("search --lines 2").out,
            "01-02-03-04-05-06=1750%\n01-02-03-04-05-07=1750%\n"
            "checked 2 lines, found 2, last line reached 01-02-03-04-05-07\n");
  EXPECT_FALSE(folder_.Exists("Tiny.ful"));  // only --resume keeps a position
  const std::string resume = "search --lines 10 --resume";
  EXPECT_EQ(Run(resume).Lines().back(),
            "checked 10 lines, found 10, last line reached 01-02-03-04-05-15");
  // The position is the next line not yet checked, and a resumed search starts there.
  EXPECT_EQ(folder_.Read("Tiny.ful"), "01 02 03 04 05 16\r\n");
  EXPECT_EQ(Run(resume).Lines().front(), "01-02-03-04-05-16=1750%");
  EXPECT_EQ(folder_.Read("Tiny.ful"), "01 02 03 04 05 26\r\n");
  // A slice that ends just before a line ending in 49 checks it at once.
  folder_.Write("Tiny.ful", "01 02 03 04 05 47\r\n");
  EXPECT_EQ(Run("search --lines 2 --resume").Lines().back(),
            "checked 3 lines, found 3, last line reached 01-02-03-04-05-49");
  EXPECT_EQ(folder_.Read("Tiny.ful"), "01 02 03 04 06 07\r\n");
  // An empty file or first line starts from the first line, as the window does.
  for (const char* bytes : {"", "\r\n01 02 03 04 05 20\r\n"}) {
    folder_.Write("Tiny.ful", bytes);
    EXPECT_EQ(Run(resume).Lines().front(), "01-02-03-04-05-06=1750%") << bytes;
  }
}

TEST_F(Cli, RandomPrintsEightCheckedLinesAndTheNumberLeft) {
  const std::string out = Run("random").out;
  std::string layout;
  for (int n = 1; n <= 8; ++n) {
    layout += "Line " + std::to_string(n) + R"(  (\d\d-){5}\d\d \|[ |\d]*%\+?\n)";
  }
  EXPECT_TRUE(std::regex_match(out, std::regex(layout + R"(Not placed   >> \d\d?\n)"))) << out;
}

// Importing published result files into Tiny, or into a new lottery.
const std::string kImportData = BALLWRIGHT_IMPORT_DATA;

TEST_F(Cli, ImportIntoANewLotteryGivesTheDemoFilesByteForByte) {
  const Result result = Run("import " + kImportData +
                            "/Sample-results.csv --new Demo --stake 1 --returns "
                            "10,60,1500,100000,1000000");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out,
            "shape: separator comma, header yes, dates yyyy-mm-dd, newest first no, date column 4, "
            "main columns 5-10, bonus column 11\n"
            "read 3799 rows: 3799 new draws, 0 already there, 0 problems\n");
  folder_.CopyDemo("Sample.opt");
  folder_.CopyDemo("Sample.ini");
  EXPECT_EQ(folder_.Read("Demo.opt"), folder_.Read("Sample.opt"));
  EXPECT_EQ(folder_.Read("Demo.ini"), folder_.Read("Sample.ini"));
  EXPECT_EQ(folder_.Read("vomrix.ini"), "file=Demo.opt\r\n");
  EXPECT_TRUE(folder_.Exists("Demo.dnd"));
  EXPECT_EQ(Run("check 3 11 12 14 41 43").out, Run("--lottery Sample check 3 11 12 14 41 43").out);
}

// A file is merged only when every row is a draw or the bad rows are to be
// skipped; a refusal says its reason, and shows the rows column by column
// with the hint to settle the columns only where the shape is in question.
TEST_F(Cli, ImportMergesOnlyGoodFilesAndRefusalsSayTheirReason) {
  const std::string good = "07/02/2000,1,2,3,4,5,9,8\n24/01/2000,20,21,22,23,24,25,26\n";
  folder_.Write("good.csv", good);
  folder_.Write("bad.csv", good + "14/02/2000,1,2,3,4,5,50,8\n");
  folder_.Write("numbers.csv", "1,2,3,4,5,6,7,8\n9,10,11,12,13,14,15,16\n");
  folder_.Write("either.csv", "3/2/2024,4,13,26,34,35,42,1\n");
  fs::copy_file(kImportData + "/seven-numbers.csv", folder_ / "seven.csv");
  const std::string shape =
      "shape: separator comma, header no, dates dd/mm/yyyy, newest first yes, date column 1, "
      "main columns 2-7, bonus column 8\n";
  const std::string badRead = shape +
                              "read 3 rows: 1 new draw, 1 already there, 1 problem\n"
                              "line 3: main number \"50\" is not a number from 1 to 49\n";
  const std::string rows = "the first rows, column by column:\nline 1: ";
  const std::string nothing = "ballwright-cli: nothing imported\n";
  const struct {
    const char* words;
    int code;
    std::string out, err;
    bool written = false;
  } cases[] = {
      {"import @good.csv --dry-run", 0,
       shape + "read 2 rows: 1 new draw, 1 already there, 0 problems\n", ""},
      {"import @bad.csv", 1, badRead,
       "ballwright-cli: nothing imported: 1 row has a problem (--skip-bad leaves it out)\n"},
      {"import @bad.csv --until 07/02/2000 --dry-run", 0,
       shape + "read 2 rows: 1 new draw, 1 already there, 0 problems\n", ""},
      {"import @seven.csv", 1,
       "refused: the file draws 7 main numbers (columns 5-11); this lottery draws 6\n", nothing},
      {"import @numbers.csv", 1,
       "refused: no column holds dates\n" + rows +
           "1=1 2=2 3=3 4=4 5=5 6=6 7=7 8=8\nline 2: 1=9 2=10 3=11 4=12 5=13 6=14 7=15 8=16\n",
       "ballwright-cli: nothing imported; settle the shape by hand with --columns "
       "date=N,main=N-M,bonus=N|none and --date-order dmy|mdy|ymd\n"},
      {"import @either.csv", 1,
       "refused: the dates do not say whether the day or the month comes first: give "
       "--date-order dmy or mdy\n" +
           rows + "1=3/2/2024 2=4 3=13 4=26 5=34 6=35 7=42 8=1\n",
       nothing},
      {"import @either.csv --date-order mdy --dry-run", 0,
       "shape: separator comma, header no, dates mm/dd/yyyy, newest first no, date column 1, main "
       "columns 2-7, bonus column 8\nread 1 row: 1 new draw, 0 already there, 0 problems\n",
       ""},
      {"import @missing.csv", 1, "refused: cannot read @missing.csv: Error 53 File not found\n",
       nothing},
      {"import @bad.csv --skip-bad", 0, badRead, "", true},
  };
  const auto inFolder = [this](std::string text) {
    if (const auto at = text.find('@'); at != std::string::npos)
      text.replace(at, 1, folder_.Path().string() + "/");
    return text;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const auto before = folder_.Files();
    const Result result = Run(inFolder(c.words));
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.out, inFolder(c.out));
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(folder_.Files() != before, c.written);
  }
  EXPECT_EQ(folder_.Read("Tiny.opt"), kTiny + "07/02/2000 01 02 03 04 05 09 08\r\n");
  EXPECT_EQ(folder_.Read("Tiny.old"), kTiny);
  EXPECT_EQ(Run("stats singles").Lines()[0], "  01=  4x");
}

// Commands beside another holder of the lottery folder's lock: readers share
// it, a writer waits up to 2 seconds and then refuses, and nothing is written
// while a window has the folder open.
const std::string kHistory =
    "10/01/2000 01 02 03 04 05 06 07\r\n17/01/2000 01 02 03 10 11 12 13\r\n";
const std::string kAdd = "add 24/01/2000 20 21 22 23 24 25 26";
const std::string kBusy = "did not finish within 2 seconds";
const std::string kWindowOpen = "a Ballwright window has the lottery folder";

class CliLock : public Cli {
 protected:
  void SetUp() override {
    Cli::SetUp();
    folder_.Write("Tiny.opt", kHistory);
    ASSERT_EQ(Run(kCheck).code, 0);  // builds the index
  }
};

TEST_F(CliLock, CommandsBesideAnotherHolderShareWaitOrRefuse) {
  enum Holds { Shared, Exclusive, Window };
  const struct {
    Holds other;
    std::string words;
    std::string says;        // empty: the command runs
    bool indexGone = false;  // a reader then builds the index, which writes
  } cases[] = {
      {Shared, kCheck, ""},
      {Shared, kAdd, kBusy},
      {Exclusive, kCheck, kBusy},
      {Exclusive, kAdd, kBusy},
      {Window, kCheck, ""},
      {Window, kAdd, kWindowOpen},
      {Window, "history edit 10/01/2000 1 2 3 4 5 8 7", kWindowOpen},
      {Window, "history delete 10/01/2000", kWindowOpen},
      {Window, "history list", ""},
      {Shared, "history delete 10/01/2000", kBusy},
      {Window, "search --lines 1 --resume", kWindowOpen},
      {Window, kCheck, "does not match the saved history", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    if (c.indexGone) fs::remove(folder_ / "Tiny.dnd");
    FolderLock other(folder_.Path());
    const LockMode mode = c.other == Shared ? LockMode::Shared : LockMode::Exclusive;
    ASSERT_TRUE(c.other == Window ? other.MarkWindowOpen()
                                  : other.LockData(mode, std::chrono::milliseconds(0)) ==
                                        FolderLock::Result::Held);
    const Result result = Run(c.words);
    EXPECT_EQ(result.code, c.says.empty() ? 0 : 1) << result.err;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(folder_.Read("Tiny.opt"), kHistory);
    EXPECT_FALSE(folder_.Exists("Tiny.ful"));
  }
  EXPECT_EQ(Run(kAdd).code, 0);  // once the others are gone
}

#ifndef _WIN32  // other processes here need fork
// Eight adds at once, with the lock file as it should be, as a folder, and
// deleted again and again while they run: every add that said "Added" is in
// the history, and the counts are those of a fresh start.
TEST_F(CliLock, SimultaneousAddsThatSayAddedAllLandAndCountLikeAFreshStart) {
  constexpr int kGaveUp = 99;
  const fs::path lockFile = folder_ / FolderLock::kFileName;
  const struct {
    const char* name;
    std::function<void()> before;
    bool deleting;
    int added;  // how many must land
  } cases[] = {
      {"a plain lock file", [] {}, false, 8},
      {"a folder under the lock file's name",
       [&] { fs::remove(lockFile), fs::create_directory(lockFile); }, false, 0},
      {"the lock file deleted while held", [] {}, true, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(lockFile);
    folder_.Write("Tiny.opt", kHistory);
    c.before();
    std::vector<std::string> added;
    std::vector<pid_t> children;
    for (int i = 0; i < 8; ++i) {
      added.push_back("0" + std::to_string(i + 1) + "/02/2000 01 02 03 04 05 " +
                      std::to_string(10 + i) + " 4" + std::to_string(i));
      children.push_back(InChild([&] {
        // An add that waited its 2 seconds in vain (a loaded machine) says so.
        const auto run = Run("add " + added.back());
        return run.err.find("did not finish within") != std::string::npos ? kGaveUp : run.code;
      }));
    }
    for (int i = 0; c.deleting && i < 400; ++i) {  // while the adds run
      std::error_code ignored;
      fs::remove(lockFile, ignored);
      usleep(500);
    }
    std::vector<int> codes;  // all ended before the history is looked at
    for (const pid_t child : children) codes.push_back(ExitCodeOf(child));
    const std::string history = folder_.Read("Tiny.opt");
    int landed = 0;
    for (std::size_t i = 0; i < added.size(); ++i) {
      const bool there = history.find(added[i] + "\r\n") != std::string::npos;
      EXPECT_TRUE(there || codes[i] != 0) << added[i] << " said Added but is lost";
      landed += there;
    }
    if (c.added >= 0) {
      const auto gaveUp = std::count(codes.begin(), codes.end(), kGaveUp);
      EXPECT_EQ(landed + gaveUp, c.added);
      if (c.added > 0) {
        EXPECT_GT(landed, 0);
      }
    }
    fs::remove_all(lockFile);
    const std::string counted = Run(kCheck).out;
    fs::remove(folder_ / "Tiny.dnd");
    EXPECT_EQ(Run(kCheck).out, counted) << history;
  }
}

TEST_F(CliLock, AKilledHolderLeavesNoStaleLock) {
  EXPECT_EQ(ExitCodeOf(InChild([&] {
              FolderLock lock(folder_.Path());
              lock.MarkWindowOpen();
              lock.LockData(LockMode::Exclusive, std::nullopt);
              return raise(SIGKILL);
            })),
            -1);
  const Result added = Run(kAdd);
  EXPECT_EQ(added.code, 0) << added.err;
}
#endif

}  // namespace
}  // namespace bw::test
