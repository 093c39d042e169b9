#include "analysis/single_line_check.h"

namespace bw {
namespace {

std::string CountCaption(int16_t count) {
  return count == 0 ? std::string() : std::to_string(count);
}

// The five numbers of `line` without position `left`, as ten digits.
std::string FiveDigits(const Line& line, int left) {
  std::string digits;
  for (int i = 0; i < 6; ++i)
    if (i != left) digits += TwoDigits(line[i]);
  return digits;
}

}  // namespace

SingleLineResult ResultFromRawHits(const RawHits& raw, int32_t drawCount,
                                   const LotterySettings& returns) {
  int hits3 = raw.hits3, hits4 = raw.hits4, hits5 = raw.hits5;
  const int hits5Bonus = raw.hits5Bonus, hits6 = raw.hits6;
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
  result.hits3 = static_cast<int16_t>(exact.hits3);
  result.hits4 = static_cast<int16_t>(exact.hits4);
  result.hits5 = static_cast<int16_t>(exact.hits5);
  result.hits5Bonus = static_cast<int16_t>(exact.hits5Bonus);
  result.hits6 = static_cast<int16_t>(exact.hits6);
  const int64_t smallReturns =
      int64_t{exact.hits3} * returns.ret3 + int64_t{exact.hits4} * returns.ret4;
  result.percent = PercentOfMoney(smallReturns, drawCount);
  result.plus = int64_t{exact.hits5} * returns.ret5 >= 1 ||
                int64_t{exact.hits5Bonus} * returns.ret5p >= 1 ||
                int64_t{exact.hits6} * returns.ret6 >= 1;
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
