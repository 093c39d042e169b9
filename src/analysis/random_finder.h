// SPDX-License-Identifier: GPL-3.0-or-later
// Dealing 48 of the 49 numbers at random into eight lines of six.
#pragma once

#include <array>

#include "platform/services.h"

namespace bw {

// True when the decimal text of n ends in 1, 3, 5, 7 or 9.
bool IsOdd(int n);

// Exchange sort of numbers[first..last] (0-based, inclusive), ascending.
void SortRange(std::array<int, 49>& numbers, int first, int last);

// Seeds `random` with `seed`, deals from the two-digit pool with the re-draw
// while the position is odd, and sorts each line. Entries 0..47 are lines
// 1..8 (six each, ascending); entry 48 is the number not placed.
std::array<int, 49> DealRandomSet(RandomSource& random, uint64_t seed);

}  // namespace bw
