// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/history_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>

#include "model/day_number.h"
#include "model/numbers.h"
#include "store/index_files.h"
#include "store/integration.h"

namespace bw::test {
namespace {

std::string Entry(const TestDraw& draw, const std::string& date = "01/01/2000") {
  return date + " " + JoinTwoDigits(draw.main, " ") + " " +
         (draw.bonus ? TwoDigits(draw.bonus) : "");
}

std::vector<std::string> FoundTexts(const std::vector<FoundLine>& found) {
  std::vector<std::string> texts;
  for (const FoundLine& line : found) texts.push_back(FoundLineEntry(line.line, line.percent));
  return texts;
}

}  // namespace

LotterySettings Returns(int ret3, int ret4, int ret5, int ret5p, int ret6) {
  return LotterySettings{true, 1, ret3, ret4, ret5, ret5p, ret6};
}

TestLottery::TestLottery(const std::vector<TestDraw>& draws) {
  state.appFolder = folder.Path();
  state.lottoFile = "Test.opt";
  state.settings = Returns();
  for (const TestDraw& draw : draws) state.draws.push_back(Entry(draw));
  IntegrateDraws(state, /*rebuild=*/true);
}

void TestLottery::DamageIndex(IndexKind kind, const std::string& firstTwo,
                              const std::string& line) const {
  folder.Write(IndexFileName(firstTwo + "0000000000", kind, state.lottoFile), line + "\r\n");
}

const DemoHistory& Demo() {
  static const DemoHistory demo = [] {
    DemoHistory read;
    std::ifstream history(std::string(BALLWRIGHT_DEMO_DIR) + "/Sample.opt");
    DrawList entries;
    for (std::string date; history >> date;) {
      TestDraw& draw = read.draws.emplace_back();
      for (int& number : draw.main) history >> number;
      history >> draw.bonus;
      read.days.push_back(DayNumber(*ParseDrawDate(date)));
      entries.push_back(Entry(draw, date));
    }
    read.lottery = std::make_unique<TestLottery>(read.draws);
    read.lottery->state.draws = entries;
    return read;
  }();
  return demo;
}

SingleLineResult ExpectedResult(const Line& line, const std::vector<TestDraw>& draws,
                                const LotterySettings& returns) {
  SingleLineResult expected;
  for (const TestDraw& draw : draws) {
    int onLine = 0;
    for (int n : draw.main) onLine += static_cast<int>(std::count(line.begin(), line.end(), n));
    const bool bonusOnLine = std::count(line.begin(), line.end(), draw.bonus) > 0;
    expected.hits3 += onLine == 3;
    expected.hits4 += onLine == 4;
    expected.hits5Bonus += onLine == 5 && bonusOnLine;
    expected.hits5 += onLine == 5 && !bonusOnLine;
    expected.hits6 += onLine == 6;
  }
  const double money =
      double(expected.hits3) * returns.ret3 + double(expected.hits4) * returns.ret4;
  if (!draws.empty()) expected.percent = static_cast<int>((100.0 / draws.size()) * money);
  expected.plus = expected.hits5 * returns.ret5 > 0 || expected.hits5Bonus * returns.ret5p > 0 ||
                  expected.hits6 * returns.ret6 > 0;
  return expected;
}

std::size_t ExpectSlicesMatchEachLine(const TestLottery& lottery, const LotterySettings& returns,
                                      const std::vector<std::pair<Line, int64_t>>& slices) {
  CachedIndexLookup index(lottery.state), fresh(lottery.state);
  AllLinesSearch search(lottery.state.tables, index, lottery.DrawCount(), returns);
  std::size_t total = 0;
  for (const auto& [from, count] : slices) {
    SCOPED_TRACE(LineKey(from));
    std::vector<FoundLine> found, expected;
    const SliceResult slice = search.CheckSlice(from, count, found);
    std::optional<Line> next = from;
    FoundLine last{};
    int64_t checked = 0;
    for (; checked < count && next; ++checked) {
      last = {*next, lottery.Check(*next, fresh, returns).percent};
      if (last.percent >= kFoundThreshold) expected.push_back(last);
      if (!NextLine(*next)) next.reset();
    }
    EXPECT_EQ(FoundTexts(found), FoundTexts(expected));
    EXPECT_EQ(slice.checked, checked);
    EXPECT_EQ(slice.next, next);
    if (checked > 0) {
      EXPECT_EQ(FoundLineEntry(slice.lastChecked, slice.lastPercent),
                FoundLineEntry(last.line, last.percent));
    }
    total += found.size();
  }
  return total;
}

std::vector<TestDraw> RandomDraws(int count, unsigned seed) {
  std::mt19937 generator(seed);
  std::vector<TestDraw> draws(count);
  std::array<int, 49> pool;
  std::iota(pool.begin(), pool.end(), 1);
  for (TestDraw& draw : draws) {
    std::shuffle(pool.begin(), pool.end(), generator);
    std::copy(pool.begin(), pool.begin() + 6, draw.main.begin());
    std::sort(draw.main.begin(), draw.main.end());
    draw.bonus = pool[6];
  }
  return draws;
}

}  // namespace bw::test
