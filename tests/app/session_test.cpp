#include "app/session.h"

#include <gtest/gtest.h>

#include "model/day_number.h"
#include "platform/system_services.h"
#include "store/store_support.h"

namespace bw {
namespace {

// A lottery of two draws, loaded as at a start.
class SessionOnTwoDraws : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("Two.opt", kTwoDraws);
    session_ = Restart();
  }
  std::unique_ptr<Session> Restart() {
    auto session = std::make_unique<Session>(folder_.Path(), messages_, clock_);
    session->State().lottoFile = "Two.opt";
    session->State().settings = {true, 1, 10, 60, 1500, 100000, 1000000};
    EXPECT_TRUE(session->LoadHistory());
    return session;
  }

  static constexpr const char* kTwoDraws =
      "10/01/2000 01 02 03 04 05 06 07\r\n17/01/2000 01 02 03 10 11 12 13\r\n";
  test::TestFolder folder_;
  test::RecordingSink messages_;
  SystemClock clock_;
  std::unique_ptr<Session> session_;
};

TEST_F(SessionOnTwoDraws, AddedDrawsAreSavedInDateOrderAndCountAtOnce) {
  const Line line{1, 2, 3, 4, 5, 6}, other{20, 21, 22, 23, 24, 25};
  EXPECT_EQ(session_->Check(line), (SingleLineResult{1, 0, 0, 0, 1, 500, true}));
  std::vector<FoundLine> found;
  session_->Search().CheckSlice(other, 1, found);  // both fill their caches
  EXPECT_TRUE(found.empty());

  const std::string added[] = {"24/01/2000 01 02 03 04 05 06 09",
                               "03/01/2000 20 21 22 23 40 41 26",  // four of the other line
                               "12/01/2000 30 31 32 33 34 35 36"};
  for (const std::string& entry : added)
    EXPECT_EQ(session_->AddDraw(entry).save, HistorySaveOutcome::Saved);
  // 100 / 5 draws x one three of 10; a four of 60.
  EXPECT_EQ(session_->Check(line), (SingleLineResult{1, 0, 0, 0, 2, 200, true}));
  session_->Search().CheckSlice(other, 1, found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].percent, 1200);
  EXPECT_EQ(session_->State().oldestDrawDate, DayNumber({2000, 1, 3}));
  EXPECT_EQ(session_->State().newestDrawDate, DayNumber({2000, 1, 24}));
}

// Damage behind the marker's back, or a kill between an add's index update
// and its history save: every count shown equals a clean index's. Only a
// change is saved.
TEST_F(SessionOnTwoDraws, NoCountIsShownFromAStaleIndex) {
  const Line line{1, 2, 3, 4, 5, 6};
  const auto search = [&](Session& session) {
    std::vector<FoundLine> found;
    EXPECT_FALSE(session.CheckSlice(line, 100, found).impossible);
    std::string texts;
    for (const FoundLine& one : found) texts += FoundLineEntry(one.line, one.percent) + " ";
    return texts;
  };
  const SingleLineResult clean = session_->Check(line);
  const std::string cleanFound = search(*session_);
  // Read after a start that trusted the index: the check and the search
  // meet the impossible count, rebuild and count again.
  for (const auto& [file, line12] : {std::pair{"01_S_Two.opt", "010203040506=  9:"},
                                     {"01_F_Two.opt", "010203040500=360000000:"},
                                     {"01_P_Two.opt", "010203040506= -1:"}}) {
    SCOPED_TRACE(file);
    for (bool searchFirst : {false, true}) {
      auto session = Restart();
      folder_.Write(file, std::string(line12) + "\r\n");
      if (searchFirst) {
        EXPECT_EQ(search(*session), cleanFound);
      }
      EXPECT_EQ(session->Check(line), clean);
      EXPECT_EQ(search(*session), cleanFound);
    }
  }
  // Added, the marker vouches for the index again and a start trusts it.
  auto again = Restart();
  again->AddDraw("24/01/2000 01 02 03 04 05 06 09");
  EXPECT_EQ(folder_.Read("Two.opt"),
            std::string(kTwoDraws) + "24/01/2000 01 02 03 04 05 06 09\r\n");
  auto afterAdd = Restart();
  EXPECT_FALSE(afterAdd->State().indexRebuild);
  EXPECT_EQ(afterAdd->Check(line).hits6, 2);
  EXPECT_TRUE(messages_.messages.empty());
}

}  // namespace
}  // namespace bw
