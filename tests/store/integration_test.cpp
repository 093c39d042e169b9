#include "store/integration.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "model/draw_fields.h"
#include "model/numbers.h"
#include "store/history_file.h"
#include "store/index_files.h"
#include "support/test_folder.h"

namespace bw {
namespace {

// Every file of a folder with its bytes.
std::map<std::string, std::string> FolderContent(const test::TestFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    const std::string name = entry.path().filename().string();
    files[name] = folder.Read(name);
  }
  return files;
}

class Integration : public ::testing::Test {
 protected:
  Integration() { Use(state, folder); }
  static void Use(ProgramState& target, const test::TestFolder& where) {
    target.appFolder = where.Path();
    target.lottoFile = "Lotto.opt";
  }
  test::TestFolder folder;
  ProgramState state;
};

TEST_F(Integration, FullRunCountsRealDrawsReportsProgressAndWritesTheMarker) {
  state.draws = {"00/00/0000 01 02 03 04 05 06 ", "05/12/2000 03 11 17 25 38 44 09",
                 "12/12/2000 01 02 03 04 05 06 "};
  std::vector<std::pair<std::size_t, std::size_t>> reports;
  IntegrateDraws(state, true, false,
                 [&](std::size_t done, std::size_t total) { reports.emplace_back(done, total); });
  EXPECT_EQ(reports, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_TRUE(state.indexRebuild);
  EXPECT_EQ(state.tables.Single(1), 1);  // the placeholder is not counted
  EXPECT_EQ(state.tables.Single(3), 2);
  EXPECT_EQ(state.tables.Single(9), 0);  // nor is a bonus
  EXPECT_EQ(folder.Read("Lotto.dnd"), "WARNING:- DO NOT DELETE THIS FILE.\r\n");
  EXPECT_EQ(folder.Read("01_S_Lotto.opt"), "010203040506=  1:\r\n");
  EXPECT_EQ(folder.Read("11_P_Lotto.opt"), "111725384409=  1:\r\n");
  EXPECT_EQ(IntegrationCaption(17, 1234), "17 / 1234");
}

TEST_F(Integration, ALastPlaceholderLeavesTheMarkerOut) {
  state.draws = {"05/12/2000 03 11 17 25 38 44 ", "00/00/0000 43 44 45 46 47 48 "};
  IntegrateDraws(state, true, false);
  EXPECT_FALSE(IndexMarkerExists(state));
  EXPECT_TRUE(folder.Exists("03_S_Lotto.opt"));
  EXPECT_FALSE(folder.Exists("43_S_Lotto.opt"));
  state.draws.clear();  // an empty list does write it
  IntegrateDraws(state, true, false);
  EXPECT_TRUE(IndexMarkerExists(state));
}

TEST_F(Integration, WithTheMarkerTheIndexIsTrustedAndOnlyCounted) {
  folder.Write("Lotto.dnd", "WARNING:- DO NOT DELETE THIS FILE.\r\n");
  folder.Write("03_S_Lotto.opt", "kept as it is\r\n");
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  IntegrateDraws(state, true, false);
  EXPECT_FALSE(state.indexRebuild);
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "kept as it is\r\n");
  EXPECT_FALSE(folder.Exists("11_F_Lotto.opt"));
  EXPECT_EQ(state.tables.Double(3, 11), 1);
}

TEST_F(Integration, WithoutTheMarkerTheOldIndexIsReplaced) {
  folder.Write("07_S_Lotto.opt", "070809101112=  1:\r\n");
  folder.Write("07_S_Other.opt", "070809101112=  1:\r\n");
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  IntegrateDraws(state, true, false);
  EXPECT_FALSE(folder.Exists("07_S_Lotto.opt"));
  EXPECT_TRUE(folder.Exists("07_S_Other.opt"));
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "031117253844=  1:\r\n");

  // A forced rebuild replaces a trusted index as well.
  folder.Write("03_S_Lotto.opt", "stale\r\n");
  ProgramState again;
  Use(again, folder);
  again.draws = state.draws;
  IntegrateDraws(again, true, true);
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "031117253844=  1:\r\n");
}

