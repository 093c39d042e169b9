// SPDX-License-Identifier: GPL-3.0-or-later
// The start procedure's pieces that need no window: the lottery folder from
// the command line, and reading the program settings with its message.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/lottery_folder.h"

namespace bw::ui {

// What the command line asks for, read before any window exists (so that
// --help and --version answer without a display).
struct StartOptions {
  std::optional<std::filesystem::path> folder;  // --folder DIR
  std::string screenshot;                       // --screenshot FILE
  std::filesystem::path resultFile;             // a results file to import, made absolute
  bool help = false;                            // --help: print StartHelpText and end
  bool version = false;                         // --version
  std::string error;                            // not empty: the arguments are unusable
};

// Options start with "--"; the one word that does not (or any word after
// "--") is the results file. An unknown option, a missing value or a second
// file is an error.
StartOptions ReadStartOptions(const std::vector<std::string>& arguments);
std::string StartHelpText();
// The version of the program, as "0.1".
const char* ProgramVersion();

struct StartArguments {
  LotteryFolder place;               // where the lotteries live, and the help file
  std::string screenshot;            // not empty: save a picture of the window there and end
  std::filesystem::path resultFile;  // not empty: open the import preview of this file
  std::string error;                 // not empty: the arguments are unusable
};

// The lottery folder for the options: `--folder DIR` names it (an error when
// DIR is not a folder); otherwise ChooseLotteryFolder decides from the
// program file's folder.
StartArguments ChooseStartPlace(const StartOptions& options,
                                const std::filesystem::path& programFileFolder,
                                const EnvironmentLookup& environment = ProcessEnvironment);

// ReadProgramSettings; a failure is reported with the "Error Reading File"
// message and the start goes on.
void ReadProgramSettingsReported(Session& session);

}  // namespace bw::ui
