#include <gtest/gtest.h>

#include <vector>

#include "store/file_error.h"
#include "store/history_file.h"
#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw {
namespace {

struct RecordingProgress : SaveProgress {
  void Show(bool visible) override { shown.push_back(visible); }
  void SetFill(float percent) override { fills.push_back(percent); }
  std::vector<bool> shown;
  std::vector<float> fills;
};

struct RecordingSink : MessageSink {
  MessageAnswer Show(const Message& message) override {
    messages.push_back(message);
    return MessageAnswer::Ok;
  }
  std::vector<Message> messages;
};

class HistorySave : public ::testing::Test {
 protected:
  HistorySave() {
    state.appFolder = folder.Path();
    state.lottoFile = "Lotto.opt";
  }
  test::TestFolder folder;
  ProgramState state;
  RecordingProgress progress;
  RecordingSink sink;
};

TEST_F(HistorySave, WritesEntriesUnchangedWithoutPlaceholdersAndKeepsABackup) {
  folder.Write("Lotto.opt", "previous\r\n");
  state.draws = {"00/00/0000 01 02 03 04 05 06 ", "05/12/2000 03 11 17 25 38 44 ",
                 "12/12/2000 01 02 03 04 05 06 09"};
  EXPECT_TRUE(WriteHistoryFile(state, false, &progress));
  EXPECT_EQ(folder.Read("Lotto.opt"),
            "05/12/2000 03 11 17 25 38 44 \r\n12/12/2000 01 02 03 04 05 06 09\r\n");
  EXPECT_EQ(folder.Read("Lotto.old"), "previous\r\n");
  EXPECT_EQ(state.draws.size(), 3u);
  EXPECT_EQ(progress.fills,
            (std::vector<float>{0.0f, 100.0f / 3.0f, 100.0f / 3.0f * 2.0f, 100.0f}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(HistorySave, SavingTwiceLeavesTheFirstSaveInTheBackup) {
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  EXPECT_TRUE(WriteHistoryFile(state, false));
  EXPECT_FALSE(folder.Exists("Lotto.old"));
  state.draws.push_back("12/12/2000 01 02 03 04 05 06 ");
  state.historyChanged = true;
  SaveHistory(state, sink);
  EXPECT_FALSE(state.historyChanged);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(folder.Read("Lotto.old"), "05/12/2000 03 11 17 25 38 44 \r\n");
}

TEST_F(HistorySave, ReadOnlyHistoryAndBackupAreSavedAllTheSame) {
  folder.Write("Lotto.opt", "previous\r\n");
  folder.Write("Lotto.old", "older\r\n");
  test::MarkReadOnly(folder / "Lotto.opt");
  test::MarkReadOnly(folder / "Lotto.old");
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  EXPECT_TRUE(WriteHistoryFile(state, false));
  EXPECT_EQ(folder.Read("Lotto.opt"), "05/12/2000 03 11 17 25 38 44 \r\n");
  EXPECT_EQ(folder.Read("Lotto.old"), "previous\r\n");
  EXPECT_FALSE(test::IsReadOnly(folder / "Lotto.old"));
}

TEST_F(HistorySave, AnEmptyListLeavesTheFileAsItIs) {
  folder.Write("Lotto.opt", "previous\r\n");
  EXPECT_TRUE(WriteHistoryFile(state, false, &progress));
  EXPECT_EQ(folder.Read("Lotto.opt"), "previous\r\n");
  EXPECT_FALSE(folder.Exists("Lotto.old"));
  EXPECT_EQ(progress.fills, std::vector<float>{100.0f});
}

TEST_F(HistorySave, NewFilesHoldEightPlaceholders) {
  EXPECT_TRUE(WriteHistoryFile(state, true));
  EXPECT_TRUE(state.newFileCreated);
  std::string expected;
  for (const std::string& line : PlaceholderLines()) {
    EXPECT_EQ(line.size(), 28u);
    expected += line + "\r\n";
  }
  EXPECT_EQ(folder.Read("Lotto.opt"), expected);
  EXPECT_EQ(expected.substr(0, 30), "00/00/0000 01 02 03 04 05 06\r\n");
  EXPECT_EQ(expected.substr(expected.size() - 30), "00/00/0000 43 44 45 46 47 48\r\n");

  state.lottoFile = "Bonus.opt";
  state.settings.useBonus = true;
  state.newFileCreated = false;
  EXPECT_TRUE(WriteHistoryFile(state, true));
  EXPECT_TRUE(state.newFileCreated);
  const std::string bonus = folder.Read("Bonus.opt");
  EXPECT_EQ(bonus.size(), 8u * 33u);
  EXPECT_EQ(bonus.substr(0, 33), "00/00/0000 01 02 03 04 05 06 49\r\n");
}

TEST_F(HistorySave, AFailedSaveKeepsTheHistoryAndReportsIt) {
  folder.Write("Lotto.opt", "previous\r\n");
  folder.Write("Lotto.old", "older\r\n");
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  state.historyChanged = true;
  {
    test::AsUnprivilegedUser nobody;
    if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
    SaveHistory(state, sink, &progress);
  }
  EXPECT_EQ(folder.Read("Lotto.opt"), "previous\r\n");
  EXPECT_EQ(folder.Read("Lotto.old"), "older\r\n");
  EXPECT_EQ(state.fileErrorNumber, kPathFileAccess);
  EXPECT_TRUE(state.historyChanged);
  EXPECT_EQ(progress.shown, (std::vector<bool>{true, false}));
  EXPECT_EQ(progress.fills.back(), 100.0f);
  ASSERT_EQ(sink.messages.size(), 1u);
  const Message& message = sink.messages[0];
  EXPECT_EQ(message.title, "Error saving file");
  EXPECT_EQ(message.icon, MessageIcon::Critical);
  EXPECT_EQ(message.buttons, MessageButtons::Ok);
  EXPECT_EQ(message.text, "Could not save data file!\n\r" + (folder / "Lotto.opt").string() +
                              "\n\rError 75 Path/File access error\n\r\n\r"
                              "The file may be in use by another application!");
}

TEST_F(HistorySave, OtherErrorsHaveNoInUseSentence) {
  folder.Write("plain", "x");
  state.appFolder = folder / "plain";
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  SaveHistory(state, sink);
  EXPECT_EQ(state.fileErrorNumber, kPathNotFound);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "Could not save data file!\n\r" +
                                       (folder / "plain" / "Lotto.opt").string() +
                                       "\n\rError 76 Path not found");
}

TEST_F(HistorySave, SavedFileReadsBackToTheSameList) {
  state.draws = {"05/12/2000 03 11 17 25 38 44 09", "12/12/2000 01 02 03 04 05 06 10"};
  ASSERT_TRUE(WriteHistoryFile(state, false));
  ProgramState reread;
  reread.appFolder = state.appFolder;
  reread.lottoFile = state.lottoFile;
  EXPECT_TRUE(ReadHistoryFile(reread, 1));
  EXPECT_EQ(reread.draws, state.draws);
}

}  // namespace
}  // namespace bw
