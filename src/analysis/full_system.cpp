// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/full_system.h"

#include <utility>

namespace bw {
namespace {

constexpr int kSystemSize = 12;

// Mid$-like: the characters that exist from 0-based `pos` on, at most `count`.
std::string_view Piece(std::string_view text, std::size_t pos, std::size_t count) {
  return pos < text.size() ? text.substr(pos, count) : std::string_view();
}

std::string Padded(const std::string& text, int blanks) {
  return std::string(static_cast<std::size_t>(blanks), ' ') + text;
}

// Count columns: three (or two) characters wide up to 999 (99).
std::string F3(const std::string& caption) {
  const int value = LeadingNumber(caption);
  return Padded(caption, value == 0 ? 3 : value < 10 ? 2 : value < 100 ? 1 : 0);
}

std::string F2(const std::string& caption) {
  const int value = LeadingNumber(caption);
  return Padded(caption, value == 0 ? 2 : value < 10 ? 1 : 0);
}

std::string FP(const std::string& caption) {
  const int value = LeadingNumber(caption);
  return Padded(caption, value < 10 ? 3 : value < 100 ? 2 : 1);
}

}  // namespace

std::vector<std::string> BuildSystemPatterns() {
  std::vector<std::string> patterns;
  patterns.reserve(kSystemLineCount);
  // Six nested loops over positions 0..11, each above the one before.
  std::array<int, 6> pos{0, 1, 2, 3, 4, 5};
  while (true) {
    std::string pattern(kSystemSize, '-');
    for (int p : pos) pattern[static_cast<std::size_t>(p)] = '*';
    patterns.push_back(std::move(pattern));
    int i = 5;
    while (i >= 0 && pos[i] == kSystemSize - 6 + i) --i;
    if (i < 0) break;
    ++pos[i];
    for (int j = i + 1; j < 6; ++j) pos[j] = pos[j - 1] + 1;
  }
  return patterns;
}

std::vector<Line> BuildSystemLines(std::array<std::string, 13>& selectedNumbers,
                                   const std::vector<std::string>& patterns) {
  for (int i = 1; i <= 11; ++i)
    for (int j = i + 1; j <= 12; ++j)
      if (LeadingNumber(selectedNumbers[j]) < LeadingNumber(selectedNumbers[i]))
        std::swap(selectedNumbers[i], selectedNumbers[j]);

  std::string digits;
  for (int i = 1; i <= 12; ++i) {
    if (LeadingNumber(selectedNumbers[i]) < 10) digits += '0';
    digits += TrimBlanks(selectedNumbers[i]);
  }

  std::vector<Line> lines;
  lines.reserve(patterns.size());
  for (const std::string& pattern : patterns) {
    Line line{};
    std::size_t filled = 0;
    for (std::size_t j = 0; j < pattern.size() && j < kSystemSize; ++j)
      if (pattern[j] == '*' && filled < line.size())
        line[filled++] = LeadingNumber(Piece(digits, 2 * j, 2));
    lines.push_back(line);
  }
  return lines;
}

std::string SystemLineText(const Line& line) {
  return JoinTwoDigits(line, "-");
}

std::string FormatResultRow(const std::string& lineText, const ResultCaptions& captions) {
  return lineText + " |" + F3(captions.three) + "|" + F3(captions.four) + "|" + F2(captions.five) +
         "|" + F2(captions.fivePlus) + "|" + F2(captions.six) + "|" + FP(captions.digit) +
         captions.ret;
}

std::string ResultRowHeader() {
  return std::string(18, ' ') + "| 3 | 4 | 5|5+| 6|result";
}

void SystemCounters::Count(int percent) {
  ++analysed;
  if (percent >= 66)
    ++atLeast66;
  else if (percent >= 50)
    ++from50to65;
}

bool RunFullSystem(const std::vector<Line>& lines,
                   const std::function<SingleLineResult(const Line&)>& check,
                   SystemCounters& counters, const SystemRunHooks& hooks) {
  const auto stopRequested = [&hooks] { return hooks.stopRequested && hooks.stopRequested(); };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (hooks.letEventsRun) hooks.letEventsRun();
    const SingleLineResult result = check(lines[i]);
    if (stopRequested()) return false;  // checked, but not listed
    const std::string row = FormatResultRow(SystemLineText(lines[i]), CaptionsOf(result));
    if (hooks.onRow) hooks.onRow(static_cast<int>(i), row, result);
    counters.Count(result.percent);
    if (stopRequested()) return i + 1 == lines.size();  // listed and counted
  }
  return true;
}

}  // namespace bw
