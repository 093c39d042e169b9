// SPDX-License-Identifier: GPL-3.0-or-later
// The search through all 13,983,816 lines of "6 from 49" in lexicographic
// order for results of 66 percent or more, in slices so that a window can
// stay responsive and stop it, and fast enough to run through in well under a
// second.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/index_lookup.h"
#include "model/counting_tables.h"
#include "model/numbers.h"
#include "model/program_state.h"

namespace bw {

inline constexpr int64_t kAllLinesCount = 13'983'816;
inline constexpr int kFoundThreshold = 66;
inline constexpr std::size_t kFoundBatch = 320;

// The line after `line` in lexicographic order; false after 44 45 46 47 48 49.
bool NextLine(Line& line);

// The first line a search from `startLine` checks: the start line itself, or
// the line after it when its last number is 49 (nullopt when none is left,
// or when the start line is not six ascending numbers 1..49).
std::optional<Line> FirstLineToCheck(const Line& startLine);

// 0-based position of a line in the order (1 2 3 4 5 6 is 0); -1 for
// anything that is not six ascending numbers 1..49.
int64_t LineRank(const Line& line);
// 0-based position of five ascending numbers 1..49 among all sets of five
// in lexicographic order (only such sets may be given).
int64_t FiveSetRank(const std::array<int, 5>& five);
inline constexpr int64_t kFiveSetCount = 1'906'884;
// The line at a 0-based position; positions outside the order give its
// first or last line.
Line LineAtRank(int64_t rank);

// "01-12-23-31-40-49=71%".
std::string FoundLineEntry(const Line& line, int percent);

struct FoundLine {
  Line line;
  int percent = 0;
};

// How many lines of all 13,983,816 reach one result percentage.
struct PercentageCount {
  int percent = 0;
  int64_t lines = 0;
  bool operator==(const PercentageCount&) const = default;
};

struct SliceResult {
  int64_t checked = 0;       // lines checked in this slice
  Line lastChecked{};        // valid when checked > 0
  int lastPercent = 0;       // its result percentage
  std::optional<Line> next;  // the next line to check; nullopt when done
  // The index disagrees with the draws: nothing of this slice may be shown.
  bool impossible = false;
};

class AllLinesSearch {
 public:
  // The tables, index and draw list must stay as they are while the search
  // object is used (a new draw needs a new object). drawCount is the number
  // the percentages are taken of.
  AllLinesSearch(const CountingTables& tables, IndexEntrySource& index, int32_t drawCount,
                 const LotterySettings& returns, int threads = 2);
  ~AllLinesSearch();
  AllLinesSearch(const AllLinesSearch&) = delete;
  AllLinesSearch& operator=(const AllLinesSearch&) = delete;

  // Checks up to maxLines lines in order starting at `from` (inclusive) and
  // appends every line of 66 percent or more to `found`, in order. Results
  // equal CheckSingleLine's for every line.
  SliceResult CheckSlice(const Line& from, int64_t maxLines, std::vector<FoundLine>& found);

  // The result percentages of `count` lines in order from `firstRank`,
  // counted: one entry per percentage some line reaches, ascending. Equal to
  // checking each line.
  std::vector<PercentageCount> CountPercentages(int64_t firstRank = 0,
                                                int64_t count = kAllLinesCount);

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
};

}  // namespace bw
