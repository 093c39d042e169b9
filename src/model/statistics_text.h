// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the statistics list beside the number grid, and the ordering
// of the twelve numbers of the full system with their display text.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/counting_tables.h"

namespace bw {

// How often a set of one, two or three numbers (ascending) was drawn together.
struct NumberSetCount {
  std::vector<int> numbers;
  int count = 0;
};

// The sets of each list below in its order, with their counts.
std::vector<NumberSetCount> SinglesCounts(const CountingTables& tables);
std::vector<NumberSetCount> DoublesCounts(const CountingTables& tables, int number);
std::vector<NumberSetCount> TreblesCounts(const CountingTables& tables, int number);

// "  07-12=  5x" for each set.
std::vector<std::string> StatisticsText(const std::vector<NumberSetCount>& sets);

// "  07= 52x" for every number 1..49.
std::vector<std::string> FillSinglesText(const CountingTables& tables);
// "  07-12=  5x" for `number` with each higher number; empty when `number`
// lies outside 1..48.
std::vector<std::string> FillDoublesText(const CountingTables& tables, int number);
// "  07-12-31=  1x" for `number` with each pair of higher numbers; empty when
// `number` lies outside 1..47.
std::vector<std::string> FillTreblesText(const CountingTables& tables, int number);

// Entries 1..12: the numbers of the full system as decimal texts (an empty
// entry counts as 0); entry 0: their display text.
using SelectedNumbers = std::array<std::string, 13>;

// Sorts entries 1..12 ascending by value (empty entries move to the front)
// and sets entry 0 to the numbers above 0 joined by "-" ("3-8-11-...-49").
void GetAllNumbers(SelectedNumbers& selected);

}  // namespace bw
