// SPDX-License-Identifier: GPL-3.0-or-later
// The combination index files and the integration of draws at start-up and
// after an update.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/day_number.h"
#include "model/draw_fields.h"
#include "model/numbers.h"
#include "store/history_file.h"
#include "store/index_files.h"
#include "store/index_marker.h"
#include "store/integration.h"
#include "store/store_support.h"
#include "support/privileges.h"

namespace bw {
namespace {

using test::StoreTest;

TEST_F(StoreTest, IndexFilesOfOneDraw) {
  for (const auto& [entry, bonus] : {std::pair{"05/12/2000 03 11 17 25 38 44 ", "00"},
                                     {"05/12/2000 03 11 17 25 38 44 09", "09"}}) {
    SCOPED_TRACE(entry);
    DeleteIndexFiles(state);
    DrawFields fields = ParseDrawEntry(entry);
    AddSixToIndex(state, fields);
    AddFivePlusToIndex(state, fields);
    AddFivesToIndex(state, fields);
    EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "031117253844=  1:\r\n");
    EXPECT_EQ(folder.Read("03_F_Lotto.opt"),
              "031117253800=  1:031117254400=  1:031117384400=  1:031125384400=  1:"
              "031725384400=  1:\r\n");
    // The bonus goes into the "P" keys only; without one they end in "00".
    EXPECT_EQ(folder.Read("03_P_Lotto.opt"),
              "0311172538" + std::string(bonus) + "=  1:0311172544" + bonus + "=  1:0311173844" +
                  bonus + "=  1:0311253844" + bonus + "=  1:0317253844" + bonus + "=  1:\r\n");
    EXPECT_EQ(folder.Read("11_P_Lotto.opt"), "1117253844" + std::string(bonus) + "=  1:\r\n");
  }
}

TEST_F(StoreTest, IndexCountsGrowInPlaceAndNewKeysAreAppended) {
  const std::string six = "031117253844";
  CreateIndexFile(state, "010203040506", IndexKind::Six);
  AddToIndexFile(state, "030405060708", IndexKind::Six);  // another first number
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "030405060708=  1:\r\n");
  RecordIndexKey(state, six, IndexKind::Six);
  RecordIndexKey(state, "030506070809", IndexKind::Six);
  const auto line = [&] { return ReadIndexLine(state, six, IndexKind::Six); };
  const std::pair<int, const char*> growth[] = {
      {1, "=  1:"}, {10, "= 10:"}, {100, "=100:"}, {1000, "=1000:"}};
  for (int count = 1; const auto& [upTo, text] : growth) {
    for (; count < upTo; ++count) RecordIndexKey(state, six, IndexKind::Six);
    EXPECT_EQ(line(), "030405060708=  1:031117253844" + std::string(text) + "030506070809=  1:");
    EXPECT_EQ(CountInIndexLine(line(), six), upTo);
  }
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), line() + "\r\n");
  EXPECT_EQ(CountInIndexLine(line(), "030506070810"), 0);
  EXPECT_EQ(ReadIndexLine(state, "070809101112", IndexKind::Five), "");  // no such file
  // A damaged line that ends with the key is mended, not a reason to fail.
  folder.Write("05_S_Lotto.opt", "x050607080910\r\n");
  RecordIndexKey(state, "050607080910", IndexKind::Six);
  EXPECT_EQ(folder.Read("05_S_Lotto.opt"), "x050607080910=  1:\r\n");
  test::MarkReadOnly(folder / "03_S_Lotto.opt");  // a read-only index file stays as it was
  RecordIndexKey(state, six, IndexKind::Six);
  EXPECT_EQ(CountInIndexLine(line(), six), 1000);
}

