// A lottery of given draws in a scratch program folder, read and indexed by
// the store as at a start, and the exact hits of a line counted draw by draw
// as the reference the engines must agree with.
#pragma once

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

struct TestLottery {
  enum class From { Demo };
  explicit TestLottery(const std::vector<TestDraw>& draws);
  // The demo lottery with its own settings.
  explicit TestLottery(From);
  // Appended and indexed at once, as after an update.
  void AddDraw(const TestDraw& draw);
  // Overwrites the index file of `kind` for keys starting with `firstTwo`.
  void DamageIndex(IndexKind kind, const std::string& firstTwo, const std::string& line) const;
  int32_t DrawCount() const { return static_cast<int32_t>(state.draws.size()); }
  Line DrawLine(std::size_t i) const;
  SingleLineResult Check(const Line& line, IndexLookup& index) const {
    return Check(line, index, state.settings);
  }
  SingleLineResult Check(const Line& line, IndexLookup& index, const LotterySettings& ret) const {
    return CheckSingleLine(line, DrawCount(), ret, state.tables, index);
  }

  TestFolder folder;
  ProgramState state;
};

// Returns of 10 and 60 for three and four, and the usual high returns.
LotterySettings Returns(int ret3 = 10, int ret4 = 60, int ret5 = 1500, int ret5p = 100000,
                        int ret6 = 1000000);

// Exact counts by comparing the line with every draw.
SingleLineResult ExpectedResult(const Line& line, const std::vector<TestDraw>& draws,
                                const LotterySettings& returns);

// Found lines as their listed entries, for readable comparisons.
std::vector<std::string> FoundTexts(const std::vector<FoundLine>& found);

// `count` random draws (fixed seed) with bonus numbers.
std::vector<TestDraw> RandomDraws(int count, unsigned seed);

}  // namespace bw::test
