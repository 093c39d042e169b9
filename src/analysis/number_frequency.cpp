// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/number_frequency.h"

#include <algorithm>
#include <cmath>

#include "model/numbers.h"

namespace bw {
namespace {

constexpr int kNumbers = kHighestNumber;
constexpr int kDegrees = kNumbers - 1;
// Six different numbers per draw shrink Pearson's sum by 43/48 on average.
constexpr double kSixDifferentFactor = 48.0 / 43.0;

}  // namespace

double UpperGammaQ(int a, double x) {
  // For whole a: Q(a, x) = e^-x * sum over k < a of x^k / k!.
  if (x <= 0) return 1;
  double term = std::exp(-x), sum = term;
  for (int k = 1; k < a; ++k) {
    term *= x / k;
    sum += term;
  }
  return std::min(sum, 1.0);
}

NumberFrequency FrequencyOf(const std::vector<DatedDraw>& draws) {
  NumberFrequency result;
  result.draws = static_cast<int>(draws.size());
  for (int n = 1; n <= kNumbers; ++n) result.numbers[n - 1] = {n, 0, 0, result.draws};
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const int after = static_cast<int>(draws.size() - 1 - i);
    for (int n = 1; n <= kNumbers; ++n) {
      if (draws[i].mainMask >> n & 1) {
        ++result.numbers[n - 1].mainCount;
        result.numbers[n - 1].since = after;
      }
    }
    if (draws[i].bonus >= 1 && draws[i].bonus <= kNumbers)
      ++result.numbers[draws[i].bonus - 1].bonusCount;
  }
  result.expectedMain = 6.0 * result.draws / kNumbers;
  result.expectedBonus = static_cast<double>(result.draws) / kNumbers;
  double sum = 0;
  if (result.expectedMain > 0) {
    for (const NumberCount& count : result.numbers) {
      const double gap = count.mainCount - result.expectedMain;
      sum += gap * gap / result.expectedMain;
    }
  }
  result.fairness.statistic = sum * kSixDifferentFactor;
  result.fairness.degreesOfFreedom = kDegrees;
  result.fairness.p = UpperGammaQ(kDegrees / 2, result.fairness.statistic / 2);
  return result;
}

std::string FairnessVerdict(const FairnessTest& test) {
  const int percent = static_cast<int>(std::lround(test.p * 100));
  if (test.p < 0.01) {
    return "A fair draw would spread the numbers this unevenly less than once in a hundred "
           "times: the counts suggest the draw favours some numbers.";
  }
  if (test.p < 0.05) {
    return "A fair draw would spread the numbers this unevenly only about " +
           std::to_string(percent) +
           " times in a hundred: a hint that some numbers come up more often, but not proof.";
  }
  return "A fair draw would spread the numbers at least this unevenly about " +
         std::to_string(std::max(percent, 1)) +
         " times in a hundred: the counts look like those of a fair draw.";
}

}  // namespace bw
