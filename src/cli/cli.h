// The command line: the analyses of the windows run on a lottery folder
// without any window, for scripts and quick look-ups.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace bw {

enum CliExitCode : int { kCliOk = 0, kCliDataError = 1, kCliArgumentError = 2 };

struct CliOptions {
  bool progressOnErr = false;  // draw progress bars on `err` (a terminal)
};

// args[0] is the program file: its folder is the default program folder.
int RunCli(std::vector<std::string> args, std::ostream& out, std::ostream& err,
           const CliOptions& options = {});

}  // namespace bw
