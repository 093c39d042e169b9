// SPDX-License-Identifier: GPL-3.0-or-later
// The command line run in a test folder, and a small lottery to run it on.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/test_folder.h"

namespace bw::test {

// Four draws with bonus.
inline const std::string kTiny =
    "10/01/2000 01 02 03 04 05 06 07\r\n"
    "17/01/2000 01 02 03 10 11 12 13\r\n"
    "24/01/2000 20 21 22 23 24 25 26\r\n"
    "31/01/2000 01 02 03 04 20 30 06\r\n";

// The default lottery is Tiny; "Plain" draws no bonus and has no history yet.
inline void WriteLotteries(const TestFolder& folder, const std::string& in = "") {
  folder.Write(in + "vomrix.ini", "file=Tiny.opt\r\n");
  folder.Write(in + "Tiny.ini",
               "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\n"
               "ret5p=100000\r\nret6=1000000\r\n");
  folder.Write(in + "Tiny.opt", kTiny);
  folder.Write(in + "Plain.ini", "bonus=false\r\nstake=1\r\nret3=10\r\nret4=60\r\n");
}

struct CliResult {
  int code = -1;
  std::string out, err;
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

// Runs `program` with the blank-separated `words`.
inline CliResult RunProgram(const std::filesystem::path& program, const std::string& words,
                            const CliOptions& options = {}) {
  std::vector<std::string> args = {program.string()};
  std::istringstream in(words);
  for (std::string word; in >> word;) args.push_back(word);
  std::ostringstream out, err;
  const int code = RunCli(args, out, err, options);
  return {code, out.str(), err.str()};
}

// As if the program lay in `folder`, and by default named it with --folder.
inline CliResult RunIn(const TestFolder& folder, const std::string& words,
                       bool folderOption = true) {
  const std::string option = folderOption ? "--folder " + folder.Path().string() + " " : "";
  return RunProgram(folder / "ballwright-cli", option + words);
}

#ifndef _WIN32
// Another process doing `work`; ExitCodeOf waits for it: its exit code, -1 when killed.
inline pid_t InChild(const std::function<int()>& work) {
  const pid_t child = fork();
  if (child == 0) _exit(work());
  return child;
}

inline int ExitCodeOf(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace bw::test
