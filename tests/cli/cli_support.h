// Running the command line on a test folder and hand-made lotteries.
#pragma once

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/test_folder.h"

namespace bw::test {

struct CliResult {
  int code = -1;
  std::string out;
  std::string err;
  std::vector<std::string> OutLines() const {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

// Runs "ballwright-cli --folder FOLDER args..." as the program file in FOLDER.
inline CliResult RunIn(const TestFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(),
              {(folder.Path() / "ballwright-cli").string(), "--folder", folder.Path().string()});
  std::ostringstream out, err;
  CliResult result;
  result.code = RunCli(args, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

// Every file of the folder with its bytes, to show that nothing changed.
inline std::map<std::string, std::string> Snapshot(const TestFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    const std::string name = entry.path().filename().string();
    files[name] = folder.Read(name);
  }
  return files;
}

// "Tiny": four draws with bonus, worked through by hand in the tests.
//   10/01/2000  1  2  3  4  5  6 + 7
//   17/01/2000  1  2  3 10 11 12 + 13
//   24/01/2000 20 21 22 23 24 25 + 26
//   31/01/2000  1  2  3  4 20 30 + 6
inline const std::string kTinyHistory =
    "10/01/2000 01 02 03 04 05 06 07\r\n"
    "17/01/2000 01 02 03 10 11 12 13\r\n"
    "24/01/2000 20 21 22 23 24 25 26\r\n"
    "31/01/2000 01 02 03 04 20 30 06\r\n";

inline void WriteTinyLottery(const TestFolder& folder) {
  folder.Write("vomrix.ini", "file=Tiny.opt\r\n");
  folder.Write("Tiny.ini",
               "bonus=true\r\nstake=1\r\nret3=10\r\nret4=60\r\nret5=1500\r\nret5p=100000\r\n"
               "ret6=1000000\r\n");
  folder.Write("Tiny.opt", kTinyHistory);
}

// "Plain": the same returns, no bonus, two draws.
inline void WritePlainLottery(const TestFolder& folder) {
  folder.Write("Plain.ini", "bonus=false\r\nstake=1\r\nret3=10\r\nret4=60\r\n");
  folder.Write("Plain.opt",
               "10/01/2000 01 02 03 04 05 06 \r\n"
               "17/01/2000 07 08 09 10 11 12 \r\n");
}

}  // namespace bw::test