TEST_F(StoreTest, DeleteIndexFilesRemovesOnlyThisLotterysFiles) {
  const char* gone[] = {"03_S_Lotto.opt", "11_F_Lotto.opt", "49_P_Lotto.opt", "Lotto.dnd"};
  const char* kept[] = {"03_S_Other.opt",  "Other.dnd",       "Lotto.opt",
                        "003_S_Lotto.opt", "03_SS_Lotto.opt", "03_S_Lotto.opt.bak"};
  for (const char* name : gone) folder.Write(name, "x\r\n");
  for (const char* name : kept) folder.Write(name, "x\r\n");
  test::MarkReadOnly(folder / "11_F_Lotto.opt");
  test::MarkReadOnly(folder / "Lotto.dnd");
  DeleteIndexFiles(state);
  for (const char* name : gone) EXPECT_FALSE(folder.Exists(name)) << name;
  for (const char* name : kept) EXPECT_TRUE(folder.Exists(name)) << name;
}

// A start of the program on these draws, in the test's folder.
ProgramState StartWith(const ProgramState& state, const std::vector<std::string>& draws,
                       bool rebuild = false) {
  ProgramState run;
  run.appFolder = state.appFolder;
  run.lottoFile = state.lottoFile;
  run.draws = draws;
  IntegrateDraws(run, rebuild);
  return run;
}

