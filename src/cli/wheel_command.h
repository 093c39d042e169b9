// SPDX-License-Identifier: GPL-3.0-or-later
// The wheel command: builds and proves a wheel on the chosen numbers, or
// proves one read from a file. It needs no lottery folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/record_writer.h"
#include "wheel/wheel_guarantee.h"

namespace bw {

// wheel --guarantee TifM [--seed S] [--check FILE] N1 .. Nv
struct WheelRequest {
  WheelGuarantee guarantee;
  std::vector<int> numbers;  // ascending
  uint64_t seed = 1;
  std::optional<std::filesystem::path> check;
};

// Throws UsageError for a wrong word or a guarantee no wheel is built for.
WheelRequest ParseWheel(const std::vector<std::string>& words);

// The lines (records in CSV or JSON), then the count, the proof and the lower
// bound (on `err` in CSV or JSON). A checked wheel that fails names the first
// set it misses and returns 1; a wheel file with a wrong line is a UsageError
// naming the file and the line.
int RunWheel(const WheelRequest& request, OutputFormat format, std::ostream& out, std::ostream& err,
             bool progress);

}  // namespace bw
