// SPDX-License-Identifier: GPL-3.0-or-later
// Draws deleted, corrected and inserted by hand: refused and asked about as on
// the Update page, saved with the lines set aside where they were, counted at
// once, and taken back and done again byte for byte.
#include "app/history_edit.h"

#include <gtest/gtest.h>

#include "model/day_number.h"
#include "store/index_marker.h"
#include "store/store_support.h"

namespace bw {
namespace {

class FixedClock : public Clock {
 public:
  int32_t TodayDayNumber() override { return DayNumber({2000, 2, 1}); }
  uint64_t SeedFromClock() override { return 1; }
};

// The history's lines: three draws around a line that is no draw.
const std::string kA = "10/01/2000 01 02 03 04 05 06 07\r\n", kNote = "not a draw\r\n",
                  kB = "17/01/2000 01 02 03 10 11 12 13\r\n",
                  kC = "24/01/2000 20 21 22 23 24 25 26\r\n", kHistory = kA + kNote + kB + kC;

enum class Act { Insert, Correct, Delete };

class HistoryEditTest : public ::testing::Test {
 protected:
  std::unique_ptr<Session> Start() {
    auto session = std::make_unique<Session>(folder_.Path(), messages_, clock_);
    session->State().lottoFile = "Lotto.opt";
    session->State().settings = {true, 1, 10, 60, 1500, 100000, 1000000};
    session->LoadHistory();  // a history read in part is refused by each edit
    return session;
  }
  PlannedEdit Plan(Session& session, Act act, std::size_t at, const std::string& entry) {
    if (act == Act::Insert) return PlanInsertion(session, entry);
    return act == Act::Correct ? PlanCorrection(session, at, entry) : PlanDeletion(session, at);
  }
  // The counts every page shows, against a start on the saved file.
  void ExpectCountsOfSavedHistory(Session& session) {
    auto fresh = Start();
    for (const Line& line : {Line{1, 2, 3, 4, 5, 6}, Line{1, 2, 3, 10, 11, 12},
                             Line{20, 21, 22, 23, 24, 25}, Line{1, 2, 3, 30, 31, 32}})
      EXPECT_EQ(session.Check(line), fresh->Check(line));
    EXPECT_EQ(session.State().oldestDrawDate, fresh->State().oldestDrawDate);
    EXPECT_EQ(session.State().newestDrawDate, fresh->State().newestDrawDate);
    EXPECT_TRUE(IndexMarkerAgrees(session.State()));
  }
  test::TestFolder folder_;
  test::RecordingSink messages_;
  FixedClock clock_;
};

TEST_F(HistoryEditTest, EditsAreSavedCountedUndoneAndRedone) {
  const struct {
    const char* what;
    Act act;
    std::size_t at;
    std::string entry;
    std::string saved;  // empty: refused
    std::string said;   // the refusal or question, in part
  } rows[] = {
      {"delete in the middle", Act::Delete, 1, "", kA + kNote + kC, ""},
      {"delete the first: the set-aside line stays first", Act::Delete, 0, "", kNote + kB + kC, ""},
      {"correct the numbers", Act::Correct, 2, "24/01/2000 20 21 22 23 24 27 26",
       kA + kNote + kB + "24/01/2000 20 21 22 23 24 27 26\r\n", ""},
      {"correct the date: moved to its place", Act::Correct, 2, "03/01/2000 20 21 22 23 24 25 26",
       "03/01/2000 20 21 22 23 24 25 26\r\n" + kA + kNote + kB, ""},
      {"insert a forgotten draw", Act::Insert, 0, "12/01/2000 30 31 32 33 34 35 36",
       kA + kNote + "12/01/2000 30 31 32 33 34 35 36\r\n" + kB + kC, ""},
      {"correct into a second, different draw of a day", Act::Correct, 2,
       "10/01/2000 20 21 22 23 24 25 26", kA + kNote + "10/01/2000 20 21 22 23 24 25 26\r\n" + kB,
       "another draw of 10/01/2000"},
      {"correct into two identical draws of a day", Act::Correct, 2, kA.substr(0, 31), "",
       "holds this draw of 10/01/2000 already"},
      {"insert a draw held already", Act::Insert, 0, kB.substr(0, 31), "",
       "holds this draw of 17/01/2000 already"},
      {"correct to a date after tomorrow", Act::Correct, 0, "03/02/2000 01 02 03 04 05 06 07", "",
       "cannot be added: it is after tomorrow, 02/02/2000"},
      {"correct to a date before 1900", Act::Correct, 0, "31/12/1899 01 02 03 04 05 06 07", "",
       "before 01/01/1900"},
      {"correct to the same draw", Act::Correct, 0, kA.substr(0, 31), "", "is unchanged"},
      {"delete past the end", Act::Delete, 3, "", "", "no such draw"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    folder_.Write("Lotto.opt", kHistory);
    auto session = Start();
    const PlannedEdit planned = Plan(*session, row.act, row.at, row.entry);
    if (row.saved.empty()) {
      ASSERT_TRUE(planned.refusal);
      EXPECT_NE(planned.refusal->text.find(row.said), std::string::npos) << planned.refusal->text;
      continue;
    }
    ASSERT_FALSE(planned.refusal) << planned.refusal->text;
    EXPECT_EQ(planned.question.has_value(), !row.said.empty());
    if (planned.question) {
      EXPECT_NE(planned.question->text.find(row.said), std::string::npos);
      EXPECT_EQ(planned.question->defaultButton, MessageAnswer::No);
    }
    const std::string before = folder_.Read("Lotto.opt");
    ASSERT_EQ(ApplyHistoryEdit(*session, planned.edit).save, HistorySaveOutcome::Saved);
    EXPECT_EQ(folder_.Read("Lotto.opt"), row.saved);
    EXPECT_EQ(folder_.Read("Lotto.old"), before);
    ExpectCountsOfSavedHistory(*session);
    ASSERT_EQ(ApplyHistoryEdit(*session, planned.edit.Inverse()).save, HistorySaveOutcome::Saved);
    EXPECT_EQ(folder_.Read("Lotto.opt"), kHistory);
    ExpectCountsOfSavedHistory(*session);
    ASSERT_EQ(ApplyHistoryEdit(*session, planned.edit).save, HistorySaveOutcome::Saved);
    EXPECT_EQ(folder_.Read("Lotto.opt"), row.saved);
    // An edit that no longer fits the list (its draw is gone) changes nothing.
    const HistoryEdit stale = planned.edit.removed ? planned.edit : planned.edit.Inverse();
    if (!planned.edit.removed) ApplyHistoryEdit(*session, stale);
    const std::string now = folder_.Read("Lotto.opt");
    EXPECT_EQ(ApplyHistoryEdit(*session, stale).save, HistorySaveOutcome::Failed);
    EXPECT_EQ(folder_.Read("Lotto.opt"), now);
  }
}

TEST_F(HistoryEditTest, TheLastDrawAndAHistoryReadInPartAreNotChanged) {
  for (const auto& [history, said] :
       {std::pair{"10/01/2000 01 02 03 04 05 06 07\r\n", "only one"},
        {"10/01/2000 01 02 03 04 05 06 07\r\n31/02/2000 01 02 03 04 05 06 07\r\n", "line 2"}}) {
    folder_.Write("Lotto.opt", history);
    auto session = Start();
    const PlannedEdit planned = PlanDeletion(*session, 0);
    ASSERT_TRUE(planned.refusal);
    EXPECT_NE(planned.refusal->text.find(said), std::string::npos) << planned.refusal->text;
  }
}

TEST(DrawNumbersRefusal, NamesWhatIsWrong) {
  const struct {
    std::vector<int> mains;
    std::optional<int> bonus;
    bool useBonus;
    std::string said;  // empty: a draw
  } rows[] = {
      {{1, 2, 3, 4, 5, 6}, 7, true, ""},
      {{1, 2, 3, 4, 5}, 7, true, "six numbers, not 5"},
      {{1, 2, 3, 4, 5, 50}, 7, true, "Number 50 is not from 1 to 49"},
      {{1, 2, 3, 4, 5, 6}, 6, true, "Number 6 is given twice"},
      {{1, 2, 3, 4, 5, 6}, std::nullopt, true, "draws a bonus number"},
      {{1, 2, 3, 4, 5, 6}, 7, false, "draws no bonus number"},
  };
  for (const auto& row : rows) {
    const auto refusal = DrawNumbersRefusal(row.mains, row.bonus, row.useBonus);
    ASSERT_EQ(refusal.has_value(), !row.said.empty()) << row.said;
    if (refusal) {
      EXPECT_NE(refusal->find(row.said), std::string::npos) << *refusal;
    }
  }
}

}  // namespace
}  // namespace bw
