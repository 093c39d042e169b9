// SPDX-License-Identifier: GPL-3.0-or-later
// Where a line stands among all 13,983,816 lines: how many lines reach each
// result percentage over a set of draws, and a line's place among them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/all_lines_search.h"
#include "model/program_state.h"

namespace bw {

// The draws the percentages are counted over (draw list entries; placeholders
// are skipped) and the number they are taken of, as in the check.
struct DistributionInput {
  DrawList entries;
  int32_t drawCount = 0;
  LotterySettings returns;
};

// One entry per percentage some line reaches, ascending; over all lines they
// add up to 13,983,816. `count` lines in order from `firstRank` give a slice.
// Self-contained, so it may run on a thread of its own.
std::vector<PercentageCount> PercentageDistribution(const DistributionInput& input,
                                                    int64_t firstRank = 0,
                                                    int64_t count = kAllLinesCount,
                                                    int threads = 2);

struct LineStanding {
  int64_t lower = 0;   // lines with a lower percentage
  int64_t higher = 0;  // lines with a higher one
  // The share of lines below, in tenths of a percent, truncated.
  int LowerTenths() const { return static_cast<int>(lower * 1000 / kAllLinesCount); }
};
LineStanding StandingOf(const std::vector<PercentageCount>& distribution, int percent);

// "better than 97.4% of all lines, 12345 do better".
std::string StandingText(const LineStanding& standing);

}  // namespace bw
