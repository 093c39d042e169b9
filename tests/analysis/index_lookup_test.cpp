#include "analysis/index_lookup.h"

#include <gtest/gtest.h>

#include "analysis/history_support.h"

namespace bw {
namespace {

using test::TestLottery;

// Counts among other keys and counts that grew are read in the store's tests.
TEST(CountInIndexLine, ReadsTheNumberAfterTheKey) {
  const std::tuple<std::string, std::string, int> cases[] = {
      {"", "031215203041", 0},
      {"031215203040", "031215203040", 0},      // no count after it
      {"031215203040=  7", "031215203040", 7},  // no ":" at the end
  };
  for (const auto& [text, key, count] : cases) EXPECT_EQ(CountInIndexLine(text, key), count) << key;
}

TEST(CachedIndexLookup, GivesTheSameCountsAsReadingEachTime) {
  const TestLottery lottery(test::RandomDraws(300, 11));
  // Damaged lines: a key twice (the first counts), text around, a cut entry,
  // a key filed under the wrong first number (no check can find it).
  lottery.DamageIndex(IndexKind::Six, "07", "070809101112=  2:070809101112=  5:x0710");
  lottery.DamageIndex(IndexKind::Five, "08", "junk 0809101112001= 3:080910111200=  4");
  lottery.DamageIndex(IndexKind::Six, "04", "050607080910=  1:040506070809=  3:");
  FileIndexLookup fresh(lottery.state);
  CachedIndexLookup cached(lottery.state);
  std::vector<std::pair<IndexKind, std::string>> keys = {{IndexKind::Six, "070809101112"},
                                                         {IndexKind::Five, "080910111200"},
                                                         {IndexKind::Five, "809101112001"}};
  for (const IndexKind kind : {IndexKind::Six, IndexKind::FivePlus, IndexKind::Five})
    for (const IndexEntry& entry : cached.AllEntries(kind)) keys.emplace_back(kind, entry.key);
  for (const auto& [kind, key] : keys)
    EXPECT_EQ(cached.Count(kind, key), fresh.Count(kind, key)) << key;
  EXPECT_EQ(cached.Count(IndexKind::Six, "070809101112"), 2);
  const std::vector<IndexEntry> sixes = cached.AllEntries(IndexKind::Six);
  EXPECT_EQ(std::count(sixes.begin(), sixes.end(), IndexEntry{"040506070809", 3}), 1);
  EXPECT_EQ(std::count_if(sixes.begin(), sixes.end(),
                          [](const IndexEntry& entry) { return entry.key == "050607080910"; }),
            0);
  for (const char* bad : {"03111725384", "03111725384x"})  // not 12 digits
    EXPECT_EQ(cached.Count(IndexKind::Six, bad), 0) << bad;
}

TEST(IndexReaders, AnUnreadableFolderCountsNothing) {
  const Line line{3, 11, 12, 14, 41, 43};
  const TestLottery lottery({{line, 9}});
  ProgramState elsewhere;
  elsewhere.appFolder = lottery.folder / "Test.opt";  // a file, not a folder
  elsewhere.lottoFile = "Test.opt";
  FileIndexLookup fresh(lottery.state), freshElsewhere(elsewhere);
  CachedIndexLookup cachedElsewhere(elsewhere);
  EXPECT_EQ(lottery.Check(line, fresh).hits6, 1);
  const SingleLineResult result = lottery.Check(line, freshElsewhere);
  EXPECT_EQ(result.hits6 + result.hits5 + result.hits5Bonus, 0);
  EXPECT_EQ(lottery.Check(line, cachedElsewhere), result);
}

}  // namespace
}  // namespace bw
