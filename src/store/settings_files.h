// SPDX-License-Identifier: GPL-3.0-or-later
// The program settings file "vomrix.ini" (the current lottery's history file)
// and one settings file per lottery (bonus, stake and average returns).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/program_state.h"
#include "platform/lottery_folder.h"  // kProgramSettingsFile

namespace bw {

// Each sets state.fileErrorNumber to 0 first and returns true on success;
// on failure the number is set and values read before the failing line stay.
bool ReadProgramSettings(ProgramState& state);
bool WriteProgramSettings(ProgramState& state);
bool ReadLotterySettings(ProgramState& state);
bool WriteLotterySettings(ProgramState& state);
// The reading rules of the two readers above on lines already read.
void TakeProgramSettings(ProgramState& state, const std::vector<std::string>& lines);
bool TakeLotterySettings(ProgramState& state, const std::vector<std::string>& lines);

// The numeric reading rule of settings values and dialog boxes: the longest
// leading decimal number (sign, digits, fraction, exponent "E" or "D"; blanks
// between digits skipped), 0 when there is none, rounded half to even.
// nullopt when the result lies outside the 32-bit signed range (overflow).
std::optional<int32_t> ReadWholeNumber(std::string_view text);

}  // namespace bw
