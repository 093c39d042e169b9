// SPDX-License-Identifier: GPL-3.0-or-later
// The lottery's search position file (".ful"): the line the all-lines search
// has reached, "03 08 15 22 41 49", so a search can be resumed after restart.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/program_state.h"

namespace bw {

// Writes the six captions (decimal texts) as the position. Silently writes
// nothing when a caption's value is 0 or empty, or the file cannot be
// written. Returns whether the file was written.
bool SaveSearchPosition(const ProgramState& state, const std::array<std::string, 6>& captions);

// The trimmed first line of the file, or nullopt when it is missing, empty
// or unreadable.
std::optional<std::string> LoadSearchPosition(const ProgramState& state);

// Captions for the six line labels from a stored line: two characters at
// positions 1, 4, 7, 10, 13, 16, a leading "0" dropped, a value of 0 empty.
std::array<std::string, 6> CaptionsFromResumeLine(const std::string& resumeLine);

}  // namespace bw
