#include "store/settings_files.h"

#include <gtest/gtest.h>

#include "store/file_error.h"
#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw {
namespace {

class SettingsFiles : public ::testing::Test {
 protected:
  SettingsFiles() {
    state.appFolder = folder.Path();
    state.lottoFile = "Sample.opt";
  }
  bool ReadProgram(const std::string& bytes) {
    folder.Write("vomrix.ini", bytes);
    return ReadProgramSettings(state);
  }
  bool ReadLottery(const std::string& bytes) {
    folder.Write("Sample.ini", bytes);
    return ReadLotterySettings(state);
  }
  test::TestFolder folder;
  ProgramState state;
};

TEST_F(SettingsFiles, ProgramSettingsLineSyntax) {
  EXPECT_TRUE(ReadProgram("FILE = Sample.opt\r\n"));
  EXPECT_EQ(state.lottoFile, "Sample.opt");
  EXPECT_TRUE(ReadProgram("file=a=b.opt\r\n"));
  EXPECT_EQ(state.lottoFile, "a=b.opt");
  EXPECT_TRUE(ReadProgram("file=First.opt\r\nno equals here\r\n=Empty.opt\r\nfile=Second.opt\r\n"));
  EXPECT_EQ(state.lottoFile, "Second.opt");
  EXPECT_TRUE(ReadProgram("other=x\nfile=Unix.opt\n"));
  EXPECT_EQ(state.lottoFile, "Unix.opt");
}

TEST_F(SettingsFiles, MissingFilesReportFileNotFound) {
  EXPECT_FALSE(ReadProgramSettings(state));
  EXPECT_EQ(state.fileErrorNumber, kFileNotFound);
  EXPECT_FALSE(ReadLotterySettings(state));
  EXPECT_EQ(state.fileErrorNumber, kFileNotFound);
  state.appFolder = folder / "no such folder";
  EXPECT_FALSE(ReadProgramSettings(state));
  EXPECT_EQ(state.fileErrorNumber, kPathNotFound);
}

TEST_F(SettingsFiles, BonusIsFalseOnlyForTheWordFalse) {
  const std::pair<const char*, bool> cases[] = {
      {"bonus=FALSE", false}, {"bonus= false ", false}, {"Bonus=False", false}, {"bonus=no", true},
      {"bonus=", true},       {"bonus=0", true},        {"bonus=true", true}};
  for (const auto& [line, expected] : cases) {
    state.settings.useBonus = !expected;
    EXPECT_TRUE(ReadLottery(std::string(line) + "\r\n")) << line;
    EXPECT_EQ(state.settings.useBonus, expected) << line;
  }
}

TEST_F(SettingsFiles, AmountsFollowTheNumericReadingRule) {
  const std::pair<const char*, int32_t> cases[] = {{"2.5", 2},
                                                   {"3.5", 4},
                                                   {"12abc", 12},
                                                   {"abc", 0},
                                                   {"1E3", 1000},
                                                   {"1D2", 100},
                                                   {"-2.5", -2},
                                                   {"1 000", 1000},
                                                   {"  7  ", 7},
                                                   {"", 0},
                                                   {"4.51", 5},
                                                   {"-7", -7},
                                                   {"1.5E1", 15},
                                                   {"2e", 2},
                                                   {"0.5", 0},
                                                   {"+12", 12},
                                                   {"-", 0},
                                                   {"2147483647", 2147483647},
                                                   {"-2147483648", -2147483647 - 1}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ReadWholeNumber(text), std::optional<int32_t>(expected)) << text;
  }
  EXPECT_EQ(ReadWholeNumber("99999999999"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("1E999"), std::nullopt);
}

TEST_F(SettingsFiles, ReadsEveryLotteryKey) {
  state.settings.ret6 = 777;  // no "ret6=" line: the value stays
  EXPECT_TRUE(
      ReadLottery("bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\n"));
  const LotterySettings expected{true, 1, 10, 60, 1500, 100000, 777};
  EXPECT_EQ(state.settings, expected);
}

TEST_F(SettingsFiles, OverflowFailsTheReadButKeepsEarlierValues) {
  state.settings.ret4 = 5;
  EXPECT_FALSE(ReadLottery("stake=2\r\nret3=99999999999\r\nret4=60\r\n"));
  EXPECT_EQ(state.fileErrorNumber, kOverflow);
  EXPECT_EQ(state.settings.stake, 2);
  EXPECT_EQ(state.settings.ret4, 5);
}

TEST_F(SettingsFiles, ShortLottoFileIsAnInvalidArgument) {
  for (const char* name : {"", "a.o"}) {
    state.lottoFile = name;
    EXPECT_FALSE(ReadLotterySettings(state));
    EXPECT_EQ(state.fileErrorNumber, kInvalidArgument);
    EXPECT_FALSE(WriteLotterySettings(state));
    EXPECT_EQ(state.fileErrorNumber, kInvalidArgument);
  }
}

TEST_F(SettingsFiles, WritesTheExactLayout) {
  state.lottoFile = "  Lotto.opt ";
  EXPECT_TRUE(WriteProgramSettings(state));
  EXPECT_EQ(folder.Read("vomrix.ini"), "file=Lotto.opt\r\n");

  state.lottoFile = "Sample.opt";
  state.settings = {false, 2, 10, -60, 1500, 100000, 2147483647};
  EXPECT_TRUE(WriteLotterySettings(state));
  EXPECT_EQ(folder.Read("Sample.ini"),
            "bonus=false\r\nstake=2\r\nret3=10\r\nret4=-60\r\nret5=1500\r\nret5p=100000\r\n"
            "ret6=2147483647\r\n");
  state.settings = {};
  EXPECT_TRUE(ReadLotterySettings(state));
  EXPECT_EQ(state.settings, (LotterySettings{false, 2, 10, -60, 1500, 100000, 2147483647}));
}

TEST_F(SettingsFiles, WritingOverReadOnlyFilesSucceeds) {
  folder.Write("vomrix.ini", "file=Old.opt\r\n");
  folder.Write("Sample.ini", "stake=9\r\n");
  test::MarkReadOnly(folder / "vomrix.ini");
  test::MarkReadOnly(folder / "Sample.ini");
  EXPECT_TRUE(WriteProgramSettings(state));
  EXPECT_TRUE(WriteLotterySettings(state));
  EXPECT_EQ(folder.Read("vomrix.ini"), "file=Sample.opt\r\n");
  EXPECT_FALSE(test::IsReadOnly(folder / "Sample.ini"));
}

TEST_F(SettingsFiles, WritingIntoALockedFolderFailsAndKeepsTheOldFile) {
  folder.Write("Sample.ini", "stake=9\r\n");
  {
    test::AsUnprivilegedUser nobody;
    if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
    EXPECT_FALSE(WriteLotterySettings(state));
    EXPECT_EQ(state.fileErrorNumber, kPathFileAccess);
    EXPECT_FALSE(WriteProgramSettings(state));
  }
  EXPECT_EQ(folder.Read("Sample.ini"), "stake=9\r\n");
  EXPECT_FALSE(folder.Exists("vomrix.ini"));
}

}  // namespace
}  // namespace bw
