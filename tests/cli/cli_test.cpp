#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/session.h"
#include "cli/cli.h"
#include "cli/record_writer.h"
#include "platform/system_services.h"
#include "store/settings_files.h"
#include "store/store_support.h"
#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw::test {
namespace {

namespace fs = std::filesystem;

// Four draws with bonus, worked through by hand below.
const std::string kTiny =
    "10/01/2000 01 02 03 04 05 06 07\r\n"
    "17/01/2000 01 02 03 10 11 12 13\r\n"
    "24/01/2000 20 21 22 23 24 25 26\r\n"
    "31/01/2000 01 02 03 04 20 30 06\r\n";
const std::string kCheck = "check 1 2 3 4 5 6";
const std::string kRow = "01-02-03-04-05-06 |  1|  1|  |  | 1| 1750%+\n";

struct Result {
  int code = -1;
  std::string out, err;
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

// The default lottery is Tiny; "Plain" draws no bonus and has no history yet.
void WriteLotteries(const TestFolder& folder, const std::string& in = "") {
  folder.Write(in + "vomrix.ini", "file=Tiny.opt\r\n");
  folder.Write(in + "Tiny.ini",
               "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\n"
               "ret5p=100000\r\nret6=1000000\r\n");
  folder.Write(in + "Tiny.opt", kTiny);
  folder.Write(in + "Plain.ini", "bonus=false\r\nstake=1\r\nret3=10\r\nret4=60\r\n");
}

Result RunIn(const TestFolder& folder, const std::string& words, bool folderOption = true) {
  std::vector<std::string> args = {(folder.Path() / "ballwright-cli").string()};
  if (folderOption) args.insert(args.end(), {"--folder", folder.Path().string()});
  std::istringstream in(words);
  for (std::string word; in >> word;) args.push_back(word);
  std::ostringstream out, err;
  const int code = RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

std::map<std::string, std::string> Snapshot(const TestFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder.Path()))
    files[entry.path().filename().string()] = folder.Read(entry.path().filename().string());
  return files;
}

class Cli : public ::testing::Test {
 protected:
  void SetUp() override { WriteLotteries(folder_); }
  Result Run(const std::string& words, bool folderOption = true) {
    return RunIn(folder_, words, folderOption);
  }
  TestFolder folder_;
};

TEST_F(Cli, CheckRowsWorkedOutByHandAndTheIndexIsBuiltOnce) {
  const Result result = Run("check 6 5 4 3 2 1 1 2 3 4 5 7 1 2 3 40 41 42 44 45 46 47 48 49");
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out, kRow +
                            "01-02-03-04-05-07 |  1|  1|  | 1|  | 1750%+\n"
                            "01-02-03-40-41-42 |  3|   |  |  |  | 750%\n"
                            "44-45-46-47-48-49 |   |   |  |  |  |   0%\n");
  EXPECT_TRUE(folder_.Exists("Tiny.dnd"));
  // Reused on a later start; without --folder the program's own folder is used.
  const auto built = Snapshot(folder_);
  EXPECT_EQ(Run(kCheck, false).out, kRow);
  EXPECT_EQ(Snapshot(folder_), built);
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
  };
  const auto before = Snapshot(folder_);
  for (const auto& [words, says] : cases) {
    SCOPED_TRACE(words);
    const Result result = Run(words);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(folder_), before);
  }
  EXPECT_EQ(Run("--help").out.rfind("Usage: ballwright-cli", 0), 0u);
  EXPECT_EQ(Run("--version dance").out, "ballwright-cli " BALLWRIGHT_VERSION "\n");
}

