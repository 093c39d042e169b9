// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: the analyses of the windows run on a lottery folder
// without any window, for scripts and quick look-ups.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/lottery_folder.h"

namespace bw {

enum CliExitCode : int { kCliOk = 0, kCliDataError = 1, kCliArgumentError = 2 };

struct CliOptions {
  bool progressOnErr = false;  // draw progress bars on `err` (a terminal)
  // Where the user's data folder is looked up (HOME, XDG_DATA_HOME, APPDATA).
  EnvironmentLookup environment = ProcessEnvironment;
};

// args[0] is the program file: its folder decides the lottery folder unless
// --folder names one.
int RunCli(std::vector<std::string> args, std::ostream& out, std::ostream& err,
           const CliOptions& options = {});

}  // namespace bw
