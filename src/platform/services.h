// SPDX-License-Identifier: GPL-3.0-or-later
// Small platform services that long runs and pages call, behind interfaces so
// tests can drive them: letting pending window events run, today's date, the
// random source of the line finder, and the help viewer.
#pragma once

#include <cstdint>

namespace bw {

// Runs pending window events from inside a long operation (Stop clicks,
// timer ticks). The command line has nothing to run.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void LetEventsRun() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual int32_t TodayDayNumber() = 0;  // day 0 = 30 December 1899
  virtual uint64_t SeedFromClock() = 0;  // a seed that differs between calls
};

// Doubles uniform in [0, 1), reseeded for every new set of random lines.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Seed(uint64_t seed) = 0;
  virtual double Next() = 0;
};

// Shows a help topic by its context number (340, 400, 410, ...).
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowTopic(int contextNumber) = 0;
  virtual void Close() = 0;
};

}  // namespace bw
