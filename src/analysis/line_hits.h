// SPDX-License-Identifier: GPL-3.0-or-later
// When a line hit: every draw of a range in which it has three or more main
// numbers, with the class of the hit and its return, the totals of staking
// the line on each draw, and the check of the line over those draws alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/draw_range.h"
#include "analysis/single_line_check.h"
#include "model/numbers.h"
#include "model/program_state.h"

namespace bw {

// "5+": five main numbers and the bonus is the line's sixth number.
enum class HitClass { Three, Four, Five, FivePlus, Six };
// "3", "4", "5", "5+", "6".
const char* HitClassName(HitClass hitClass);
// The lottery's return for the class (ret3 .. ret6).
int64_t ReturnOf(HitClass hitClass, const LotterySettings& settings);
// The class of a draw for a line (its NumberMask), when it has three or more
// main numbers.
std::optional<HitClass> HitClassIn(uint64_t lineMask, const DatedDraw& draw);

struct LineHit {
  std::string entry;  // the draw list entry, trailing blanks removed
  int32_t day = 0;
  std::size_t drawIndex = 0;  // position among the draws of the range
  HitClass hitClass = HitClass::Three;
  int64_t ret = 0;
};

struct HitTotals {
  int64_t draws = 0;     // draws in the range
  int64_t staked = 0;    // draws x stake
  int64_t returned = 0;  // the returns of every hit
  int64_t balance = 0;   // returned - staked
};

struct LineHits {
  std::vector<LineHit> hits;  // in the history's order
  HitTotals totals;
};

// `draws` are the draws of a range (DrawsInRange), `list` the draw list.
LineHits FindLineHits(const Line& line, const std::vector<DatedDraw>& draws, const DrawList& list,
                      const LotterySettings& settings);

// The check of a line counted over the given draws; the percentage uses
// their number. Equals the check over the whole history when they are all
// its draws.
SingleLineResult CheckOverDraws(const Line& line, const std::vector<DatedDraw>& draws,
                                const LotterySettings& settings);

// The hits as comma-separated rows under a heading: date, the six numbers,
// the bonus (empty without one), class and return.
std::vector<std::string> HitsCsvRows(const LineHits& hits);

// The balance after each draw of the range: returns so far minus the stake
// of every draw so far.
struct BalancePoint {
  int32_t day = 0;
  int64_t balance = 0;
};
std::vector<BalancePoint> RunningBalance(const LineHits& hits, const std::vector<DatedDraw>& draws,
                                         int32_t stake);

}  // namespace bw
