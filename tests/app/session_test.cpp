#include "app/session.h"

#include <gtest/gtest.h>

#include "model/day_number.h"
#include "support/test_folder.h"

namespace bw {
namespace {

class FixedClock : public Clock {
 public:
  int32_t TodayDayNumber() override { return DayNumber({2001, 3, 4}); }
  uint64_t SeedFromClock() override { return 42; }
};

class RecordingSink : public MessageSink {
 public:
  MessageAnswer Show(const Message& message) override {
    shown.push_back(message);
    return MessageAnswer::Ok;
  }
  std::vector<Message> shown;
};

class SessionOnTwoDraws : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("Two.opt",
                  "10/01/2000 01 02 03 04 05 06 07\r\n"
                  "17/01/2000 01 02 03 10 11 12 13\r\n");
    session_.State().lottoFile = "Two.opt";
    session_.State().settings = {true, 1, 10, 60, 1500, 100000, 1000000};
  }
  int32_t Day(int y, int m, int d) { return DayNumber({y, m, d}); }

  test::TestFolder folder_;
  RecordingSink messages_;
  FixedClock clock_;
  Session session_{folder_.Path(), messages_, clock_};
};

TEST_F(SessionOnTwoDraws, LoadsCountsAndBuildsTheIndexWithProgress) {
  EXPECT_EQ(session_.State().appFolder, folder_.Path());
  std::vector<std::pair<std::size_t, std::size_t>> progress;
  EXPECT_TRUE(session_.LoadHistory(
      [&](std::size_t done, std::size_t total) { progress.emplace_back(done, total); }));
  const ProgramState& state = session_.State();
  EXPECT_EQ(state.draws.size(), 2u);
  EXPECT_EQ(state.tables.Single(1), 2);
  EXPECT_EQ(state.tables.Treble(1, 2, 3), 2);
  EXPECT_EQ(state.oldestDrawDate, Day(2000, 1, 10));
  EXPECT_EQ(state.newestDrawDate, Day(2000, 1, 17));
  EXPECT_TRUE(folder_.Exists("Two.dnd"));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), std::make_pair(std::size_t{2}, std::size_t{2}));
}

TEST_F(SessionOnTwoDraws, AppendedDrawCountsAtOnceInTheCheck) {
  session_.LoadHistory();
  const Line line{1, 2, 3, 4, 5, 6};
  const SingleLineResult before = session_.Check(line);  // fills the cached index
  EXPECT_EQ(before.hits6, 1);
  EXPECT_EQ(before.hits3, 1);
  EXPECT_FALSE(session_.State().historyChanged);

  session_.AppendDraw("24/01/2000 01 02 03 04 05 06 09");
  EXPECT_TRUE(session_.State().historyChanged);
  EXPECT_EQ(session_.State().draws.back(), "24/01/2000 01 02 03 04 05 06 09");
  const SingleLineResult after = session_.Check(line);
  EXPECT_EQ(after.hits6, 2);
  EXPECT_EQ(after.hits3, 1);
  // 100 / 3 draws x one 3-hit of 10.
  EXPECT_EQ(after.percent, 333);
  EXPECT_TRUE(after.plus);
}

TEST_F(SessionOnTwoDraws, AppendedDrawMovesOnlyTheDateItPasses) {
  session_.LoadHistory();
  session_.AppendDraw("03/01/2000 20 21 22 23 24 25 26");
  EXPECT_EQ(session_.State().oldestDrawDate, Day(2000, 1, 3));
  EXPECT_EQ(session_.State().newestDrawDate, Day(2000, 1, 17));
  session_.AppendDraw("12/01/2000 20 21 22 23 24 25 26");  // inside the range
  EXPECT_EQ(session_.State().oldestDrawDate, Day(2000, 1, 3));
  EXPECT_EQ(session_.State().newestDrawDate, Day(2000, 1, 17));
  session_.AppendDraw("07/02/2000 20 21 22 23 24 25 26");
  EXPECT_EQ(session_.State().newestDrawDate, Day(2000, 2, 7));
}

TEST_F(SessionOnTwoDraws, SavesOnlyWhenChanged) {
  session_.LoadHistory();
  session_.SaveHistoryIfChanged();
  EXPECT_FALSE(folder_.Exists("Two.old"));
  session_.AppendDraw("24/01/2000 01 02 03 04 05 06 09");
  session_.SaveHistoryIfChanged();
  EXPECT_FALSE(session_.State().historyChanged);
  EXPECT_TRUE(folder_.Exists("Two.old"));
  EXPECT_EQ(folder_.Read("Two.opt"),
            "10/01/2000 01 02 03 04 05 06 07\r\n"
            "17/01/2000 01 02 03 10 11 12 13\r\n"
            "24/01/2000 01 02 03 04 05 06 09\r\n");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SessionOnTwoDraws, SearchFollowsAnAppendedDraw) {
  session_.LoadHistory();
  const Line line{20, 21, 22, 23, 24, 25};
  std::vector<FoundLine> found;
  session_.Search().CheckSlice(line, 1, found);
  EXPECT_TRUE(found.empty());
  session_.AppendDraw("24/01/2000 20 21 22 23 40 41 26");  // four of the line
  session_.Search().CheckSlice(line, 1, found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].percent, 2000);  // 100 / 3 draws x one 4-hit of 60
  EXPECT_EQ(session_.Check(line).percent, 2000);
}

TEST(Session, MissingHistoryLeavesAnEmptyDrawList) {
  test::TestFolder folder;
  RecordingSink messages;
  FixedClock clock;
  Session session(folder.Path(), messages, clock);
  session.State().lottoFile = "None.opt";
  EXPECT_FALSE(session.LoadHistory());
  EXPECT_TRUE(session.State().draws.empty());
  EXPECT_EQ(session.Check({1, 2, 3, 4, 5, 6}), SingleLineResult{});
}

}  // namespace
}  // namespace bw
