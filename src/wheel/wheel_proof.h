// SPDX-License-Identifier: GPL-3.0-or-later
// The exhaustive proof of a wheel's guarantee and its full picture: what it
// holds for each count of drawn numbers among the chosen ones, and its
// chances over all 13,983,816 draws. Every m-set of the chosen numbers is
// walked (in parts on all cores, with the same result each time).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/numbers.h"
#include "wheel/wheel_guarantee.h"

namespace bw {

struct WheelProof {
  bool holds = false;
  int64_t setsChecked = 0;     // C(v, m) when it holds
  std::vector<int> firstMiss;  // the first m numbers (in ascending order) no line holds t of
};

// `chosen` ascending and different; every line's numbers among them.
WheelProof ProveWheel(const std::vector<int>& chosen, const std::vector<Line>& lines,
                      WheelGuarantee guarantee);

struct WheelHitRow {
  int m = 0;           // drawn numbers among the chosen ones
  int worst = 0;       // the fewest numbers the best line then holds
  double average = 0;  // the average of that best line's numbers over all m-sets
};

struct WheelPicture {
  std::vector<WheelHitRow> rows;  // m from t to 6
  // Draws (of all 13,983,816) in which some line holds at least 3, 4, 5, 6.
  std::array<int64_t, 4> drawsWinning{};
  double Chance(int atLeast) const;  // 3..6
};

WheelPicture PictureOfWheel(const std::vector<int>& chosen, const std::vector<Line>& lines,
                            WheelGuarantee guarantee);

// Lines as bit masks over the positions of their numbers in `chosen`.
std::vector<uint64_t> PositionMasks(const std::vector<int>& chosen, const std::vector<Line>& lines);

}  // namespace bw
