// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/line_hits.h"

#include <bit>
#include <optional>

#include "model/draw_fields.h"

namespace bw {

std::optional<HitClass> HitClassIn(uint64_t lineMask, const DatedDraw& draw) {
  switch (std::popcount(lineMask & draw.mainMask)) {
    case 3:
      return HitClass::Three;
    case 4:
      return HitClass::Four;
    case 5:
      // The bonus counts when it is the line's sixth number.
      return (lineMask & ~draw.mainMask) >> draw.bonus & 1 ? HitClass::FivePlus : HitClass::Five;
    case 6:
      return HitClass::Six;
    default:
      return std::nullopt;
  }
}

namespace {

std::string TrimmedEntry(const std::string& entry) {
  const std::size_t end = entry.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : entry.substr(0, end + 1);
}

}  // namespace

const char* HitClassName(HitClass hitClass) {
  static constexpr const char* kNames[] = {"3", "4", "5", "5+", "6"};
  return kNames[static_cast<int>(hitClass)];
}

int64_t ReturnOf(HitClass hitClass, const LotterySettings& settings) {
  const int32_t returns[] = {settings.ret3, settings.ret4, settings.ret5, settings.ret5p,
                             settings.ret6};
  return returns[static_cast<int>(hitClass)];
}

LineHits FindLineHits(const Line& line, const std::vector<DatedDraw>& draws, const DrawList& list,
                      const LotterySettings& settings) {
  LineHits result;
  const uint64_t lineMask = NumberMask(line);
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const std::optional<HitClass> hitClass = HitClassIn(lineMask, draws[i]);
    if (!hitClass) continue;
    const int64_t ret = ReturnOf(*hitClass, settings);
    result.hits.push_back(
        {TrimmedEntry(list[draws[i].listIndex]), draws[i].day, i, *hitClass, ret});
    result.totals.returned += ret;
  }
  result.totals.draws = static_cast<int64_t>(draws.size());
  result.totals.staked = result.totals.draws * settings.stake;
  result.totals.balance = result.totals.returned - result.totals.staked;
  return result;
}

SingleLineResult CheckOverDraws(const Line& line, const std::vector<DatedDraw>& draws,
                                const LotterySettings& settings) {
  RawHits exact;
  int64_t* counters[] = {&exact.hits3, &exact.hits4, &exact.hits5, &exact.hits5Bonus, &exact.hits6};
  const uint64_t lineMask = NumberMask(line);
  for (const DatedDraw& draw : draws)
    if (const auto hitClass = HitClassIn(lineMask, draw)) ++*counters[static_cast<int>(*hitClass)];
  return ResultFromExactHits(exact, static_cast<int32_t>(draws.size()), settings);
}

std::vector<std::string> HitsCsvRows(const LineHits& hits) {
  std::vector<std::string> rows = {"date,n1,n2,n3,n4,n5,n6,bonus,class,return"};
  for (const LineHit& hit : hits.hits) {
    std::string date;
    const DrawFields fields = ParseDrawEntry(hit.entry, &date);
    std::string row = date;
    for (int k = 1; k <= 6; ++k) row += "," + fields[k];
    row += "," + (fields[7] == "00" ? std::string() : fields[7]);
    row += std::string(",") + HitClassName(hit.hitClass) + "," + std::to_string(hit.ret);
    rows.push_back(row);
  }
  return rows;
}

std::vector<BalancePoint> RunningBalance(const LineHits& hits, const std::vector<DatedDraw>& draws,
                                         int32_t stake) {
  std::vector<BalancePoint> points;
  points.reserve(draws.size());
  int64_t balance = 0;
  auto hit = hits.hits.begin();
  for (std::size_t i = 0; i < draws.size(); ++i) {
    balance -= stake;
    for (; hit != hits.hits.end() && hit->drawIndex == i; ++hit) balance += hit->ret;
    points.push_back({draws[i].day, balance});
  }
  return points;
}

}  // namespace bw
