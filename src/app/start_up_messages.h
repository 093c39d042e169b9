// SPDX-License-Identifier: GPL-3.0-or-later
// The messages of the start-up, shared by the windows and the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/program_state.h"
#include "platform/messages.h"

namespace bw {

// The program settings file could not be read (error number and description).
Message ProgramSettingsErrorMessage(int16_t errorNumber);
// No lottery, or its settings file cannot be read.
Message NoLotteryMessage(const std::string& settingsProblem = "");
// Stake, 3-hit or 4-hit return is 0; `still` after the dialog left them so.
Message UnresolvedDetailsMessage(bool still);
// The history holds no draws.
Message NoPastDrawsMessage();
// A new lottery of placeholder draws is loaded: where its past draws come from.
Message NewLotteryMessage(const ProgramState& state);
// Asks before the index files are deleted and built anew.
Message ReinitialiseQuestion(const ProgramState& state);

// What the user is told about the history just read: the lines set aside
// (how many, the first line numbers), a read that stopped at a line, a file
// that could not be read. Empty when the file was read whole.
std::vector<Message> HistoryReadMessages(const ProgramState& state);

// "NAME.opt was missing, so it was restored from COPY ...".
Message RestoredMessage(const ProgramState& state);

// Stake, 3-hit and 4-hit returns are all non-zero.
bool DetailsResolved(const LotterySettings& settings);

}  // namespace bw
