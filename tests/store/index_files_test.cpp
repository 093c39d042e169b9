#include "store/index_files.h"

#include <gtest/gtest.h>

#include "model/draw_fields.h"
#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw {
namespace {

class IndexFiles : public ::testing::Test {
 protected:
  IndexFiles() {
    state.appFolder = folder.Path();
    state.lottoFile = "Lotto.opt";
  }
  void Record(const std::string& entry) {
    DrawFields fields = ParseDrawEntry(entry);
    AddSixToIndex(state, fields);
    AddFivePlusToIndex(state, fields);
    AddFivesToIndex(state, fields);
  }
  test::TestFolder folder;
  ProgramState state;
};

TEST_F(IndexFiles, FirstDrawWithoutBonusCreatesTheFiles) {
  Record("05/12/2000 03 11 17 25 38 44 ");
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "031117253844=  1:\r\n");
  EXPECT_EQ(folder.Read("03_F_Lotto.opt"),
            "031117253800=  1:031117254400=  1:031117384400=  1:031125384400=  1:"
            "031725384400=  1:\r\n");
  EXPECT_EQ(folder.Read("11_F_Lotto.opt"), "111725384400=  1:\r\n");
  // Without a bonus the "P" keys end in "00" like the "F" keys.
  EXPECT_EQ(folder.Read("03_P_Lotto.opt"), folder.Read("03_F_Lotto.opt"));
  EXPECT_EQ(folder.Read("11_P_Lotto.opt"), "111725384400=  1:\r\n");
}

TEST_F(IndexFiles, BonusGoesIntoThePlusKeysOnly) {
  DrawFields fields = ParseDrawEntry("05/12/2000 03 11 17 25 38 44 09");
  EXPECT_EQ(fields[7], "09");
  AddSixToIndex(state, fields);
  AddFivePlusToIndex(state, fields);
  AddFivesToIndex(state, fields);
  EXPECT_EQ(fields[7], "00");
  EXPECT_EQ(folder.Read("03_P_Lotto.opt"),
            "031117253809=  1:031117254409=  1:031117384409=  1:031125384409=  1:"
            "031725384409=  1:\r\n");
  EXPECT_EQ(folder.Read("11_P_Lotto.opt"), "111725384409=  1:\r\n");
  EXPECT_EQ(folder.Read("11_F_Lotto.opt"), "111725384400=  1:\r\n");
}

TEST_F(IndexFiles, CountsGrowInPlaceAndNewKeysAreAppended) {
  const std::string six = "031117253844";
  CreateIndexFile(state, "010203040506", IndexKind::Six);
  AddToIndexFile(state, "030405060708", IndexKind::Six);  // another first number
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "030405060708=  1:\r\n");
  RecordIndexKey(state, six, IndexKind::Six);
  RecordIndexKey(state, "030506070809", IndexKind::Six);
  const auto line = [&] { return ReadIndexLine(state, six, IndexKind::Six); };
  EXPECT_EQ(line(), "030405060708=  1:031117253844=  1:030506070809=  1:");
  RecordIndexKey(state, six, IndexKind::Six);
  EXPECT_EQ(line(), "030405060708=  1:031117253844=  2:030506070809=  1:");
  for (int count = 3; count <= 10; ++count) RecordIndexKey(state, six, IndexKind::Six);
  EXPECT_EQ(line(), "030405060708=  1:031117253844= 10:030506070809=  1:");
  for (int count = 11; count <= 100; ++count) RecordIndexKey(state, six, IndexKind::Six);
  EXPECT_EQ(line(), "030405060708=  1:031117253844=100:030506070809=  1:");
  EXPECT_EQ(CountInIndexLine(line(), six), 100);
  EXPECT_EQ(CountInIndexLine(line(), "030506070809"), 1);
  EXPECT_EQ(CountInIndexLine(line(), "030506070810"), 0);
}

TEST_F(IndexFiles, CountsBeyondThreeDigitsKeepTheirEntriesApart) {
  const std::string key = "031117253844";
  folder.Write("03_S_Lotto.opt", "030405060708=  1:031117253844=999:030506070809=  7:\r\n");
  RecordIndexKey(state, key, IndexKind::Six);
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"),
            "030405060708=  1:031117253844=1000:030506070809=  7:\r\n");
  RecordIndexKey(state, key, IndexKind::Six);
  RecordIndexKey(state, "030506070809", IndexKind::Six);
  const std::string line = ReadIndexLine(state, key, IndexKind::Six);
  EXPECT_EQ(line, "030405060708=  1:031117253844=1001:030506070809=  8:");
  EXPECT_EQ(
      ParseIndexLine(line),
      (std::vector<IndexEntry>{{"030405060708", 1}, {"031117253844", 1001}, {"030506070809", 8}}));
  EXPECT_EQ(FormatIndexLine(ParseIndexLine(line)), line);
}

TEST_F(IndexFiles, ReadIndexLineOfAMissingFileIsEmpty) {
  EXPECT_EQ(ReadIndexLine(state, "070809101112", IndexKind::Five), "");
  EXPECT_FALSE(IndexFileExists(state, "070809101112", IndexKind::Five));
  EXPECT_EQ(IndexFileName("070809101112", IndexKind::FivePlus, "Lotto.opt"), "07_P_Lotto.opt");
  EXPECT_TRUE(ParseIndexLine("").empty());
  EXPECT_EQ(CountInIndexLine("", "070809101112"), 0);
}

TEST_F(IndexFiles, AReadOnlyIndexFileStaysAsItWas) {
  folder.Write("03_S_Lotto.opt", "031117253844=  1:\r\n");
  test::MarkReadOnly(folder / "03_S_Lotto.opt");
  RecordIndexKey(state, "031117253844", IndexKind::Six);
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "031117253844=  1:\r\n");
}

TEST_F(IndexFiles, DeleteRemovesOnlyThisLotterysFiles) {
  for (const char* name :
       {"03_S_Lotto.opt", "11_F_Lotto.opt", "49_P_Lotto.opt", "Lotto.dnd", "03_S_Other.opt",
        "Other.dnd", "Lotto.opt", "003_S_Lotto.opt", "03_SS_Lotto.opt", "03_S_Lotto.opt.bak"}) {
    folder.Write(name, "x\r\n");
  }
  test::MarkReadOnly(folder / "11_F_Lotto.opt");
  test::MarkReadOnly(folder / "Lotto.dnd");
  DeleteIndexFiles(state);
  for (const char* gone : {"03_S_Lotto.opt", "11_F_Lotto.opt", "49_P_Lotto.opt", "Lotto.dnd"}) {
    EXPECT_FALSE(folder.Exists(gone)) << gone;
  }
  for (const char* kept : {"03_S_Other.opt", "Other.dnd", "Lotto.opt", "003_S_Lotto.opt",
                           "03_SS_Lotto.opt", "03_S_Lotto.opt.bak"}) {
    EXPECT_TRUE(folder.Exists(kept)) << kept;
  }
  DeleteIndexFiles(state);  // nothing left to delete is no error
}

}  // namespace
}  // namespace bw