TEST_F(Integration, AnIndexFileThatCannotBeWrittenWithholdsTheMarker) {
  std::filesystem::create_directory(folder / "03_S_Lotto.opt");
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  IntegrateDraws(state, true, false);
  EXPECT_TRUE(folder.Exists("03_F_Lotto.opt"));
  EXPECT_FALSE(IndexMarkerExists(state));
  EXPECT_EQ(state.tables.Single(44), 1);
}

TEST_F(Integration, AnAppendedDrawIsIndexedAndCountedAtOnce) {
  state.draws = {"05/12/2000 03 11 17 25 38 44 "};
  IntegrateDraws(state, true, false);
  state.draws.push_back("12/12/2000 03 11 17 25 38 44 07");
  IntegrateDraws(state, false, false);
  EXPECT_EQ(folder.Read("03_S_Lotto.opt"), "031117253844=  2:\r\n");
  EXPECT_EQ(folder.Read("11_P_Lotto.opt"), "111725384400=  1:111725384407=  1:\r\n");
  EXPECT_EQ(folder.Read("11_F_Lotto.opt"), "111725384400=  2:\r\n");
  EXPECT_EQ(state.tables.Quad(3, 11, 17, 25), 2);
  EXPECT_EQ(state.tables.Single(7), 0);
}

// The demo lottery, loaded as at a first start.
class DemoHistory : public ::testing::Test {
 protected:
  DemoHistory() {
    folder.CopyDemo("Sample.opt");
    state.appFolder = folder.Path();
    state.lottoFile = "Sample.opt";
    EXPECT_TRUE(ReadHistoryFile(state, 1));
  }
  test::TestFolder folder;
  ProgramState state;
};

TEST_F(DemoHistory, TableSumsAgreeWithTheNumberOfDraws) {
  IntegrateDraws(state, true, false);
  const long draws = static_cast<long>(state.draws.size());
  ASSERT_EQ(draws, 3799);
  long singles = 0, doubles = 0, trebles = 0, quads = 0;
  for (int a = 0; a < 50; ++a) {
    singles += state.tables.Single(a);
    for (int b = 0; b < 50; ++b) {
      doubles += state.tables.Double(a, b);
      for (int c = 0; c < 50; ++c) {
        trebles += state.tables.Treble(a, b, c);
        for (int d = 0; d < 50; ++d) quads += state.tables.Quad(a, b, c, d);
      }
    }
  }
  EXPECT_EQ(singles, 6 * draws);
  EXPECT_EQ(doubles, 15 * draws);
  EXPECT_EQ(trebles, 20 * draws);
  EXPECT_EQ(quads, 15 * draws);
  EXPECT_EQ(state.tables.Single(0), 0);

  // The index counts every draw once in "S" and six times in "P" and "F".
  long six = 0, fivePlus = 0, five = 0;
  for (int first = 1; first <= 49; ++first) {
    const std::string key = TwoDigits(first) + "0000000000";
    for (const IndexEntry& entry : ParseIndexLine(ReadIndexLine(state, key, IndexKind::Six)))
      six += entry.count;
    for (const IndexEntry& entry : ParseIndexLine(ReadIndexLine(state, key, IndexKind::FivePlus)))
      fivePlus += entry.count;
    for (const IndexEntry& entry : ParseIndexLine(ReadIndexLine(state, key, IndexKind::Five)))
      five += entry.count;
  }
  EXPECT_EQ(six, draws);
  EXPECT_EQ(fivePlus, 6 * draws);
  EXPECT_EQ(five, 6 * draws);
  EXPECT_TRUE(IndexMarkerExists(state));
}

TEST_F(DemoHistory, BulkRebuildEqualsRecordingDrawsOneByOne) {
  state.draws.resize(250);
  IntegrateDraws(state, true, false);

  test::TestFolder oneByOne;
  ProgramState single;
  single.appFolder = oneByOne.Path();
  single.lottoFile = "Sample.opt";
  for (const std::string& entry : state.draws) {
    single.draws.push_back(entry);
    IntegrateDraws(single, false, false);
  }
  oneByOne.Write("Sample.dnd", std::string(kIndexMarkerLine) + "\r\n");
  oneByOne.CopyDemo("Sample.opt");

  const auto bulk = FolderContent(folder);
  EXPECT_GT(bulk.size(), 90u);
  EXPECT_EQ(bulk, FolderContent(oneByOne));
}

}  // namespace
}  // namespace bw
