// SPDX-License-Identifier: GPL-3.0-or-later
// The full system "6 from 12": twelve numbers expanded into all 924 lines,
// each checked, listed as a result row and counted.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "analysis/single_line_check.h"
#include "model/numbers.h"

namespace bw {

inline constexpr int kSystemLineCount = 924;

// The 924 twelve-character patterns ("******------", ...), lexicographic.
std::vector<std::string> BuildSystemPatterns();

// Sorts entries 1..12 of `selectedNumbers` in place (ascending by value) and
// returns the 924 lines in pattern order.
std::vector<Line> BuildSystemLines(std::array<std::string, 13>& selectedNumbers,
                                   const std::vector<std::string>& patterns);

// "03-07-12-19-33-41".
std::string SystemLineText(const Line& line);

// line text, " |", F3, "|", F3, "|", F2, "|", F2, "|", F2, "|", FP, marker.
std::string FormatResultRow(const std::string& lineText, const ResultCaptions& captions);

// Column header of the result list: 18 spaces then "| 3 | 4 | 5|5+| 6|result".
std::string ResultRowHeader();

struct SystemCounters {
  int analysed = 0;    // rows listed
  int from50to65 = 0;  // results 50..65
  int atLeast66 = 0;   // results 66 and more
  void Count(int percent);
};

// Runs the lines in order with the stop rules of the page: before each line
// `letEventsRun`; a stop seen after the check leaves that line unlisted; a
// stop seen after the counters ends the run with the line listed.
struct SystemRunHooks {
  std::function<void()> letEventsRun;
  std::function<bool()> stopRequested;
  // A listed row: index i (0-based), the row text, its result.
  std::function<void(int, const std::string&, const SingleLineResult&)> onRow;
};
// Returns true when every line was listed.
bool RunFullSystem(const std::vector<Line>& lines,
                   const std::function<SingleLineResult(const Line&)>& check,
                   SystemCounters& counters, const SystemRunHooks& hooks);

}  // namespace bw
