// SPDX-License-Identifier: GPL-3.0-or-later
// What a wheel promises, and how few lines any wheel with that promise needs.
// A wheel is a set of lines of six on v chosen numbers with the guarantee
// "t if m": whenever m of the six drawn numbers are among the chosen ones, at
// least one line holds t of them.
#pragma once

#include <cstdint>
#include <string>

namespace bw {

struct WheelGuarantee {
  int t = 3;  // numbers a line is sure to hold
  int m = 6;  // drawn numbers among the chosen ones
};

constexpr int kFewestWheelNumbers = 7;
constexpr int kMostWheelNumbers = 49;

// "3 if 6".
std::string GuaranteeText(WheelGuarantee guarantee);

// n choose k for n up to 64; 0 when k is outside 0..n.
int64_t Binomial(int n, int k);

// The m-sets of v numbers that one line holds t or more of.
int64_t SetsOneLineSettles(int v, WheelGuarantee guarantee);

// Why no wheel is built for v numbers with this guarantee ("" when one is).
std::string WheelProblem(int v, WheelGuarantee guarantee);

// The fewest lines any wheel on v numbers with the guarantee can have, as far
// as can be proved: see the comment at the definition.
int64_t WheelLowerBound(int v, WheelGuarantee guarantee);

}  // namespace bw
