#include "app/draw_import.h"

#include <gtest/gtest.h>

#include "platform/system_services.h"
#include "store/store_support.h"

namespace bw::test {
namespace {

// Lines that are no draw stay after the draw they followed, wherever the
// imported draws fall between the history's draws.
TEST(DrawImport, SetAsideLinesStayAfterTheDrawTheyFollowed) {
  TestFolder folder;
  folder.Write("Lotto.opt",
               "note at the top\r\n"
               "10/01/2000 01 02 03 04 05 06 \r\n"
               "checked by hand\r\n"
               "24/01/2000 20 21 22 23 24 25 \r\n"
               "\r\n");
  folder.Write("new.csv", "2000-01-17,7,8,9,10,11,12\r\n2000-01-31,30,31,32,33,34,35\r\n");
  RecordingSink messages;
  SystemClock clock;
  Session session(folder.Path(), messages, clock);
  session.State().lottoFile = "Lotto.opt";
  session.State().settings = {false, 1, 10, 60, 1500, 100000, 1000000};
  ASSERT_TRUE(session.LoadHistory());

  const DrawMerge merge = PlanImport(session, folder / "new.csv", {}, false);
  ASSERT_TRUE(merge.CanImport(false)) << merge.refusal.value_or("");
  ASSERT_EQ(ImportIntoCurrent(session, merge, nullptr).save, HistorySaveOutcome::Saved);
  EXPECT_EQ(folder.Read("Lotto.opt"),
            "note at the top\r\n"
            "10/01/2000 01 02 03 04 05 06 \r\n"
            "checked by hand\r\n"
            "17/01/2000 07 08 09 10 11 12 \r\n"
            "24/01/2000 20 21 22 23 24 25 \r\n"
            "\r\n"
            "31/01/2000 30 31 32 33 34 35 \r\n");
}

}  // namespace
}  // namespace bw::test
