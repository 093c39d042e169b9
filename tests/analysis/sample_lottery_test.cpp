// The engines on the demo lottery, with its index files built by the store.
#include <gtest/gtest.h>

#include <random>

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

}  // namespace
}  // namespace bw
