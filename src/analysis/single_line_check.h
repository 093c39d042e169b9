// SPDX-License-Identifier: GPL-3.0-or-later
// The one line-evaluation engine: how a line of six numbers would have done
// over every draw of the history.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "analysis/index_lookup.h"
#include "model/counting_tables.h"
#include "model/numbers.h"
#include "model/program_state.h"

namespace bw {

// Exact counts of draws with 3, 4, 5 (without the bonus on the line), 5 plus
// bonus and 6 main numbers on the line; the whole percentage that the 3- and
// 4-hit returns make of one unit staked per draw, truncated toward zero; and
// the plus flag for any 5, 5+bonus or 6 return of 1 or more. `impossible`
// marks counts that no history can give (one below 0, or more hits than
// draws): the index disagrees with the draws, and the counts must not be
// shown.
struct SingleLineResult {
  int32_t hits3 = 0, hits4 = 0, hits5 = 0, hits5Bonus = 0, hits6 = 0;
  int percent = 0;
  bool plus = false;
  bool impossible = false;
  bool operator==(const SingleLineResult&) const = default;
};

// Raw sums over the sub-combinations of a line, before the correction.
struct RawHits {
  int64_t hits3 = 0, hits4 = 0, hits5 = 0, hits5Bonus = 0, hits6 = 0;
};

// Whole percentage of `money` in one unit staked per draw, computed as the
// result has always been: (100 / drawCount) * money in double precision,
// truncated toward zero; 0 without draws.
inline int PercentOfMoney(int64_t money, int32_t drawCount) {
  if (drawCount <= 0) return 0;
  const double percent = std::trunc((100.0 / drawCount) * static_cast<double>(money));
  if (percent >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (percent <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(percent);
}

// The result of exact counts (draws with exactly that many numbers right).
SingleLineResult ResultFromExactHits(const RawHits& exact, int32_t drawCount,
                                     const LotterySettings& returns);

// Turns raw sums into exact counts and the percentage (the correction and
// money rules of the check). drawCount is the draw list's entry count,
// placeholders included; with 0 draws the percentage stays 0.
SingleLineResult ResultFromRawHits(const RawHits& raw, int32_t drawCount,
                                   const LotterySettings& returns);

// The raw sums of a valid line: 20 trebles, 15 quads, and the "S", "P" and
// "F" index counts of its sets of six and five.
RawHits SumRawHits(const Line& line, const CountingTables& tables, IndexLookup& index);

// `line` should be ascending numbers 1..49; any other line hits nothing.
SingleLineResult CheckSingleLine(const Line& line, int32_t drawCount,
                                 const LotterySettings& returns, const CountingTables& tables,
                                 IndexLookup& index);

// The captions of the result labels: a count of 0 is an empty text, the
// percentage always a number, the marker "%" or "%+".
struct ResultCaptions {
  std::string three, four, five, fivePlus, six, digit, ret;
};
ResultCaptions CaptionsOf(const SingleLineResult& result);

enum class Verdict { Happy, Moody, VeryMoody };
inline constexpr int kHappyPercent = 45;
inline constexpr int kMoodyPercent = 25;
// >= kHappyPercent or "+": happy; >= kMoodyPercent: moody; else very moody.
Verdict VerdictOf(const SingleLineResult& result);

}  // namespace bw
