// The engines on the demo lottery, with its index files built by the store.
#include <gtest/gtest.h>

#include <random>

#include "analysis/all_lines_search.h"
#include "analysis/history_support.h"
#include "support/privileges.h"

namespace bw {
namespace {

class SampleLottery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { demo_ = new test::TestLottery(test::TestLottery::From::Demo); }
  static void TearDownTestSuite() { delete demo_; }
  static test::TestLottery* demo_;
};

test::TestLottery* SampleLottery::demo_ = nullptr;

TEST_F(SampleLottery, FirstDrawIsASixAndTheReadersAgree) {
  ASSERT_EQ(demo_->DrawCount(), 3799);
  const Line first = demo_->DrawLine(0);
  EXPECT_EQ(first, (Line{3, 11, 12, 14, 41, 43}));
  FileIndexLookup fresh(demo_->state);
  CachedIndexLookup cached(demo_->state);
  EXPECT_EQ(demo_->Check(first, fresh).hits6, 1);
  std::mt19937 generator(4);
  int withFive = 0;
  for (int i = 0; i < 300; ++i) {  // draws, and draws with one number changed
    Line line = demo_->DrawLine(i % 2 ? generator() % 3799 : i * 12);
    if (i % 2) line[generator() % 6] = 1 + static_cast<int>(generator() % 49);
    std::sort(line.begin(), line.end());
    if (!IsValidLine(line)) continue;
    const SingleLineResult result = demo_->Check(line, fresh);
    withFive += result.hits5 + result.hits5Bonus > 0;
    EXPECT_EQ(demo_->Check(line, cached), result) << LineKey(line);
  }
  EXPECT_GT(withFive, 20);
}

TEST_F(SampleLottery, UnreadableFolderOrIndexFileCountsNothing) {
  const Line first = demo_->DrawLine(0);
  ProgramState elsewhere;
  elsewhere.appFolder = demo_->folder / "Sample.opt";  // a file, not a folder
  elsewhere.lottoFile = "Sample.opt";
  FileIndexLookup freshElsewhere(elsewhere);
  CachedIndexLookup cachedElsewhere(elsewhere);
  SingleLineResult result = demo_->Check(first, freshElsewhere);
  EXPECT_EQ(result.hits6 + result.hits5 + result.hits5Bonus, 0);
  EXPECT_EQ(demo_->Check(first, cachedElsewhere), result);
  AllLinesSearch search(demo_->state.tables, cachedElsewhere, demo_->DrawCount(),
                        demo_->state.settings);
  std::vector<FoundLine> found;
  EXPECT_EQ(search.CheckSlice(first, 1000, found).checked, 1000);

  const auto sixFile = demo_->folder / IndexFileName(LineKey(first), IndexKind::Six, "Sample.opt");
  std::filesystem::permissions(sixFile, std::filesystem::perms::none);
  FileIndexLookup fresh(demo_->state);
  bool switched = false;
  {
    test::AsUnprivilegedUser nobody;
    if ((switched = nobody.Switched())) result = demo_->Check(first, fresh);
  }
  std::filesystem::permissions(sixFile, std::filesystem::perms::owner_all);
  if (!switched) GTEST_SKIP() << "needs root to drop privileges";
  EXPECT_EQ(result.hits6, 0);
  EXPECT_EQ(demo_->Check(first, fresh).hits6, 1);
}

TEST_F(SampleLottery, SearchSlicesEqualTheCheckOfEachLine) {
  LotterySettings generous = demo_->state.settings;
  generous.ret3 = 30;  // the demo's own returns reach 66 % on no line
  generous.ret4 = 150;
  std::mt19937 generator(8);
  for (const LotterySettings& returns : {demo_->state.settings, generous}) {
    CachedIndexLookup index(demo_->state);
    AllLinesSearch search(demo_->state.tables, index, demo_->DrawCount(), returns);
    std::vector<std::pair<Line, int64_t>> slices = {
        {{40, 41, 42, 43, 44, 45}, 126},   // every line starting with 40
        {{30, 31, 32, 33, 34, 35}, 11628}  // every line starting with 30
    };
    for (int i = 0; i < 3; ++i)
      slices.push_back({LineAtRank(generator() % (kAllLinesCount - 15000)), 15000});
    for (std::size_t i = 0; i < 3799; i += 400)  // around draws: sixes and fives
      slices.push_back({LineAtRank(std::max<int64_t>(0, LineRank(demo_->DrawLine(i)) - 300)), 600});
    std::size_t foundLines = 0;
    for (const auto& [from, count] : slices) {
      std::vector<FoundLine> found;
      search.CheckSlice(from, count, found);
      std::vector<FoundLine> expected;
      Line line = from;
      for (int64_t i = 0; i < count; ++i, NextLine(line)) {
        const int percent = demo_->Check(line, index, returns).percent;
        if (percent >= kFoundThreshold) expected.push_back({line, percent});
      }
      ASSERT_EQ(test::FoundTexts(found), test::FoundTexts(expected)) << LineKey(from);
      foundLines += found.size();
    }
    EXPECT_TRUE(returns.ret3 != generous.ret3 || foundLines > 100u) << foundLines;
  }
}

}  // namespace
}  // namespace bw
