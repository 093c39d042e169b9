// SPDX-License-Identifier: GPL-3.0-or-later
// The command line program: the work is done by RunCli.
#include <iostream>

#include "cli/cli.h"
#include "platform/console.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  // The program file itself, wherever it was started from.
  const auto self = bw::RunningProgramFile();
  if (!self.empty() && !args.empty()) args[0] = self.string();
  bw::KeepStandardStreamBytes();
  bw::CliOptions options;
  options.progressOnErr = bw::StandardErrorIsTerminal();
  return bw::RunCli(std::move(args), std::cout, std::cerr, options);
}