TEST_F(StoreTest, StartUpIntegrationCountsAndIndexesRealDraws) {
  folder.Write("07_S_Lotto.opt", "070809101112=  1:\r\n");  // an old index is replaced
  state.draws = {"00/00/0000 01 02 03 04 05 06 ", "05/12/2000 03 11 17 25 38 44 09",
                 "12/12/2000 01 02 03 04 05 06 "};
  std::vector<std::pair<std::size_t, std::size_t>> reports;
  IntegrateDraws(state, false,
                 [&](std::size_t done, std::size_t total) { reports.emplace_back(done, total); });
  EXPECT_EQ(reports, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_TRUE(state.indexRebuild);
  EXPECT_EQ(state.tables.Single(1), 1);  // neither the placeholder
  EXPECT_EQ(state.tables.Single(9), 0);  // nor the bonus counts
  EXPECT_EQ(folder.Read("01_S_Lotto.opt"), "010203040506=  1:\r\n");
  EXPECT_FALSE(folder.Exists("07_S_Lotto.opt"));
  // With a marker that agrees, the draws are only counted, unless a rebuild is asked for.
  const ProgramState again = StartWith(state, state.draws);
  EXPECT_FALSE(again.indexRebuild);
  EXPECT_EQ(again.tables.Double(3, 11), 1);
  EXPECT_TRUE(StartWith(state, state.draws, true).indexRebuild);
}

// Anything that makes the marker disagree with the draws or the index files
// rebuilds the index at the next start, to what a clean build writes.
TEST_F(StoreTest, IndexIsRebuiltWheneverTheMarkerDisagrees) {
  const std::vector<std::string> draws = {"05/12/2000 03 11 17 25 38 44 09",
                                          "12/12/2000 01 02 03 04 05 06 07"};
  const auto clean = (StartWith(state, draws), folder.Files());
  const auto withDraw = [&](const char* entry) {
    auto list = draws;
    list.push_back(entry);
    return list;
  };
  const std::pair<const char*, std::function<std::vector<std::string>()>> cases[] = {
      {"nothing changed", [&] { return draws; }},
      {"old one-line marker",
       [&] { return folder.Write("Lotto.dnd", std::string(kIndexMarkerLine) + "\r\n"), draws; }},
      {"index file deleted",
       [&] { return std::filesystem::remove(folder / "01_S_Lotto.opt"), draws; }},
      {"index file truncated", [&] { return folder.Write("03_F_Lotto.opt", "03111725"), draws; }},
      {"index file emptied", [&] { return folder.Write("03_P_Lotto.opt", ""), draws; }},
      {"count changed in place",
       [&] { return folder.Write("01_S_Lotto.opt", "010203040506=-12:\r\n"), draws; }},
      {"index file planted", [&] { return folder.Write("40_S_Lotto.opt", "x\r\n"), draws; }},
      {"draw added by hand", [&] { return withDraw("19/12/2000 10 20 30 40 45 46 "); }},
      {"draw changed by hand",
       [&] {
         return std::vector<std::string>{draws[0], "12/12/2000 01 02 03 04 05 07 07"};
       }},
      {"index of a draw the history never got", [&] {
         state.draws = withDraw("19/12/2000 01 02 03 04 05 06 08");
         WithdrawIndexMarker(state);
         IntegrateEntry(state, state.draws.size() - 1);     // killed before the history save
         folder.Write("Lotto.dnd", clean.at("Lotto.dnd"));  // as an unguarded add would leave it
         return draws;
       }}};
  for (const auto& [name, damage] : cases) {
    SCOPED_TRACE(name);
    const std::vector<std::string> list = damage();
    EXPECT_EQ(StartWith(state, list).indexRebuild, std::string(name) != "nothing changed");
    if (list == draws) {
      EXPECT_EQ(folder.Files(), clean);
    }
    EXPECT_FALSE(StartWith(state, list).indexRebuild);  // the rebuilt index is trusted
    StartWith(state, draws);
  }
}

TEST_F(StoreTest, MarkerIsWithheldAfterAFailedWriteOrALastPlaceholder) {
  std::filesystem::create_directory(folder / "03_S_Lotto.opt");
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  IntegrateDraws(state, false);
  EXPECT_TRUE(folder.Exists("03_F_Lotto.opt"));
  EXPECT_FALSE(IndexMarkerExists(state));
  std::filesystem::remove(folder / "03_S_Lotto.opt");
  state.draws.push_back("00/00/0000 43 44 45 46 47 48 ");
  IntegrateDraws(state, false);
  EXPECT_FALSE(IndexMarkerExists(state));
  EXPECT_TRUE(folder.Exists("03_S_Lotto.opt"));
  EXPECT_FALSE(folder.Exists("43_S_Lotto.opt"));
  state.draws.clear();  // an empty list does write it
  IntegrateDraws(state, false);
  EXPECT_TRUE(IndexMarkerExists(state));
}

// The demo history read, then indexed at once or one draw at a time as
// updates add them: the same counts and the same files.
TEST_F(StoreTest, DemoLotteryRebuiltAtOnceEqualsAppendedOneByOne) {
  folder.CopyDemo("Sample.opt");
  state.lottoFile = "Sample.opt";
  ASSERT_TRUE(ReadHistoryFile(state, 1));
  ASSERT_EQ(state.draws.size(), 3799u);
  EXPECT_TRUE(state.settings.useBonus);
  EXPECT_EQ(FormatDrawDate(DateOfDayNumber(state.oldestDrawDate)), "12/06/1982");
  EXPECT_EQ(FormatDrawDate(DateOfDayNumber(state.newestDrawDate)), "17/06/2020");
  test::TestFolder bulkFolder, oneByOneFolder;
  ProgramState bulk, single;
  for (auto [target, where] : {std::pair{&bulk, &bulkFolder}, {&single, &oneByOneFolder}}) {
    target->appFolder = where->Path();
    target->lottoFile = "Sample.opt";
  }
  bulk.draws.assign(state.draws.begin(), state.draws.begin() + 250);
  IntegrateDraws(bulk, false);
  for (const std::string& entry : bulk.draws) {
    single.draws.push_back(entry);
    IntegrateEntry(single, single.draws.size() - 1);
  }
  VouchForIndex(single);  // as after saving the appended draws
  EXPECT_GT(bulkFolder.Files().size(), 90u);
  EXPECT_EQ(bulkFolder.Files(), oneByOneFolder.Files());
  // Counting each draw is checked against the draws themselves by the analysis tests.
  for (int n = 1; n <= 49; ++n) EXPECT_EQ(single.tables.Single(n), bulk.tables.Single(n)) << n;
  EXPECT_EQ(bulk.tables.Quad(3, 11, 12, 14), 1);
}

}  // namespace
}  // namespace bw
