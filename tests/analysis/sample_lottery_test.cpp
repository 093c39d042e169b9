// The engines on the demo lottery, with its index files built by the store.
#include <gtest/gtest.h>

#include <random>

#include "analysis/all_lines_search.h"
#include "analysis/single_line_check.h"
#include "store/history_file.h"
#include "store/integration.h"
#include "store/settings_files.h"
#include "support/privileges.h"
#include "support/test_folder.h"

namespace bw {
namespace {

class SampleLottery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new test::TestFolder;
    folder_->CopyDemo("Sample.opt");
    folder_->CopyDemo("Sample.ini");
    state_ = new ProgramState;
    state_->appFolder = folder_->Path();
    state_->lottoFile = "Sample.opt";
    ASSERT_TRUE(ReadLotterySettings(*state_));
    ASSERT_TRUE(ReadHistoryFile(*state_, 45000));
    IntegrateDraws(*state_, true, true);
  }
  static void TearDownTestSuite() {
    delete state_;
    delete folder_;
  }

  static int32_t DrawCount() { return static_cast<int32_t>(state_->draws.size()); }
  static Line DrawLine(std::size_t i) {
    const DrawFields fields = ParseDrawEntry(state_->draws[i]);
    Line line{};
    for (int k = 0; k < 6; ++k) line[k] = FieldNumber(fields[k + 1]);
    return line;
  }
  static SingleLineResult Check(const Line& line, IndexLookup& index,
                                const LotterySettings& returns) {
    return CheckSingleLine(line, DrawCount(), returns, state_->tables, index);
  }

  static test::TestFolder* folder_;
  static ProgramState* state_;
};

test::TestFolder* SampleLottery::folder_ = nullptr;
ProgramState* SampleLottery::state_ = nullptr;

TEST_F(SampleLottery, FirstDrawIsASixAndTheReadersAgree) {
  ASSERT_EQ(DrawCount(), 3799);
  const Line first = DrawLine(0);
  EXPECT_EQ(first, (Line{3, 11, 12, 14, 41, 43}));
  FileIndexLookup fresh(*state_);
  CachedIndexLookup cached(*state_);
  EXPECT_GE(Check(first, fresh, state_->settings).hits6, 1);

  std::mt19937 generator(4);
  std::vector<Line> lines;
  for (std::size_t i = 0; i < 150; ++i) lines.push_back(DrawLine(i * 25));
  for (int i = 0; i < 150; ++i) {  // a draw with one number changed: fives and 5+
    Line line = DrawLine(generator() % 3799);
    line[generator() % 6] = 1 + static_cast<int>(generator() % 49);
    std::sort(line.begin(), line.end());
    if (IsValidLine(line)) lines.push_back(line);
  }
  int withFive = 0;
  for (const Line& line : lines) {
    const SingleLineResult result = Check(line, fresh, state_->settings);
    withFive += result.hits5 + result.hits5Bonus > 0;
    EXPECT_EQ(Check(line, cached, state_->settings), result) << LineKey(line);
  }
  EXPECT_GT(withFive, 20);
}

TEST_F(SampleLottery, UnreadableIndexFileCountsNothing) {
  const Line first = DrawLine(0);
  const std::string sixFile = IndexFileName(LineKey(first), IndexKind::Six, "Sample.opt");
  std::filesystem::permissions(folder_->Path() / sixFile, std::filesystem::perms::none);
  FileIndexLookup fresh(*state_);
  SingleLineResult result;
  {
    test::AsUnprivilegedUser nobody;
    if (!nobody.Switched()) GTEST_SKIP() << "needs root to drop privileges";
    result = Check(first, fresh, state_->settings);
  }
  std::filesystem::permissions(folder_->Path() / sixFile, std::filesystem::perms::owner_all);
  EXPECT_EQ(result.hits6, 0);
  EXPECT_EQ(Check(first, fresh, state_->settings).hits6, 1);
}

TEST_F(SampleLottery, FolderThatCannotBeReadGivesNoIndexHits) {
  ProgramState elsewhere;
  elsewhere.appFolder = folder_->Path() / "Sample.opt";  // a file, not a folder
  elsewhere.lottoFile = "Sample.opt";
  FileIndexLookup fresh(elsewhere);
  CachedIndexLookup cached(elsewhere);
  const Line first = DrawLine(0);
  const SingleLineResult result = Check(first, fresh, state_->settings);
  EXPECT_EQ(result.hits6 + result.hits5 + result.hits5Bonus, 0);
  EXPECT_EQ(Check(first, cached, state_->settings), result);
  AllLinesSearch search(state_->tables, cached, DrawCount(), state_->settings);
  std::vector<FoundLine> found;
  EXPECT_EQ(search.CheckSlice(first, 1000, found).checked, 1000);
}

TEST_F(SampleLottery, SearchSlicesEqualTheCheckOfEachLine) {
  LotterySettings generous = state_->settings;
  generous.ret3 = 30;  // the demo's own returns reach 66 % on no line
  generous.ret4 = 150;
  std::mt19937 generator(8);
  for (const LotterySettings& returns : {state_->settings, generous}) {
    CachedIndexLookup index(*state_);
    AllLinesSearch search(state_->tables, index, DrawCount(), returns);
    std::vector<std::pair<Line, int64_t>> slices = {
        {{40, 41, 42, 43, 44, 45}, 126},   // every line starting with 40
        {{30, 31, 32, 33, 34, 35}, 11628}  // every line starting with 30
    };
    for (int i = 0; i < 3; ++i)
      slices.push_back({LineAtRank(generator() % (kAllLinesCount - 15000)), 15000});
    for (std::size_t i = 0; i < 3799; i += 400)  // around draws: sixes and fives
      slices.push_back({LineAtRank(std::max<int64_t>(0, LineRank(DrawLine(i)) - 300)), 600});
    int64_t foundLines = 0;
    for (const auto& [from, count] : slices) {
      std::vector<FoundLine> found;
      search.CheckSlice(from, count, found);
      std::vector<FoundLine> expected;
      Line line = from;
      for (int64_t i = 0; i < count; ++i, NextLine(line)) {
        const int percent = Check(line, index, returns).percent;
        if (percent >= kFoundThreshold) expected.push_back({line, percent});
      }
      ASSERT_EQ(found.size(), expected.size()) << LineKey(from);
      for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].line, expected[i].line);
        EXPECT_EQ(found[i].percent, expected[i].percent);
      }
      foundLines += static_cast<int64_t>(found.size());
    }
    if (returns.ret3 == generous.ret3) {
      EXPECT_GT(foundLines, 100);
    }
  }
}

TEST_F(SampleLottery, AddedDrawReachesTheCacheAfterForget) {
  CachedIndexLookup cached(*state_);
  const Line line{2, 9, 16, 23, 30, 37};
  const SingleLineResult before = Check(line, cached, state_->settings);
  state_->draws.push_back("01/01/2024 02 09 16 23 30 37 44");
  IntegrateDraws(*state_, false, false);
  cached.Forget();
  FileIndexLookup fresh(*state_);
  const SingleLineResult after = Check(line, cached, state_->settings);
  EXPECT_EQ(after, Check(line, fresh, state_->settings));
  EXPECT_EQ(after.hits6, before.hits6 + 1);
  state_->draws.pop_back();  // the tables keep the draw; later tests do not rely on them
}

}  // namespace
}  // namespace bw
