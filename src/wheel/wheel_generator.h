// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a wheel with as few lines as it can find for the chosen numbers and
// the guarantee, and proves it before handing it out. A greedy wheel of whole
// turns (lines shifted round the numbers) is cut down by simulated annealing
// over the turned lines, then over single lines; large wheels whose guarantee
// follows from smaller wheels on parts of the numbers (one of p parts holds
// t of any m drawn numbers when m > p (t - 1); of two parts, one holds t or
// the other m - t + 1) are built from those.
// The same numbers, guarantee and seed give the same wheel.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/numbers.h"
#include "wheel/wheel_guarantee.h"
#include "wheel/wheel_proof.h"

namespace bw {

struct WheelProgress {
  double done = 0;  // 0..1 of the search's work
};

struct WheelOptions {
  uint64_t seed = 1;
  // Set from another thread: the search ends soon and the best wheel found so
  // far (every stage keeps a complete one) is proved and returned.
  const std::atomic<bool>* stop = nullptr;
  // Called now and then from the searching threads, one call at a time.
  std::function<void(const WheelProgress&)> progress;
};

struct GeneratedWheel {
  std::vector<Line> lines;  // ascending, in ascending order
  WheelProof proof;
  int64_t lowerBound = 0;
  bool stopped = false;
};

// `chosen` ascending and different. Throws std::invalid_argument with
// WheelProblem's reason, and std::logic_error if a built wheel failed its proof.
GeneratedWheel GenerateWheel(const std::vector<int>& chosen, WheelGuarantee guarantee,
                             const WheelOptions& options = {});

}  // namespace bw
