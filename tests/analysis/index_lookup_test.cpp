#include "analysis/index_lookup.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/history_support.h"

namespace bw {
namespace {

using test::MemoryHistory;

TEST(CountOfKey, ReadsTheNumberAfterTheKey) {
  const std::string line = "030811172538=  1:031117253844= 12:031215203040=123:";
  EXPECT_EQ(CountOfKey(line, "030811172538"), 1);
  EXPECT_EQ(CountOfKey(line, "031117253844"), 12);
  EXPECT_EQ(CountOfKey(line, "031215203040"), 123);
  EXPECT_EQ(CountOfKey(line, "031215203041"), 0);
  EXPECT_EQ(CountOfKey("", "031215203041"), 0);
  EXPECT_EQ(CountOfKey("031215203040", "031215203040"), 0);      // no count after it
  EXPECT_EQ(CountOfKey("031215203040=  7", "031215203040"), 7);  // no ":" at the end
}

TEST(CachedIndexLookup, GivesTheSameCountsAsReadingEachTime) {
  MemoryHistory history(test::RandomDraws(600, 11));
  // Damaged lines: a key twice (the first counts), text around, a cut entry.
  history.SetIndexLine(IndexKind::Six, "07", "070809101112=  2:070809101112=  5:x0710");
  history.SetIndexLine(IndexKind::Five, "08", "junk 0809101112001= 3:080910111200=  4");
  FileIndexLookup fresh(history.Reader());
  CachedIndexLookup cached(history.Reader());
  std::mt19937 generator(5);
  std::vector<std::pair<IndexKind, std::string>> keys = {{IndexKind::Six, "070809101112"},
                                                         {IndexKind::Five, "080910111200"},
                                                         {IndexKind::Five, "809101112001"}};
  for (const IndexKind kind : {IndexKind::Six, IndexKind::FivePlus, IndexKind::Five})
    for (const IndexEntry& entry : cached.AllEntries(kind)) keys.emplace_back(kind, entry.key);
  for (int i = 0; i < 2000; ++i) {
    Line line = test::RandomDraws(1, generator())[0].main;
    keys.emplace_back(IndexKind::Six, LineKey(line));
    keys.emplace_back(IndexKind::Five, LineKey(line).substr(0, 10) + "00");
  }
  for (const auto& [kind, key] : keys)
    EXPECT_EQ(cached.Count(kind, key), fresh.Count(kind, key)) << key;
  EXPECT_EQ(cached.Count(IndexKind::Six, "070809101112"), 2);
}

TEST(CachedIndexLookup, ForgetReadsAnAddedDrawAnew) {
  MemoryHistory history({{{1, 2, 3, 4, 5, 6}, 7}});
  CachedIndexLookup cached(history.Reader());
  EXPECT_EQ(cached.Count(IndexKind::Six, "010203040506"), 1);
  history.AddDraw({{1, 2, 3, 4, 5, 6}, 8});
  EXPECT_EQ(cached.Count(IndexKind::Six, "010203040506"), 1);  // still the old read
  const unsigned before = cached.Generation();
  cached.Forget();
  EXPECT_NE(cached.Generation(), before);
  EXPECT_EQ(cached.Count(IndexKind::Six, "010203040506"), 2);
  EXPECT_EQ(cached.Count(IndexKind::FivePlus, "010203040508"), 1);
}

TEST(CachedIndexLookup, AllEntriesHoldsWhatAChecksCanFind) {
  MemoryHistory history({{{3, 11, 17, 25, 38, 44}, 9}, {{3, 11, 17, 25, 38, 44}, 2}});
  // A key filed under the wrong first number is never found by a check.
  history.SetIndexLine(IndexKind::Six, "04", "050607080910=  1:040506070809=  3:");
  CachedIndexLookup cached(history.Reader());
  const auto six = cached.AllEntries(IndexKind::Six);
  ASSERT_EQ(six.size(), 2u);
  EXPECT_EQ(six[0].key, "031117253844");
  EXPECT_EQ(six[0].count, 2);
  EXPECT_EQ(six[1].key, "040506070809");
  EXPECT_EQ(six[1].count, 3);
  const auto fives = cached.AllEntries(IndexKind::Five);
  ASSERT_EQ(fives.size(), 6u);
  EXPECT_EQ(fives[5].key, "111725384400");
  EXPECT_EQ(cached.AllEntries(IndexKind::FivePlus).size(), 12u);
  // Keys that are not 12 digits are never found.
  EXPECT_EQ(cached.Count(IndexKind::Six, "03111725384"), 0);
  EXPECT_EQ(cached.Count(IndexKind::Six, "03111725384x"), 0);
}

}  // namespace
}  // namespace bw
