// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/percentage_distribution.h"

#include <unordered_map>

#include "analysis/index_lookup.h"
#include "model/draw_fields.h"
#include "store/index_files.h"

namespace bw {
namespace {

// The index entries the given draws would write, held in memory.
class DrawnIndexEntries : public IndexEntrySource {
 public:
  void AddDraw(DrawFields fields) {
    Record(IndexKind::Six, SixKey(fields));
    for (const std::string& key : FiveKeys(fields)) Record(IndexKind::FivePlus, key);
    fields[7] = "00";
    for (const std::string& key : FiveKeys(fields)) Record(IndexKind::Five, key);
  }
  std::vector<IndexEntry> AllEntries(IndexKind kind) override {
    std::vector<IndexEntry> entries;
    for (const auto& [key, count] : counts_[Slot(kind)]) entries.push_back({key, count});
    return entries;
  }
  unsigned Generation() const override { return 0; }

 private:
  static int Slot(IndexKind kind) {
    return kind == IndexKind::Six ? 0 : kind == IndexKind::Five ? 1 : 2;
  }
  void Record(IndexKind kind, const std::string& key) { ++counts_[Slot(kind)][key]; }
  std::unordered_map<std::string, int> counts_[3];
};

}  // namespace

std::vector<PercentageCount> PercentageDistribution(const DistributionInput& input,
                                                    int64_t firstRank, int64_t count, int threads) {
  CountingTables tables;
  DrawnIndexEntries index;
  std::string date;
  for (const std::string& entry : input.entries) {
    const DrawFields fields = ParseDrawEntry(entry, &date);
    if (IsPlaceholderEntry(date)) continue;
    tables.CountDraw(fields);
    index.AddDraw(fields);
  }
  AllLinesSearch search(tables, index, input.drawCount, input.returns, threads);
  return search.CountPercentages(firstRank, count);
}

LineStanding StandingOf(const std::vector<PercentageCount>& distribution, int percent) {
  LineStanding standing;
  for (const PercentageCount& count : distribution) {
    if (count.percent < percent) standing.lower += count.lines;
    if (count.percent > percent) standing.higher += count.lines;
  }
  return standing;
}

std::string StandingText(const LineStanding& standing) {
  const int tenths = standing.LowerTenths();
  return "better than " + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
         "% of all lines, " + std::to_string(standing.higher) + " do better";
}

}  // namespace bw
