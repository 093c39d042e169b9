// SPDX-License-Identifier: GPL-3.0-or-later
#include "wheel/wheel_guarantee.h"

#include <algorithm>
#include <array>

namespace bw {
namespace {

constexpr int kLineSize = 6;

// Schönheim: a covering of the t-sets of v points by k-sets has at least
// ceil(v/k * C(v-1, k-1, t-1)) blocks, since each point lies in enough blocks
// to cover the (t-1)-sets of the others.
int64_t Schoenheim(int v, int k, int t) {
  if (t == 0) return 1;
  const int64_t inner = Schoenheim(v - 1, k - 1, t - 1);
  return (v * inner + k - 1) / k;
}

struct ProvedSize {
  int v, t, m;
  int64_t lines;
};
// Sizes proved to be the fewest possible, higher than the general bounds.
constexpr std::array<ProvedSize, 3> kProved{{
    {12, 3, 3, 15},  // no 14 lines cover the sets of three of 12
    {10, 5, 5, 50},  // equivalent to a Turán number proved to be 50
    {49, 2, 6, 19},  // fewer than 19 lines miss two of some six numbers
}};

}  // namespace

int64_t Binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
  k = std::min(k, n - k);
  int64_t result = 1;
  for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
  return result;
}

int64_t SetsOneLineSettles(int v, WheelGuarantee g) {
  int64_t count = 0;
  for (int j = g.t; j <= std::min(g.m, kLineSize); ++j) {
    count += Binomial(kLineSize, j) * Binomial(v - kLineSize, g.m - j);
  }
  return count;
}

std::string GuaranteeText(WheelGuarantee g) {
  return std::to_string(g.t) + " if " + std::to_string(g.m);
}

std::string WheelProblem(int v, WheelGuarantee g) {
  const std::string guarantee = GuaranteeText(g);
  if (v < kFewestWheelNumbers || v > kMostWheelNumbers) {
    return "a wheel needs 7 to 49 different numbers, got " + std::to_string(v);
  }
  if (g.m > kLineSize) return "at most 6 numbers are drawn, so M is at most 6 (" + guarantee + ")";
  if (g.t < 2) return "a win needs at least 2 numbers, so T is at least 2 (" + guarantee + ")";
  if (g.t > 5) return "T is at most 5: 6 if 6 is the full system (" + guarantee + ")";
  if (g.t > g.m) return "T cannot be more than M (" + guarantee + ")";
  // The m drawn numbers leave at most v - 6 outside one line, so that line
  // holds at least m - (v - 6) of them.
  if (g.m - (v - kLineSize) >= g.t) {
    return "one line already guarantees " + guarantee + " on " + std::to_string(v) +
           " numbers: no wheel is needed";
  }
  return "";
}

// For m = t the Schönheim bound (raised to the proved size where known). For
// m > t: every m-set needs a line meeting it in t or more numbers, and one
// line settles SetsOneLineSettles of the C(v, m) sets, so at least
// C(v, m) / SetsOneLineSettles lines are needed; and at least 2, since a
// valid guarantee is one that a single line does not give.
int64_t WheelLowerBound(int v, WheelGuarantee g) {
  int64_t bound = g.m == g.t
                      ? Schoenheim(v, kLineSize, g.t)
                      : std::max<int64_t>(2, (Binomial(v, g.m) + SetsOneLineSettles(v, g) - 1) /
                                                 SetsOneLineSettles(v, g));
  for (const ProvedSize& proved : kProved) {
    if (proved.v == v && proved.t == g.t && proved.m == g.m) bound = std::max(bound, proved.lines);
  }
  return bound;
}

}  // namespace bw
