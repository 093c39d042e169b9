// SPDX-License-Identifier: GPL-3.0-or-later
// A lottery of given draws in a scratch program folder, indexed by the store,
// and the references the engines must agree with.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "analysis/all_lines_search.h"
#include "analysis/index_lookup.h"
#include "analysis/single_line_check.h"
#include "model/program_state.h"
#include "support/test_folder.h"

namespace bw::test {

struct TestDraw {
  Line main;
  int bonus = 0;  // 0 = no bonus
};

LotterySettings Returns(int ret3 = 10, int ret4 = 60, int ret5 = 1500, int ret5p = 100000,
                        int ret6 = 1000000);

struct TestLottery {
  explicit TestLottery(const std::vector<TestDraw>& draws);
  // Overwrites the index file of `kind` for keys starting with `firstTwo`.
  void DamageIndex(IndexKind kind, const std::string& firstTwo, const std::string& line) const;
  int32_t DrawCount() const { return static_cast<int32_t>(state.draws.size()); }
  SingleLineResult Check(const Line& line, IndexLookup& index,
                         const LotterySettings& returns) const {
    return CheckSingleLine(line, DrawCount(), returns, state.tables, index);
  }
  SingleLineResult Check(const Line& line, IndexLookup& index) const {
    return Check(line, index, state.settings);
  }

  TestFolder folder;
  ProgramState state;
};

// The demo lottery, read here without the program's readers, and indexed;
// its draw list holds the real dates.
struct DemoHistory {
  std::vector<TestDraw> draws;
  std::vector<int32_t> days;
  std::unique_ptr<TestLottery> lottery;
};
const DemoHistory& Demo();

// Exact counts by comparing the line with every draw.
SingleLineResult ExpectedResult(const Line& line, const std::vector<TestDraw>& draws,
                                const LotterySettings& returns);

// Searches each slice and asserts it finds, checks and stops where checking
// its lines one by one does; returns how many lines were found in all.
std::size_t ExpectSlicesMatchEachLine(const TestLottery& lottery, const LotterySettings& returns,
                                      const std::vector<std::pair<Line, int64_t>>& slices);

// `count` random draws (fixed seed) with bonus numbers.
std::vector<TestDraw> RandomDraws(int count, unsigned seed);

}  // namespace bw::test
