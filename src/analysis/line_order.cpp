// SPDX-License-Identifier: GPL-3.0-or-later
// The lexicographic order of the 13,983,816 lines and the search's start rule.
#include <algorithm>
#include <array>

#include "analysis/all_lines_search.h"

namespace bw {
namespace {

constexpr int kLastFirst = kHighestNumber - 5;  // 44: the highest first number

// C(n, k) for the small values the order needs.
constexpr int64_t Choose(int n, int k) {
  if (k < 0 || n < k) return 0;
  int64_t value = 1;
  for (int i = 1; i <= k; ++i) value = value * (n - k + i) / i;
  return value;
}

// Sets of `size` numbers whose number at 0-based `slot` is `number` and all
// later numbers are above it: the completions of the remaining slots.
constexpr int64_t Completions(int slot, int number, int size = 6) {
  return Choose(kHighestNumber - number, size - 1 - slot);
}

// before[slot][n]: sets whose number at `slot` is below n (given the slots
// before it), summed from 1; the difference of two counts a range.
template <int Size>
const auto& RankTable() {
  static const auto table = [] {
    std::array<std::array<int64_t, kHighestNumber + 2>, Size> before{};
    for (int slot = 0; slot < Size; ++slot)
      for (int n = 2; n <= kHighestNumber + 1; ++n)
        before[slot][n] = before[slot][n - 1] + Completions(slot, n - 1, Size);
    return before;
  }();
  return table;
}

template <int Size>
int64_t SetRank(const std::array<int, Size>& numbers) {
  const auto& before = RankTable<Size>();
  int64_t rank = 0;
  int previous = 0;
  for (int slot = 0; slot < Size; ++slot) {
    rank += before[slot][numbers[slot]] - before[slot][previous + 1];
    previous = numbers[slot];
  }
  return rank;
}

// The search's carry once the last number has passed 49: each number that
// has passed its limit raises the one before it and restarts the numbers
// after it consecutively; the last number is left equal to the fifth so the
// next raise gives the fifth plus one. False after the last line.
bool CarryPastLast(Line& p) {
  p[4] += 1;
  p[5] = p[4];
  for (int slot = 4; slot >= 1; --slot) {
    if (p[slot] <= kLastFirst + slot) break;
    p[slot - 1] += 1;
    if (slot == 1 && p[0] > kLastFirst) return false;
    for (int j = slot; j < 5; ++j) p[j] = p[j - 1] + 1;
    p[5] = p[4];
  }
  return true;
}

}  // namespace

bool NextLine(Line& line) {
  int i = 5;
  while (i >= 0 && line[i] >= kLastFirst + i) --i;
  if (i < 0) return false;
  ++line[i];
  for (int j = i + 1; j < 6; ++j) line[j] = line[j - 1] + 1;
  return true;
}

std::optional<Line> FirstLineToCheck(const Line& startLine) {
  if (!IsValidLine(startLine)) return std::nullopt;
  // The search stands one step before its first line: with a last number of
  // 49 on the start line's fifth number raised, else one below the start.
  Line p = startLine;
  if (p[5] == kHighestNumber) {
    p[4] += 1;
    p[5] = p[4];
  } else {
    p[5] -= 1;
  }
  if (p[5] + 1 > kHighestNumber && !CarryPastLast(p)) return std::nullopt;
  p[5] += 1;
  return p;
}

int64_t LineRank(const Line& line) {
  return IsValidLine(line) ? SetRank<6>(line) : -1;
}

int64_t FiveSetRank(const std::array<int, 5>& five) {
  return SetRank<5>(five);
}

Line LineAtRank(int64_t rank) {
  rank = std::clamp<int64_t>(rank, 0, kAllLinesCount - 1);
  Line line{};
  int number = 0;
  for (int slot = 0; slot < 6; ++slot) {
    ++number;
    while (rank >= Completions(slot, number)) {
      rank -= Completions(slot, number);
      ++number;
    }
    line[slot] = number;
  }
  return line;
}

std::string FoundLineEntry(const Line& line, int percent) {
  return JoinTwoDigits(line, "-") + "=" + std::to_string(percent) + "%";
}

}  // namespace bw
