// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_services.h"

#include <chrono>
#include <ctime>

#include "model/day_number.h"

namespace bw {

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

int32_t SystemClock::TodayDayNumber() {
  const std::tm local = LocalTimeNow();
  return DayNumber({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

uint64_t SystemClock::SeedFromClock() {
  return static_cast<uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace bw
