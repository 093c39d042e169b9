// SPDX-License-Identifier: GPL-3.0-or-later
// The wheel command: its listing in each format, the check of a wheel file,
// and the wrong input it refuses. It needs no lottery folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>

#include "cli_support.h"

namespace bw::test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

// The test framework's own patterns are too plain on some systems.
bool Matches(const std::string& text, const std::string& pattern) {
  return std::regex_match(text, std::regex(pattern));
}

const std::string kTwelve = " 1 2 3 4 5 6 7 8 9 10 11 12";

TEST(CliWheel, ListsTheLinesThenTheCountTheProofAndTheBound) {
  const TestFolder folder;
  const auto text = RunProgram(folder / "ballwright-cli", "wheel --guarantee 3if5" + kTwelve);
  ASSERT_EQ(text.code, 0) << text.err;
  const auto lines = text.Lines();
  ASSERT_EQ(lines.size(), 5u);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(Matches(lines[i], "[0-9]{2}(-[0-9]{2}){5}")) << lines[i];
  EXPECT_THAT(std::vector<std::string>(lines.begin() + 2, lines.end()),
              ElementsAre("lines: 2", "guarantee: 3 if 5, proved over 792 sets", "lower bound: 2"));

  struct Row {
    std::string words;
    std::string first, second;  // of the listing
  };
  const Row rows[] = {
      {"--format csv wheel --guarantee 3if5" + kTwelve, "line\r", "[0-9]{2}(-[0-9]{2}){5}\r"},
      {"wheel --format json --guarantee 3if5" + kTwelve, "\\{\"line\":\\[[0-9,]+\\]\\}", ".+"},
      {"wheel --guarantee 3if5 --seed 9 --format json" + kTwelve, "\\{\"line\":\\[[0-9,]+\\]\\}",
       ".+"},
  };
  for (const Row& row : rows) {
    const auto result = RunProgram(folder / "ballwright-cli", row.words);
    ASSERT_EQ(result.code, 0) << row.words << result.err;
    ASSERT_GE(result.Lines().size(), 2u);
    EXPECT_TRUE(Matches(result.Lines()[0], row.first)) << row.words;
    EXPECT_TRUE(Matches(result.Lines()[1], row.second)) << row.words;
    EXPECT_THAT(result.err, HasSubstr("guarantee: 3 if 5, proved over 792 sets"));
  }
  const auto seeded = "wheel --guarantee 2if3 --seed 5 1 2 3 4 5 6 7 8 9 10";
  EXPECT_EQ(RunProgram(folder / "ballwright-cli", seeded).out,
            RunProgram(folder / "ballwright-cli", seeded).out);
}

TEST(CliWheel, ChecksAWheelFileAndNamesTheFirstSetItMisses) {
  const TestFolder folder;
  folder.Write("two.txt", "01 02 03 04 05 06\r\n\r\n07-08-09-10-11-12\r\n");
  const std::string check = "wheel --check " + (folder / "two.txt").string();
  const auto holds = RunProgram(folder / "ballwright-cli", check + " --guarantee 3if5" + kTwelve);
  EXPECT_EQ(holds.code, 0);
  EXPECT_THAT(holds.Lines(),
              ElementsAre("lines: 2", "guarantee: 3 if 5, proved over 792 sets", "lower bound: 2"));
  const auto fails = RunProgram(folder / "ballwright-cli", check + " --guarantee 4if5" + kTwelve);
  EXPECT_EQ(fails.code, 1);
  // The command's own listing, notes and all, reads back.
  folder.Write("own.txt",
               RunProgram(folder / "ballwright-cli", "wheel --guarantee 3if5" + kTwelve).out);
  EXPECT_EQ(RunProgram(folder / "ballwright-cli", "wheel --check " + (folder / "own.txt").string() +
                                                      " --guarantee 3if5" + kTwelve)
                .code,
            0);
  EXPECT_THAT(
      fails.Lines(),
      ElementsAre("lines: 2", "guarantee: 4 if 5 fails: no line holds 4 of 01-02-03-07-08"));
}

TEST(CliWheel, WrongInputExitsTwoWithTheReason) {
  const TestFolder folder;
  folder.Write("outside.txt", "1 2 3 4 5 6\n7 8 9 10 11 12\n");
  folder.Write("short.txt", "1 2 3 4 5\n");
  const std::string file = folder.Path().string() + "/";
  struct Row {
    std::string words, reason;
  };
  const Row rows[] = {
      {"wheel --guarantee 3if6 1 2 3 4 5 6", "7 to 49 different numbers, got 6"},
      {"wheel --guarantee 3if6 1 2 3 4 5 6 7 7", "number 7 given twice"},
      {"wheel --guarantee 3if6 1 2 3 4 5 6 50", "not a number from 1 to 49"},
      {"wheel --guarantee 1if6" + kTwelve, "T is at least 2"},
      {"wheel --guarantee 4if3" + kTwelve, "T cannot be more than M"},
      {"wheel --guarantee 3if7" + kTwelve, "M is at most 6"},
      {"wheel --guarantee 6if6" + kTwelve, "T is at most 5"},
      {"wheel --guarantee 5if6 1 2 3 4 5 6 7", "one line already guarantees 5 if 6"},
      {"wheel" + kTwelve, "wheel needs --guarantee"},
      {"wheel --guarantee three" + kTwelve, "like 3if6"},
      {"wheel --guarantee 3if6 --seed x" + kTwelve, "--seed needs a whole number"},
      {"wheel --guarantee 3if6 --lines 4" + kTwelve, "unknown wheel option"},
      {"wheel --check " + file + "outside.txt --guarantee 3if5 1 2 3 4 5 6 7 8 9 10 11 13",
       "outside.txt\" line 2: the number 12 is not among the chosen numbers"},
      {"wheel --check " + file + "short.txt --guarantee 3if5" + kTwelve,
       "short.txt\" line 1: a line needs six different numbers"},
      {"wheel --check " + file + "none.txt --guarantee 3if5" + kTwelve,
       "cannot read the wheel file"},
  };
  for (const Row& row : rows) {
    const auto result = RunProgram(folder / "ballwright-cli", row.words);
    EXPECT_EQ(result.code, 2) << row.words;
    EXPECT_THAT(result.err, HasSubstr(row.reason)) << row.words;
    EXPECT_EQ(result.out, "") << row.words;
  }
}

}  // namespace
}  // namespace bw::test
