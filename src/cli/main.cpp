// The command line program: the work is done by RunCli.
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  // The program file itself, wherever it was started from.
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error && !args.empty()) args[0] = self.string();
  bw::CliOptions options;
  options.progressOnErr = isatty(STDERR_FILENO) != 0;
  return bw::RunCli(std::move(args), std::cout, std::cerr, options);
}
