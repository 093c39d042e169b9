// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/single_line_check.h"

#include <algorithm>
#include <array>
#include <limits>

namespace bw {
namespace {

std::string CountCaption(int32_t count) {
  return count == 0 ? std::string() : std::to_string(count);
}

// The five numbers of `line` without position `left`, as ten digits.
std::string FiveDigits(const Line& line, int left) {
  std::string digits;
  for (int i = 0; i < 6; ++i)
    if (i != left) digits += TwoDigits(line[i]);
  return digits;
}

// Counts of draws: each within 0..drawCount, and no draw in two of them.
bool PossibleCounts(const std::array<int64_t, 5>& counts, int32_t drawCount) {
  int64_t total = 0;
  for (int64_t count : counts) {
    if (count < 0 || count > drawCount) return false;
    total += count;
  }
  return total <= drawCount;
}

int32_t Clamped(int64_t count) {
  return static_cast<int32_t>(std::clamp<int64_t>(count, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

SingleLineResult ResultFromRawHits(const RawHits& raw, int32_t drawCount,
                                   const LotterySettings& returns) {
  // Raw sums come from files and are capped far below overflow, so 64 bits
  // hold every step of the correction.
  int64_t hits3 = raw.hits3, hits4 = raw.hits4, hits5 = raw.hits5;
  const int64_t hits5Bonus = raw.hits5Bonus, hits6 = raw.hits6;
  // A draw with k numbers on the line was summed C(k,3), C(k,4) and C(k,5)
  // times; peel the higher hits off, highest first.
  if (hits6 > 0) {
    hits5 -= 6 * hits6;
    hits4 -= 15 * hits6;
    hits3 -= 20 * hits6;
  }
  if (hits5 > 0) {
    hits4 -= 5 * hits5;
    hits3 -= 10 * hits5;
  }
  if (hits4 > 0) hits3 -= 4 * hits4;
  if (hits5Bonus > 0) hits5 -= hits5Bonus;
  return ResultFromExactHits({hits3, hits4, hits5, hits5Bonus, hits6}, drawCount, returns);
}

SingleLineResult ResultFromExactHits(const RawHits& exact, int32_t drawCount,
                                     const LotterySettings& returns) {
  SingleLineResult result;
  result.impossible = !PossibleCounts(
      {exact.hits3, exact.hits4, exact.hits5, exact.hits5Bonus, exact.hits6}, drawCount);
  if (result.impossible) return result;
  result.hits3 = Clamped(exact.hits3);
  result.hits4 = Clamped(exact.hits4);
  result.hits5 = Clamped(exact.hits5);
  result.hits5Bonus = Clamped(exact.hits5Bonus);
  result.hits6 = Clamped(exact.hits6);
  // Possible counts are at most 2^31, returns 32-bit: the products fit.
  result.percent =
      PercentOfMoney(exact.hits3 * returns.ret3 + exact.hits4 * returns.ret4, drawCount);
  result.plus = exact.hits5 * returns.ret5 >= 1 || exact.hits5Bonus * returns.ret5p >= 1 ||
                exact.hits6 * returns.ret6 >= 1;
  return result;
}

RawHits SumRawHits(const Line& line, const CountingTables& tables, IndexLookup& index) {
  RawHits raw;
  raw.hits6 = index.Count(IndexKind::Six, LineKey(line));
  // The six sets of five in the order of the five nested loops: the number
  // left out runs from the last to the first.
  for (int left = 5; left >= 0; --left) {
    const std::string five = FiveDigits(line, left);
    raw.hits5Bonus += index.Count(IndexKind::FivePlus, five + TwoDigits(line[left]));
    raw.hits5 += index.Count(IndexKind::Five, five + "00");
  }
  const auto& n = line;
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 4; ++j)
      for (int k = j + 1; k < 5; ++k)
        for (int l = k + 1; l < 6; ++l) raw.hits4 += tables.Quad(n[i], n[j], n[k], n[l]);
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 5; ++j)
      for (int k = j + 1; k < 6; ++k) raw.hits3 += tables.Treble(n[i], n[j], n[k]);
  return raw;
}

SingleLineResult CheckSingleLine(const Line& line, int32_t drawCount,
                                 const LotterySettings& returns, const CountingTables& tables,
                                 IndexLookup& index) {
  // Anything else could index outside the tables; such a line hits nothing.
  if (!IsValidLine(line)) return ResultFromRawHits({}, drawCount, returns);
  return ResultFromRawHits(SumRawHits(line, tables, index), drawCount, returns);
}

ResultCaptions CaptionsOf(const SingleLineResult& result) {
  return {CountCaption(result.hits3), CountCaption(result.hits4),
          CountCaption(result.hits5), CountCaption(result.hits5Bonus),
          CountCaption(result.hits6), std::to_string(result.percent),
          result.plus ? "%+" : "%"};
}

Verdict VerdictOf(const SingleLineResult& result) {
  if (result.percent >= kHappyPercent || result.plus) return Verdict::Happy;
  if (result.percent >= kMoodyPercent) return Verdict::Moody;
  return Verdict::VeryMoody;
}

}  // namespace bw
