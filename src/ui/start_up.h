// SPDX-License-Identifier: GPL-3.0-or-later
// The start procedure's pieces that need no window: the lottery folder from
// the command line, and reading the program settings with its message.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/lottery_folder.h"

namespace bw::ui {

struct StartArguments {
  LotteryFolder place;     // where the lotteries live, and the help file
  std::string screenshot;  // not empty: save a picture of the window there and end
  std::string error;       // not empty: the arguments are unusable
};

// `--folder DIR` names the lottery folder; otherwise ChooseLotteryFolder
// decides from the program file's folder. `--screenshot FILE` asks for a
// picture of the started window. Any other argument, a missing value or a DIR
// that is not a folder is an error.
StartArguments ParseStartArguments(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& programFileFolder,
                                   const EnvironmentLookup& environment = ProcessEnvironment);

// ReadProgramSettings; a failure is reported with the "Error Reading File"
// message and the start goes on.
void ReadProgramSettingsReported(Session& session);

}  // namespace bw::ui
