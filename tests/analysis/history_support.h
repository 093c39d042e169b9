// A small history held in memory: its counting tables, its index lines as
// the integration writes them, and the exact hits of a line counted draw by
// draw, so the engines can be checked without the file store.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "analysis/index_lookup.h"
#include "analysis/single_line_check.h"
#include "model/counting_tables.h"
#include "model/numbers.h"

namespace bw::test {

struct TestDraw {
  Line main;
  int bonus = 0;  // 0 = no bonus
};

class MemoryHistory {
 public:
  explicit MemoryHistory(const std::vector<TestDraw>& draws);

  const CountingTables& Tables() const { return tables_; }
  // Reads index lines from memory ("" for a file that was never written).
  IndexLineReader Reader() const;
  // Replaces the line of one index file, as a damaged file would read.
  void SetIndexLine(IndexKind kind, const std::string& firstTwo, const std::string& line);
  void AddDraw(const TestDraw& draw);
  int32_t DrawCount() const { return static_cast<int32_t>(draws_.size()); }

 private:
  void Record(IndexKind kind, const std::string& key);
  std::vector<TestDraw> draws_;
  CountingTables tables_;
  std::map<std::string, std::string> lines_;  // "S03" -> index line
};

// Exact counts by comparing the line with every draw.
SingleLineResult ExpectedResult(const Line& line, const std::vector<TestDraw>& draws,
                                const LotterySettings& returns);

// A history of `count` random draws (fixed seed) with bonus numbers.
std::vector<TestDraw> RandomDraws(int count, unsigned seed);

}  // namespace bw::test
