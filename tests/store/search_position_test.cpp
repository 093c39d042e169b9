#include "store/search_position.h"

#include <gtest/gtest.h>

#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw {
namespace {

using Captions = std::array<std::string, 6>;

class SearchPosition : public ::testing::Test {
 protected:
  SearchPosition() {
    state.appFolder = folder.Path();
    state.lottoFile = "Sample.opt";
  }
  test::TestFolder folder;
  ProgramState state;
};

TEST_F(SearchPosition, WritesTwoDigitFieldsPerLottery) {
  EXPECT_TRUE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(folder.Read("Sample.ful"), "01 02 03 04 05 06\r\n");
  EXPECT_TRUE(SaveSearchPosition(state, {"3", "8", " 15 ", "22", "41", "49"}));
  EXPECT_EQ(folder.Read("Sample.ful"), "03 08 15 22 41 49\r\n");

  state.lottoFile = "Other.opt";
  EXPECT_TRUE(SaveSearchPosition(state, {"44", "45", "46", "47", "48", "49"}));
  EXPECT_EQ(folder.Read("Other.ful"), "44 45 46 47 48 49\r\n");
  EXPECT_EQ(folder.Read("Sample.ful"), "03 08 15 22 41 49\r\n");
}

TEST_F(SearchPosition, AnEmptyOrZeroCaptionWritesNothing) {
  folder.Write("Sample.ful", "03 08 15 22 41 49\r\n");
  EXPECT_FALSE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", ""}));
  EXPECT_FALSE(SaveSearchPosition(state, {"0", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(folder.Read("Sample.ful"), "03 08 15 22 41 49\r\n");
}

TEST_F(SearchPosition, AReadOnlyFileIsOverwritten) {
  folder.Write("Sample.ful", "03 08 15 22 41 49\r\n");
  test::MarkReadOnly(folder / "Sample.ful");
  EXPECT_TRUE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", "7"}));
  EXPECT_EQ(folder.Read("Sample.ful"), "01 02 03 04 05 07\r\n");
}

TEST_F(SearchPosition, AnUnwritableFolderFailsSilently) {
  folder.Write("Sample.ful", "03 08 15 22 41 49\r\n");
  {
    test::AsUnprivilegedUser nobody;
    if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
    EXPECT_FALSE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", "7"}));
  }
  EXPECT_EQ(folder.Read("Sample.ful"), "03 08 15 22 41 49\r\n");
  state.lottoFile = "";
  EXPECT_FALSE(SaveSearchPosition(state, {"1", "2", "3", "4", "5", "7"}));
  EXPECT_EQ(LoadSearchPosition(state), std::nullopt);
}

TEST_F(SearchPosition, LoadingGivesTheTrimmedFirstLine) {
  EXPECT_EQ(LoadSearchPosition(state), std::nullopt);
  folder.Write("Sample.ful", "");
  EXPECT_EQ(LoadSearchPosition(state), std::nullopt);
  folder.Write("Sample.ful", "  03 08 15 22 41 49 \r\nsecond\r\n");
  EXPECT_EQ(LoadSearchPosition(state), "03 08 15 22 41 49");
  EXPECT_TRUE(SaveSearchPosition(state, {"7", "8", "9", "10", "11", "12"}));
  EXPECT_EQ(LoadSearchPosition(state), "07 08 09 10 11 12");
}

TEST(ResumeLine, FieldsBecomeCaptions) {
  EXPECT_EQ(CaptionsFromResumeLine("03 08 15 22 41 49"),
            (Captions{"3", "8", "15", "22", "41", "49"}));
  EXPECT_EQ(CaptionsFromResumeLine("01 02 03 04 05 00"), (Captions{"1", "2", "3", "4", "5", ""}));
  EXPECT_EQ(CaptionsFromResumeLine("01 02 0"), (Captions{"1", "2", "", "", "", ""}));
  EXPECT_EQ(CaptionsFromResumeLine("xx 02 03 04 05 06"), (Captions{"", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(CaptionsFromResumeLine(""), Captions{});
}

}  // namespace
}  // namespace bw
