// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/statistics_text.h"

#include "model/numbers.h"

namespace bw {
namespace {

bool IsNumber(int number) {
  return number >= kLowestNumber && number <= kHighestNumber;
}

}  // namespace

std::vector<std::string> StatisticsText(const std::vector<NumberSetCount>& sets) {
  std::vector<std::string> lines;
  lines.reserve(sets.size());
  for (const NumberSetCount& set : sets) {
    std::string line = "  ";
    for (std::size_t i = 0; i < set.numbers.size(); ++i) {
      line += (i > 0 ? "-" : "") + TwoDigits(set.numbers[i]);
    }
    lines.push_back(line + "=" + RightAligned(set.count, 3) + "x");
  }
  return lines;
}

std::vector<NumberSetCount> SinglesCounts(const CountingTables& tables) {
  std::vector<NumberSetCount> sets;
  for (int a = kLowestNumber; a <= kHighestNumber; ++a) sets.push_back({{a}, tables.Single(a)});
  return sets;
}

std::vector<NumberSetCount> DoublesCounts(const CountingTables& tables, int number) {
  std::vector<NumberSetCount> sets;
  if (!IsNumber(number)) return sets;
  for (int b = number + 1; b <= kHighestNumber; ++b) {
    sets.push_back({{number, b}, tables.Double(number, b)});
  }
  return sets;
}

std::vector<NumberSetCount> TreblesCounts(const CountingTables& tables, int number) {
  std::vector<NumberSetCount> sets;
  if (!IsNumber(number)) return sets;
  for (int b = number + 1; b < kHighestNumber; ++b) {
    for (int c = b + 1; c <= kHighestNumber; ++c) {
      sets.push_back({{number, b, c}, tables.Treble(number, b, c)});
    }
  }
  return sets;
}

std::vector<std::string> FillSinglesText(const CountingTables& tables) {
  return StatisticsText(SinglesCounts(tables));
}

std::vector<std::string> FillDoublesText(const CountingTables& tables, int number) {
  return StatisticsText(DoublesCounts(tables, number));
}

std::vector<std::string> FillTreblesText(const CountingTables& tables, int number) {
  return StatisticsText(TreblesCounts(tables, number));
}

void GetAllNumbers(SelectedNumbers& selected) {
  for (std::size_t i = 1; i <= 11; ++i) {
    for (std::size_t j = i + 1; j <= 12; ++j) {
      const int old = LeadingNumber(selected[i]);
      if (LeadingNumber(selected[j]) < old) {
        selected[i] = selected[j];
        selected[j] = std::to_string(old);
      }
    }
  }
  selected[0].clear();
  for (std::size_t i = 1; i <= 12; ++i) {
    if (LeadingNumber(selected[i]) <= 0) continue;
    selected[0] += selected[i];
    if (i < 12) selected[0] += "-";
  }
}

}  // namespace bw
