// SPDX-License-Identifier: GPL-3.0-or-later
// The real clock and random source of the running program.
#pragma once

#include <ctime>
#include <random>

#include "platform/services.h"

namespace bw {

// The local time of day now.
std::tm LocalTimeNow();

class SystemClock : public Clock {
 public:
  int32_t TodayDayNumber() override;
  uint64_t SeedFromClock() override;
};

class MersenneRandom : public RandomSource {
 public:
  void Seed(uint64_t seed) override { engine_.seed(seed); }
  double Next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

 private:
  std::mt19937_64 engine_{0};
};

}  // namespace bw
