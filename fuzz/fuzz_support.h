// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: one program state for the whole run (its
// counting tables are 12.5 MB, too much to make for every input), and the
// input as text. The targets work in memory: no file is written or read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/program_state.h"

namespace bw::fuzz {

// The run's program state with the lottery "Fuzz.opt", its draw list,
// reading status and settings cleared. Its counting tables are the caller's
// to leave as it found them.
ProgramState& FuzzState();

inline std::string AsText(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace bw::fuzz
