// SPDX-License-Identifier: GPL-3.0-or-later
// How often each number was drawn over a range of draws, how long since it
// was last drawn, and a test of whether the main-number counts look like
// those of a fair draw.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/draw_range.h"

namespace bw {

struct NumberCount {
  int number = 0;
  int mainCount = 0;   // draws holding it as a main number
  int bonusCount = 0;  // draws with it as the bonus
  int since = 0;       // draws after the last one holding it as a main number
};

// Pearson's statistic over the 49 main-number counts, scaled by 48/43
// because every draw holds six different numbers (unscaled it averages 43,
// not 48, under a fair draw), against chi-square on 48 degrees of freedom.
struct FairnessTest {
  double statistic = 0;
  int degreesOfFreedom = 48;
  double p = 1;  // chance of a statistic at least this large from a fair draw
};

struct NumberFrequency {
  int draws = 0;
  double expectedMain = 0;   // 6 x draws / 49
  double expectedBonus = 0;  // draws / 49
  std::array<NumberCount, 49> numbers{};
  FairnessTest fairness;
};

NumberFrequency FrequencyOf(const std::vector<DatedDraw>& draws);

// The regularised upper incomplete gamma function Q(a, x) for a whole a >= 1.
double UpperGammaQ(int a, double x);

// One plain sentence on what the test says.
std::string FairnessVerdict(const FairnessTest& test);

}  // namespace bw