TEST_F(Cli, MachineReadableListingsNameEveryFieldAndLeaveTheSummaryToTheErrorStream) {
  const std::string checkJson =
      R"({"line":[1,2,3,4,5,6],"hits3":1,"hits4":1,"hits5":0,"hits5bonus":0,"hits6":1,)"
      R"("percent":1750,"plus":true})"
      "\n";
  const std::string checkCsv = "line,hits3,hits4,hits5,hits5bonus,hits6,percent,plus\r\n";
  const struct {
    std::string words, out, err;
  } cases[] = {
      {"check --format json 1 2 3 4 5 6", checkJson, ""},
      {"--format json check 1 2 3 4 5 6", checkJson, ""},
      {"check --format text 1 2 3 4 5 6", kRow, ""},
      {"--format csv check 1 2 3 4 5 6 1 2 3 40 41 42",
       (checkCsv + "01-02-03-04-05-06,1,1,0,0,1,1750,true\r\n"
                   "01-02-03-40-41-42,3,0,0,0,0,750,false\r\n"),
       ""},
      {"search --format csv --lines 1 --from 1 2 3 4 5 49",
       "line,percent\r\n01-02-03-04-06-07,1750\r\n",
       "checked 1 lines, found 1, last line reached 01-02-03-04-06-07\n"},
      {"search --format json --lines 1 --from 44 45 46 47 48 49", "", "checked 0 lines, found 0\n"},
      {"stats --format csv doubles 48", "numbers,count\r\n48-49,0\r\n", ""},
      {"stats --format json trebles 1 ",
       R"({"numbers":[1,2,3],"count":3})"
       "\n",
       ""},
      {"hits --format json 1 2 3 4 5 6",
       R"({"date":"10/01/2000","numbers":[1,2,3,4,5,6],"bonus":7,"class":"6","return":1000000})"
       "\n",
       "total: 4 draws, staked 4, returned 1000070\nbalance: 1000066\n"},
      {"--format csv frequency", "number,count,bonus_count,since\r\n1,3,0,0\r\n",
       "chi-square 78.05 on 48 degrees of freedom, p = 0.004\n"},
      {"--format json distribution", R"({"percent":0,"lines":13079169})", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const Result result = Run(c.words);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(result.err, c.err);
  }
  const auto system = Run("system --format json 12 11 10 9 8 7 6 5 4 3 2 1");
  EXPECT_EQ(system.Lines().size(), 924u);
  EXPECT_EQ(system.Lines()[0] + "\n", checkJson);
  EXPECT_EQ(system.err, "924 lines: 0 at 50 to 65%, 843 at 66% or more\n");
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

TEST(CliWhere, PortableFolderGivenFolderOrTheUserDataFolderOfAnInstalledProgram) {
  TestFolder root;
  fs::create_directories(root / "usr/bin");
  fs::create_directories(root / "usr/share/ballwright");
  WriteLotteries(root, "usr/share/ballwright/");
  fs::create_directories(root / "portable");
  WriteLotteries(root, "portable/");
  const fs::path userFolder = root / "data" / "Ballwright";
  CliOptions options;
  options.environment = [&root](const std::string& name) -> std::optional<std::string> {
    if (name == "XDG_DATA_HOME" || name == "APPDATA") return (root / "data").string();
    return std::nullopt;
  };
  const auto run = [&root, &options](const std::string& program, std::vector<std::string> words) {
    words.insert(words.begin(), (root / program / "ballwright-cli").string());
    std::ostringstream out, err;
    const int code = RunCli(words, out, err, options);
    return Result{code, out.str(), err.str()};
  };
  const struct {
    const char* program;
    std::vector<std::string> words;
    fs::path folder;
  } cases[] = {
      {"portable", {"--where"}, root / "portable"},
      {"usr/bin", {"--folder", (root / "portable").string(), "--where"}, root / "portable"},
      {"usr/bin", {"--where"}, userFolder}};
  for (const auto& c : cases) EXPECT_EQ(run(c.program, c.words).out, c.folder.string() + "\n");
  EXPECT_FALSE(fs::exists(userFolder));  // --where only tells

  const Result first = run("usr/bin", {"check", "1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(first.out, kRow) << first.err;
  EXPECT_EQ(root.Read("data/Ballwright/Tiny.opt"), kTiny);
}

TEST(CliDataErrors, ExitOneNameTheProblemAndChangeNothing) {
  // The file spoilt after a good start: no bytes removes it, no name makes the folder read-only.
  const struct {
    const char *file, *bytes, *words, *says;
  } cases[] = {
      {"vomrix.ini", nullptr, kCheck.c_str(), "Error reading initialisation file...\n"},
      {"vomrix.ini", nullptr, kCheck.c_str(), "no lottery data file available"},
      {"Tiny.opt", nullptr, kCheck.c_str(), "No past draws available"},
      {"Tiny.ini", "bonus=true\r\nstake=1\r\nret3=0\r\nret4=60\r\n", kCheck.c_str(),
       "There are some unresolved details please correct first."},
      {"Tiny.ful", "05 05 06 07 08 09\r\n", "search --resume", "Tiny.ful"},
      {nullptr, nullptr, "add 07/02/2000 1 2 3 4 5 6 9", "Could not save data file!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    TestFolder folder;
    WriteLotteries(folder);
    ASSERT_EQ(RunIn(folder, kCheck).code, 0);
    if (c.bytes) folder.Write(c.file, c.bytes);
    if (c.file && !c.bytes) fs::remove(folder / c.file);
    if (!c.file) fs::permissions(folder.Path(), fs::perms::others_write, fs::perm_options::remove);
    const auto before = Snapshot(folder);
    std::optional<AsUnprivilegedUser> nobody;
    if (!c.file && !nobody.emplace().Switched()) continue;  // only root can become another user
    const Result result = RunIn(folder, c.words);
    nobody.reset();
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(folder), before);
  }
}

TEST(CliHistoryReading, LinesNotReadAreNeverWrittenOver) {
  const std::string first = "10/01/2000 01 02 03 04 05 06 07\r\n";
  const struct {
    std::string history;  // empty: the history cannot be read
    bool asNobody;        // unreadable for lack of permission rather than a folder in its place
    int checkCode, addCode;
    const char* says;  // by both commands on the error stream
  } cases[] = {
      {first + "17/01/2000 01 02 03 04 05 50 07\r\n\r\n" + first, false, 0, 0,
       "1 line of Tiny.opt is not a draw and was set aside: line 2"},
      {first + "31/02/2000 01 02 03 04 05 06 07\r\n" + first, false, 0, 1,
       "line 2: \"31/02/2000\" is not a date"},
      {"", false, 1, 1, "Tiny.opt could not be read"},
      {"", true, 1, 1, "Tiny.opt could not be read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    TestFolder folder;
    WriteLotteries(folder);
    folder.Write("Tiny.old", "older\r\n");
    if (c.history.empty() && !c.asNobody) {
      fs::remove(folder / "Tiny.opt");
      fs::create_directory(folder / "Tiny.opt");
    } else if (c.history.empty()) {
      fs::permissions(folder / "Tiny.opt", fs::perms::none);
    } else {
      folder.Write("Tiny.opt", c.history);
    }
    const std::string kept = folder.Read("Tiny.opt");
    std::optional<AsUnprivilegedUser> nobody;
    if (c.asNobody && !nobody.emplace().Switched()) continue;  // only root can become another user
    const Result check = RunIn(folder, kCheck);
    const Result add = RunIn(folder, "add 07/02/2000 1 2 3 4 5 6 9");
    nobody.reset();
    EXPECT_EQ(check.code, c.checkCode);
    EXPECT_EQ(add.code, c.addCode);
    EXPECT_NE(check.err.find(c.says), std::string::npos) << check.err;
    EXPECT_NE(add.err.find(c.says), std::string::npos) << add.err;
    const std::string added = c.addCode == 0 ? "07/02/2000 01 02 03 04 05 06 09\r\n" : "";
    EXPECT_EQ(folder.Read("Tiny.opt"), kept + added);
    EXPECT_EQ(folder.Read("Tiny.old"), c.addCode == 0 ? kept : "older\r\n");
  }
}

TEST_F(Cli, AddKeepsABackupAndCountsLikeAFreshStart) {
  ASSERT_EQ(Run(kCheck).code, 0);
  const Result added = Run("add 7/2/2000 8 6 5 4 3 2 1");
  ASSERT_EQ(added.code, 0) << added.err;
  EXPECT_EQ(added.out, "Added 07/02/2000 02 03 04 05 06 08 01\n");
  EXPECT_EQ(folder_.Read("Tiny.opt"), kTiny + "07/02/2000 02 03 04 05 06 08 01\r\n");
  EXPECT_EQ(folder_.Read("Tiny.old"), kTiny);
  // The new draw holds five of the line's numbers and its sixth as bonus.
  const std::string row = "01-02-03-04-05-06 |  1|  1|  | 1| 1| 1400%+\n";
  EXPECT_EQ(Run(kCheck).out, row);
  fs::remove(folder_ / "Tiny.dnd");
  EXPECT_EQ(Run(kCheck).out, row);
  // Without a bonus the first draw starts a history and lines end in a blank.
  ASSERT_EQ(Run("--lottery Plain add 10/01/2000 41 5 33 9 11 20").code, 0);
  EXPECT_EQ(folder_.Read("Plain.opt"), "10/01/2000 05 09 11 20 33 41 \r\n");
  EXPECT_EQ(Run("--lottery Plain stats singles").Lines()[4], "  05=  1x");
}

// Index files that disagree with the history are rebuilt before a count is
// shown, to exactly what a clean build writes.
TEST_F(Cli, DamagedOrStaleIndexIsRebuiltBeforeAnyCountIsShown) {
  const std::string search = "search --lines 2";
  const std::map<std::string, std::string> shown = {{kCheck, Run(kCheck).out},
                                                    {search, Run(search).out}};
  const auto clean = Snapshot(folder_);
  const std::pair<const char*, std::function<void()>> damages[] = {
      {"deleted", [&] { fs::remove(folder_ / "01_S_Tiny.opt"); }},
      {"truncated",
       [&] { folder_.Write("01_F_Tiny.opt", clean.at("01_F_Tiny.opt").substr(0, 20)); }},
      {"emptied", [&] { folder_.Write("01_P_Tiny.opt", ""); }},
      {"old marker", [&] { folder_.Write("Tiny.dnd", "WARNING:- DO NOT DELETE THIS FILE.\r\n"); }},
      {"huge count", [&] { folder_.Write("01_S_Tiny.opt", "010203040506=360000000:\r\n"); }},
#ifndef _WIN32  // a kill mid-way needs fork
      {"add killed after its index update, before its history save",
       [&] {
         const pid_t child = fork();
         if (child == 0) {  // the steps of an add, then a kill
           RecordingSink sink;
           SystemClock clock;
           Session session(folder_.Path(), sink, clock);
           session.State().lottoFile = "Tiny.opt";
           ReadLotterySettings(session.State());
           session.LoadHistory();
           session.AppendDraw("07/02/2000 01 02 03 04 05 06 09");
           raise(SIGKILL);
         }
         int status = 0;
         waitpid(child, &status, 0);
         ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
         ASSERT_NE(folder_.Read("01_S_Tiny.opt"), clean.at("01_S_Tiny.opt"));
       }},
#endif
  };
  for (const auto& [name, damage] : damages) {
    for (const auto& [command, out] : shown) {
      SCOPED_TRACE(std::string(name) + ": " + command);
      damage();
      const Result result = Run(command);
      EXPECT_EQ(result.code, 0) << result.err;
      EXPECT_EQ(result.out, out);
      EXPECT_EQ(Snapshot(folder_), clean);
    }
  }
}

TEST_F(Cli, SearchListsFoundLinesInOrderAndStartsAfterTheGivenOrSavedLine) {
  EXPECT_EQ(Run("search --lines 2").out,
            "01-02-03-04-05-06=1750%\n01-02-03-04-05-07=1750%\n"
            "checked 2 lines, found 2, last line reached 01-02-03-04-05-07\n");
  EXPECT_FALSE(folder_.Exists("Tiny.ful"));  // only --resume keeps a position
  const std::pair<const char*, const char*> cases[] = {
      {"1 2 3 4 5 49", "checked 1 lines, found 1, last line reached 01-02-03-04-06-07\n"},
      {"49 48 47 46 45 43", "checked 1 lines, found 0, last line reached 44-45-46-47-48-49\n"},
      {"44 45 46 47 48 49", "checked 0 lines, found 0\n"},
  };
  for (const auto& [from, summary] : cases) {
    const std::string out = Run("search --lines 1 --from " + std::string(from)).out;
    EXPECT_TRUE(out.ends_with(summary)) << from << "\n" << out;
  }
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
  // A stored line ending in 49 was checked by the older rule; an empty first
  // line starts from the first line, as the window does.
  const std::pair<const char*, const char*> saved[] = {
      {"01 02 03 04 05 49\r\n", "01-02-03-04-06-07=1750%"},
      {"", "01-02-03-04-05-06=1750%"},
      {"\r\n01 02 03 04 05 20\r\n", "01-02-03-04-05-06=1750%"},
      {"   \r\n", "01-02-03-04-05-06=1750%"},
  };
  for (const auto& [bytes, first] : saved) {
    folder_.Write("Tiny.ful", bytes);
    const Result result = Run(resume);
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), first) << bytes << result.err;
  }
}

TEST_F(Cli, HitsFrequencyAndRanksOverTheHistoryOrADateRange) {
  const std::pair<std::string, std::string> cases[] = {
      {"hits 1 2 3 4 5 6",
       "10/01/2000 01 02 03 04 05 06 07 | 6\n17/01/2000 01 02 03 10 11 12 13 | 3\n"
       "31/01/2000 01 02 03 04 20 30 06 | 4\n"
       "total: 4 draws, staked 4, returned 1000070\nbalance: 1000066\n"},
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
       "01-02-03-04-05-06 |   |   |  |  | 1|   0%+ | better than 0.0% of all lines, 260365 do "
       "better\n43-44-45-46-47-48 |   |   |  |  |  |   0% | better than 0.0% of all lines, "
       "260365 do better\n"},
      {"--format json check --rank --until 10/1/2000 44 45 46 47 48 49",
       R"({"line":[44,45,46,47,48,49],"hits3":0,"hits4":0,"hits5":0,"hits5bonus":0,"hits6":0,)"
       R"("percent":0,"plus":false,"lines_lower":0,"lines_higher":260365})"
       "\n"},
  };
  for (const auto& [words, out] : cases) {
    const Result result = Run(words);
    EXPECT_EQ(result.code, 0) << words << result.err;
    EXPECT_EQ(result.out, out) << words;
  }
  const auto frequency = Run("frequency --since 17/01/2000").Lines();
  ASSERT_EQ(frequency.size(), 50u);
  EXPECT_EQ(frequency[0], "01 2 0");
  EXPECT_EQ(frequency[4], "05 0 3");
  EXPECT_EQ(frequency[19], "20 2 0");
  EXPECT_EQ(frequency[49], "chi-square 58.91 on 48 degrees of freedom, p = 0.134");
  int64_t lines = 0;
  for (const std::string& line : Run("distribution").Lines())
    lines += std::stoll(line.substr(line.find(' ')));
  EXPECT_EQ(lines, 13983816);
  const Result empty = Run("distribution --since 1/2/2000");
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(empty.err, "ballwright-cli: no draws between 01/02/2000 and 31/01/2000\n");
}

TEST_F(Cli, StatisticsListsStartAtTheGivenNumber) {
  EXPECT_EQ(Run("stats singles").Lines()[0], "  01=  3x");
  EXPECT_EQ(Run("stats doubles 1").Lines()[0], "  01-02=  3x");
  EXPECT_EQ(Run("stats trebles 47").out + Run("stats doubles 48").out + Run("stats trebles 48").out,
            "  47-48-49=  0x\n  48-49=  0x\n");
}

TEST_F(Cli, FullSystemListsAll924RowsAndASummary) {
  const auto lines = Run("system 12 11 10 9 8 7 6 5 4 3 2 1").Lines();
  ASSERT_EQ(lines.size(), 925u);
  EXPECT_EQ(lines[0] + "\n", kRow);
  EXPECT_EQ(lines[924], "924 lines: 0 at 50 to 65%, 843 at 66% or more");
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

TEST_F(Cli, ImportMergesOnlyWhenEveryRowIsADrawOrBadRowsAreSkipped) {
  const std::string good =
      "Date,N1,N2,N3,N4,N5,N6,Bonus\n07/02/2000,1,2,3,4,5,9,8\n"
      "24/01/2000,20,21,22,23,24,25,26\n";
  const std::string bad = good + "14/02/2000,1,2,3,4,5,50,8\n";
  folder_.Write("good.csv", good);
  folder_.Write("bad.csv", bad);
  const struct {
    const char* words;
    int code;
    const char* out;  // after the shape line
    bool written;
  } cases[] = {
      {"import @good.csv --dry-run", 0, "read 2 rows: 1 new draws, 1 already there, 0 problems\n",
       false},
      {"import @bad.csv", 1,
       "read 3 rows: 1 new draws, 1 already there, 1 problems\n"
       "line 4: main number \"50\" is not a number from 1 to 49\n",
       false},
      {"import @bad.csv --skip-bad", 0,
       "read 3 rows: 1 new draws, 1 already there, 1 problems\n"
       "line 4: main number \"50\" is not a number from 1 to 49\n",
       true},
      {"import @seven.csv", 1, "", false},
      {"import @good.csv --columns main=2-8", 2, "", false},
      {"import @good.csv --stake 2", 2, "", false},
      {"import @good.csv --new Tiny --stake 1 --returns 1,2,3,4,5", 2, "", false},
      {"import", 2, "", false},
  };
  fs::copy_file(kImportData + "/seven-numbers.csv", folder_ / "seven.csv");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    const auto before = Snapshot(folder_);
    std::string words = c.words;
    if (words.find('@') != std::string::npos)
      words.replace(words.find('@'), 1, folder_.Path().string() + "/");
    const Result result = Run(words);
    EXPECT_EQ(result.code, c.code) << result.err;
    if (c.code == 0 || !std::string(c.out).empty()) {
      EXPECT_EQ(result.out.substr(result.out.find('\n') + 1), c.out);
    }
    EXPECT_EQ(Snapshot(folder_) != before, c.written);
  }
  EXPECT_EQ(folder_.Read("Tiny.opt"), kTiny + "07/02/2000 01 02 03 04 05 09 08\r\n");
  EXPECT_EQ(folder_.Read("Tiny.old"), kTiny);
  EXPECT_EQ(Run("stats singles").Lines()[0], "  01=  4x");
}

}  // namespace
}  // namespace bw::test
